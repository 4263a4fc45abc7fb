#include "app/clickable_widgets.h"

#include <QMouseEvent>

namespace montrelle {

namespace {

bool IsLeftClickInside(const QWidget& widget, const QMouseEvent& event) {
  return event.button() == Qt::LeftButton && widget.rect().contains(event.position().toPoint());
}

}  // namespace

void ClickableLabel::mouseReleaseEvent(QMouseEvent* event) {
  QLabel::mouseReleaseEvent(event);
  if (IsLeftClickInside(*this, *event)) emit clicked();
}

ColorPanel::ColorPanel(QWidget* parent) : QFrame(parent) {
  setFrameStyle(QFrame::Panel | QFrame::Raised);
  setAutoFillBackground(true);
  setColor(0);
}

void ColorPanel::setColor(ColorValue color) {
  color_ = color;
  QPalette shades = palette();
  // Set for every colour group, so the colour stays visible while the panel is disabled.
  shades.setColor(QPalette::Window, ToQColor(color));
  setPalette(shades);
}

void ColorPanel::mouseReleaseEvent(QMouseEvent* event) {
  QFrame::mouseReleaseEvent(event);
  if (IsLeftClickInside(*this, *event)) emit clicked();
}

void DoubleClickEdit::mouseDoubleClickEvent(QMouseEvent* event) {
  QLineEdit::mouseDoubleClickEvent(event);
  if (event->button() == Qt::LeftButton) emit doubleClicked();
}

// A check box ignores the other buttons' presses, which would then go to its parent
// together with their releases.
void MouseUpCheckBox::mousePressEvent(QMouseEvent* event) {
  QCheckBox::mousePressEvent(event);
  event->accept();
}

void MouseUpCheckBox::mouseReleaseEvent(QMouseEvent* event) {
  QCheckBox::mouseReleaseEvent(event);
  if (rect().contains(event->position().toPoint())) emit mouseReleased();
}

QColor ToQColor(ColorValue color) {
  return QColor(static_cast<int>(color & 0xFF), static_cast<int>((color >> 8) & 0xFF),
                static_cast<int>((color >> 16) & 0xFF));
}

ColorValue ToColorValue(const QColor& color) {
  return static_cast<ColorValue>(color.red()) | static_cast<ColorValue>(color.green()) << 8 |
         static_cast<ColorValue>(color.blue()) << 16;
}

}  // namespace montrelle
