#include "hypertext/MathElement.h"

void MathElement::Start(const MarkupEvent& opening) {
  m_name.assign(opening.Tag());
  m_depth = 1;
  m_markup = WriteMarkupTag(opening);
  m_text.clear();
}

bool MathElement::Take(MarkupEvent& e) {
  const std::string_view text = e.Text();
  if (m_markup.size() + text.size() <= kLimit) {
    m_markup.append(text);
    m_text.append(text);
  }
  e.ConsumeText();
  if (e.IsLineEnd()) {
    if (m_markup.size() < kLimit) {
      m_markup += '\n';
      m_text += ' ';
    }
    return false;
  }
  if (!e.IsTag()) return false;
  const std::string tag = WriteMarkupTag(e);
  if (m_markup.size() + tag.size() <= kLimit) m_markup += tag;
  if (e.Tag() != m_name) return false;
  m_depth += e.closing ? -1 : 1;
  return m_depth == 0;
}

std::string MathElement::InlineText() const {
  std::string out;
  for (char c : m_text) {
    if (c != ' ')
      out += c;
    else if (!out.empty() && out.back() != ' ')
      out += ' ';
  }
  while (!out.empty() && out.back() == ' ') out.pop_back();
  return out;
}
