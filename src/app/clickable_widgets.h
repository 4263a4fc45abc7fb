// Controls that answer a click or a double-click the way the window design needs:
// a label that toggles the check box it names, a colour panel that opens the
// colour dialog, an edit whose double-click opens a picker, a check box that
// answers the release of any mouse button. A disabled control
// takes no clicks (Qt delivers no mouse events to it).
#pragma once

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>

#include "settings/settings_record.h"

namespace montrelle {

class ClickableLabel : public QLabel {
  Q_OBJECT
 public:
  using QLabel::QLabel;
 signals:
  void clicked();

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;
};

// A plain panel filled with one colour; the colour is a setting (0x00BBGGRR).
class ColorPanel : public QFrame {
  Q_OBJECT
 public:
  explicit ColorPanel(QWidget* parent);
  ColorValue color() const { return color_; }
  void setColor(ColorValue color);
 signals:
  void clicked();

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  ColorValue color_ = 0;
};

class DoubleClickEdit : public QLineEdit {
  Q_OBJECT
 public:
  using QLineEdit::QLineEdit;
 signals:
  void doubleClicked();

 protected:
  void mouseDoubleClickEvent(QMouseEvent* event) override;
};

// A check box that reports every mouse button released over it, after a left click
// has toggled it. Toggling it with the keyboard reports nothing.
class MouseUpCheckBox : public QCheckBox {
  Q_OBJECT
 public:
  using QCheckBox::QCheckBox;
 signals:
  void mouseReleased();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
};

// 0x00BBGGRR <-> QColor.
QColor ToQColor(ColorValue color);
ColorValue ToColorValue(const QColor& color);

}  // namespace montrelle
