// Errors of the file layer, with the texts the user knows from the platform. File
// names appear as ShownText shows them, since a name on the disk need not be UTF-8.
#pragma once

#include <string>

#include "platform/app_error.h"

namespace montrelle {

// "ファイルへのアクセスが拒否されました" for a refused access,
// "ディスクがいっぱいです" for a full disk, "I/O エラー (%d)" otherwise.
std::string FileErrorText(int error_number);

// The system's own reason for `error_number` (strerror's text, in the locale the
// program runs in): an errno has no meaning as the Windows error number the file
// error texts give.
std::string SystemErrorText(int error_number);

// The error of a failed create or write: the platform text and the file's name.
AppError FileWriteError(int error_number, const std::string& path);

// `error` with ": " and the file's name added, unless its text names the file
// already: the decoders' own texts ("JPEG エラー #%d") do not say which file failed.
AppError NamingFile(const AppError& error, const std::string& path);

// "ファイル %s は開けません".
AppError FileOpenError(const std::string& path);

}  // namespace montrelle
