// A captioned group of radio buttons, one item per line, chosen by index.
//
// `itemChosen` reports a change the user makes (mouse or keyboard); a change the
// program makes with setItemIndex reports nothing, so the caller decides what runs.
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
  // Chooses item `index`; an index outside the items chooses none.
  void setItemIndex(int index);

 signals:
  void itemChosen();

 private:
  QButtonGroup buttons_;
};

}  // namespace montrelle
