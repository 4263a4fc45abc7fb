#include "imagelist/image_list.h"

#include <cstdio>
#include <ctime>
#include <utility>

#include "platform/app_error.h"
#include "platform/codepage.h"
#include "platform/file_system.h"
#include "platform/path_text.h"

namespace montrelle {

ImageFileList::ImageFileList() : rows_(kInitialRows) {
  rows_[0] = {"No.", "ファイル名", "サイズ", "更新日時"};
}

ImageEntry ImageFileList::Entry(int n) const {
  const GridRow& r = rows_.at(n);
  return {paths_.at(n - 1), r[1], r[2], r[3], comments_.at(n - 1), orientations_.at(n - 1)};
}

void ImageFileList::EnsureRow(int n) {
  if (row_count() < n + 1) rows_.resize(rows_.size() + kRowGrowth);
}

void RequireOneLinePath(const std::string& path) {
  if (path.find_first_of("\r\n") != std::string::npos) {
    throw AppError("画像ファイルの名前に改行が含まれているので使えません: " + ShownText(path));
  }
}

void ImageFileList::Append(const std::string& path, const std::string& comment,
                           const std::string& orientation) {
  RequireOneLinePath(path);
  int n = count() + 1;
  EnsureRow(n);
  auto entry = LookUpEntry(path);
  rows_[n] = {std::to_string(n), LastComponent(path), entry ? SizeText(entry->size) : "",
              entry ? DateText(entry->last_write) : ""};
  paths_.push_back(path);
  comments_.push_back(comment);
  orientations_.push_back(orientation);
}

void ImageFileList::AddFile(const std::string& path) {
  Append(path, "", kDefaultOrientation);
}

void ImageFileList::Clear() {
  for (int r = 1; r <= count(); ++r) rows_[r] = {};
  paths_.clear();
  comments_.clear();
  orientations_.clear();
}

void ImageFileList::Remove(int r) {
  int last = count();
  for (int k = r; k < last; ++k) {
    for (int c = 1; c < 4; ++c) rows_[k][c] = std::move(rows_[k + 1][c]);
  }
  rows_[last] = {};
  paths_.erase(paths_.begin() + (r - 1));
  comments_.erase(comments_.begin() + (r - 1));
  orientations_.erase(orientations_.begin() + (r - 1));
}

void ImageFileList::Swap(int r) {
  for (int c = 1; c < 4; ++c) std::swap(rows_.at(r)[c], rows_.at(r + 1)[c]);
  std::swap(paths_.at(r - 1), paths_.at(r));
  std::swap(comments_.at(r - 1), comments_.at(r));
  std::swap(orientations_.at(r - 1), orientations_.at(r));
}

std::string SizeText(long long bytes) {
  return std::to_string(bytes / 1000) + " KB";
}

std::string DateText(long long seconds_since_epoch) {
  std::time_t t = static_cast<std::time_t>(seconds_since_epoch);
  std::tm local{};
  if (!localtime_r(&t, &local)) return {};
  char text[64];
  std::snprintf(text, sizeof text, "%04d/%02d/%02d %02d:%02d", local.tm_year + 1900,
                local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min);
  return text;
}

}  // namespace montrelle
