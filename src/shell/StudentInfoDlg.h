// "Enter Student Information": the learner's name and the supplementary text (bundle) the
// course follows, asked for when a new student progress file is made.
#pragma once

#include <QtWidgets/QDialog>
#include <string>
#include <vector>

class QComboBox;
class QLineEdit;

class CStudentInfoDlg : public QDialog {
 public:
  enum ControlId { kName = 2015, kBundle = 2016 };

  // name: the current name (course bytes); bundles: "%s  (%s)" of each bundle after entry
  // 0 of the bundle list (value and key, UTF-8); bundle: the current choice (0: none).
  CStudentInfoDlg(const std::string& name, const std::vector<QString>& bundles, int bundle,
                  QWidget* parent = nullptr);

  // After OK: the name (course bytes) and the chosen bundle (0: none).
  std::string name() const;
  int bundle() const;

  QLineEdit* nameField() const { return m_name; }
  QComboBox* bundleList() const { return m_bundles; }

  // The bundle list's entries as the dialog shows them, from the program's BundleList.
  static std::vector<QString> BundleChoices();

 private:
  QLineEdit* m_name;
  QComboBox* m_bundles;
};
