// The "Asterisk sources" list of the Preferences dialog: a drop-down list drawn by the
// program. Each item shows "*  " before a source's name when the source is included and
// three spaces when it is excluded; choosing an item toggles it. The closed list shows a
// summary instead of a current item.
#pragma once

#include <QtWidgets/QComboBox>
#include <cstdint>
#include <functional>

class CAsteriskCombo : public QComboBox {
 public:
  explicit CAsteriskCombo(QWidget* parent = nullptr);

  // Source names in the order of the asterisk source list; bit i of the mask excludes
  // source i (only the first 16 sources can be excluded).
  void SetSources(QStringList names);
  void SetExcluded(std::uint16_t mask);
  std::uint16_t excluded() const { return m_excluded; }

  // Called after a choice toggled a source.
  void SetOnToggled(std::function<void()> onToggled) { m_onToggled = std::move(onToggled); }

  // What the closed list shows: all included, none included, or the included names.
  QString summaryText() const;
  // The text of item i as the open list shows it.
  QString itemLabel(int i) const;
  // Toggles source i, as choosing it in the open list does.
  void Choose(int i);

  void showPopup() override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  bool IsExcluded(int i) const { return i < 16 && (m_excluded >> i) & 1u; }
  void RefreshItems();

  QStringList m_names;
  std::uint16_t m_excluded = 0;
  bool m_filled = false;  // the items are made when the list is first dropped down
  std::function<void()> m_onToggled;
};
