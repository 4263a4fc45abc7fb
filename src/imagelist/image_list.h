// The ordered list of pictures a gallery is made from, and the grid that shows it.
//
// Entries are numbered from 1. The list keeps three parallel columns (paths,
// comments, orientations) and the grid rows: row 0 is the header, row n shows
// entry n. The grid starts with 21 rows and grows by 10 whenever an entry needs a
// row it does not have; it never shrinks, and rows after the last entry are blank.
// The shown texts of a row can be edited in place (they change nothing else) and
// travel with their entry on a move or a delete.
#pragma once

#include <array>
#include <string>
#include <vector>

namespace montrelle {

inline constexpr const char* kDefaultOrientation = "0\t0\t0";

struct ImageEntry {
  std::string path;
  std::string file_name;
  std::string size_text;
  std::string date_text;
  std::string comment;
  std::string orientation = kDefaultOrientation;
};

// The four cells of a grid row: number, file name, size, last-write time.
using GridRow = std::array<std::string, 4>;

class ImageFileList {
 public:
  static constexpr int kInitialRows = 21;
  static constexpr int kRowGrowth = 10;

  ImageFileList();

  int count() const { return static_cast<int>(paths_.size()); }
  const std::vector<std::string>& paths() const { return paths_; }
  const std::vector<std::string>& comments() const { return comments_; }
  const std::vector<std::string>& orientations() const { return orientations_; }

  // Entry n (1-based), with the texts its grid row shows.
  ImageEntry Entry(int n) const;
  void SetComment(int n, const std::string& comment) { comments_.at(n - 1) = comment; }
  void SetOrientation(int n, const std::string& orientation) {
    orientations_.at(n - 1) = orientation;
  }

  int row_count() const { return static_cast<int>(rows_.size()); }
  const GridRow& row(int r) const { return rows_.at(r); }
  // In-place editing of a shown text (row >= 1); nothing else changes.
  void SetShownText(int r, int column, const std::string& text) { rows_.at(r).at(column) = text; }

  // Appends an entry for an existing file, its display texts read from the file.
  // Both throw like RequireOneLinePath, and then change nothing.
  void AddFile(const std::string& path);
  // Appends an entry with these texts (the list file reader and the batch run).
  void Append(const std::string& path, const std::string& comment, const std::string& orientation);
  // Removes every entry; the grid keeps its row count.
  void Clear();
  // Removes entry r (1-based); the entries after it move up.
  void Remove(int r);
  // Swaps entries r and r + 1 with their shown texts; the numbers stay by position.
  void Swap(int r);

 private:
  void EnsureRow(int n);

  std::vector<std::string> paths_, comments_, orientations_;
  std::vector<GridRow> rows_;
};

// Refuses a path holding a line break (CR or LF), legal in a Linux file name:
// the list file holds one path a line, and such a path would come back from it
// as several wrong entries. Throws AppError
// "画像ファイルの名前に改行が含まれているので使えません: «path»".
void RequireOneLinePath(const std::string& path);

// The display texts of a file's directory entry: size in units of 1000 bytes,
// truncated, + " KB"; local last-write time as "YYYY/MM/DD hh:mm".
std::string SizeText(long long bytes);
std::string DateText(long long seconds_since_epoch);

}  // namespace montrelle
