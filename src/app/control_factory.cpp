#include "app/control_factory.h"

namespace montrelle {

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
