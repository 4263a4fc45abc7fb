#include "app/radio_group.h"

#include <QRadioButton>

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
}

}  // namespace montrelle
