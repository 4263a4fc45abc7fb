#include "app/control_factory.h"

namespace montrelle {

QLabel* AddLabel(QWidget* parent, const char* object_name, int left, int top, const QString& text) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(QString::fromLatin1(object_name));
  label->move(left, top);
  label->adjustSize();
  return label;
}

void SetTabChain(std::initializer_list<QWidget*> chain) {
  QWidget* previous = nullptr;
  for (QWidget* next : chain) {
    if (previous) QWidget::setTabOrder(previous, next);
    previous = next;
  }
}

QFont WindowFont() {
  QFont font(QStringLiteral("IPAPGothic"));
  font.setPixelSize(12);
  return font;
}

}  // namespace montrelle
