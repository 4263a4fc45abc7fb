// A captioned group of radio buttons, one item per line, chosen by index.
#pragma once

#include <QButtonGroup>
#include <QGroupBox>
#include <QStringList>

namespace montrelle {

class RadioGroup : public QGroupBox {
  Q_OBJECT
 public:
  // Item `chosen` starts chosen.
  RadioGroup(const QString& caption, const QStringList& items, int chosen, QWidget* parent);

  // The index of the chosen item, -1 when none is chosen.
  int itemIndex() const { return buttons_.checkedId(); }

 private:
  QButtonGroup buttons_;
};

}  // namespace montrelle
