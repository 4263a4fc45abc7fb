// libFuzzer target for the HEIF and AVIF reader (library_picture_fuzzing.h).
#include "library_picture_fuzzing.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  return montrelle::fuzz::CheckLibraryPicture(data, size, montrelle::LibraryFormat::kHeif,
                                              {"HEIF 画像が不正です", "AVIF 画像が不正です"});
}

// libheif 1.15 leaves a small block of libdav1d's behind when the AV1 decoder refuses
// a frame's data: the library's leak, not the reader's, which the leak checker is
// told to pass over (a hook the sanitizer runtime looks up).
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libdav1d.so\n";
}
