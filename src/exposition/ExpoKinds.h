// The kinds of exposition objects. Each configures itself from its own arguments
// (passing the common ones to CExpoObject), applies its size rule and moves the
// scene's pen, draws itself, and answers the mouse where it is a control.
#pragma once

#include <QtGui/QFont>
#include <QtGui/QImage>
#include <memory>
#include <string>
#include <vector>

#include "exposition/ExpoHost.h"
#include "exposition/ExpoObject.h"

// The font of a text attribute record: the character height is the size plus 1.
QFont ExpoFont(const FontDescription& text);
// The fixed 13-pixel face of captions (buttons, checkboxes, radio buttons).
QFont ExpoCaptionFont();

// Push button (kind 0). The caption "Close" marks a close button.
class CExpoButton : public CExpoObject {
 public:
  CExpoButton() : CExpoObject(ExpoKind::Button) { SetControl(true); }
  void SetAttribute(int code, ScriptValue& value) override;
  void Paint(QPainter& painter, const ExpoPaint& paint) const override;
  bool MouseDown(QPoint p) override;
  void MouseMove(QPoint p) override;
  ExpoMouseResult MouseUp(QPoint p) override;
  void WriteSnapshot(QJsonObject& out) const override;
  std::string Text() const override { return m_caption; }
  bool isCloseButton() const { return m_caption == "Close"; }
  int mouseDown() const { return m_mouseDown; }

 protected:
  bool FinishConfigure() override;

 private:
  std::string m_caption;
  bool m_captionSet = false;
  bool m_default = false;
  int m_mouseDown = 0;
  int m_width = -1;
  bool m_tracking = false;
};

// Checkbox (kind 1) and radio button (kind 9): a 13 x 13 box left of the caption.
class CExpoCheck : public CExpoObject {
 public:
  explicit CExpoCheck(bool radio) : CExpoObject(radio ? ExpoKind::Radio : ExpoKind::Checkbox) { SetControl(true); }
  void SetAttribute(int code, ScriptValue& value) override;
  void Paint(QPainter& painter, const ExpoPaint& paint) const override;
  bool MouseDown(QPoint p) override;
  void MouseMove(QPoint p) override;
  ExpoMouseResult MouseUp(QPoint p) override;
  void WriteSnapshot(QJsonObject& out) const override;
  std::string Text() const override { return m_caption; }
  bool checked() const { return m_checked; }
  void SetChecked(bool checked);

 protected:
  bool FinishConfigure() override;

 private:
  bool isRadio() const { return kind() == ExpoKind::Radio; }
  std::string m_caption;
  bool m_checked = false;
  int m_width = -1;
  bool m_inside = false;
};

// Edit field (kind 2): a native single-line edit control over the rectangle.
class CExpoEdit : public CExpoObject {
 public:
  static constexpr int kDefaultLimit = 8;
  static constexpr int kLimitMax = 255;   // a script text holds no more
  static constexpr int kMarginMax = 100;

  CExpoEdit() : CExpoObject(ExpoKind::Edit) { SetControl(true); }
  void SetAttribute(int code, ScriptValue& value) override;
  void Paint(QPainter& painter, const ExpoPaint& paint) const override;
  void WriteSnapshot(QJsonObject& out) const override;
  std::string Text() const override;
  ExpoEditField* field() const { return m_field.get(); }
  int limit() const { return m_limit; }
  int margin() const { return m_margin; }
  bool numeric() const { return m_numeric; }

 protected:
  void BeginConfigure() override;
  bool FinishConfigure() override;
  void Moved() override;

 private:
  std::unique_ptr<ExpoEditField> m_field;
  std::string m_initial;
  int m_limit = kDefaultLimit;
  int m_margin = 0;
  int m_fontSize = -1;
  bool m_border = true;
  bool m_underline = false;
  bool m_numeric = false;
};

// Group (kind 3): names of other objects; statements naming it act on them.
class CExpoGroup : public CExpoObject {
 public:
  CExpoGroup() : CExpoObject(ExpoKind::Group) {}
  void SetAttribute(int code, ScriptValue& value) override;
  ExpoRect BoundingBox(bool moved = false) const override;
  bool HitTest(QPoint) const override { return false; }
  void Paint(QPainter&, const ExpoPaint&) const override {}
  void WriteSnapshot(QJsonObject& out) const override;
  const std::vector<std::string>& members() const { return m_members; }

 protected:
  bool FinishConfigure() override { return !m_members.empty(); }

 private:
  void AddMembers(const ScriptValue& value, int depth);
  std::vector<std::string> m_members;
};

// Hilite (kind 4): a loop drawn around the rectangle like a pen stroke.
class CExpoHilite : public CExpoObject {
 public:
  static constexpr int kDefaultWidth = 5;  // stroke width; the pen is 2 narrower
  static constexpr int kWidthMax = 100;

  CExpoHilite() : CExpoObject(ExpoKind::Hilite) {}
  void SetAttribute(int code, ScriptValue& value) override;
  void Paint(QPainter& painter, const ExpoPaint& paint) const override;
  void WriteSnapshot(QJsonObject& out) const override;
  int strokeWidth() const { return m_width; }
  // Segments of the loop: (half width + half height) x 24 / (2 x stroke width), 4 at least.
  int SegmentCount() const;

 protected:
  void BeginConfigure() override;

 private:
  int m_width = kDefaultWidth;
};

// Iris (kind 5): a filled ellipse whose entrance is a ring closing onto it.
class CExpoIris : public CExpoObject {
 public:
  CExpoIris() : CExpoObject(ExpoKind::Iris) {}
  void Paint(QPainter& painter, const ExpoPaint& paint) const override;
  void PaintEntranceFrame(QPainter& painter) const override;
  // The ring's outer ellipse at entrance progress x: 200 pixels outside the
  // rectangle at 0, the rectangle at 1.
  QRect RingAt(double x) const;

 protected:
  void BeginConfigure() override;
  bool FinishConfigure() override;
};

// Shape (kind 6) in one of ten forms, named by the creating keyword.
class CExpoShape : public CExpoObject {
 public:
  static constexpr int kHeadDefault = 12;
  static constexpr int kPenMax = 100;
  static constexpr int kMarginMax = 1000;

  explicit CExpoShape(int form) : CExpoObject(ExpoKind::Shape), m_form(form) {}
  int form() const { return m_form; }
  void SetAttribute(int code, ScriptValue& value) override;
  void Paint(QPainter& painter, const ExpoPaint& paint) const override;
  void WriteSnapshot(QJsonObject& out) const override;
  QPoint startPoint() const { return m_start + m_rect.topLeft() - m_anchor; }
  QPoint endPoint() const { return m_end + m_rect.topLeft() - m_anchor; }
  double startAngle() const { return m_startAngle; }
  // The clockwise sweep in degrees, 0..360: an end before the start goes round once.
  double Sweep() const;
  int penWidth() const { return m_penWidth; }
  int head() const { return m_head; }
  // The two strokes of an arrow head at the end point (tips at the end point); none
  // for a line without length.
  bool HeadPoints(QPointF& a, QPointF& b) const;

 protected:
  void BeginConfigure() override;
  bool FinishConfigure() override;

 private:
  int m_form;
  int m_penWidth = 1;
  Qt::PenStyle m_style = Qt::SolidLine;
  Qt::PenCapStyle m_cap = Qt::FlatCap;
  int m_head = kHeadDefault;
  int m_margin = 0;
  double m_startAngle = 0;
  double m_endAngle = 360;
  double m_angle = 0;
  bool m_angleSet = false;
  bool m_namesSet = false;
  QPoint m_start;   // line start and end as set, relative to m_anchor
  QPoint m_end;
  QPoint m_anchor;  // the rectangle's top-left when the points were taken
};

// Picture (kind 8); a second picture may show while it is pressed.
class CExpoPicture : public CExpoObject {
 public:
  CExpoPicture() : CExpoObject(ExpoKind::Picture) {}
  void SetAttribute(int code, ScriptValue& value) override;
  void Paint(QPainter& painter, const ExpoPaint& paint) const override;
  bool Clickable() const override;
  bool MouseDown(QPoint p) override;
  ExpoMouseResult MouseUp(QPoint p) override;
  int Cursor() const override;
  void WriteSnapshot(QJsonObject& out) const override;
  std::string Text() const override { return m_pictureName; }
  // `resize`: the picture is drawn at (1 - fraction) of its size about its centre.
  void SetShrink(double fraction);
  bool loaded() const { return !m_image.isNull(); }
  bool ReleasesOnPress() const override { return m_mouseDown; }

 private:
  std::string m_pictureName;
  QImage m_image;
  QImage m_selectedImage;
  double m_shrink = 0;
  bool m_mask = false;
  bool m_mouseDown = false;
};


// Movie (kind 7): follows the narration position.
class CExpoMovie : public CExpoObject {
 public:
  CExpoMovie() : CExpoObject(ExpoKind::Movie) {}
  void SetAttribute(int code, ScriptValue& value) override;
  void Paint(QPainter& painter, const ExpoPaint& paint) const override;
  void WriteSnapshot(QJsonObject& out) const override;
  std::string Text() const override { return m_movieName; }
  // The movie's length in narration samples (doubled for a palindrome).
  std::int64_t LengthSamples() const;
  void Follow(std::int64_t position, bool playing);
  ExpoMovie* movie() const { return m_movie; }

 protected:
  bool FinishConfigure() override;

 private:
  std::string m_movieName;
  std::unique_ptr<ExpoMovie> m_owned;
  ExpoMovie* m_movie = nullptr;
  std::int64_t m_movieStart = 0;  // the narration position the movie's time 0 meets
  bool m_loop = false;
  bool m_palindrome = false;
  double m_preview = 0;
  double m_rate = 1.0;
};

// Text (kind 10): a paragraph in the markup of course text.
class CExpoText : public CExpoObject {
 public:
  static constexpr std::size_t kTextLimit = 1023;

  CExpoText() : CExpoObject(ExpoKind::Text) {}
  void SetAttribute(int code, ScriptValue& value) override;
  void Paint(QPainter& painter, const ExpoPaint& paint) const override;
  bool Clickable() const override;
  bool MouseDown(QPoint p) override;
  ExpoMouseResult MouseUp(QPoint p) override;
  int Cursor() const override;
  void SetTextAttributes(const FontDescription& text) override;
  void WriteSnapshot(QJsonObject& out) const override;
  std::string Text() const override { return m_textBytes; }
  // Appends course bytes; false (nothing changed) beyond the limit.
  bool AppendText(std::string_view bytes);
  void AppendHint(std::string_view hint);
  const std::string& hint() const { return m_hint; }
  void SetQuestion(int number) { m_question = number; }
  int question() const { return m_question; }
  // The laid-out lines (UTF-8).
  const std::vector<QString>& lines() const { return m_lines; }
  void Layout();

 protected:
  bool FinishConfigure() override;

 private:
  std::string m_textBytes;
  std::string m_hint;
  std::vector<QString> m_lines;
  int m_margin = 0;
  int m_question = 0;
  int m_shift = 0;  // subscript / superscript: 1 / -1
  bool m_wrap = false;
  bool m_bar = false;
  bool m_head = false;
  bool m_bullet = false;
  bool m_hasBreak = false;
};
