// Building fixed-pixel windows: every control is created with its design name as
// objectName (tests and readers find it by that name) at its place in pixels
// inside its parent.
#pragma once

#include <QLabel>
#include <QRect>
#include <QString>
#include <QWidget>
#include <utility>

namespace montrelle {

// A child control of kind W, constructed as W(args..., parent).
template <class W, class... Args>
W* AddControl(QWidget* parent, const char* object_name, const QRect& place, Args&&... args) {
  auto* control = new W(std::forward<Args>(args)..., parent);
  control->setObjectName(QString::fromLatin1(object_name));
  control->setGeometry(place);
  return control;
}

// A label of kind L at its top-left corner, as wide and high as its text.
template <class L = QLabel>
L* AddLabel(QWidget* parent, const char* object_name, int left, int top, const QString& text) {
  auto* label = AddControl<L>(parent, object_name, QRect(left, top, 0, 0), text);
  label->adjustSize();
  return label;
}

// Sets the keyboard focus order to the order of `chain`.
void SetTabChain(std::initializer_list<QWidget*> chain);

// The Japanese gothic face every window uses, at 12 pixels.
QFont WindowFont();

}  // namespace montrelle
