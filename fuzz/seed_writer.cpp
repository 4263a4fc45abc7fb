// Writes the seed corpora of the fuzz targets, one folder each under DIR: bitmap,
// jpeg, exif, list, settings, text, record, heif, png and webp. Nothing of it is
// kept in the repository; the fuzz script makes it afresh. Usage: seed_writer DIR
#include <sys/stat.h>

#include <algorithm>
#include <fstream>
#include <iostream>
#include <string>
#include <utility>

#include "gallery/output_record.h"
#include "imagelist/list_file.h"
#include "imaging/bitmap_variants.h"
#include "imaging/bitmap_writer.h"
#include "imaging/library_test_pictures.h"
#include "imaging/test_pictures.h"
#include "settings/settings_file.h"

namespace {

using namespace montrelle;

int written = 0;

void Write(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (out) ++written;
}

std::string Folder(const std::string& dir, const char* name) {
  const std::string folder = dir + "/" + name;
  mkdir(folder.c_str(), 0755);
  return folder;
}

void BitmapSeeds(const std::string& folder) {
  for (int colours : {2, 8}) {
    for (auto [w, h] : {std::pair(9, 5), std::pair(1, 1), std::pair(17, 3)}) {
      const RgbImage picture = testing::PrimaryColourPicture(w, h, colours);
      const std::string size =
          std::to_string(colours) + "-" + std::to_string(w) + "x" + std::to_string(h);
      for (const auto& variant : testing::AllBitmapVariants(colours == 2)) {
        std::string name = variant.name;
        for (char& c : name) c = c == ' ' ? '-' : c;
        Write(folder + "/" + name + "-" + size + ".bmp",
              testing::WriteBitmapVariant(picture, variant));
      }
      Write(folder + "/written-" + size + ".bmp", EncodeBitmap(picture));
    }
  }
}

// The JPEG target reads an orientation choice and two widths before the file.
void JpegSeeds(const std::string& folder) {
  const std::pair<const char*, testing::JpegCoding> codings[] = {
      {"baseline", {}},
      {"progressive", {.progressive = true}},
      {"arithmetic", {.arithmetic = true}},
      {"444", {.full_chroma = true}},
      {"restarts", {.restart_rows = 1}},
      {"scan-per-component", {.scan_per_component = true}}};
  int choice = 0;
  for (const auto& [name, coding] : codings) {
    for (auto [w, h] : {std::pair(17, 13), std::pair(1, 1), std::pair(40, 9)}) {
      const std::string prefix{static_cast<char>(choice++), static_cast<char>(8 + w % 50),
                               static_cast<char>(40 + w % 20)};
      Write(folder + "/" + name + "-" + std::to_string(w) + "x" + std::to_string(h) + ".jpg",
            prefix + testing::CodedJpeg(testing::CoordinatePicture(w, h), coding));
    }
  }
  // Every sampling layout, each in another orientation and at other widths.
  for (const auto& layout : testing::kJpegLayouts) {
    const std::string prefix{static_cast<char>(choice), static_cast<char>(5 + choice * 3),
                             static_cast<char>(30 + choice)};
    ++choice;
    std::string name = layout.name;
    std::replace_if(
        name.begin(), name.end(), [](char c) { return c == ' ' || c == ':'; }, '-');
    Write(folder + "/layout-" + name + ".jpg", prefix + testing::NoisyJpeg(29, 22, layout));
  }
  Write(folder + "/encoder.jpg", std::string("\x04\x20\x30", 3) + testing::JpegPicture(23, 31));
  Write(folder + "/grey.jpg", std::string("\x08\x10\x02", 3) + testing::GreyJpeg(19, 7));
  Write(folder + "/cmyk.jpg", std::string("\x0c\x10\x05", 3) + testing::CmykJpeg(8, 8));
}

// Tagged files in both byte orders, before and after the JFIF segment, and cut.
void ExifSeeds(const std::string& folder) {
  const std::string jpeg = testing::JpegPicture(9, 5);
  for (const bool big_endian : {false, true}) {
    for (int tag = 1; tag <= 8; ++tag) {
      const std::string name = folder + "/" + (big_endian ? "mm-" : "ii-") + std::to_string(tag);
      Write(name + ".jpg", testing::WithExifOrientation(jpeg, tag, big_endian));
      Write(name + "-after-jfif.jpg",
            jpeg.substr(0, 20) + testing::ExifSegment(tag, big_endian) + jpeg.substr(20));
    }
  }
  Write(folder + "/cut.jpg", testing::WithExifOrientation(jpeg, 6).substr(0, 30));
  Write(folder + "/untagged.jpg", jpeg);
}

// Each kind in every way the test writers store it, at a few small sizes.
void LibrarySeeds(const std::string& dir) {
  using testing::LibraryKind;
  const std::pair<const char*, testing::LibraryCoding> codings[] = {
      {"heif/heic", {.kind = LibraryKind::kHeic}},
      {"heif/heic-turned", {.kind = LibraryKind::kHeic, .quarter_turn = true}},
      {"heif/avif", {.kind = LibraryKind::kAvif}},
      {"heif/avif-alpha", {.kind = LibraryKind::kAvif, .alpha = true}},
      {"png/rgb", {}},
      {"png/rgba", {.alpha = true}},
      {"png/16-bit", {.png_bits = 16}},
      {"png/16-bit-rgba", {.alpha = true, .png_bits = 16}},
      {"png/palette", {.png_palette = true}},
      {"png/palette-trns-interlaced", {.alpha = true, .png_palette = true, .png_interlaced = true}},
      {"png/interlaced", {.png_interlaced = true}},
      {"webp/lossless", {.kind = LibraryKind::kWebp}},
      {"webp/lossless-alpha", {.kind = LibraryKind::kWebp, .alpha = true}},
      {"webp/lossy", {.kind = LibraryKind::kWebp, .lossy_webp = true}},
      {"webp/lossy-alpha", {.kind = LibraryKind::kWebp, .alpha = true, .lossy_webp = true}},
      {"webp/animation", {.kind = LibraryKind::kWebp, .alpha = true, .webp_animation = true}}};
  for (auto [w, h] : {std::pair(17, 13), std::pair(1, 1), std::pair(40, 9)}) {
    for (const auto& [name, coding] : codings) {
      // Few colours, so that a palette holds them.
      const RgbImage picture = testing::QuadrantPicture(w, h);
      Write(dir + "/" + name + "-" + std::to_string(w) + "x" + std::to_string(h),
            testing::LibraryPictureBytes(picture, coding));
    }
  }
}

void ListSeeds(const std::string& folder) {
  ImageFileList list;
  list.Append("/home/写真/庭.jpg", "春の庭", "1\t0\t0");
  list.Append("/home/写真/b.bmp", "", "0\t0\t2");
  list.Append("/home/写真/c.JPEG", "ｶﾒﾗ〜", "1\t1\t3");
  Write(folder + "/saved.txt", ListFileBytes(list, "saved.txt"));
  Write(folder + "/bare.txt", "/a.jpg\n/b.jpg\n/c.bmp");
  Write(folder + "/utf8-bom.txt", "\xEF\xBB\xBF/写真/a.jpg\n\n夏〜\n0\t0\t1\n");
  Write(folder + "/windows.txt", "C:\\\x95\x5c\\a.jpg\r\n\r\n\x8f\x74\r\n1\t0\t0\r\n\x1A junk");
  Write(folder + "/blocks.txt", "/a.jpg\n\nc\n1\t0\t0\n/d.jpg\n\ncd\n0\t1\t0\n\n/e.jpg\n");
}

void SettingsSeeds(const std::string& folder) {
  WriteSettingsFile(folder + "/defaults.ini", kWriteDefaults);
  LiveSettings live;
  live.layout = OutputLayout::kTable;
  live.title = "旅行の写真";
  live.out_path = "/srv/gallery";
  live.bg_color = 0x0080FF;
  live.simake = live.qrvlist = live.jpegconvert = true;
  WriteSettingsFile(folder + "/live.ini", kWriteLive, live);
  written += 2;
  Write(folder + "/loose.ini",
        "junk\r\n[color]\r\n LINK_COLOR = \"00ff00\" \r\n[Flags]\r\nsimake=2\r\n[HTMLtype]\r\n"
        "type=261\r\n[Other]\r\ntitle='  q  '\r\n");
}

void TextSeeds(const std::string& folder) {
  Write(folder + "/cp932", "\x8f\x74\x82\xcc\x92\xeb\r\n\x81\x60\xb6\xd2\xd7\r\n");
  Write(folder + "/utf8", "\xEF\xBB\xBF春の庭\n〜‖−¢£¬—\n¥‾\n😀\n");
  Write(folder + "/katakana-pairs", "\xc3\xbd\xc4\xb1");
  Write(folder + "/broken", "a\x81\n\xff\xfe\x80\x1a");
}

// A record as a run writes it; the fuzzer finds its way to hostile names.
void RecordSeeds(const std::string& folder) {
  WriteOutputRecord(
      folder,
      {{"index.html", std::nullopt},
       {"images/a\tb.jpg", ImageFacts{"/pics/a\tb.jpg", 1200, 1700000000123, "0 0 1", 550, "jpeg"}},
       {"../outside.txt", std::nullopt}});
  ++written;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: seed_writer DIR\n";
    return 2;
  }
  const std::string dir = argv[1];
  BitmapSeeds(Folder(dir, "bitmap"));
  JpegSeeds(Folder(dir, "jpeg"));
  ExifSeeds(Folder(dir, "exif"));
  ListSeeds(Folder(dir, "list"));
  SettingsSeeds(Folder(dir, "settings"));
  TextSeeds(Folder(dir, "text"));
  RecordSeeds(Folder(dir, "record"));
  for (const char* kind : {"heif", "png", "webp"}) Folder(dir, kind);
  LibrarySeeds(dir);
  std::cout << written << " seeds in " << dir << "\n";
  return written > 0 ? 0 : 1;
}
