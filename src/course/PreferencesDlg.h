// The Preferences dialog (command 9022). It edits a working copy of the program's
// preferences; Apply and OK put a changed copy in place, mark it changed and send
// kNotifyPreferences with the record as it was. Defaults loads a fresh record that keeps the
// current folders; Revert loads the current preferences again. Apply and Revert are
// enabled only while the copy differs from the current preferences, Defaults only while
// it differs from the defaults.
#pragma once

#include <QtWidgets/QDialog>
#include <functional>
#include <map>

#include "course/Preferences.h"

class CAsteriskCombo;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

class CPreferencesDlg : public QDialog {
 public:
  // Control ids of the dialog; control(id) gives the widget.
  enum ControlId {
    kAsteriskSources = 2074,
    kBrowse = 2075,
    kSupplementaryText = 2076,
    kExpoSourceFirst = 2077,
    kFontSize = 2078,
    kLessonBookFormat = 2079,
    kDoNotAdjustContents = 2080,
    kDisableSounds = 2081,
    kTeacherFolder = 2082,
    kHideEstimatedTime = 2083,
    kShowTips = 2084,
    kApply = 2013,
    kCancel = 2014,
    kDefaults = 2050,
    kOk = 2072,
    kRevert = 2112,
  };

  // prefs: the program's preferences (not owned; must outlive the dialog).
  explicit CPreferencesDlg(Preferences& prefs, QWidget* parent = nullptr);

  // The folder picker of Browse: returns the chosen folder, or empty when cancelled.
  // Defaults to the system's folder dialog.
  using FolderPicker = std::function<QString(QWidget* parent, const QString& prompt, const QString& start)>;
  void SetFolderPicker(FolderPicker picker) { m_picker = std::move(picker); }

  QWidget* control(int id) const;
  const Preferences& workingCopy() const { return m_work; }
  const Preferences& defaultsCopy() const { return m_defaults; }

  // Command 9022: runs the dialog on Service<Preferences>(); does nothing without it.
  static void RunCommand(QWidget* parent);

 private:
  void Build();
  void FillLists();
  void WriteControls();  // working copy -> controls
  void ReadControls();   // controls -> working copy
  void UpdateButtons();
  void AfterCommand();   // re-read the controls, then the enabling rule
  bool Apply();          // true when the preferences changed
  void Browse();

  Preferences& m_prefs;
  Preferences m_work;
  Preferences m_defaults;
  FolderPicker m_picker;
  bool m_writing = false;  // controls are being set from the working copy

  std::map<int, QWidget*> m_controls;
  QCheckBox* m_disableSounds = nullptr;
  QCheckBox* m_neverAdjust = nullptr;
  QCheckBox* m_hideTime = nullptr;
  QCheckBox* m_expoSource = nullptr;
  QCheckBox* m_showTips = nullptr;
  QComboBox* m_format = nullptr;
  QComboBox* m_fontSize = nullptr;
  QComboBox* m_bundle = nullptr;
  CAsteriskCombo* m_asterisks = nullptr;
  QLineEdit* m_teacher = nullptr;
  QPushButton* m_apply = nullptr;
  QPushButton* m_defaultsButton = nullptr;
  QPushButton* m_revert = nullptr;
};
