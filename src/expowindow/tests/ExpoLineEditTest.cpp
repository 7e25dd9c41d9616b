// The line edit of an `ask` object: what the scene sets reaches the widget, what the
// learner types reaches the scene, and the field goes when its area goes first.
#include <gtest/gtest.h>

#include <QtWidgets/QLineEdit>
#include <QtWidgets/QWidget>

#include "exposition/ExpoKinds.h"
#include "exposition/ExpoScene.h"
#include "exposition/Keywords.h"
#include "expowindow/ExpoLineEdit.h"

namespace {

class AreaHost : public ExpoHost {
 public:
  explicit AreaHost(QWidget* area) : m_area(area) {}
  std::unique_ptr<ExpoEditField> CreateEditField() override {
    auto field = std::make_unique<ExpoLineEdit>(m_area);
    last = field.get();
    return field;
  }
  ExpoLineEdit* last = nullptr;

 private:
  QWidget* m_area;
};

TEST(ExpoLineEdit, AskObjectDrivesTheLineEdit) {
  QWidget area;
  area.resize(400, 300);
  AreaHost host(&area);
  ExpoScene scene(&host);
  scene.pen = QPoint(30, 40);
  ScriptValueList args{ScriptValue::Text("42"), ScriptValue::Keyword(kw::length), ScriptValue::Integer(4),
                       ScriptValue::Keyword(kw::border), ScriptValue::Integer(0)};
  CExpoObject* ask = scene.Create(kw::ask, args);
  ASSERT_NE(ask, nullptr);
  ASSERT_NE(host.last, nullptr);
  QLineEdit* edit = host.last->lineEdit();
  ASSERT_NE(edit, nullptr);
  EXPECT_EQ(edit->parentWidget(), &area);
  EXPECT_EQ(edit->text(), "42");
  EXPECT_EQ(edit->selectedText(), "42");
  EXPECT_EQ(edit->maxLength(), 4);
  EXPECT_FALSE(edit->hasFrame());
  EXPECT_EQ(edit->geometry(), ask->rect().ToQRect());
  EXPECT_EQ(edit->geometry().topLeft(), QPoint(30, 40));

  edit->setText("3.25");  // the learner types
  EXPECT_EQ(ask->Text(), "3.25");
  edit->setText("123456");
  EXPECT_EQ(edit->text(), "1234");  // the length limit holds for typing too

  host.last->SetLimit(0);  // never below one character
  EXPECT_EQ(edit->maxLength(), 1);
  host.last->SetLimit(1 << 20);
  EXPECT_EQ(edit->maxLength(), 32767);
}

TEST(ExpoLineEdit, SurvivesItsAreaGoingFirst) {
  auto area = std::make_unique<QWidget>();
  ExpoLineEdit field(area.get());
  field.SetText("kept", false);
  area.reset();  // the window closed: Qt deletes its children
  EXPECT_EQ(field.lineEdit(), nullptr);
  EXPECT_EQ(field.Text(), QString());
  field.SetText("x", true);  // nothing to reach, and no crash
  field.SetVisible(false);
}

}  // namespace
