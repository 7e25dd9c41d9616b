// The definition pane of the Glossary bar: draws the display text, its picture one line
// below it, and follows its cross-references (pointing-hand cursor, a frame while
// pressed, the reference looked up on release inside it; from the keyboard, Up and Down
// choose a reference and Enter follows it).
#pragma once

#include <QtWidgets/QWidget>
#include <functional>
#include <memory>
#include <string>

#include "glossary/GlossaryLayout.h"

class Picture;

class CGlossaryPane : public QWidget {
 public:
  explicit CGlossaryPane(QWidget* parent = nullptr);
  ~CGlossaryPane() override;

  // New text: the layout is made again and the picture it names loaded.
  void SetText(std::string text);
  void SetStyle(const GlossaryPaneStyle& style);
  const std::string& text() const { return m_text; }
  const GlossaryPaneLayout& layout() const { return m_layout; }
  // Lays out for width; the height the text and picture need.
  int Relayout(int width);
  std::function<void(const std::string&)> onReference;
  // The picture the text names (the bar loads it from the glossary).
  std::function<std::unique_ptr<Picture>(const std::string&)> loadPicture;

  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  int ReferenceAt(QPoint p) const;

  std::string m_text;
  GlossaryPaneStyle m_style;
  GlossaryPaneLayout m_layout;
  std::unique_ptr<Picture> m_picture;
  int m_height = 0;
  int m_pressed = -1;
  int m_keyReference = -1;  // the cross-reference the keyboard is on
};
