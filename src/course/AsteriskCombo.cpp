#include "course/AsteriskCombo.h"

#include <QtWidgets/QStyleOptionComboBox>
#include <QtWidgets/QStylePainter>

#include "course/ProgramResources.h"
#include "course/StringIds.h"

CAsteriskCombo::CAsteriskCombo(QWidget* parent) : QComboBox(parent) {
  connect(this, &QComboBox::activated, this, [this](int index) { Choose(index); });
}

void CAsteriskCombo::SetSources(QStringList names) {
  m_names = std::move(names);
  clear();
  m_filled = false;
  update();
}

void CAsteriskCombo::SetExcluded(std::uint16_t mask) {
  m_excluded = mask;
  RefreshItems();
  update();
}

QString CAsteriskCombo::itemLabel(int i) const {
  if (i < 0 || i >= m_names.size()) return {};
  return (IsExcluded(i) ? QStringLiteral("   ") : QStringLiteral("*  ")) + m_names[i];
}

QString CAsteriskCombo::summaryText() const {
  QStringList included;
  for (int i = 0; i < m_names.size(); ++i)
    if (!IsExcluded(i)) included << m_names[i];
  if (included.size() == m_names.size()) return QString::fromStdString(ProgramString(str::kAllAsteriskSources));
  if (included.isEmpty()) return QString::fromStdString(ProgramString(str::kNoAsteriskSources));
  return included.join(QStringLiteral(", "));
}

void CAsteriskCombo::Choose(int i) {
  if (i < 0 || i >= m_names.size() || i >= 16) return;
  m_excluded = static_cast<std::uint16_t>(m_excluded ^ (1u << i));
  RefreshItems();
  update();
  if (m_onToggled) m_onToggled();
}

void CAsteriskCombo::RefreshItems() {
  if (!m_filled) return;
  for (int i = 0; i < count(); ++i) setItemText(i, itemLabel(i));
}

void CAsteriskCombo::showPopup() {
  if (!m_filled) {
    m_filled = true;
    for (int i = 0; i < m_names.size(); ++i) addItem(itemLabel(i));
  }
  QComboBox::showPopup();
}

void CAsteriskCombo::paintEvent(QPaintEvent*) {
  QStylePainter painter(this);
  QStyleOptionComboBox option;
  initStyleOption(&option);
  option.currentText = summaryText();
  option.currentIcon = QIcon();
  painter.drawComplexControl(QStyle::CC_ComboBox, option);
  painter.drawControl(QStyle::CE_ComboBoxLabel, option);
}
