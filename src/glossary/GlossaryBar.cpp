#include "glossary/GlossaryBar.h"

#include <QtGui/QClipboard>
#include <QtGui/QContextMenuEvent>
#include <QtGui/QGuiApplication>
#include <QtGui/QKeyEvent>
#include <QtGui/QPainter>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QMenu>
#include <QtWidgets/QScrollArea>
#include <QtWidgets/QScrollBar>
#include <QtWidgets/QSplitter>
#include <QtWidgets/QToolButton>
#include <QtWidgets/QVBoxLayout>

#include "audio/SoundService.h"
#include "course/CommandIds.h"
#include "course/CoursePersonality.h"
#include "course/CourseText.h"
#include "course/Notice.h"
#include "course/ProgramResources.h"
#include "course/ResourceIds.h"
#include "course/Services.h"
#include "course/StringIds.h"
#include "glossary/GlossaryPane.h"
#include "glossary/GlossaryTable.h"
#include "glossary/TermBarParts.h"
#include "hypertext/HyperServices.h"
#include "hypertext/Picture.h"
#include "shell/MainFrame.h"
#include "shell/StatsDockWnd.h"

namespace {

CGlossaryBar::IndexLinks& Links() {
  static CGlossaryBar::IndexLinks links;
  return links;
}


GlossaryPaneStyle PaneStyle(int dpiY) {
  GlossaryPaneStyle style;
  const std::string face = PersonalityString(kKeyGlossaryFont);
  if (!face.empty()) style.face = face;
  style.linkColour = CurrentHyperStyle(dpiY).linkColour;
  style.dpiY = dpiY;
  return style;
}

}  // namespace

void CGlossaryBar::SetIndexLinks(IndexLinks links) { Links() = std::move(links); }

CGlossaryBar::CGlossaryBar(GlossaryTable& table, QWidget* parent)
    : CTearToolBar(cmd::kGlossaryBar, parent), m_table(table) {
  setAccessibleName(QStringLiteral("Glossary"));
  m_pane = new CGlossaryPane;
  m_pane->SetStyle(PaneStyle(logicalDpiY()));
  m_pane->setAccessibleName(QStringLiteral("Definition"));
  m_pane->loadPicture = [this](const std::string& name) { return m_table.LoadPicture(name); };
  m_pane->onReference = [this](const std::string& text) { FollowReference(text); };
  m_back = new QToolButton;
  m_back->setArrowType(Qt::LeftArrow);
  m_back->setToolTip(QString::fromStdString(ProgramString(str::kGlossaryBackTip)));
  m_back->setAccessibleName(QStringLiteral("Back"));
  connect(m_back, &QToolButton::clicked, this, [this] { Back(); });
  m_index = new QToolButton;
  m_index->setText(QStringLiteral("Index"));
  m_index->setToolTip(QString::fromStdString(ProgramString(str::kGlossaryIndexTip)));
  m_index->setAccessibleName(QStringLiteral("Index"));
  connect(m_index, &QToolButton::clicked, this, [this] { OnCommand(cmd::kGlossaryIndex); });

  const TermBarLayout parts = BuildTermBar(
      this, m_pane, QStringLiteral("Terms"), m_table.Count(), [this](int i) { return m_table.TermName(i); },
      {m_index, m_back}, kListWidth, kMinListWidth, kMinPaneWidth, [this](int i) { ShowTerm(i); });
  m_scroll = parts.scroll;
  m_list = parts.list;
  m_split = parts.split;
  m_list->installEventFilter(this);
  UpdateButtons();
}

CGlossaryBar::~CGlossaryBar() = default;

bool CGlossaryBar::Lookup(std::string_view text, std::string_view phrase) {
  const int found = m_table.FindTerm(text);
  if (found < 0) {
    ShowNotice(str::kGlossaryTermNotFound, text);
    return false;
  }
  m_contextPhrase = std::string(phrase);
  m_contextTerm = found;
  if (found == m_current) {
    m_pane->SetText(DisplayText());  // the same term, with its new context
    return true;
  }
  ShowTerm(found);
  return true;
}

void CGlossaryBar::ShowTerm(int index, bool pushHistory) {
  if (index < 0 || index >= m_table.Count() || index == m_current) return;
  if (pushHistory && m_current >= 0) {
    m_history.push_back(m_current);
    if (static_cast<int>(m_history.size()) > kHistoryLimit) m_history.pop_front();
  }
  m_current = index;
  m_pane->SetText(DisplayText());
  m_scroll->verticalScrollBar()->setValue(0);
  m_list->setCurrentRow(index);
  m_list->scrollToItem(m_list->item(index));
  m_pane->setAccessibleDescription(QString::fromStdString(CourseToUtf8(CopyText())));
  UpdateButtons();
}

bool CGlossaryBar::Back() {
  if (m_history.empty()) return false;
  const int previous = m_history.back();
  m_history.pop_back();
  ShowTerm(previous, false);
  UpdateButtons();
  return true;
}

std::string CGlossaryBar::DisplayText() const {
  if (m_current < 0) return {};
  const std::string phrase = m_current == m_contextTerm ? m_contextPhrase : std::string();
  return GlossaryDisplayText(m_table.TermName(m_current), m_table.Definition(m_current), phrase);
}

std::string CGlossaryBar::CopyText() const { return m_current < 0 ? std::string() : GlossaryPlainText(DisplayText()); }

void CGlossaryBar::FollowReference(const std::string& text) {
  const int found = m_table.FindTerm(text);
  if (found < 0 || found == m_current) return;
  ShowTerm(found);
  PlayProgramSound(snd::kGlossaryLookup);
}

void CGlossaryBar::UpdateButtons() {
  m_back->setEnabled(!m_history.empty());
  CommandState state;
  UpdateCommand(cmd::kGlossaryIndex, state);
  m_index->setEnabled(state.enabled);
}

bool CGlossaryBar::UpdateCommand(int id, CommandState& state) {
  switch (id) {
    case cmd::kGlossaryBack:
      state.enabled = !m_history.empty();
      return true;
    case cmd::kGlossaryCopy:
    case cmd::kGlossaryPrint:
    case cmd::kPrint:
      state.enabled = m_current >= 0;
      return true;
    case cmd::kGlossaryIndex:
      state.enabled = m_current >= 0 && Links().hasTerm && Links().openAt && Links().hasTerm(m_table.TermName(m_current));
      return true;
    case cmd::kGlossaryHide:
      state.enabled = true;
      return true;
    default:
      return CTearToolBar::UpdateCommand(id, state);
  }
}

bool CGlossaryBar::OnCommand(int id) {
  CommandState state;
  if (id != cmd::kGlossaryHide && UpdateCommand(id, state) && !state.enabled) return true;
  switch (id) {
    case cmd::kGlossaryBack:
      Back();
      return true;
    case cmd::kGlossaryCopy:
      QGuiApplication::clipboard()->setText(QString::fromStdString(CourseToUtf8(CopyText())));
      return true;
    case cmd::kGlossaryIndex:
      Links().openAt(m_table.TermName(m_current));
      return true;
    case cmd::kGlossaryPrint:
    case cmd::kPrint:
      Print();
      return true;
    case cmd::kGlossaryHide:
      if (CMainFrame* frame = CMainFrame::Instance()) frame->SetBarVisible(cmd::kGlossaryBar, false);
      return true;
    default:
      return CTearToolBar::OnCommand(id);
  }
}

int CGlossaryBar::ContentHeight(bool printing) const {
  if (!printing) return 0;  // on screen the pane scrolls itself
  return LayGlossaryText(DisplayText(), 600, 0, PaneStyle(96), nullptr).textBottom;
}

void CGlossaryBar::PaintRows(QPainter& painter, const QRect&, int width, bool printing) {
  if (printing) LayGlossaryText(DisplayText(), std::min(width, 600), 0, PaneStyle(96), &painter);
}

void CGlossaryBar::contextMenuEvent(QContextMenuEvent* event) {
  RunCommandMenu(this, *this,
                 {{cmd::kGlossaryBack, "&Back up"},
                  {cmd::kGlossaryCopy, "&Copy to Clipboard"},
                  {cmd::kGlossaryIndex, "&Index"},
                  {cmd::kGlossaryPrint, "&Print Definition..."},
                  {cmd::kGlossaryHide, "&Hide Glossary"}},
                 event->globalPos());
}

bool CGlossaryBar::eventFilter(QObject* watched, QEvent* event) {
  // Typing a digit or a letter in the list shows the first term that starts with it.
  if (watched == m_list) {
    if (const char c = TypedTermKey(event)) {
      const int found = m_table.FirstTermStartingWith(c);
      if (found >= 0) ShowTerm(found);
      return true;
    }
  }
  return CTearToolBar::eventFilter(watched, event);
}

void ShowGlossaryTerm(std::string_view text, std::string_view phrase, std::size_t length) {
  CMainFrame* frame = CMainFrame::Instance();
  if (!frame) return;
  frame->SetBarVisible(cmd::kGlossaryBar, true);
  if (text.empty()) return;
  CStatsDockWnd* dock = frame->tearBar(cmd::kGlossaryBar);
  auto* bar = dock ? dynamic_cast<CGlossaryBar*>(dock->bar()) : nullptr;
  if (!bar) return;
  PlayProgramSound(snd::kGlossaryLookup);
  bar->Lookup(text, length == 0 || length > phrase.size() ? phrase : phrase.substr(0, length));
}
