#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QStyle>
#include <set>

#include "app/window_fixture.h"

namespace montrelle {
namespace {

using testing::WindowTest;

// The controls of the window design: named, and not one of Qt's own inner widgets.
std::vector<QWidget*> DesignChildren(const QWidget& parent) {
  std::vector<QWidget*> children;
  for (QWidget* child : parent.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    const QString name = child->objectName();
    if (!name.isEmpty() && !name.startsWith("qt_") && !child->isHidden()) {
      children.push_back(child);
    }
  }
  return children;
}

// The width a control needs to show its caption whole.
int NeededWidth(const QWidget& control) {
  const QFontMetrics metrics = control.fontMetrics();
  const QStyle& style = *control.style();
  if (auto* box = qobject_cast<const QCheckBox*>(&control)) {
    const int indicator = style.pixelMetric(QStyle::PM_IndicatorWidth, nullptr, box);
    if (box->text().isEmpty()) return indicator;
    return indicator + style.pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, box) +
           metrics.horizontalAdvance(box->text().remove('&'));
  }
  if (auto* radio = qobject_cast<const QRadioButton*>(&control)) {
    return style.pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, nullptr, radio) +
           style.pixelMetric(QStyle::PM_RadioButtonLabelSpacing, nullptr, radio) +
           metrics.horizontalAdvance(radio->text());
  }
  if (auto* button = qobject_cast<const QPushButton*>(&control)) {
    return metrics.horizontalAdvance(button->text().remove('&')) + 6;
  }
  if (auto* combo = qobject_cast<const QComboBox*>(&control)) return combo->sizeHint().width();
  if (auto* group = qobject_cast<const QGroupBox*>(&control)) {
    return group->title().isEmpty() ? 0 : metrics.horizontalAdvance(group->title()) + 12;
  }
  return 0;
}

// Every design control lies inside its parent, shows its caption whole and
// overlaps none of its visible siblings, except the pairs in `overlapping`.
void CheckPlaces(const QWidget& parent, const std::set<std::pair<QString, QString>>& overlapping,
                 std::vector<std::string>& faults) {
  const std::vector<QWidget*> children = DesignChildren(parent);
  for (size_t i = 0; i < children.size(); ++i) {
    const QWidget& a = *children[i];
    const std::string name = a.objectName().toStdString();
    if (!parent.rect().contains(a.geometry())) faults.push_back(name + " sticks out");
    if (NeededWidth(a) > a.width()) {
      faults.push_back(name + " cuts its caption: " + std::to_string(NeededWidth(a)) + " > " +
                       std::to_string(a.width()));
    }
    for (size_t j = i + 1; j < children.size(); ++j) {
      const QWidget& b = *children[j];
      if (a.geometry().intersects(b.geometry()) &&
          !overlapping.contains({a.objectName(), b.objectName()}) &&
          !overlapping.contains({b.objectName(), a.objectName()})) {
        faults.push_back(name + " overlaps " + b.objectName().toStdString());
      }
    }
    CheckPlaces(a, overlapping, faults);
  }
}

class WindowLayoutTest : public WindowTest {
 protected:
  void SetUp() override { Start(); }
};

TEST_F(WindowLayoutTest, WindowsHaveTheirSizesTitlesAndFont) {
  const struct {
    const QWidget* window;
    const char* title;
    QSize size;
    bool fixed;
  } windows_[] = {
      {&windows->main, "Montrelle", {615, 700}, true},
      {&windows->preview, "画像プレビュー", {180, 449}, false},
      {&windows->macro, "Montrelle(マクロ処理)", {499, 93}, true},
  };
  for (const auto& w : windows_) {
    SCOPED_TRACE(w.title);
    EXPECT_EQ(w.window->windowTitle(), w.title);
    EXPECT_EQ(w.window->size(), w.size);
    EXPECT_EQ(w.window->minimumSize() == w.window->maximumSize(), w.fixed);
    const QFontInfo face(w.window->font());
    EXPECT_EQ(face.family(), "IPAPGothic");
    EXPECT_EQ(face.pixelSize(), 12);
  }
  EXPECT_EQ(windows->preview.windowFlags() & ~Qt::WindowType_Mask,
            Qt::CustomizeWindowHint | Qt::WindowTitleHint);
  EXPECT_EQ(windows->main.findChild<QStatusBar*>("StB_main")->geometry(), QRect(0, 681, 615, 19));
  EXPECT_EQ(windows->main.status_panel(0)->width(), 120);
}

// The longest texts of the status panels and of the grid's size and date columns
// show whole, and the columns still fit beside the scroll bar.
TEST_F(WindowLayoutTest, LongCountsSizesAndDatesShowWhole) {
  const QLabel* progress = windows->main.status_panel(1);
  EXPECT_GE(progress->contentsRect().width(),
            progress->fontMetrics().horizontalAdvance("99999/99999"));
  windows->main.show();
  const auto* grid = Main<QTableWidget>("StG_list");
  EXPECT_GT(grid->columnWidth(2), grid->fontMetrics().horizontalAdvance("2147483 KB"));
  EXPECT_GT(grid->columnWidth(3), grid->fontMetrics().horizontalAdvance("2026/12/31 23:59"));
  int columns = 0;
  for (int c = 0; c < 4; ++c) columns += grid->columnWidth(c);
  EXPECT_LE(columns, grid->viewport()->width());
}

TEST_F(WindowLayoutTest, ControlsFitTheirPlacesAndCaptions) {
  // The reduced-image box is the caption of its group; a caption-less box touches
  // its label, and the two flip boxes touch, by a pixel.
  const std::set<std::pair<QString, QString>> overlapping = {
      {"GB_small", "CB_f_show"},
      {"CB_Jpeg_convert", "lbl_Jpeg_convert"},
      {"CB_ch_main", "lbl_ch_main1"},
      {"CB_rl", "CB_ud"}};
  for (const QWidget* window :
       std::initializer_list<const QWidget*>{&windows->main, &windows->preview, &windows->macro}) {
    std::vector<std::string> faults;
    CheckPlaces(*window, overlapping, faults);
    EXPECT_EQ(faults, std::vector<std::string>{}) << window->objectName().toStdString();
  }
}

TEST_F(WindowLayoutTest, TabOrderFollowsTheDesign) {
  const char* order[] = {"StG_list",   "edt_out_path", "edt_out",   "edt_title", "btn_start",
                         "btn_close",  "Button7",      "Button8",   "save_list", "Button4",
                         "Button6",    "Button5",      "btn_macro", "Button1",   "edt_f_path",
                         "CB_preview", "CmB_type"};
  QWidget* control = Main(order[0]);
  for (const char* next : order) {
    EXPECT_EQ(control->objectName(), next);
    do {
      control = control->nextInFocusChain();
    } while (!(control->focusPolicy() & Qt::TabFocus) || control->objectName().isEmpty() ||
             control->objectName().startsWith("qt_"));
  }
}

}  // namespace
}  // namespace montrelle
