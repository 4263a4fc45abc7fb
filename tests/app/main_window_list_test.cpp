#include <QCheckBox>
#include <QHeaderView>
#include <QTableWidget>
#include <filesystem>

#include "app/window_fixture.h"
#include "imaging/jpeg_codec.h"
#include "imaging/test_pictures.h"

namespace montrelle {
namespace {

using testing::WindowTest;
using Paths = std::vector<std::string>;

class MainWindowListTest : public WindowTest {
 protected:
  void SetUp() override { Start(); }

  QTableWidget* Grid() const { return Main<QTableWidget>("StG_list"); }
  Paths ListPaths() const { return windows->main.image_list().paths(); }

  // Image files a.jpg, b.jpg, ... dropped in order.
  Paths DropImages(int n) {
    Paths paths;
    for (int i = 0; i < n; ++i) {
      paths.push_back(dir / (std::string(1, static_cast<char>('a' + i)) + ".jpg"));
      testing::WriteBytes(paths.back(), "x");
    }
    Drop(paths);
    return paths;
  }

  void SetCursor(int row) const { Grid()->setCurrentCell(row, 1); }
};

TEST_F(MainWindowListTest, DropsAddOnlyExistingLocalFilesWithAnImageMarker) {
  const std::string folder = dir / "album.jpg";
  std::filesystem::create_directory(folder);
  for (const char* name : {"a.jpg", "b.gif", "photo.Jpg", "photo.jpg.txt", "C.BMP"}) {
    testing::WriteBytes(dir / name, "x");
  }
  Drop({dir / "a.jpg", folder, dir / "b.gif", dir / "photo.Jpg", dir / "photo.jpg.txt",
        "https://example.org/e.jpg", dir / "gone.jpg", dir / "C.BMP", dir / "a.jpg"});

  EXPECT_EQ(ListPaths(),
            (Paths{dir / "a.jpg", dir / "photo.jpg.txt", dir / "C.BMP", dir / "a.jpg"}));
  EXPECT_EQ(Grid()->item(2, 1)->text(), "photo.jpg.txt");
  ExpectGridShowsList();
}

// A phone picture enters turned upright, dropped or named by a list file without
// its triple, while the box is ticked; unticked it enters as stored.
TEST_F(MainWindowListTest, PhonePicturesEnterUprightWhileTheExifBoxIsTicked) {
  const std::string phone = dir / "phone.jpg";
  testing::WriteBytes(phone, testing::WithExifOrientation(EncodeJpeg(MakeRgbImage(4, 3)), 8));
  testing::WriteBytes(dir / "bare.txt", phone + "\n");
  auto* box = Main<QCheckBox>("CB_exif");
  ASSERT_TRUE(box->isChecked());
  Drop({phone});
  EXPECT_EQ(windows->main.image_list().orientations(), Paths{"0\t0\t1"});
  dialogs.list_files = {dir / "bare.txt", dir / "bare.txt"};
  ui.choices = {YesNoCancel::kNo, YesNoCancel::kNo};  // the dropped list is not to be saved
  Click("Button4");
  EXPECT_EQ(windows->main.image_list().orientations(), Paths{"0\t0\t1"});
  box->setChecked(false);
  Click("Button4");
  Drop({phone});
  EXPECT_EQ(windows->main.image_list().orientations(), (Paths{"0\t0\t0", "0\t0\t0"}));
}

// Dropped files keep the exact bytes of their names: blanks, quotation marks,
// "#", "%", "&", "<", a leading dash, 255 bytes, and a name that is not UTF-8,
// which the grid shows with its bad bytes written out.
TEST_F(MainWindowListTest, DroppedNamesOfEveryKindKeepTheirBytes) {
  const Paths names = {"a #1.jpg",
                       "100%.jpg",
                       "say \"x\".jpg",
                       "-dash.jpg",
                       "<b>&c.jpg",
                       "%41.jpg",
                       std::string(251, 'x') + ".jpg"};
  Paths paths;
  for (const std::string& name : names) {
    paths.push_back(dir / name);
    testing::WriteBytes(paths.back(), "x");
  }
  Paths dropped = paths;
  const std::string not_utf8 = dir / "\xFF\xFE.jpg";
  testing::WriteBytes(not_utf8, "x");
  dropped.push_back("file://" + dir.path() + "/%FF%FE.jpg");
  paths.push_back(not_utf8);
  Drop(dropped);
  EXPECT_EQ(ListPaths(), paths);
  EXPECT_EQ(Grid()->item(8, 1)->text(), "\\xFF\\xFE.jpg");
  ExpectGridShowsList();
}

TEST_F(MainWindowListTest, GridGrowsByTenRows) {
  const std::string path = dir / "p.jpg";
  testing::WriteBytes(path, "x");
  const struct {
    int entries;
    int rows;
  } growth[] = {{20, 21}, {21, 31}, {31, 41}};
  for (const auto& g : growth) {
    Drop(Paths(g.entries - windows->main.image_list().count(), path));
    EXPECT_EQ(Grid()->rowCount(), g.rows) << g.entries;
    ExpectGridShowsList();
  }
}

// A list loaded, shortened or cleared while the grid is scrolled to the end of a
// long one is seen from its first entry, under the header row, which never scrolls
// away; an empty grid highlights no cell.
TEST_F(MainWindowListTest, GridShowsItsFirstRowsUnderItsHeader) {
  EXPECT_TRUE(Grid()->selectedItems().isEmpty());
  const std::string path = dir / "p.jpg";
  testing::WriteBytes(path, "x");
  testing::WriteBytes(dir / "short.txt", path + "\n" + path + "\n");
  Main<QCheckBox>("CB_ask")->setChecked(true);
  for (const char* button : {"Button4", "Button6", "Button5"}) {
    SCOPED_TRACE(button);
    Drop(Paths(60 - windows->main.image_list().count(), path));
    SetCursor(60);
    Grid()->scrollToBottom();
    ASSERT_GT(Grid()->rowAt(0), 1);
    dialogs.list_files = {dir / "short.txt"};
    ui.choices = {YesNoCancel::kNo};  // the dropped list is not to be saved
    Click(button);
    EXPECT_EQ(Grid()->rowAt(0), 1);
    EXPECT_TRUE(Grid()->isRowHidden(0));
    EXPECT_FALSE(Grid()->horizontalHeader()->isHidden());
  }
  EXPECT_TRUE(Grid()->selectedItems().isEmpty());
}

TEST_F(MainWindowListTest, DeleteAndClearAskUnlessDontAsk) {
  const char kDelete[] = "okcancel: 指定したリストを削除していいですか？";
  const char kClear[] = "okcancel: リストを全て削除していいですか？";
  const struct {
    bool dontask;
    const char* button;
    int cursor;
    std::deque<bool> answers;
    std::vector<int> left;  // indexes of the dropped files still listed
    std::vector<std::string> log;
  } cases[] = {
      {false, "Button6", 2, {false}, {0, 1, 2}, {kDelete}},
      {false, "Button6", 2, {true}, {0, 2}, {kDelete}},
      {true, "Button6", 3, {}, {0, 1}, {}},
      {true, "Button6", 4, {}, {0, 1, 2}, {}},  // a blank row
      {false, "Button5", 1, {false}, {0, 1, 2}, {kClear}},
      {false, "Button5", 1, {true}, {}, {kClear, "message: 終了しました"}},
      {true, "Button5", 1, {}, {}, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.button) + " row " + std::to_string(c.cursor));
    Main<QCheckBox>("CB_ask")->setChecked(c.dontask);
    const Paths dropped = DropImages(3);
    SetCursor(c.cursor);
    ui.log.clear();
    ui.answers = c.answers;
    Click(c.button);
    Paths left;
    for (int i : c.left) left.push_back(dropped[i]);
    EXPECT_EQ(ListPaths(), left);
    EXPECT_EQ(ui.log, c.log);
    EXPECT_EQ(Grid()->currentRow(), c.cursor);
    ExpectGridShowsList();
    Main<QCheckBox>("CB_ask")->setChecked(true);
    Click("Button5");
  }
  // Clear-all on an empty list shows nothing, not even the question.
  Main<QCheckBox>("CB_ask")->setChecked(false);
  ui.log.clear();
  Click("Button5");
  EXPECT_TRUE(ui.log.empty());
}

TEST_F(MainWindowListTest, MovesFollowTheEntryWithTheCursor) {
  const Paths paths = DropImages(3);
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
  };
  for (const auto& m : moves) {
    SetCursor(m.cursor);
    Click(m.button);
    Paths expected;
    for (int i : m.order) expected.push_back(paths[i]);
    EXPECT_EQ(ListPaths(), expected) << m.cursor << m.button;
    EXPECT_EQ(Grid()->currentRow(), m.cursor_after) << m.cursor << m.button;
    ExpectGridShowsList();
  }
}

TEST_F(MainWindowListTest, EditedTextsChangeOnlyWhatIsShownAndTravelWithTheEntry) {
  const Paths paths = DropImages(2);
  EXPECT_FALSE(Grid()->item(0, 1)->flags() & Qt::ItemIsEditable);
  EXPECT_FALSE(Grid()->item(1, 0)->flags() & Qt::ItemIsEditable);
  EXPECT_TRUE(Grid()->item(1, 1)->flags() & Qt::ItemIsEditable);

  Grid()->item(1, 1)->setText("renamed");
  EXPECT_EQ(windows->main.image_list().row(1)[1], "renamed");
  SetCursor(1);
  Click("Button8");
  EXPECT_EQ(Grid()->item(2, 1)->text(), "renamed");
  EXPECT_EQ(ListPaths(), (Paths{paths[1], paths[0]}));
  ExpectGridShowsList();
}

}  // namespace
}  // namespace montrelle
