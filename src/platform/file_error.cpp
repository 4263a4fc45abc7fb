#include "platform/file_error.h"

#include <cerrno>
#include <system_error>

#include "platform/codepage.h"

namespace montrelle {

std::string FileErrorText(int error_number) {
  switch (error_number) {
    case EACCES:
    case EPERM:
    case EROFS:
      return "ファイルへのアクセスが拒否されました";
    case ENOSPC:
    case EDQUOT:
      return "ディスクがいっぱいです";
    default:
      return "I/O エラー (" + std::to_string(error_number) + ")";
  }
}

std::string SystemErrorText(int error_number) {
  return std::generic_category().message(error_number);
}

AppError FileWriteError(int error_number, const std::string& path) {
  return AppError(FileErrorText(error_number) + ": " + ShownText(path));
}

AppError NamingFile(const AppError& error, const std::string& path) {
  // The file errors show the name as ShownText does, so that is the form looked for.
  const std::string text = error.what();
  const std::string shown = ShownText(path);
  if (text.find(shown) != std::string::npos) return error;
  return AppError(text + ": " + shown);
}

AppError FileOpenError(const std::string& path) {
  return AppError("ファイル " + ShownText(path) + " は開けません");
}

}  // namespace montrelle
