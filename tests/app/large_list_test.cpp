// A list of ten thousand pictures in the window: after every list operation (drop,
// save and load through the buttons, delete, move, clear) the grid still shows the
// list cell for cell. bench/list_bench.cpp times the same operations.
#include <QApplication>
#include <QCheckBox>
#include <QTableWidget>
#include <QtTest/QTest>
#include <functional>

#include "app/window_fixture.h"

namespace montrelle {
namespace {

using testing::WindowTest;

constexpr int kEntries = 10000;

class LargeListTest : public WindowTest {
 protected:
  void SetUp() override {
    Start();
    windows->main.show();
    QApplication::processEvents();
  }

  QTableWidget* Grid() const { return Main<QTableWidget>("StG_list"); }

  void SaveAs(const std::string& name) {
    dialogs.list_files = {name};
    QTest::mouseClick(Main("save_list"), Qt::LeftButton);
  }
  void Open(const std::string& file) {
    dialogs.list_files = {file};
    QTest::mouseClick(Main("Button4"), Qt::LeftButton);
  }

  void Click(const char* button, int cursor) const {
    Grid()->setCurrentCell(cursor, 1);
    QTest::mouseClick(Main(button), Qt::LeftButton);
  }
};

TEST_F(LargeListTest, EveryListOperationKeepsTheGridInStep) {
  std::vector<std::string> paths;
  for (int i = 0; i < kEntries; ++i) {
    paths.push_back(dir / ('p' + std::to_string(i) + ".jpg"));
    testing::WriteBytes(paths.back(), std::string(static_cast<size_t>(i % 7) * 1000, 'x'));
  }
  Main<QCheckBox>("CB_ask")->setChecked(true);
  const struct {
    const char* name;
    std::function<void()> operation;
    int count_after;
  } operations[] = {
      {"drop", [&] { Drop(paths); }, kEntries},
      {"save", [&] { SaveAs(dir / "big"); }, kEntries},
      {"clear before loading", [&] { Click("Button5", 1); }, 0},
      {"load", [&] { Open(dir / "big.txt"); }, kEntries},
      {"delete the first", [&] { Click("Button6", 1); }, kEntries - 1},
      {"delete in the middle", [&] { Click("Button6", kEntries / 2); }, kEntries - 2},
      {"move the last up", [&] { Click("Button7", kEntries - 2); }, kEntries - 2},
      {"move the first down", [&] { Click("Button8", 1); }, kEntries - 2},
      {"clear", [&] { Click("Button5", 1); }, 0},
  };
  for (const auto& o : operations) {
    o.operation();
    QApplication::processEvents();
    EXPECT_EQ(windows->main.image_list().count(), o.count_after) << o.name;
    ExpectGridShowsList();
    if (o.name == std::string("load")) {
      EXPECT_EQ(windows->main.image_list().paths(), paths);
    }
  }
}

}  // namespace
}  // namespace montrelle
