#include <gtest/gtest.h>

#include <QtGui/QAction>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QMdiArea>
#include <QtWidgets/QMdiSubWindow>
#include <QtWidgets/QMenu>
#include <QtWidgets/QMenuBar>
#include <QtWidgets/QPushButton>

#include "course/AsteriskCombo.h"
#include "course/CommandIds.h"
#include "course/CourseModelLinks.h"
#include "course/CoursePersonality.h"
#include "course/CourseWindows.h"
#include "course/Notice.h"
#include "course/PreferencesDlg.h"
#include "course/ResourceContainer.h"
#include "course/StringIds.h"

namespace {

using Dlg = CPreferencesDlg;

QPushButton* Button(Dlg& d, int id) { return static_cast<QPushButton*>(d.control(id)); }

struct Enabled {
  bool apply, revert, defaults;
  bool operator==(const Enabled&) const = default;
};
std::ostream& operator<<(std::ostream& o, const Enabled& e) {
  return o << "apply " << e.apply << " revert " << e.revert << " defaults " << e.defaults;
}
Enabled Buttons(Dlg& d) {
  return {Button(d, Dlg::kApply)->isEnabled(), Button(d, Dlg::kRevert)->isEnabled(),
          Button(d, Dlg::kDefaults)->isEnabled()};
}

CourseModelLinks Lists() {
  return {[] { return std::vector<CourseListEntry>{{"", "none"}, {"mm", "Moore"}, {"dv", "De Veaux"}}; },
          [] { return std::vector<CourseListEntry>{{"a", "Alpha"}, {"b", "Beta"}, {"c", "Gamma"}}; },
          {}};
}

}  // namespace

TEST(PreferencesDlg, ChangingAControlEnablesApplyAndRevert) {
  const std::vector<std::pair<const char*, std::function<void(Dlg&)>>> changes = {
      {"Disable sounds", [](Dlg& d) { static_cast<QCheckBox*>(d.control(Dlg::kDisableSounds))->click(); }},
      {"Do not adjust", [](Dlg& d) { static_cast<QCheckBox*>(d.control(Dlg::kDoNotAdjustContents))->click(); }},
      {"Hide time", [](Dlg& d) { static_cast<QCheckBox*>(d.control(Dlg::kHideEstimatedTime))->click(); }},
      {"Expo source", [](Dlg& d) { static_cast<QCheckBox*>(d.control(Dlg::kExpoSourceFirst))->click(); }},
      {"Show tips", [](Dlg& d) { static_cast<QCheckBox*>(d.control(Dlg::kShowTips))->click(); }},
      {"Format", [](Dlg& d) { static_cast<QComboBox*>(d.control(Dlg::kLessonBookFormat))->setCurrentIndex(5); }},
      {"Font size", [](Dlg& d) { static_cast<QComboBox*>(d.control(Dlg::kFontSize))->setCurrentIndex(0); }},
      {"Bundle", [](Dlg& d) { static_cast<QComboBox*>(d.control(Dlg::kSupplementaryText))->setCurrentIndex(2); }},
      {"Asterisks", [](Dlg& d) { emit static_cast<CAsteriskCombo*>(d.control(Dlg::kAsteriskSources))->activated(1); }},
      {"Teacher", [](Dlg& d) { static_cast<QLineEdit*>(d.control(Dlg::kTeacherFolder))->setText("/t/"); }},
  };
  ScopedCourseModelLinks links(Lists());
  for (const auto& [what, change] : changes) {
    Preferences prefs;
    Dlg d(prefs);
    EXPECT_EQ(Buttons(d), (Enabled{false, false, false})) << what;
    change(d);
    EXPECT_EQ(Buttons(d), (Enabled{true, true, true})) << what;
    EXPECT_FALSE(d.workingCopy().Equal(prefs)) << what;
    Button(d, Dlg::kRevert)->click();
    EXPECT_EQ(Buttons(d), (Enabled{false, false, false})) << what << " after Revert";
    EXPECT_TRUE(d.workingCopy().Equal(prefs)) << what;
  }
}

TEST(PreferencesDlg, ControlsShowTheCurrentPreferences) {
  ScopedCourseModelLinks links(Lists());
  Preferences prefs;
  prefs.hideTime = true;
  prefs.fontSize = 15;
  prefs.pageFormat = 3;
  prefs.bundledText = 1;
  prefs.asterisks = 0x2;
  Dlg d(prefs);
  EXPECT_TRUE(static_cast<QCheckBox*>(d.control(Dlg::kHideEstimatedTime))->isChecked());
  EXPECT_FALSE(static_cast<QCheckBox*>(d.control(Dlg::kShowTips))->isChecked());
  auto* format = static_cast<QComboBox*>(d.control(Dlg::kLessonBookFormat));
  EXPECT_EQ(format->count(), 7);
  EXPECT_EQ(format->currentText(), "High Tech");
  auto* size = static_cast<QComboBox*>(d.control(Dlg::kFontSize));
  EXPECT_EQ(size->count(), 17);
  EXPECT_EQ(size->currentText(), "15");
  auto* bundle = static_cast<QComboBox*>(d.control(Dlg::kSupplementaryText));
  ASSERT_EQ(bundle->count(), 3);
  EXPECT_EQ(bundle->itemText(0), "(no bundle selected)");
  EXPECT_EQ(bundle->itemText(2), "De Veaux  (dv)");
  EXPECT_EQ(bundle->currentIndex(), 1);
  EXPECT_EQ(static_cast<CAsteriskCombo*>(d.control(Dlg::kAsteriskSources))->summaryText(), "Alpha, Gamma");
  EXPECT_EQ(Buttons(d), (Enabled{false, false, true}));
}

TEST(PreferencesDlg, DefaultsKeepTheFolders) {
  Preferences prefs;
  prefs.fontSize = 20;
  prefs.showTips = true;
  prefs.SetFolder(Preferences::kTeacherFolder, "/home/t/Teach/");
  prefs.SetFolder(Preferences::kProgramFolder, "/opt/k/");
  Dlg d(prefs);
  Button(d, Dlg::kDefaults)->click();
  EXPECT_EQ(d.workingCopy().fontSize, 12);
  EXPECT_FALSE(d.workingCopy().showTips);
  EXPECT_EQ(d.workingCopy().folders, prefs.folders);
  EXPECT_EQ(static_cast<QLineEdit*>(d.control(Dlg::kTeacherFolder))->text(), "/home/t/Teach/");
  EXPECT_EQ(Buttons(d), (Enabled{true, true, false}));
}

TEST(PreferencesDlg, ApplyReplacesThePreferencesAndNotifies) {
  Preferences prefs;
  prefs.fontSize = 10;
  std::vector<int> previousSizes;
  auto hook = SetPreferencesChangedHook([&](const Preferences& before) { previousSizes.push_back(before.fontSize); });
  prefs.RememberRect(5, {1, 2, 3, 4});
  prefs.SetChanged(false);
  {
    Dlg d(prefs);
    static_cast<QComboBox*>(d.control(Dlg::kFontSize))->setCurrentIndex(14 - 8);
    Button(d, Dlg::kApply)->click();
    EXPECT_EQ(prefs.fontSize, 14);
    EXPECT_TRUE(prefs.changed());
    EXPECT_EQ(prefs.LookupRect(5), (CourseRect{1, 2, 3, 4}));
    EXPECT_EQ(Buttons(d), (Enabled{false, false, true}));
    Button(d, Dlg::kApply)->click();  // nothing differs: no second notification
    static_cast<QCheckBox*>(d.control(Dlg::kShowTips))->click();
    Button(d, Dlg::kCancel)->click();
    EXPECT_FALSE(prefs.showTips);
    EXPECT_EQ(d.result(), QDialog::Rejected);
  }
  {
    Dlg d(prefs);
    static_cast<QCheckBox*>(d.control(Dlg::kShowTips))->click();
    Button(d, Dlg::kOk)->click();
    EXPECT_TRUE(prefs.showTips);
    EXPECT_EQ(d.result(), QDialog::Accepted);
  }
  SetPreferencesChangedHook(std::move(hook));
  EXPECT_EQ(previousSizes, (std::vector<int>{10, 14}));
}

TEST(PreferencesDlg, TeacherFolderGetsATrailingSlash) {
  struct Case {
    const char* typed;
    const char* stored;
    bool notice;
  };
  const Case cases[] = {{"/home/t/Teach", "/home/t/Teach/", true},
                        {"/home/t/Teach/", "/home/t/Teach/", false},
                        {"T", "T", false},
                        {"", "", false}};
  for (const auto& c : cases) {
    Preferences prefs;
    prefs.SetFolder(Preferences::kTeacherFolder, "/old/");
    Dlg d(prefs);
    NoticeRecorder notices;
    auto* field = static_cast<QLineEdit*>(d.control(Dlg::kTeacherFolder));
    field->setText(c.typed);
    Button(d, Dlg::kApply)->click();
    EXPECT_EQ(prefs.folder(Preferences::kTeacherFolder).path, c.stored) << c.typed;
    EXPECT_EQ(prefs.folder(Preferences::kTeacherFolder).valid, *c.stored != 0) << c.typed;
    EXPECT_EQ(field->text(), c.stored);
    EXPECT_EQ(notices.sawId(str::kExtensionPathSlashAdded), c.notice) << c.typed;
    if (c.notice) {
      EXPECT_TRUE(notices.sawText("trailing slash '/'"));
    }
  }
}

TEST(PreferencesDlg, BrowseSetsTheTeacherFolder) {
  Preferences prefs;
  Dlg d(prefs);
  QString prompt;
  d.SetFolderPicker([&](QWidget*, const QString& p, const QString&) {
    prompt = p;
    return QString("/srv/teach");
  });
  Button(d, Dlg::kBrowse)->click();
  EXPECT_EQ(prompt, "Please select the Teacher Extensions folder.");
  EXPECT_EQ(d.workingCopy().folder(Preferences::kTeacherFolder).path, "/srv/teach/");
  EXPECT_TRUE(Button(d, Dlg::kApply)->isEnabled());

  d.SetFolderPicker([](QWidget*, const QString&, const QString&) { return QString(); });  // cancelled
  Button(d, Dlg::kBrowse)->click();
  EXPECT_EQ(d.workingCopy().folder(Preferences::kTeacherFolder).path, "/srv/teach/");
}

TEST(PreferencesDlg, AsteriskListTogglesAndSummarises) {
  CAsteriskCombo combo;
  combo.SetSources({"Alpha", "Beta"});
  EXPECT_EQ(combo.summaryText(), "(all asterisk sources selected)");
  EXPECT_EQ(combo.count(), 0) << "items are made when the list first drops down";
  combo.showPopup();
  combo.hidePopup();
  ASSERT_EQ(combo.count(), 2);
  EXPECT_EQ(combo.itemText(0), "*  Alpha");
  int toggles = 0;
  combo.SetOnToggled([&] { ++toggles; });
  emit combo.activated(0);
  EXPECT_EQ(combo.excluded(), 0x1);
  EXPECT_EQ(combo.itemText(0), "   Alpha");
  EXPECT_EQ(combo.summaryText(), "Beta");
  emit combo.activated(1);
  EXPECT_EQ(combo.summaryText(), "(no asterisk sources selected)");
  emit combo.activated(0);
  EXPECT_EQ(combo.excluded(), 0x2);
  EXPECT_EQ(toggles, 3);

  QImage image(combo.sizeHint(), QImage::Format_ARGB32);
  combo.resize(combo.sizeHint());
  combo.render(&image);  // the closed list paints its summary without trouble
}

TEST(CourseWindows, RememberWindowStoresTheClientArea) {
  QMdiArea area;
  area.resize(800, 600);
  auto* child = area.addSubWindow(new QWidget);
  child->setGeometry(40, 30, 300, 200);
  area.show();
  Preferences prefs;
  RememberWindow(prefs, 0, child);
  EXPECT_EQ(prefs.UsedWindowEntries(), 0);
  RememberWindow(prefs, 12, child);
  const auto rect = prefs.LookupRect(12);
  ASSERT_TRUE(rect);
  const QRect client = child->contentsRect();
  EXPECT_EQ(rect->left, 40 + client.left());
  EXPECT_EQ(rect->top, 30 + client.top());
  EXPECT_EQ(rect->width(), client.width());
  EXPECT_EQ(rect->height(), client.height());
}

TEST(CourseWindows, RewriteMenuSetsAndRemovesItems) {
  ContainerWriter w;
  const std::string app = "StatCourse";
  w.AddEntry(kEntryText, "Application", std::vector<std::uint8_t>(app.begin(), app.end()));
  w.AddEntry(kEntryText, "Explore Docs", {});
  auto personality = CoursePersonality::FromBytes(w.Build());

  QMenuBar bar;
  QMenu* file = bar.addMenu("&File");
  QMenu* help = bar.addMenu("&Help");
  auto add = [](QMenu* m, int id) {
    QAction* a = m->addAction("placeholder");
    a->setData(id);
    return a;
  };
  QAction* exit = add(file, cmd::kExit);
  QAction* about = add(help, cmd::kAbout);
  QAction* docs = add(help, cmd::kExploreDocs);
  QAction* other = add(help, 9999);
  RewriteMenu(*personality, &bar);
  EXPECT_EQ(exit->text(), "E&xit StatCourse\tCtrl+Q");
  EXPECT_EQ(about->text(), "About StatCourse...");
  EXPECT_FALSE(help->actions().contains(docs));
  EXPECT_EQ(other->text(), "placeholder");
}
