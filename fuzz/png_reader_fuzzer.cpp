// libFuzzer target for the PNG reader (library_picture_fuzzing.h).
#include "library_picture_fuzzing.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  return montrelle::fuzz::CheckLibraryPicture(data, size, montrelle::LibraryFormat::kPng,
                                              {"PNG 画像が不正です"});
}
