// "Enter Student Information" (3020): the learner's name and the supplementary text.
#pragma once

#include <QtWidgets/QDialog>
#include <string>
#include <vector>

#include "course/CourseModelLinks.h"

class QComboBox;
class QLineEdit;

class CStudentInfoDlg : public QDialog {
 public:
  // name: course bytes; bundles: the bundle list (entry 0 stands for none); bundle: the
  // current choice.
  CStudentInfoDlg(const std::string& name, const std::vector<CourseListEntry>& bundles, int bundle,
                  QWidget* parent = nullptr);
  std::string Name() const;  // course bytes
  int Bundle() const;
  QLineEdit* nameEdit() const { return m_name; }
  QComboBox* bundleList() const { return m_bundles; }

 private:
  QLineEdit* m_name;
  QComboBox* m_bundles;
};
