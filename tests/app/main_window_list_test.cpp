#include <sys/stat.h>

#include <QCheckBox>
#include <QTableWidget>
#include <QtTest/QTest>
#include <filesystem>

#include "app/window_fixture.h"

namespace montrelle {
namespace {

using testing::WindowTest;
using Rows = std::vector<std::vector<std::string>>;

class MainWindowListTest : public WindowTest {
 protected:
  void SetUp() override { Start(); }

  QTableWidget* Grid() const { return Main<QTableWidget>("StG_list"); }

  // Image files a.jpg, b.jpg, ... of 1000 bytes each, dropped in order.
  std::vector<std::string> DropImages(int n) {
    std::vector<std::string> paths;
    for (int i = 0; i < n; ++i) {
      paths.push_back(dir / (std::string(1, static_cast<char>('a' + i)) + ".jpg"));
      testing::WriteBytes(paths.back(), std::string(1000, 'x'));
    }
    Drop(paths);
    return paths;
  }

  // Columns 0 and 1 (number and name) of grid rows 1..n.
  Rows Names(int n) const {
    Rows rows;
    for (int r = 1; r <= n; ++r) {
      rows.push_back(
          {Grid()->item(r, 0)->text().toStdString(), Grid()->item(r, 1)->text().toStdString()});
    }
    return rows;
  }
  std::vector<std::string> Paths() const { return windows->main.image_list().paths(); }
  void SetCursor(int row) const { Grid()->setCurrentCell(row, 1); }
  void Click(const char* button) const { QTest::mouseClick(Main(button), Qt::LeftButton); }
  void DontAsk(bool on) const { Main<QCheckBox>("CB_ask")->setChecked(on); }
};

TEST_F(MainWindowListTest, DropsAddOnlyExistingFilesWithAnImageMarker) {
  const std::string folder = dir / "album.jpg";
  std::filesystem::create_directory(folder);
  const struct {
    const char* name;
    size_t bytes;
  } files[] = {{"a.jpg", 999},          {"b.png", 10},   {"photo.Jpg", 10},
               {"photo.jpg.txt", 1000}, {"C.BMP", 1999}, {"d.jpeg", 2048000}};
  for (const auto& f : files) testing::WriteBytes(dir / f.name, std::string(f.bytes, 'x'));

  Drop({dir / "a.jpg", folder, dir / "b.png", dir / "photo.Jpg", dir / "photo.jpg.txt",
        "https://example.org/e.jpg", dir / "gone.jpg", dir / "C.BMP", dir / "d.jpeg",
        dir / "a.jpg"});

  EXPECT_EQ(Paths(), (std::vector<std::string>{dir / "a.jpg", dir / "photo.jpg.txt", dir / "C.BMP",
                                               dir / "d.jpeg", dir / "a.jpg"}));
  Rows shown;
  for (int r = 1; r <= 6; ++r) {
    std::vector<std::string> row;
    for (int c = 0; c < 3; ++c) row.push_back(Grid()->item(r, c)->text().toStdString());
    shown.push_back(row);
  }
  EXPECT_EQ(shown, (Rows{{"1", "a.jpg", "0 KB"},
                         {"2", "photo.jpg.txt", "1 KB"},
                         {"3", "C.BMP", "1 KB"},
                         {"4", "d.jpeg", "2048 KB"},
                         {"5", "a.jpg", "0 KB"},
                         {"", "", ""}}));
  struct stat info {};
  ASSERT_EQ(stat((dir / "C.BMP").c_str(), &info), 0);
  EXPECT_EQ(Grid()->item(3, 3)->text().toStdString(), DateText(info.st_mtime));
  EXPECT_EQ(Grid()->item(0, 1)->text(), "ファイル名");
}

TEST_F(MainWindowListTest, GridGrowsByTenRows) {
  const std::string path = dir / "p.jpg";
  testing::WriteBytes(path, "x");
  EXPECT_EQ(Grid()->rowCount(), 21);
  EXPECT_EQ(Grid()->columnCount(), 4);
  const struct {
    int entries;
    int rows;
  } growth[] = {{20, 21}, {21, 31}, {31, 41}};
  for (const auto& g : growth) {
    Drop(std::vector<std::string>(g.entries - windows->main.image_list().count(), path));
    EXPECT_EQ(Grid()->rowCount(), g.rows) << g.entries;
    EXPECT_EQ(Grid()->item(g.entries, 0)->text().toStdString(), std::to_string(g.entries));
  }
}

TEST_F(MainWindowListTest, DeleteAsksUnlessDontAsk) {
  const auto paths = DropImages(3);
  SetCursor(2);
  ui.answers = {false, true};
  Click("Button6");
  EXPECT_EQ(Paths(), paths);
  Click("Button6");
  EXPECT_EQ(Paths(), (std::vector<std::string>{paths[0], paths[2]}));
  EXPECT_EQ(Names(3), (Rows{{"1", "a.jpg"}, {"2", "c.jpg"}, {"", ""}}));
  EXPECT_EQ(Grid()->currentRow(), 2);
  EXPECT_EQ(ui.log, std::vector<std::string>(2, "okcancel: 指定したリストを削除していいですか？"));

  ui.log.clear();
  DontAsk(true);
  Click("Button6");
  EXPECT_EQ(Paths(), (std::vector<std::string>{paths[0]}));
  // The cursor now stands on a blank row: nothing happens.
  Click("Button6");
  EXPECT_EQ(Paths(), (std::vector<std::string>{paths[0]}));
  EXPECT_TRUE(ui.log.empty());
}

TEST_F(MainWindowListTest, ClearAllAsksAndReportsUnlessDontAsk) {
  Click("Button5");  // an empty list: not even the question
  EXPECT_TRUE(ui.log.empty());

  DropImages(2);
  ui.answers = {false};
  Click("Button5");
  EXPECT_EQ(windows->main.image_list().count(), 2);
  Click("Button5");
  EXPECT_EQ(windows->main.image_list().count(), 0);
  EXPECT_EQ(Names(2), (Rows{{"", ""}, {"", ""}}));
  EXPECT_EQ(ui.log, (std::vector<std::string>{"okcancel: リストを全て削除していいですか？",
                                              "okcancel: リストを全て削除していいですか？",
                                              "message: 終了しました"}));

  ui.log.clear();
  DontAsk(true);
  DropImages(2);
  Click("Button5");
  EXPECT_EQ(windows->main.image_list().count(), 0);
  EXPECT_TRUE(ui.log.empty());
}

TEST_F(MainWindowListTest, MovesFollowTheEntryWithTheCursor) {
  const auto paths = DropImages(3);
  const struct {
    int cursor;
    const char* button;
    int cursor_after;
    std::vector<int> order;  // indexes into paths
  } moves[] = {
      {2, "Button7", 1, {1, 0, 2}},  // up from row 2
      {1, "Button7", 1, {1, 0, 2}},  // up from row 1: nothing
      {1, "Button8", 2, {0, 1, 2}},  // down from row 1
      {3, "Button8", 3, {0, 1, 2}},  // down from the last row: nothing
      {5, "Button7", 5, {0, 1, 2}},  // a blank row: nothing
      {5, "Button8", 5, {0, 1, 2}},
  };
  for (const auto& m : moves) {
    SetCursor(m.cursor);
    Click(m.button);
    std::vector<std::string> expected;
    for (int i : m.order) expected.push_back(paths[i]);
    EXPECT_EQ(Paths(), expected) << m.cursor << m.button;
    EXPECT_EQ(Grid()->currentRow(), m.cursor_after) << m.cursor << m.button;
    for (int r = 1; r <= 3; ++r) {
      EXPECT_EQ(Grid()->item(r, 0)->text().toStdString(), std::to_string(r));
      EXPECT_EQ(Grid()->item(r, 1)->text().toStdString(),
                std::filesystem::path(expected[r - 1]).filename().string());
    }
  }
}

TEST_F(MainWindowListTest, EditedTextsChangeOnlyWhatIsShownAndTravelWithTheEntry) {
  const auto paths = DropImages(2);
  EXPECT_FALSE(Grid()->item(0, 1)->flags() & Qt::ItemIsEditable);
  EXPECT_FALSE(Grid()->item(1, 0)->flags() & Qt::ItemIsEditable);
  EXPECT_TRUE(Grid()->item(1, 1)->flags() & Qt::ItemIsEditable);

  Grid()->item(1, 1)->setText("renamed");
  EXPECT_EQ(windows->main.image_list().row(1)[1], "renamed");
  EXPECT_EQ(Paths(), paths);
  SetCursor(1);
  Click("Button8");
  EXPECT_EQ(Names(2), (Rows{{"1", "b.jpg"}, {"2", "renamed"}}));
  EXPECT_EQ(Paths(), (std::vector<std::string>{paths[1], paths[0]}));
}

}  // namespace
}  // namespace montrelle
