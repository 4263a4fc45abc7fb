// Writes the fuzzer's seed corpus: a few pictures in every BMP variant the reader
// takes, and as the program's own writer stores them. Usage: bitmap_seed_writer DIR
#include <fstream>
#include <iostream>
#include <string>

#include "imaging/bitmap_variants.h"
#include "imaging/bitmap_writer.h"

int main(int argc, char** argv) {
  using namespace montrelle;
  if (argc != 2) {
    std::cerr << "usage: bitmap_seed_writer DIR\n";
    return 2;
  }
  const std::string dir = argv[1];
  int written = 0;
  auto write = [&](const std::string& name, const std::string& bytes) {
    std::ofstream out(dir + "/" + name, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (out) ++written;
  };
  for (int colours : {2, 8}) {
    for (auto [w, h] : {std::pair(9, 5), std::pair(1, 1), std::pair(17, 3)}) {
      const RgbImage picture = testing::PrimaryColourPicture(w, h, colours);
      const std::string size =
          std::to_string(colours) + "-" + std::to_string(w) + "x" + std::to_string(h);
      for (const auto& variant : testing::AllBitmapVariants(colours == 2)) {
        std::string name = variant.name;
        for (char& c : name) c = c == ' ' ? '-' : c;
        write(name + "-" + size + ".bmp", testing::WriteBitmapVariant(picture, variant));
      }
      write("written-" + size + ".bmp", EncodeBitmap(picture));
    }
  }
  std::cout << written << " seeds in " << dir << "\n";
  return written > 0 ? 0 : 1;
}
