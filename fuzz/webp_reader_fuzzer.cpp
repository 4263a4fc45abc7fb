// libFuzzer target for the WebP reader (library_picture_fuzzing.h).
#include "library_picture_fuzzing.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  return montrelle::fuzz::CheckLibraryPicture(data, size, montrelle::LibraryFormat::kWebp,
                                              {"WebP 画像が不正です"});
}
