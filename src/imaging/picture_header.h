// A picture file's size read from its headers alone, without its pixel data: the
// make run's check of every listed picture before it writes anything, and the
// preview's choice of width; then, within what that size can need, the file.
//
// A JPEG is read up to its first scan with jpeg_read_header, so markers before it
// (Exif and other APP segments) are read and passed over but no entropy-coded data;
// a bitmap's first few kilobytes and its file size are read. Each refuses what the
// full decoder refuses before its first pixel, with the same errors: "ファイル %s
// は開けません" for a file that cannot be opened or is no regular file, libjpeg's
// "JPEG エラー #%d", "ビットマップイメージが不正です", and ImageTooLargeError
// beyond the pixel budget. Damage within the pixel data shows only when decoding.
#pragma once

#include <cstdint>
#include <string>

#include "imaging/rgb_image.h"

namespace montrelle {

ImageSize ReadJpegSize(const std::string& path, std::int64_t max_pixels = kMaxImagePixels);
ImageSize ReadBitmapSize(const std::string& path, std::int64_t max_pixels = kMaxImagePixels);

// The whole file of a picture whose header gave `size`, for decoding. A file larger
// than any picture of that size can need (a sparse giant with a small picture at its
// start) is refused unread: "ファイル %s は画像としては大きすぎます". Throws
// "ファイル %s は開けません" like the header readers.
std::string ReadPictureBytes(const std::string& path, ImageSize size);

}  // namespace montrelle
