// Runs the built montrelle-make on folders of pictures and checks what it writes,
// what it says on standard error and its exit status.
#include <gtest/gtest.h>
#include <pty.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstring>
#include <filesystem>

#include "imaging/jpeg_codec.h"
#include "imaging/test_pictures.h"
#include "platform/file_system.h"
#include "platform/text_file.h"
#include "support/expected_pages.h"
#include "support/run_program.h"
#include "support/small_disk.h"
#include "support/temp_dir.h"
#include "support/written_files.h"

namespace montrelle {
namespace {

using testing::Concat;
using testing::ExecProgram;
using testing::ExitStatus;
using testing::FileLines;
using testing::FilesAsTheyAre;
using testing::FolderTree;
using testing::kCodePageMeta;
using testing::Outcome;
using testing::PageOpening;
using testing::PictureTree;
using testing::ReadBytes;
using testing::RunProgram;
using testing::TempDir;
using testing::WriteBytes;
using Lines = std::vector<std::string>;

Outcome RunMake(const Lines& arguments, const std::string& cwd,
                const std::string& program = MONTRELLE_MAKE) {
  return RunProgram(program, arguments, cwd);
}

// Runs the command with a terminal as its standard streams; returns what it wrote.
std::string RunOnTerminal(const Lines& arguments, const std::string& cwd, int& status) {
  int terminal = -1;
  pid_t pid = forkpty(&terminal, nullptr, nullptr, nullptr);
  if (pid == 0) ExecProgram(MONTRELLE_MAKE, arguments, cwd);
  std::string written;
  char buffer[4096];
  for (ssize_t n; (n = read(terminal, buffer, sizeof buffer)) > 0;) written.append(buffer, n);
  close(terminal);
  status = ExitStatus(pid);
  return written;
}

// FilesAsTheyAre of the reduced and main images of the gallery in `out`.
Lines PicturesAsTheyAre(const std::string& out) {
  Lines pictures;
  for (const std::string& file : FilesAsTheyAre(out)) {
    if (file.starts_with("images/") || file.starts_with("small_images/")) pictures.push_back(file);
  }
  return pictures;
}

const char* kUsageHint = "詳しくは montrelle-make --help を見てください。\n";

// A complete settings file as the window writes it, with the values of
// {section, key, value} changed.
std::string SettingsFile(std::initializer_list<std::array<const char*, 3>> changes) {
  std::string file =
      "[HTMLtype]\r\ntype=1\r\n\r\n[Frame]\r\nwidth=640\r\ncount=6\r\n\r\n[Table]\r\n"
      "width=600\r\ncount=6\r\nbwidth=2\r\n\r\n[Pulldown]\r\nwidth=450\r\n\r\n[Responsive]\r\n"
      "width=1600\r\n\r\n[SmallImage]\r\n"
      "width=120\r\n\r\n[Color]\r\nbg_color=000000\r\nlink_color=ffff00\r\n"
      "vlink_color=ff0000\r\n\r\n[BGImage]\r\nbg_image=\r\n\r\n[Flags]\r\nfnoutput=0\r\n"
      "simake=1\r\nmicopy=0\r\nmimake=0\r\nbgishow=0\r\ndontask=0\r\njpegconvert=0\r\n"
      "QRVlist=0\r\nCommentOut=0\r\nCommentOutPD=0\r\nPreview=1\r\n\r\n[Other]\r\n"
      "out_path=\r\nout_name=ignored.html\r\ntitle=\r\n\r\n";
  for (const auto& [section, key, value] : changes) {
    size_t start = file.find('\n' + std::string(key) + '=', file.find(std::string(section) + "]"));
    start += std::strlen(key) + 2;
    file.replace(start, file.find('\r', start) - start, value);
  }
  return file;
}

// The body line of the colours in SettingsFile.
const std::string kDarkBody =
    "<body bgcolor=\"#000000\" text=\"#111111\" link=\"#00FFFF\" vlink=\"#0000FF\" "
    "alink=\"#00ffff\">";

class MontrelleMakeTest : public ::testing::Test {
 protected:
  MontrelleMakeTest() {
    EXPECT_TRUE(CreateFolder(dir / "pics"));
    WriteBytes(dir / "pics/a.jpg", testing::JpegPicture(40, 30));
    WriteBytes(dir / "pics/b.JPG", testing::JpegPicture(30, 40));
    WriteBytes(dir / "pics/notes.txt", "notes");
  }
  TempDir dir;
};

TEST_F(MontrelleMakeTest, MakesAFrameGallery) {
  const std::string settings = SettingsFile({{"Frame", "count", "1"},
                                             {"Flags", "fnoutput", "1"},
                                             {"Flags", "simake", "0"},
                                             {"Flags", "QRVlist", "1"}});
  WriteBytes(dir / "s.ini", settings);
  Outcome run = RunMake({"--settings", "s.ini", "-o", "out/", "--name", "gallery.htm", "--layout",
                         "frame", "-t", "旅", "pics/a.jpg", "pics/notes.txt", "-q", "pics/b.JPG"},
                        dir.path());
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err, "pics/notes.txt: 画像ファイルではないので飛ばします\n終了しました\n");
  EXPECT_EQ(ReadBytes(dir / "s.ini"), settings) << "never written";

  EXPECT_EQ(FolderTree(dir / "out"),
            (Lines{".montrelle.record", "gallery.html", "gallery_QRV.txt", "src_files/",
                   "src_files/a.htm", "src_files/b.htm", "src_files/gallery_menu1.htm",
                   "src_files/gallery_menu2.htm", "src_files/last.gif", "src_files/next.gif",
                   "src_files/previous.gif", "src_files/top.gif"}));
  EXPECT_EQ(
      FileLines(dir / "out/gallery.html"),
      (Lines{"<HTML>", "<HEAD>", kCodePageMeta, "", "<TITLE>", "旅", "</TITLE>", "", "</HEAD>",
             "<FRAMESET COLS=\"170,*\" BORDER=\"0\" FRAMEBORDER=\"no\" FRAMESPACING=\"0\">",
             "<FRAME src=\"./src_files/gallery_menu1.htm\" name=\"sub\">",
             "<FRAME src=\"./src_files/a.htm\" name=\"main\">", "</FRAMESET>", "", "</HTML>"}));
  EXPECT_EQ(FileLines(dir / "out/src_files/b.htm"),
            Concat({PageOpening("旅", kDarkBody),
                    {"<IMG width = 640 SRC=\"../../pics/b.JPG\">", "<BR>", "b.JPG", "</CENTER>",
                     "</BODY>", "</HTML>"}}));
  EXPECT_EQ(FileLines(dir / "out/src_files/gallery_menu2.htm"),
            Concat({PageOpening("旅", kDarkBody),
                    {"<BR>", "", "<TABLE BORDER=0\"\">", "<TR>",
                     "<A HREF=\"./b.htm\" TARGET=\"main\"><BR>b.JPG</A>", "</TR>",
                     "<tr><td><A HREF=\"./gallery_menu1.htm\" TARGET=\"sub\"><img src=\"top.gif\" "
                     "width=\"30\" border=\"0\"></A></td>",
                     "<td><A HREF=\"./gallery_menu2.htm\" TARGET=\"sub\"><img src=\"last.gif\" "
                     "width=\"30\" border=\"0\"></A></td></tr>",
                     "<tr><td><A HREF=\"./gallery_menu1.htm\" TARGET=\"sub\"><img "
                     "src=\"previous.gif\" width=\"30\" border=\"0\"></A></td>",
                     "</TABLE><BR>", "(List:2/2)", "</CENTER>", "", "", "</BODY>", "</HTML>"}}));
  EXPECT_EQ(ReadBytes(dir / "out/gallery_QRV.txt"), "gallery.html\t../pics/a.jpg\r\n");
  for (const char* gif : {"top.gif", "last.gif", "previous.gif", "next.gif"}) {
    EXPECT_EQ(ReadBytes(dir / ("out/src_files/" + std::string(gif))),
              ReadBytes(std::string(MONTRELLE_RESOURCES) + "/images/" + gif));
  }
}

TEST_F(MontrelleMakeTest, MakesATableGallery) {
  WriteBytes(dir / "pics/c.bmp", testing::BitmapPicture(20, 10));
  WriteBytes(dir / "s.ini", SettingsFile({{"Table", "count", "2"}, {"Flags", "jpegconvert", "1"}}));
  const Lines arguments = {"-s", "s.ini", "-o",         "out",        "-n",        "album",
                           "-t", "旅",    "pics/a.jpg", "pics/b.JPG", "pics/c.bmp"};
  Outcome run = RunMake(arguments, dir.path());
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.err, "終了しました\n");
  const Lines tree = {".montrelle.record",
                      "album.html",
                      "images/",
                      "images/a.jpg JPEG 40x30",
                      "images/b.JPG JPEG 30x40",
                      "images/c.jpg JPEG 20x10",
                      "small_images/",
                      "small_images/a.jpg JPEG 120x90",
                      "small_images/b.JPG JPEG 120x160",
                      "small_images/c.jpg JPEG 120x60",
                      "src_files/",
                      "src_files/a.htm",
                      "src_files/b.htm",
                      "src_files/c.htm"};
  EXPECT_EQ(PictureTree(dir / "out"), tree);
  EXPECT_EQ(FileLines(dir / "out/album.html"),
            Concat({PageOpening("旅", kDarkBody),
                    {"<BR>",
                     "",
                     "<TABLE BORDER=\"2\">",
                     "<TR>",
                     "<TD>",
                     "<A HREF=\"./src_files/a.htm\" TARGET=\"main\"><IMG "
                     "SRC=\"./small_images/a.jpg\"></A>",
                     "</TD>",
                     "<TD>",
                     "<A HREF=\"./src_files/b.htm\" TARGET=\"main\"><IMG "
                     "SRC=\"./small_images/b.JPG\"></A>",
                     "</TD>",
                     "</TR>",
                     "<TR>",
                     "<TD>",
                     "<A HREF=\"./src_files/c.htm\" TARGET=\"main\"><IMG "
                     "SRC=\"./small_images/c.jpg\"></A>",
                     "</TD>",
                     "</TR>",
                     "</TABLE>",
                     "</CENTER>",
                     "",
                     "",
                     "</BODY>",
                     "</HTML>"}}));
  for (const char* name : {"a.jpg", "b.JPG", "c.jpg"}) {
    const std::string page = "src_files/" + std::string(name).substr(0, 1) + ".htm";
    EXPECT_EQ(FileLines(dir / ("out/" + page)),
              Concat({PageOpening("旅", kDarkBody),
                      {"<IMG width = 600 SRC=\"../images/" + std::string(name) + "\">", "</CENTER>",
                       "</BODY>", "</HTML>"}}))
        << page;
  }
  EXPECT_EQ(ReadBytes(dir / "out/images/a.jpg"), ReadBytes(dir / "pics/a.jpg"));
  EXPECT_EQ(ReadBytes(dir / "out/images/b.JPG"), ReadBytes(dir / "pics/b.JPG"));

  // Again, keeping what exists: the reduced images are left as they are.
  WriteBytes(dir / "out/small_images/a.jpg", "old");
  Lines keep = arguments;
  keep.push_back("--keep-existing");
  run = RunMake(keep, dir.path());
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.err, "終了しました\n");
  EXPECT_EQ(ReadBytes(dir / "out/small_images/a.jpg"), "old");
  run = RunMake(arguments, dir.path());
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(PictureTree(dir / "out"), tree);
}

TEST_F(MontrelleMakeTest, MakesAPulldownGallery) {
  WriteBytes(dir / "pics.txt", dir / "pics/a.jpg" + "\r\n" + dir / "pics/b.JPG" +
                                   "\r\n\r\n港\r\n\r\n0\t0\t2\r\n0\t0\t0\r\n");
  WriteBytes(dir / "s.ini", SettingsFile({{"Flags", "CommentOutPD", "1"}}));
  Outcome run =
      RunMake({"-s", "s.ini", "-l", "pics.txt", "--layout", "pulldown", "-o", "out"}, dir.path());
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.err, "終了しました\n");
  // One turned picture: every main image is made again at the pull-down width; no
  // reduced images in this layout.
  EXPECT_EQ(PictureTree(dir / "out"),
            (Lines{".montrelle.record", "ignored.html", "images/", "images/a.jpg JPEG 450x600",
                   "images/b.JPG JPEG 450x600"}));
  EXPECT_EQ(
      FileLines(dir / "out/ignored.html"),
      (Lines{"<HTML>",
             kCodePageMeta,
             "",
             "<SCRIPT language=\"JavaScript\">",
             "<!--",
             "function changeImg(){",
             "   num=document.myForm.imgSelect.selectedIndex;",
             " if(num==0)",
             "      document.myImg.src=\"./images/a.jpg\";",
             "else  if(num==1)",
             "      document.myImg.src=\"./images/b.JPG\";",
             "}",
             "//-->",
             "</SCRIPT>",
             "",
             kDarkBody,
             "<CENTER>",
             "<FORM name=\"myForm\">",
             "<IMG SRC=\"./images/a.jpg\" alt=\"a.jpg\" WIDTH=450 vspace=4  name=\"myImg\"><br>",
             "",
             "<SELECT name=\"imgSelect\" onChange=\"changeImg()\">",
             "",
             "<OPTION>港",
             "<OPTION>Image:2",
             "</SELECT><br>",
             "<font class=caption>※プルダウンで見たい写真を選択してください</font></form>",
             "",
             "</font>",
             "</CENTER>"}));
}

TEST_F(MontrelleMakeTest, ListFileFirstThenImages) {
  WriteBytes(dir / "pics.txt", dir / "pics/b.JPG" + "\r\n\r\n夕日\r\n0\t0\t1\r\n");
  WriteBytes(dir / "s.ini", SettingsFile({{"Flags", "CommentOut", "1"}, {"Flags", "simake", "0"}}));
  Outcome run = RunMake({"-s", dir / "s.ini", "--list=" + (dir / "pics.txt"),
                         "--out=" + (dir / "out"), "--layout=frame", "--", "a.jpg"},
                        dir / "pics");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err, "終了しました\n");
  Lines page = FileLines(dir / "out/src_files/a.htm");
  ASSERT_EQ(page.size(), 17u);
  EXPECT_EQ(page[11], "<IMG width = 640 SRC=\"../images/a.jpg\">") << "one turned picture";
  EXPECT_EQ(FileLines(dir / "out/src_files/b.htm")[13], "夕日");
}

// Pictures as a phone stores them, one per Exif orientation, alternating the byte
// order: every thumbnail is that of the upright picture, unless --no-exif is given.
TEST_F(MontrelleMakeTest, PhonePicturesMakeUprightThumbnails) {
  // Quarters on whole JPEG blocks: the stored files decode to the same pixels.
  const RgbImage upright = testing::QuadrantPicture(64, 32);
  ASSERT_TRUE(CreateFolder(dir / "phone"));
  WriteBytes(dir / "phone/upright.jpg", EncodeJpeg(upright));
  Lines arguments = {"-s", "s.ini", "-o", "out", "phone/upright.jpg"};
  for (int tag = 1; tag <= 8; ++tag) {
    const std::string name = "phone/" + std::to_string(tag) + ".jpg";
    WriteBytes(dir / name, testing::WithExifOrientation(
                               EncodeJpeg(testing::StoredWithTag(upright, tag)), tag, tag % 2));
    arguments.push_back(name);
  }
  WriteBytes(dir / "s.ini", SettingsFile({}));
  Outcome run = RunMake(arguments, dir.path());
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.err, "終了しました\n");
  const RgbImage thumbnail = DecodeJpeg(ReadBytes(dir / "out/small_images/upright.jpg"));
  ASSERT_EQ(thumbnail.width, 120);
  ASSERT_EQ(thumbnail.height, 60);
  for (int tag = 1; tag <= 8; ++tag) {
    const RgbImage made =
        DecodeJpeg(ReadBytes(dir / ("out/small_images/" + std::to_string(tag) + ".jpg")));
    // Within rounding: a quarter in a wrong place would differ by 255.
    EXPECT_LE(testing::LargestDifference(made, thumbnail), 16) << tag;
  }

  arguments[3] = "unturned";
  arguments.push_back("--no-exif");
  run = RunMake(arguments, dir.path());
  EXPECT_EQ(run.status, 0);
  for (int tag = 1; tag <= 8; ++tag) {
    const std::string made =
        ReadBytes(dir / ("unturned/small_images/" + std::to_string(tag) + ".jpg"));
    EXPECT_EQ(JpegSizeOf(made), (tag < 5 ? ImageSize{120, 60} : ImageSize{120, 240})) << tag;
  }
}

// A phone's photo copied into the gallery keeps its picture and its colours and
// loses where it was taken, its turn and the picture after its end; with
// --keep-metadata it is copied byte for byte.
TEST_F(MontrelleMakeTest, CopiedPhotosKeepThePictureNotTheMetadata) {
  const std::string plain = EncodeJpeg(testing::NoisyPicture(64, 32));
  const std::string head = plain.substr(0, 20), body = plain.substr(20);  // SOI, APP0 JFIF
  const std::string icc =
      testing::MarkerSegment(0xE2, std::string("ICC_PROFILE\0\x01\x01", 14) + "profile");
  const std::string gps = testing::MarkerSegment(
      0xE1, std::string("Exif\0\0MM\0\x2A\0\0\0\x08", 14) + "GPS 35.6586 N 139.7454 E");
  const std::string xmp =
      testing::MarkerSegment(0xE1, std::string("http://ns.adobe.com/xap/1.0/\0", 29) + "<x/>");
  const std::string comment = testing::MarkerSegment(0xFE, "taken at home");
  const std::string phone =
      testing::WithExifOrientation(head + gps + xmp + icc + comment + body, 6) + plain;
  WriteBytes(dir / "pics/phone.jpg", phone);
  WriteBytes(dir / "s.ini", SettingsFile({{"Flags", "micopy", "1"}}));
  Lines arguments = {"-s", "s.ini", "-o", "out", "-q", "--no-exif", "pics/phone.jpg"};
  ASSERT_EQ(RunMake(arguments, dir.path()).status, 0);
  const std::string copy = ReadBytes(dir / "out/images/phone.jpg");
  EXPECT_EQ(copy, head + icc + body);
  EXPECT_EQ(DecodeJpeg(copy), DecodeJpeg(phone));
  EXPECT_EQ(JpegSizeOf(copy), (ImageSize{64, 32})) << "shown as the preview shows it";

  arguments[3] = "kept";
  arguments.push_back("--keep-metadata");
  ASSERT_EQ(RunMake(arguments, dir.path()).status, 0);
  EXPECT_EQ(ReadBytes(dir / "kept/images/phone.jpg"), phone);
}

// Made again without a picture: its files are removed and named; files put into
// the folder by hand stay, and so do files outside it that an edited record names.
TEST_F(MontrelleMakeTest, PictureTakenOutOfTheListLeavesNothingBehind) {
  WriteBytes(dir / "pics/c.jpg", testing::JpegPicture(40, 30));
  WriteBytes(dir / "s.ini", SettingsFile({{"HTMLtype", "type", "0"}, {"Flags", "micopy", "1"}}));
  Lines arguments = {"-s", "s.ini", "-o", "out", "pics/a.jpg", "pics/b.JPG", "pics/c.jpg"};
  ASSERT_EQ(RunMake(arguments, dir.path()).status, 0);
  WriteBytes(dir / "out/notes.txt", "mine");
  WriteBytes(dir / "out/small_images/mine.jpg", "mine");
  arguments.pop_back();
  Outcome run = RunMake(arguments, dir.path());
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.err, "削除しました: " + (dir / "out/images/c.jpg") +
                         "\n削除しました: " + (dir / "out/small_images/c.jpg") +
                         "\n削除しました: " + (dir / "out/src_files/c.htm") + "\n終了しました\n");
  EXPECT_EQ(FolderTree(dir / "out"),
            (Lines{".montrelle.record", "ignored.html", "images/", "images/a.jpg", "images/b.JPG",
                   "notes.txt", "small_images/", "small_images/a.jpg", "small_images/b.JPG",
                   "small_images/mine.jpg", "src_files/", "src_files/a.htm", "src_files/b.htm",
                   "src_files/ignored_menu1.htm", "src_files/last.gif", "src_files/next.gif",
                   "src_files/previous.gif", "src_files/top.gif"}));

  WriteBytes(dir / "outside.txt", "not the gallery's");
  WriteBytes(dir / "out/.montrelle.record", ReadBytes(dir / "out/.montrelle.record") +
                                                "file\t../outside.txt\nfile\t" +
                                                (dir / "outside.txt") + "\n");
  run = RunMake(arguments, dir.path());
  EXPECT_EQ(run.err, "終了しました\n");
  EXPECT_EQ(ReadBytes(dir / "outside.txt"), "not the gallery's");
}

// Made again keeping what exists: a comment changed remakes no picture, a source
// replaced with new pixels under its name remakes exactly its pictures; in the
// responsive layout, every size of them.
TEST_F(MontrelleMakeTest, KeepExistingRemakesExactlyWhatChanged) {
  for (const char* layout : {"0", "3"}) {
    SCOPED_TRACE(layout);
    WriteBytes(dir / "pics/b.JPG", testing::JpegPicture(30, 40));
    WriteBytes(dir / "s.ini", SettingsFile({{"HTMLtype", "type", layout},
                                            {"Flags", "micopy", "1"},
                                            {"Flags", "mimake", "1"},
                                            {"SmallImage", "width", "8"},
                                            {"Responsive", "width", "12"}}));
    const auto list = [&](const std::string& comment) {
      WriteBytes(dir / "list.txt",
                 dir / "pics/a.jpg" + "\n" + dir / "pics/b.JPG" + "\n\n" + comment + "\n\n");
    };
    const std::string out = std::string("out") + layout;
    const Lines arguments = {"-s", "s.ini", "-l", "list.txt", "-o", out, "-q", "--keep-existing"};
    list("港");
    const Outcome first = RunMake(arguments, dir.path());
    ASSERT_EQ(first.status, 0) << first.err;
    const Lines made = PicturesAsTheyAre(dir / out);
    EXPECT_EQ(made.size(), layout == std::string("0") ? 6u : 18u);

    list("夕日");
    ASSERT_EQ(RunMake(arguments, dir.path()).status, 0);
    EXPECT_EQ(PicturesAsTheyAre(dir / out), made);

    WriteBytes(dir / "pics/b.JPG", EncodeJpeg(testing::NoisyPicture(30, 40)));
    ASSERT_EQ(RunMake(arguments, dir.path()).status, 0);
    const Lines remade = PicturesAsTheyAre(dir / out);
    ASSERT_EQ(remade.size(), made.size());
    for (size_t i = 0; i < made.size(); ++i) {
      const bool of_b = made[i].find("/b.JPG") != std::string::npos;
      EXPECT_EQ(remade[i] != made[i], of_b && !made[i].ends_with("/")) << made[i];
    }
  }
}

TEST_F(MontrelleMakeTest, ScanlineDecoderSettingMakesTheSamePictures) {
  // Large enough that a thumbnail passes over blocks.
  WriteBytes(dir / "pics/c.jpg", EncodeJpeg(testing::NoisyPicture(400, 300)));
  WriteBytes(dir / "s.ini", SettingsFile({}));
  const Outcome raw = RunMake({"-s", "s.ini", "-o", "raw", "pics/a.jpg", "pics/c.jpg"}, dir.path());
  const Outcome scanline =
      RunProgram(MONTRELLE_MAKE, {"-s", "s.ini", "-o", "scanline", "pics/a.jpg", "pics/c.jpg"},
                 dir.path(), {.environment = {"MONTRELLE_DECODER=scanline"}});
  EXPECT_EQ(raw.err, "終了しました\n");
  EXPECT_EQ(scanline.err, "終了しました\n");
  for (const char* picture : {"a.jpg", "c.jpg"}) {
    EXPECT_EQ(ReadBytes(dir / ("scanline/small_images/" + std::string(picture))),
              ReadBytes(dir / ("raw/small_images/" + std::string(picture))))
        << picture;
  }
}

TEST_F(MontrelleMakeTest, DefaultsBesideTheProgramAreOnlyRead) {
  // A copy of the program in a folder of its own: no settings file, no images/.
  ASSERT_TRUE(CreateFolder(dir / "bin"));
  std::filesystem::copy_file(MONTRELLE_MAKE, dir / "bin/montrelle-make");
  Outcome run = RunMake({"-o", "out", "pics/a.jpg"}, dir.path(), dir / "bin/montrelle-make");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.err, "終了しました\n");
  EXPECT_EQ(PictureTree(dir / "out"), (Lines{".montrelle.record", "index.html", "small_images/",
                                             "small_images/a.jpg JPEG 100x75", "src_files/",
                                             "src_files/a.htm", "src_files/index_menu1.htm"}));
  EXPECT_EQ(FileLines(dir / "out/src_files/index_menu1.htm")[15],
            "<A HREF=\"./a.htm\" TARGET=\"main\"><IMG SRC=\"../small_images/a.jpg\"></A>")
      << "reduced images are on by default";
  EXPECT_EQ(FolderTree(dir / "bin"), Lines{"montrelle-make"});

  WriteBytes(dir / "bin/Montrelle.ini", "");
  run = RunMake({"-o", "out2", "pics/a.jpg"}, dir.path(), dir / "bin/montrelle-make");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(ReadBytes(dir / "bin/Montrelle.ini"), "");
  EXPECT_EQ(FileLines(dir / "out2/index.html"), FileLines(dir / "out/index.html"));
}

TEST_F(MontrelleMakeTest, StopsWithStatusOne) {
  ASSERT_TRUE(CreateFolder(dir / "blocked"));
  WriteBytes(dir / "blocked/src_files", "a file where the folder goes");
  WriteBytes(dir / "zero.ini", SettingsFile({{"Frame", "count", "0"}}));
  WriteBytes(dir / "bad.ini", SettingsFile({{"Frame", "width", "8O"}}));
  WriteBytes(dir / "table.ini", SettingsFile({}));
  WriteBytes(dir / "pics/broken.bmp", "BM");
  const struct {
    Lines arguments;
    std::string err;
  } cases[] = {
      {{"-o", "out"}, "対象となる画像ファイルを選択してください\n"},
      {{"pics/a.jpg"}, "出力フォルダを指定してください\n(--out で指定します)\n"},
      {{"-o", "out", "-n", "", "pics/a.jpg"},
       "出力ファイル名を指定してください\n(--name で指定します)\n"},
      {{"-s", "zero.ini", "--layout", "frame", "-o", "out", "pics/a.jpg"},
       "設定値は不正です。確認してください。\n一列の画像の数：'0'\n"},
      {{"-s", "bad.ini", "-o", "out", "pics/a.jpg"}, "[Frame] width: '8O' は整数ではありません.\n"},
      {{"-s", "missing.ini", "-o", "out", "pics/a.jpg"}, "ファイル missing.ini は開けません.\n"},
      {{"-l", "missing.txt", "-o", "out", "pics/a.jpg"}, "ファイル missing.txt は開けません.\n"},
      {{"-o", "blocked", "--layout", "frame", "pics/a.jpg"},
       "I/O エラー (20): " + (dir / "blocked/src_files/a.htm") + ".\n"},
      {{"-s", "table.ini", "-o", "damaged", "pics/a.jpg", "pics/broken.bmp"},
       "2 番目の画像: ビットマップイメージが不正です: " + (dir / "pics/broken.bmp") + ".\n"},
  };
  for (const auto& c : cases) {
    Outcome run = RunMake(c.arguments, dir.path());
    EXPECT_EQ(run.status, 1) << c.err;
    EXPECT_EQ(run.err, c.err);
    EXPECT_EQ(run.out, "");
  }
  EXPECT_EQ(FolderTree(dir / "out"), Lines{}) << "only the zero per-page run made the folder";
  EXPECT_TRUE(FolderExists(dir / "out"));
  EXPECT_EQ(FolderTree(dir / "blocked"), (Lines{".montrelle.record", "index.html", "src_files"}));
  EXPECT_EQ(FolderTree(dir / "damaged"), Lines{}) << "the pictures are read before any write";
}

TEST_F(MontrelleMakeTest, BatchOverTheFoldersOfASearchFolder) {
  for (const char* folder : {"trip/day1", "trip/.hidden", "trip/empty", "lists", "none"}) {
    std::filesystem::create_directories(dir / folder);
  }
  std::filesystem::copy_file(dir / "pics/a.jpg", dir / "trip/day1/a.jpg");
  std::filesystem::copy_file(dir / "pics/b.JPG", dir / "trip/day1/b.JPG");
  std::filesystem::copy_file(dir / "pics/a.jpg", dir / "trip/.hidden/c.jpg");
  WriteBytes(dir / "s.ini", SettingsFile({{"Flags", "QRVlist", "1"}}));

  Outcome run = RunMake({"-s", "s.ini", "--batch", "trip", "--out", "web"}, dir.path());
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.err, "終了しました\n");
  EXPECT_EQ(PictureTree(dir / "web"),
            (Lines{".montrelle.record", "day1/", "day1/.montrelle.record", "day1/day1.html",
                   "day1/small_images/", "day1/small_images/a.jpg JPEG 120x90",
                   "day1/small_images/b.JPG JPEG 120x160", "day1/src_files/",
                   "day1/src_files/a.htm", "day1/src_files/b.htm", "index.html", "web_QRV.txt"}));
  EXPECT_EQ(ReadBytes(dir / "web/web_QRV.txt"), "day1/day1.html\tday1/small_images/a.jpg\r\n");
  EXPECT_EQ(FileLines(dir / "web/day1/src_files/b.htm"),
            Concat({PageOpening("day1", kDarkBody),
                    {"<IMG width = 600 SRC=\"../../../trip/day1/b.JPG\">", "</CENTER>", "</BODY>",
                     "</HTML>"}}));

  run = RunMake({"--batch", "trip", "-o", "lists", "--lists-only"}, dir.path());
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.err, "終了しました\n");
  EXPECT_EQ(FolderTree(dir / "lists"), Lines{"day1_list.txt"});
  EXPECT_EQ(ReadBytes(dir / "lists/day1_list.txt"), dir / "trip/day1/a.jpg\r\n" +
                                                        dir / "trip/day1/b.JPG\r\n\r\n\r\n\r\n" +
                                                        "0\t0\t0\r\n0\t0\t0\r\n");

  // Nothing to process, and a folder whose gallery cannot be made.
  run = RunMake({"--batch", "none", "-o", "web"}, dir.path());
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "処理するフォルダがありません: " + (dir / "none") + "\n");
  WriteBytes(dir / "blocked", "a file where the output folder goes");
  run = RunMake({"--batch", "trip", "-o", "blocked"}, dir.path());
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "設定値は不正です。確認してください。\nフォルダ " + (dir / "blocked") +
                         " を作成できません: File exists\n");
  run = RunMake({"--batch", "trip", "-o", "web", "-n", ""}, dir.path());
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "出力ファイル名を指定してください\n(--name で指定します)\n");
}

TEST_F(MontrelleMakeTest, UsageErrorsHelpAndVersion) {
  const struct {
    Lines arguments;
    std::string problem;
  } cases[] = {
      {{"--batch", "d"}, "--batch には --out で出力フォルダを指定してください"},
      {{"--batch", "", "-o", "w"}, "--batch には検索フォルダを指定してください"},
      {{"--batch", "d", "-o", "w", "pics/a.jpg"},
       "--batch は --list や画像ファイルと一緒には指定できません"},
      {{"--lists-only", "pics/a.jpg"}, "--lists-only は --batch と一緒に指定してください"},
      {{"-x", "pics/a.jpg"}, "不明なオプションです: -x"},
      {{"pics/a.jpg", "--out"}, "--out には値が必要です"},
      {{"--layout", "grid"},
       "--layout には frame、table、pulldown、responsive のどれかを指定してください: grid"},
      {{"--quiet=yes"}, "--quiet は値をとりません"},
      {{"--help", "--nope"}, "不明なオプションです: --nope"},
  };
  for (const auto& c : cases) {
    Outcome run = RunMake(c.arguments, dir.path());
    EXPECT_EQ(run.status, 2) << c.problem;
    EXPECT_EQ(run.err, "montrelle-make: " + c.problem + "\n" + kUsageHint);
    EXPECT_EQ(run.out, "");
  }
  EXPECT_EQ(FolderTree(dir.path()), (Lines{"pics/", "pics/a.jpg", "pics/b.JPG", "pics/notes.txt"}));

  Outcome version = RunMake({"--version"}, dir.path());
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out, "montrelle-make 0.1.0\n");
}

// Columns a line takes on a terminal: CJK characters (three bytes in UTF-8) take two.
size_t Columns(const std::string& line) {
  size_t columns = 0;
  for (size_t i = 0; i < line.size();) {
    const unsigned char lead = static_cast<unsigned char>(line[i]);
    const size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    columns += length == 3 ? 2 : 1;
    i += length;
  }
  return columns;
}

TEST_F(MontrelleMakeTest, HelpInTheLanguageOfTheLocale) {
  const std::string japanese = "使い方: montrelle-make [オプション] [画像ファイル ...]";
  const std::string english = "Usage: montrelle-make [OPTION]... [IMAGE]...";
  const struct {
    Lines environment;  // LC_ALL, LC_MESSAGES, LANG in this order
    std::string first_line;
  } cases[] = {
      {{"", "", "ja_JP.UTF-8"}, japanese},
      {{"", "", "ja"}, japanese},
      {{"", "", "C.UTF-8"}, english},
      {{"", "", ""}, english},
      {{"", "ja_JP.UTF-8", "en_US.UTF-8"}, japanese},
      {{"", "en_US.UTF-8", "ja_JP.UTF-8"}, english},
      {{"ja_JP.eucJP", "C", "C"}, japanese},
      {{"C", "ja_JP.UTF-8", "ja_JP.UTF-8"}, english},
      {{"", "", "jp_JP"}, english},
  };
  for (const auto& c : cases) {
    Outcome help =
        RunProgram(MONTRELLE_MAKE, {"pics/a.jpg", "-h"}, dir.path(),
                   {.environment = {"LC_ALL=" + c.environment[0], "LC_MESSAGES=" + c.environment[1],
                                    "LANG=" + c.environment[2]},
                    .as_other_user = false});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.err, "");
    const Lines lines = SplitTextLines(help.out);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[0], c.first_line) << c.environment[0] << c.environment[1] << c.environment[2];
    for (const char* option :
         {"--settings", "--list", "--out", "--name", "--title", "--layout", "--keep-existing",
          "--no-exif", "--batch", "--lists-only", "--quiet", "--help", "--version"}) {
      EXPECT_NE(help.out.find(option), std::string::npos) << option;
    }
    for (const std::string& line : lines) EXPECT_LE(Columns(line), 80u) << line;
  }
  EXPECT_EQ(FolderTree(dir.path()), (Lines{"pics/", "pics/a.jpg", "pics/b.JPG", "pics/notes.txt"}));
}

TEST_F(MontrelleMakeTest, ProgressLineOnlyOnATerminal) {
  WriteBytes(dir / "s.ini", SettingsFile({}));
  int status = -1;
  std::string shown =
      RunOnTerminal({"-s", "s.ini", "--layout", "frame", "-o", "out", "pics/a.jpg", "pics/b.JPG"},
                    dir.path(), status);
  EXPECT_EQ(status, 0);
  // The terminal turns each line end into CR LF.
  EXPECT_EQ(shown,
            "HTMLファイル作成  (0/2)\r\033[KHTMLファイル作成 0/2  (0/2)"
            "\r\033[KHTMLファイル作成 1/2  (0/2)\r\033[KHTMLファイル作成 0/2  (0/2)"
            "\r\033[K縮小画像作成 0/2  (0/2)\r\033[K縮小画像作成 1/2  (1/2)"
            "\r\033[K終了しました\r\n")
      << "the progress panel keeps its text when the phase changes, the pictures done of "
         "the whole run follow, and a line is drawn once however often the run lets events "
         "through";
  shown = RunOnTerminal({"-q", "-s", "s.ini", "-o", "out", "pics/a.jpg"}, dir.path(), status);
  EXPECT_EQ(status, 0);
  EXPECT_EQ(shown, "終了しました\r\n");
}

// A picture of noise, which JPEG cannot make much smaller than its pixels.
std::string NoiseJpeg(int width, int height) {
  RgbImage noise = MakeRgbImage(width, height);
  std::uint32_t state = 12345;
  for (std::uint8_t& channel : noise.pixels) {
    state = state * 1103515245 + 12345;
    channel = static_cast<std::uint8_t>(state >> 24);
  }
  return EncodeJpeg(noise);
}

// The disk fills up while the main images are copied: the command stops with the
// one error naming the file it could not write, exit status 1 and no end message;
// every file written before is whole and no temporary file is left.
TEST_F(MontrelleMakeTest, DiskFillingUpStopsTheRunWithWholeFiles) {
  ASSERT_TRUE(CreateFolder(dir / "full"));
  testing::SmallDisk disk(dir / "full", 128);
  SKIP_UNLESS_MOUNTED(disk);
  const std::string big = NoiseJpeg(600, 400);
  ASSERT_GT(big.size(), 128u * 1024) << "the big picture must not fit the disk";
  WriteBytes(dir / "pics/big.jpg", big);
  WriteBytes(dir / "s.ini", SettingsFile({{"Flags", "micopy", "1"}}));
  Outcome run =
      RunMake({"-s", "s.ini", "-o", "full/out", "-q", "pics/a.jpg", "pics/big.jpg"}, dir.path());
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "ディスクがいっぱいです: " + (dir / "full/out/images/big.jpg") + ".\n");
  EXPECT_EQ(
      PictureTree(dir / "full/out"),
      (Lines{".montrelle.record", "ignored.html", "images/", "images/a.jpg JPEG 40x30",
             "small_images/", "small_images/a.jpg JPEG 120x90", "small_images/big.jpg JPEG 120x80",
             "src_files/", "src_files/a.htm", "src_files/big.htm"}));
  EXPECT_EQ(ReadBytes(dir / "full/out/images/a.jpg"), ReadBytes(dir / "pics/a.jpg"));
  for (const char* page : {"ignored.html", "src_files/a.htm", "src_files/big.htm"}) {
    EXPECT_EQ(FileLines(dir / ("full/out/" + std::string(page))).back(), "</HTML>") << page;
  }
}

// Names as Linux allows them: blanks, quotation marks, "#", "%", "&", "<", a
// leading dash, a component of 255 bytes. They come in as arguments and from a
// list file, are written into pages whose links lead to them, and name files.
TEST_F(MontrelleMakeTest, NamesOfEveryKindAreLinkedAsTheyAre) {
  const std::string folder = "pics/#1 & <2>";
  const std::string dash = "-dash.jpg", quoted = "100% \"q\".jpg";
  const std::string longest = std::string(251, 'x') + ".jpg";
  ASSERT_TRUE(CreateFolder(dir / folder));
  for (const std::string& name : {dash, quoted, longest}) {
    WriteBytes(dir / (folder + "/" + name), testing::JpegPicture(40, 30));
  }
  WriteBytes(dir / "list.txt", dir / (folder + "/" + longest) + "\n" +
                                   dir / (folder + "/" + quoted) + "\n\n長い名前\n\n");
  WriteBytes(dir / "s.ini", SettingsFile({{"Flags", "fnoutput", "1"}}));
  Outcome run = RunMake({"-s", "s.ini", "-l", "list.txt", "-o", "out dir", "-n", "#1.html",
                         "--layout", "frame", "--", folder + "/" + dash},
                        dir.path());
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.err, "終了しました\n");
  const std::string page = std::string(251, 'x') + ".htm";
  EXPECT_EQ(
      PictureTree(dir / "out dir"),
      (Lines{"#1.html", ".montrelle.record", "small_images/", "small_images/-dash.jpg JPEG 120x90",
             "small_images/100% \"q\".jpg JPEG 120x90", "small_images/" + longest + " JPEG 120x90",
             "src_files/", "src_files/#1_menu1.htm", "src_files/-dash.htm",
             "src_files/100% \"q\".htm", "src_files/last.gif", "src_files/next.gif",
             "src_files/previous.gif", "src_files/top.gif", "src_files/" + page}));
  EXPECT_EQ(
      FileLines(dir / "out dir/#1.html"),
      (Lines{"<HTML>", "<HEAD>", kCodePageMeta, "", "<TITLE>", "#1", "</TITLE>", "", "</HEAD>",
             "<FRAMESET COLS=\"170,*\" BORDER=\"0\" FRAMEBORDER=\"no\" FRAMESPACING=\"0\">",
             "<FRAME src=\"./src_files/%231_menu1.htm\" name=\"sub\">",
             "<FRAME src=\"./src_files/" + page + "\" name=\"main\">", "</FRAMESET>", "",
             "</HTML>"}));
  const std::string navigation =
      "<A HREF=\"./%231_menu1.htm\" TARGET=\"sub\"><img src=\"%s\" width=\"30\" border=\"0\"></A>";
  auto button = [&](const char* image) {
    std::string cell = navigation;
    return cell.replace(cell.find("%s"), 2, image);
  };
  EXPECT_EQ(
      FileLines(dir / "out dir/src_files/#1_menu1.htm"),
      Concat({PageOpening("#1", kDarkBody),
              {"<BR>",
               "",
               "<TABLE BORDER=0\"\">",
               "<TR>",
               "<A HREF=\"./" + page + "\" TARGET=\"main\"><IMG SRC=\"../small_images/" + longest +
                   "\"><BR>" + longest + "</A>",
               "</TR>",
               "<TR>",
               "<A HREF=\"./100%25 %22q%22.htm\" TARGET=\"main\"><IMG SRC=\"../small_images/100%25 "
               "%22q%22.jpg\"><BR>100% \"q\".jpg</A>",
               "</TR>",
               "<TR>",
               "<A HREF=\"./-dash.htm\" TARGET=\"main\"><IMG SRC=\"../small_images/-dash.jpg\"><BR>"
               "-dash.jpg</A>",
               "</TR>",
               "<TR>",
               "<TR>",
               "<TR>",
               "<tr><td>" + button("top.gif") + "</td>",
               "<td>" + button("last.gif") + "</td></tr>",
               "</TABLE><BR>",
               "(List:1/1)",
               "</CENTER>",
               "",
               "",
               "</BODY>",
               "</HTML>"}}));
  EXPECT_EQ(FileLines(dir / "out dir/src_files/100% \"q\".htm"),
            Concat({PageOpening("#1", kDarkBody),
                    {"<IMG width = 640 SRC=\"../../pics/%231 %26 <2>/100%25 %22q%22.jpg\">", "<BR>",
                     quoted, "</CENTER>", "</BODY>", "</HTML>"}}));
}

// A name that is no valid text cannot go into a page, and a name that starts with
// "-" needs "--" before it: both are refused with a message that says so.
TEST_F(MontrelleMakeTest, NamesThatCannotBeTakenAreRefusedClearly) {
  WriteBytes(dir / "pics/\xFF\xFE.jpg", testing::JpegPicture(40, 30));
  WriteBytes(dir / "-dash.jpg", testing::JpegPicture(40, 30));
  WriteBytes(dir / "s.ini", SettingsFile({}));
  Outcome run = RunMake(
      {"-s", "s.ini", "-o", "out", "-q", "pics/a.jpg", "pics/\xFF\xFE.jpg", "pics/\xFF.txt"},
      dir.path());
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err,
            "pics/\\xFF.txt: 画像ファイルではないので飛ばします\n2 番目の画像: ファイル " +
                (dir / "out/src_files/\\xFF\\xFE.htm") +
                " に書けない文字があります: 「\\xFF\\xFE.jpg」は正しい文字列ではありません.\n");
  EXPECT_EQ(FolderTree(dir / "out"), Lines{});

  run = RunMake({"-s", "s.ini", "-o", "out", "-dash.jpg"}, dir.path());
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.err,
            "montrelle-make: 不明なオプションです: -dash.jpg\n(- で始まる名前のファイルは -- "
            "の後に書いてください)\n" +
                std::string(kUsageHint));
}

// Made again with pictures added at the end, keeping what exists: exactly the new
// pictures are made, and every picture made before stays as it was, to the inode.
TEST_F(MontrelleMakeTest, KeepExistingMakesOnlyThePicturesAddedAtTheEnd) {
  WriteBytes(dir / "pics/c.bmp", testing::BitmapPicture(20, 10));
  WriteBytes(dir / "pics/d.jpg", testing::JpegPicture(50, 20));
  WriteBytes(dir / "s.ini", SettingsFile({{"HTMLtype", "type", "0"},
                                          {"Flags", "micopy", "1"},
                                          {"Flags", "mimake", "1"},
                                          {"Flags", "jpegconvert", "1"}}));
  Lines arguments = {"-s", "s.ini",           "-o",         "out",
                     "-q", "--keep-existing", "pics/a.jpg", "pics/b.JPG"};
  ASSERT_EQ(RunMake(arguments, dir.path()).status, 0);
  const Lines before = PicturesAsTheyAre(dir / "out");

  arguments.insert(arguments.end(), {"pics/c.bmp", "pics/d.jpg"});
  Outcome run = RunMake(arguments, dir.path());
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.err, "終了しました\n");
  EXPECT_EQ(PictureTree(dir / "out"), (Lines{".montrelle.record",
                                             "ignored.html",
                                             "images/",
                                             "images/a.jpg JPEG 640x480",
                                             "images/b.JPG JPEG 640x853",
                                             "images/c.jpg JPEG 640x320",
                                             "images/d.jpg JPEG 640x256",
                                             "small_images/",
                                             "small_images/a.jpg JPEG 120x90",
                                             "small_images/b.JPG JPEG 120x160",
                                             "small_images/c.jpg JPEG 120x60",
                                             "small_images/d.jpg JPEG 120x48",
                                             "src_files/",
                                             "src_files/a.htm",
                                             "src_files/b.htm",
                                             "src_files/c.htm",
                                             "src_files/d.htm",
                                             "src_files/ignored_menu1.htm",
                                             "src_files/last.gif",
                                             "src_files/next.gif",
                                             "src_files/previous.gif",
                                             "src_files/top.gif"}));
  Lines earlier;
  for (const std::string& file : PicturesAsTheyAre(dir / "out")) {
    if (file.find("/c.jpg ") == std::string::npos && file.find("/d.jpg ") == std::string::npos) {
      earlier.push_back(file);
    }
  }
  EXPECT_EQ(earlier, before);
}

// SIGINT stops the run between pictures. It is sent before the command can take
// it, blocked, so that it waits for the command rather than for a moment in the run:
// the run stops at its first picture, with whole pages and no temporary file.
TEST_F(MontrelleMakeTest, InterruptStopsTheRunWithStatus130) {
  sigset_t interrupt, old;
  sigemptyset(&interrupt);
  sigaddset(&interrupt, SIGINT);
  ASSERT_EQ(sigprocmask(SIG_BLOCK, &interrupt, &old), 0);
  const pid_t pid = fork();
  if (pid == 0) {
    std::freopen((dir / "err.txt").c_str(), "w", stderr);
    ExecProgram(MONTRELLE_MAKE, {"-o", "out", "--layout", "table", "pics/a.jpg", "pics/b.JPG"},
                dir.path());
  }
  sigprocmask(SIG_SETMASK, &old, nullptr);
  ASSERT_EQ(kill(pid, SIGINT), 0);
  EXPECT_EQ(ExitStatus(pid), 130);
  EXPECT_EQ(ReadBytes(dir / "err.txt"), "中止しました\n");
  EXPECT_EQ(FolderTree(dir / "out"), (Lines{".montrelle.record", "index.html", "small_images/",
                                            "src_files/", "src_files/a.htm", "src_files/b.htm"}));
  EXPECT_EQ(FileLines(dir / "out/index.html").back(), "</HTML>");
}

// A name with a line break, legal on Linux, would break the list file into wrong
// lines: it is refused where a picture enters the list, and nothing is written.
// The batch stops at the folder that holds one.
TEST_F(MontrelleMakeTest, NamesWithALineBreakAreRefused) {
  for (const char* folder : {"trip/day1", "trip/day2", "trip/day3"}) {
    std::filesystem::create_directories(dir / folder);
  }
  for (const char* name : {"pics/c\rd.jpg", "trip/day1/a.jpg", "trip/day2/a.jpg",
                           "trip/day2/x\ny.jpg", "trip/day3/a.jpg"}) {
    WriteBytes(dir / name, testing::JpegPicture(40, 30));
  }
  WriteBytes(dir / "s.ini", SettingsFile({}));
  const std::string refused = "画像ファイルの名前に改行が含まれているので使えません: ";

  Outcome run = RunMake({"-s", "s.ini", "-o", "out", "pics/a.jpg", "pics/c\rd.jpg"}, dir.path());
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, refused + (dir / "pics/c\\x0Dd.jpg") + ".\n");
  EXPECT_FALSE(LookUpEntry(dir / "out"));

  run = RunMake({"-s", "s.ini", "--batch", "trip", "-o", "web"}, dir.path());
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, refused + (dir / "trip/day2/x\\x0Ay.jpg") + ".\n");
  EXPECT_EQ(FolderTree(dir / "web"),
            (Lines{"day1/", "day1/.montrelle.record", "day1/day1.html", "day1/small_images/",
                   "day1/small_images/a.jpg", "day1/src_files/", "day1/src_files/a.htm"}));
}

}  // namespace
}  // namespace montrelle
