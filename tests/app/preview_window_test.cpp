#include "app/preview_window.h"

#include <QCheckBox>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QScreen>
#include <QTableWidget>
#include <QtTest/QTest>
#include <filesystem>

#include "app/window_fixture.h"
#include "imaging/bitmap_writer.h"
#include "imaging/jpeg_codec.h"
#include "imaging/picture_files.h"
#include "imaging/picture_header.h"
#include "imaging/preview_picture.h"
#include "imaging/test_pictures.h"
#include "platform/app_error.h"

namespace montrelle {
namespace {

using testing::WindowTest;
using Lines = std::vector<std::string>;

class PreviewWindowTest : public WindowTest {
 protected:
  void SetUp() override {
    Start();
    // The comment editor takes input only while comments are output.
    Preview<QCheckBox>("CB_show_com")->setChecked(true);
    QObject::connect(&windows->preview, &TfrmMTimg::pictureShown, [this] { ++drawn; });
  }

  // A picture file of four coloured quarters (a bitmap for a .bmp name), or `bytes`.
  std::string Picture(const std::string& name, int width, int height) {
    const std::string path = dir / name;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    const RgbImage picture = testing::QuadrantPicture(width, height);
    testing::WriteBytes(path, path.ends_with(".bmp") ? EncodeBitmap(picture) : EncodeJpeg(picture));
    return path;
  }
  std::string Damaged(const std::string& name) {
    testing::WriteBytes(dir / name, "no picture");
    return dir / name;
  }

  // Drops the files and gives the entries these orientations.
  void Add(const std::vector<std::pair<std::string, const char*>>& entries) {
    Lines paths;
    for (const auto& [path, orientation] : entries) paths.push_back(path);
    Drop(paths);
    ImageFileList& list = windows->main.EditedList();
    for (int n = 1; n <= list.count(); ++n) list.SetOrientation(n, entries.at(n - 1).second);
    // What the drop showed is not counted.
    drawn = 0;
  }

  QTableWidget* Grid() const { return Main<QTableWidget>("StG_list"); }
  // A mouse click on the row's file name, with Shift to extend the selection.
  void ClickRow(int row, Qt::KeyboardModifiers keys = Qt::NoModifier) const {
    QTest::mouseClick(Grid()->viewport(), Qt::LeftButton, keys,
                      Grid()->visualItemRect(Grid()->item(row, 1)).center());
  }
  void SelectRows(int top, int bottom) const {
    Grid()->clearSelection();
    Grid()->setRangeSelected(QTableWidgetSelectionRange(top, 1, bottom, 3), true);
  }
  void TypeComment(const QString& text) const {
    QInputMethodEvent typing;
    typing.setCommitString(text);
    QApplication::sendEvent(Preview("Re_comment"), &typing);
  }
  const ImageFileList& List() const { return windows->main.image_list(); }
  QString PathField() const { return Main<QLineEdit>("edt_f_path")->text(); }
  int RotationShown() const {
    for (int i = 0; i < 4; ++i) {
      if (Preview<QRadioButton>(("item" + std::to_string(i)).c_str())->isChecked()) return i;
    }
    return -1;
  }

  // The picture area: where the picture lies in it and its pixels.
  QRect PicturePlace() const {
    const QPoint area = Preview<QFrame>("Panel2")->contentsRect().topLeft();
    return Preview("Img_preview")->geometry().translated(-area);
  }
  RgbImage PictureShown() const {
    const QImage image =
        Preview<QLabel>("Img_preview")->pixmap().toImage().convertToFormat(QImage::Format_RGB888);
    RgbImage shown{image.width(), image.height(), {}};
    for (int y = 0; y < image.height(); ++y) {
      shown.pixels.insert(shown.pixels.end(), image.constScanLine(y),
                          image.constScanLine(y) + image.width() * 3);
    }
    return shown;
  }

  int drawn = 0;
};

TEST_F(PreviewWindowTest, ShowsTheSelectedPictureFittedAndCentred) {
  const std::string wide = Picture("photos/wide.jpg", 640, 480);
  const std::string wide_bmp = Picture("photos/wide.bmp", 640, 480);
  const std::string panorama = Picture("photos/panorama.jpg", 1024, 576);
  const std::string tiny = Picture("photos/tiny.bmp", 39, 29);
  const struct {
    std::string path;
    const char* orientation;
    bool mirror, flip;
    int rotation;
    QRect place;
  } cases[] = {
      {wide, "0\t0\t0", false, false, 0, {1, 0, 154, 115}},
      {wide, "0\t0\t1", false, false, 1, {34, 0, 87, 116}},
      {wide_bmp, "1\t0\t2", true, false, 2, {34, 0, 87, 116}},
      {panorama, "0\t1\t0", false, true, 0, {0, 0, 156, 87}},
      {tiny, "1\t1\t3", true, true, 3, {0, 0, 156, 116}},
  };
  std::vector<std::pair<std::string, const char*>> entries;
  for (const auto& c : cases) entries.emplace_back(c.path, c.orientation);
  Add(entries);

  for (int row = 1; row <= 5; ++row) {
    const auto& c = cases[row - 1];
    const std::string what = c.path + " " + c.orientation;
    ClickRow(row);
    EXPECT_EQ(PathField().toStdString(), dir / "photos") << what;
    EXPECT_EQ(Main("edt_f_path")->toolTip(), PathField()) << what;
    EXPECT_EQ(Preview<QCheckBox>("CB_rl")->isChecked(), c.mirror) << what;
    EXPECT_EQ(Preview<QCheckBox>("CB_ud")->isChecked(), c.flip) << what;
    EXPECT_EQ(RotationShown(), c.rotation) << what;
    EXPECT_EQ(PicturePlace(), c.place) << what;
    const bool quarter_turn = c.rotation == 1 || c.rotation == 2;
    EXPECT_EQ(PictureShown(), c.path.ends_with(".bmp")
                                  ? PreviewBitmap(c.path, c.orientation, quarter_turn)
                                  : PreviewJpeg(c.path, c.orientation, quarter_turn))
        << what;
  }
  EXPECT_EQ(List().orientations(), (Lines{"0\t0\t0", "0\t0\t1", "1\t0\t2", "0\t1\t0", "1\t1\t3"}));
}

TEST_F(PreviewWindowTest, ARotationChangeRewritesTheEntryOnceAndDrawsTwice) {
  const std::string a = Picture("a.jpg", 40, 30);
  const std::string b = Picture("b.jpg", 40, 30);
  Add({{a, "0\t0\t0"}, {b, "2\t0\t1"}, {a, "0\t5\t9"}});

  ClickRow(1);
  EXPECT_EQ(drawn, 1);
  ClickRow(2);
  EXPECT_EQ(drawn, 3) << "drawn in the rewrite's refresh and again after it";
  EXPECT_TRUE(Preview<QCheckBox>("CB_rl")->isChecked());
  EXPECT_EQ(RotationShown(), 1);
  ClickRow(2);
  EXPECT_EQ(drawn, 4) << "the same cell again: nothing to rewrite";
  ClickRow(3);
  EXPECT_EQ(drawn, 6);
  EXPECT_EQ(RotationShown(), 3);
  EXPECT_EQ(PicturePlace(), QRect(1, 0, 154, 115));
  EXPECT_EQ(List().orientations(), (Lines{"0\t0\t0", "1\t0\t1", "0\t1\t3"}));
  EXPECT_EQ(dialogs.log, Lines{}) << "the picture is drawn with the rewritten rotation";
}

TEST_F(PreviewWindowTest, EditsGoToTheFirstSelectedRowOnly) {
  const std::string a = Picture("a.jpg", 40, 30);
  Add({{a, "0\t0\t0"}, {a, "0\t0\t0"}, {a, "0\t0\t0"}});
  ClickRow(1);
  ClickRow(3, Qt::ShiftModifier);
  ASSERT_EQ(Grid()->selectedRanges().size(), 1);
  ASSERT_EQ(Grid()->selectedRanges()[0].bottomRow(), 3);

  QTest::mouseClick(Preview("item3"), Qt::LeftButton);
  EXPECT_EQ(List().orientations(), (Lines{"0\t0\t3", "0\t0\t0", "0\t0\t0"}));
  QTest::mouseClick(Preview("CB_ud"), Qt::LeftButton);
  EXPECT_EQ(List().orientations(), (Lines{"0\t1\t3", "0\t0\t0", "0\t0\t0"}));
  TypeComment("港");
  EXPECT_EQ(List().comments(), (Lines{"港", "", ""}));
  EXPECT_EQ(dialogs.log, Lines{});
}

TEST_F(PreviewWindowTest, ASelectionThatNamesNoEntryChangesNothing) {
  const std::string a = Picture("a.jpg", 40, 30);
  Add({{a, "0\t0\t0"}, {a, "0\t1\t0"}, {a, "0\t0\t2"}});
  const struct {
    const char* what;
    int top, bottom;
    bool clear_list;
  } cases[] = {
      {"reaching past the last entry", 2, 5, false},
      {"blank rows only", 4, 4, false},
      {"an empty list", 1, 1, true},
  };
  for (const auto& c : cases) {
    if (c.clear_list) {
      Main<QCheckBox>("CB_ask")->setChecked(true);
      Click("Button5");
    }
    const ImageFileList before = List();
    SelectRows(c.top, c.bottom);
    QTest::mouseClick(Preview("item1"), Qt::LeftButton);
    QTest::mouseClick(Preview("CB_rl"), Qt::LeftButton);
    TypeComment("x");
    EXPECT_EQ(List().orientations(), before.orientations()) << c.what;
    EXPECT_EQ(List().comments(), before.comments()) << c.what;
    EXPECT_EQ(PathField(), "") << c.what;
    EXPECT_EQ(drawn, 0) << c.what;
  }
  EXPECT_EQ(dialogs.log, Lines{});
}

// After every change of the list the preview shows the selected entry, or none: no
// picture, no comment, the controls of an entry disabled.
TEST_F(PreviewWindowTest, FollowsEveryChangeOfTheList) {
  const std::string a = Picture("a.jpg", 40, 30);
  const std::string b = Picture("b.bmp", 40, 30);
  Add({{a, "0\t0\t0"}, {b, "0\t0\t2"}});
  const Lines entry_controls = {"CB_rl", "CB_ud", "item0", "Re_comment"};
  auto enabled = [&] {
    Lines names;
    for (const std::string& name : entry_controls) {
      if (Preview(name.c_str())->isEnabled()) names.push_back(name);
    }
    return names;
  };
  auto nothing_shown = [&] {
    return Preview<QLabel>("Img_preview")->pixmap().isNull() &&
           Preview<QPlainTextEdit>("Re_comment")->toPlainText().isEmpty() && enabled().empty() &&
           !Preview<QCheckBox>("CB_rl")->isChecked() && RotationShown() == 0 &&
           PathField().isEmpty();
  };
  Main<QCheckBox>("CB_ask")->setChecked(true);
  ClickRow(2);
  QTest::mouseClick(Preview("CB_rl"), Qt::LeftButton);
  TypeComment("橋");
  Click("Button6");
  EXPECT_TRUE(nothing_shown()) << "the last row deleted";
  TypeComment("x");
  EXPECT_EQ(List().comments(), Lines{""});

  Drop({b});
  EXPECT_EQ(PictureShown(), PreviewBitmap(b, "0\t0\t0", false)) << "dropped";
  EXPECT_EQ(enabled(), entry_controls);
  ClickRow(1);
  Click("Button8");
  EXPECT_EQ(PictureShown(), PreviewJpeg(a, "0\t0\t0", false)) << "moved down";
  TypeComment("港");
  EXPECT_EQ(List().comments(), (Lines{"", "港"}));

  // 全削除 reports only once the grid and the preview are empty.
  Main<QCheckBox>("CB_ask")->setChecked(false);
  Lines on_message;
  ui.on_message = [&] {
    on_message.push_back(Grid()->item(1, 1)->text().toStdString());
    on_message.push_back(nothing_shown() ? "nothing shown" : "still shown");
  };
  Click("Button5");
  EXPECT_EQ(on_message, (Lines{"", "nothing shown"}));
  EXPECT_EQ(ui.log.back(), "message: 終了しました");
}

TEST_F(PreviewWindowTest, CommentLinesAreStoredAsOneText) {
  const std::string a = Picture("a.jpg", 40, 30);
  Add({{a, "0\t0\t0"}, {a, "0\t0\t0"}});
  ClickRow(1);
  auto* editor = Preview<QPlainTextEdit>("Re_comment");
  TypeComment("春の");
  QTest::keyClick(editor, Qt::Key_Return);
  TypeComment("庭 ");
  EXPECT_EQ(List().comments(), (Lines{"春の庭 ", ""}));
  EXPECT_EQ(editor->toPlainText(), "春の\n庭 ") << "until the display is refreshed";
  ClickRow(2);
  EXPECT_EQ(editor->toPlainText(), "");
  // Greyed out, the editor still shows each entry's comment.
  Preview<QCheckBox>("CB_show_com")->setChecked(false);
  ClickRow(1);
  EXPECT_FALSE(editor->isEnabled());
  EXPECT_EQ(editor->toPlainText(), "春の庭 ");
  EXPECT_EQ(List().comments(), (Lines{"春の庭 ", ""})) << "showing a comment writes nothing";
}

TEST_F(PreviewWindowTest, OnlyAMouseReleaseOverAFlipBoxWrites) {
  Add({{Picture("a.jpg", 40, 30), "0\t0\t0"}});
  ClickRow(1);
  auto* mirror = Preview<QCheckBox>("CB_rl");
  auto* flip = Preview<QCheckBox>("CB_ud");
  mirror->setFocus();
  QTest::keyClick(mirror, Qt::Key_Space);
  EXPECT_TRUE(mirror->isChecked());
  EXPECT_EQ(List().orientations(), Lines{"0\t0\t0"});
  EXPECT_EQ(drawn, 1);

  // Any button: a right click toggles nothing but writes all three controls.
  QTest::mouseClick(flip, Qt::RightButton);
  EXPECT_FALSE(flip->isChecked());
  EXPECT_EQ(List().orientations(), Lines{"1\t0\t0"});
  EXPECT_EQ(drawn, 2);
  QTest::mouseClick(flip, Qt::LeftButton);
  EXPECT_EQ(List().orientations(), Lines{"1\t1\t0"});
  EXPECT_EQ(PictureShown(), PreviewJpeg(dir / "a.jpg", "1\t1\t0", false));
}

TEST_F(PreviewWindowTest, PictureErrorsEndTheRefreshWithOneErrorBox) {
  const std::string good = Picture("good.jpg", 40, 30);
  const std::string damaged = Damaged("damaged.jpg");
  // A bitmap in a folder whose name looks like a JPEG's: drawn as both kinds.
  const std::string in_jpg_folder = Picture("scans.jpg/p.bmp", 40, 30);
  Add({{good, "0\t0\t0"}, {damaged, "0\t0\t1"}, {in_jpg_folder, "0\t0\t0"}, {good, "1\t1\tz"}});
  std::string jpeg_error;
  try {
    ReadJpegSize(damaged);
  } catch (const AppError& error) {
    jpeg_error = error.what();
  }
  ASSERT_TRUE(jpeg_error.starts_with("JPEG エラー #")) << jpeg_error;

  ClickRow(1);
  // Failing inside the rotation's nested refresh ends the outer one as well; the
  // error names the file, and no other entry's picture is left on show.
  ClickRow(2);
  EXPECT_EQ(dialogs.log, Lines{"error: " + jpeg_error + ": " + damaged + "."});
  EXPECT_EQ(PathField().toStdString(), dir.path());
  EXPECT_EQ(RotationShown(), 1);
  EXPECT_TRUE(Preview<QLabel>("Img_preview")->pixmap().isNull());
  EXPECT_EQ(drawn, 1);

  dialogs.log.clear();
  ClickRow(3);
  EXPECT_EQ(dialogs.log, Lines{"error: " + jpeg_error + ": " + in_jpg_folder + "."});
  EXPECT_EQ(drawn, 2);
  EXPECT_EQ(PictureShown(), PreviewBitmap(in_jpg_folder, "0\t0\t0", false));

  dialogs.log.clear();
  ClickRow(4);
  EXPECT_EQ(dialogs.log, Lines{"error: 'z' は整数ではありません."});
  EXPECT_TRUE(Preview<QCheckBox>("CB_rl")->isChecked()) << "set before the rotation";
  EXPECT_EQ(RotationShown(), 0);
  EXPECT_EQ(drawn, 2);
  EXPECT_EQ(List().orientations(), (Lines{"0\t0\t0", "0\t0\t1", "0\t0\t0", "1\t1\tz"}));
}

TEST_F(PreviewWindowTest, AHiddenPreviewTakesTheEntryButDrawsNothing) {
  Add({{Picture("a.jpg", 40, 30), "0\t1\t2"}});
  Main<QCheckBox>("CB_preview")->setChecked(false);
  ClickRow(1);
  EXPECT_EQ(PathField().toStdString(), dir.path());
  EXPECT_TRUE(Preview<QCheckBox>("CB_ud")->isChecked());
  EXPECT_EQ(RotationShown(), 2);
  EXPECT_EQ(drawn, 0);
  Main<QCheckBox>("CB_preview")->setChecked(true);
  EXPECT_EQ(drawn, 0) << "shown again, it waits for the next selection";
  ClickRow(1);
  EXPECT_EQ(PicturePlace(), QRect(34, 0, 87, 116));
}

TEST_F(PreviewWindowTest, PlacedLeftOfTheCentredMainWindow) {
  const struct {
    QSize screen, main;
    QPoint place;
  } cases[] = {
      {{1024, 768}, {615, 682}, {24, 43}},
      {{1024, 768}, {616, 683}, {24, 42}},
      // Narrower than the main window: truncated toward zero, then off the screen.
      {{600, 600}, {631, 682}, {-195, -41}},
  };
  for (const auto& c : cases) EXPECT_EQ(PreviewPlace(c.screen, c.main), c.place) << c.place.x();

  windows->preview.hide();
  windows->preview.show();
  EXPECT_EQ(windows->preview.pos(), PreviewPlace(windows->main.screen()->geometry().size(),
                                                 windows->main.frameGeometry().size()));
}

}  // namespace
}  // namespace montrelle
