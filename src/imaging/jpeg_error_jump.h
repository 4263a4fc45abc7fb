// libjpeg's error manager set up to leave the library by longjmp on a fatal error
// and to drop every warning and trace message. Internal to the JPEG codec.
//
// The frame that calls setjmp(jump) and every frame between it and the library
// must hold no object with a non-trivial destructor: the jump skips them.
#pragma once

// jpeglib.h needs size_t and FILE declared first.
#include <csetjmp>
#include <cstddef>
#include <cstdio>

#include <jpeglib.h>

#include "imaging/rgb_image.h"

namespace montrelle {

struct JpegErrorJump {
  jpeg_error_mgr manager;
  std::jmp_buf jump;
};

// Fills `error` and returns the manager to store in the library struct's `err`.
jpeg_error_mgr* InstallErrorJump(JpegErrorJump& error);

// One decompressor; the destructor releases everything the library holds, also
// after a fatal error, and never throws.
struct JpegDecompressor {
  JpegDecompressor() { info.err = InstallErrorJump(error); }
  ~JpegDecompressor() { jpeg_destroy_decompress(&info); }
  JpegDecompressor(const JpegDecompressor&) = delete;
  JpegDecompressor& operator=(const JpegDecompressor&) = delete;

  jpeg_decompress_struct info{};
  JpegErrorJump error{};
};

// The size of a decompressor whose header has been read; ImageTooLargeError when
// it holds more than `max_pixels`.
ImageSize HeaderSize(const JpegDecompressor& d, std::int64_t max_pixels);

}  // namespace montrelle
