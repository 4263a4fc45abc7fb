// libFuzzer target for the HEIF and AVIF reader (library_picture_fuzzing.h).
#include "library_picture_fuzzing.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  return montrelle::fuzz::CheckLibraryPicture(data, size, montrelle::LibraryFormat::kHeif,
                                              {"HEIF 画像が不正です", "AVIF 画像が不正です"});
}
