#include "app/radio_group.h"

#include <QRadioButton>
#include <QSignalBlocker>

namespace montrelle {

namespace {

constexpr int kFirstItemTop = 14;
constexpr int kItemHeight = 16;
constexpr int kItemLeft = 8;

}  // namespace

RadioGroup::RadioGroup(const QString& caption, const QStringList& items, int chosen,
                       QWidget* parent)
    : QGroupBox(caption, parent) {
  for (int i = 0; i < items.size(); ++i) {
    auto* item = new QRadioButton(items[i], this);
    item->setObjectName(QStringLiteral("item%1").arg(i));
    item->adjustSize();
    item->setGeometry(kItemLeft, kFirstItemTop + i * kItemHeight, item->width(), kItemHeight);
    item->setChecked(i == chosen);
    buttons_.addButton(item, i);
  }
  connect(&buttons_, &QButtonGroup::idToggled, this, [this](int, bool checked) {
    if (checked) emit itemChosen();
  });
}

void RadioGroup::setItemIndex(int index) {
  const QSignalBlocker quiet(buttons_);
  if (QAbstractButton* item = buttons_.button(index)) {
    item->setChecked(true);
    return;
  }
  // An exclusive group keeps one item chosen; none is chosen only with the rule off.
  buttons_.setExclusive(false);
  if (QAbstractButton* chosen = buttons_.checkedButton()) chosen->setChecked(false);
  buttons_.setExclusive(true);
}

}  // namespace montrelle
