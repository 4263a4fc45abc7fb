#include "support/written_files.h"

#include <sys/stat.h>

#include "imaging/bitmap_reader.h"
#include "imaging/jpeg_codec.h"
#include "platform/codepage.h"
#include "platform/file_system.h"
#include "support/temp_dir.h"

namespace montrelle::testing {

std::vector<std::string> FileLines(const std::string& path) {
  const std::string bytes = ReadBytes(path);
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t end; (end = bytes.find("\r\n", start)) != std::string::npos; start = end + 2) {
    lines.push_back(DecodeFileText(bytes.substr(start, end - start)));
  }
  if (start < bytes.size()) lines.push_back("<no CR LF>" + DecodeFileText(bytes.substr(start)));
  return lines;
}

static void AddTree(const std::string& folder, const std::string& prefix,
                    std::vector<std::string>& entries) {
  for (const ListedName& e : ListFolder(folder)) {
    entries.push_back(prefix + e.name + (e.is_folder ? "/" : ""));
    if (e.is_folder) AddTree(folder + "/" + e.name, prefix + e.name + "/", entries);
  }
}

std::vector<std::string> FolderTree(const std::string& folder) {
  std::vector<std::string> entries;
  AddTree(folder, "", entries);
  return entries;
}

std::vector<std::string> FilesAsTheyAre(const std::string& folder) {
  std::vector<std::string> files;
  for (const std::string& entry : FolderTree(folder)) {
    struct stat st {};
    const std::string path = folder + "/" + entry;
    if (entry.ends_with('/') || ::stat(path.c_str(), &st) != 0) {
      files.push_back(entry);
      continue;
    }
    const long long nanoseconds = st.st_mtim.tv_sec * 1000000000LL + st.st_mtim.tv_nsec;
    files.push_back(entry + " " + std::to_string(st.st_ino) + " " + std::to_string(nanoseconds) +
                    " " + ReadBytes(path));
  }
  return files;
}

static std::string Described(const std::string& entry, const std::string& bytes) {
  try {
    ImageSize size;
    std::string kind;
    if (bytes.empty()) return entry + " (empty)";
    if (bytes.starts_with("BM")) {
      size = BitmapSizeOf(bytes);
      kind = " BMP ";
    } else if (bytes.starts_with("\xFF\xD8")) {
      size = JpegSizeOf(bytes);
      kind = " JPEG ";
    } else {
      return entry;
    }
    return entry + kind + std::to_string(size.width) + "x" + std::to_string(size.height);
  } catch (const AppError& error) {
    return entry + " " + error.what();
  }
}

std::vector<std::string> PictureTree(const std::string& folder) {
  std::vector<std::string> entries = FolderTree(folder);
  for (std::string& entry : entries) {
    if (!entry.ends_with('/')) entry = Described(entry, ReadBytes(folder + "/" + entry));
  }
  return entries;
}

std::vector<std::string> Texts(const std::vector<TextLine>& lines) {
  std::vector<std::string> texts;
  for (const TextLine& line : lines) texts.push_back(line.text);
  return texts;
}

}  // namespace montrelle::testing
