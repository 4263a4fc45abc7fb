#include "platform/text_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "platform/file_error.h"
#include "platform/file_system.h"
#include "platform/path_text.h"

namespace montrelle {
namespace {

// Closes a descriptor once; the destructor never throws.
class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  int get() const { return fd_; }
  // Closes now and reports the close's own failure (a full disk can show only here).
  int Close() {
    int rc = ::close(fd_);
    fd_ = -1;
    return rc == 0 ? 0 : errno;
  }

 private:
  int fd_;
};

// The temporary files are named ".montrelle-" and six letters or digits.
constexpr std::string_view kTemporaryPrefix = ".montrelle-";
constexpr size_t kTemporaryLetters = 6;
constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";

bool IsTemporaryName(std::string_view name) {
  if (!name.starts_with(kTemporaryPrefix) ||
      name.size() != kTemporaryPrefix.size() + kTemporaryLetters) {
    return false;
  }
  return name.find_first_not_of(kLetters, kTemporaryPrefix.size()) == std::string_view::npos;
}

int WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    bytes.remove_prefix(static_cast<size_t>(n));
  }
  return 0;
}

// Creates a new, unused file beside `path` and opens it for writing; `temp` gets
// its name. Created with 0666 so that the umask (and a default ACL of the folder)
// gives it the mode the user's new files get: a page written for the first time
// is private when the user keeps new files private.
int CreateTemporaryBeside(const std::string& path, std::string& temp) {
  const std::string folder = FolderPart(path);
  for (int attempt = 0; attempt < 100; ++attempt) {
    unsigned char random[kTemporaryLetters];
    if (::getrandom(random, sizeof random, 0) != static_cast<ssize_t>(sizeof random)) return -1;
    temp = (folder.empty() ? "." : folder) + "/" + std::string(kTemporaryPrefix);
    for (unsigned char r : random) temp += kLetters[r % (sizeof kLetters - 1)];
    const int fd = ::open(temp.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

}  // namespace

std::string EncodeLines(const std::vector<TextLine>& lines, std::string_view file) {
  std::string out;
  for (const TextLine& line : lines) {
    out += ToCp932(line.text, line.kind, file);
    out += "\r\n";
  }
  return out;
}

void WriteFileReplacing(const std::string& path, std::string_view bytes) {
  std::string temp;
  FileDescriptor fd(CreateTemporaryBeside(path, temp));
  if (fd.get() < 0) throw FileWriteError(errno, path);
  // Locked until it is renamed or removed, through a descriptor of its own that
  // outlives the write's: an unlocked temporary file is one whose writer is gone.
  const FileDescriptor lock(::dup(fd.get()));
  int error = lock.get() < 0 || ::flock(lock.get(), LOCK_EX) != 0 ? errno : 0;
  // A file that is replaced keeps its mode; a new one keeps the mode it was created with.
  struct stat old;
  if (error == 0 && ::stat(path.c_str(), &old) == 0 &&
      ::fchmod(fd.get(), old.st_mode & 07777) != 0) {
    error = errno;
  }
  if (error == 0) error = WriteAll(fd.get(), bytes);
  if (error == 0 && ::fsync(fd.get()) != 0) error = errno;
  int close_error = fd.Close();
  if (error == 0) error = close_error;
  if (error == 0 && ::rename(temp.c_str(), path.c_str()) != 0) error = errno;
  if (error != 0) {
    ::unlink(temp.c_str());
    throw FileWriteError(error, path);
  }
}

void AppendToFile(const std::string& path, std::string_view bytes) {
  // Appending in place could stop half-way through the new bytes on a full disk.
  std::string content = ::access(path.c_str(), F_OK) == 0 ? ReadFileBytes(path) : std::string();
  content += bytes;
  WriteFileReplacing(path, content);
}

void RemoveStaleTemporaryFiles(const std::string& folder) {
  for (const ListedName& entry : ListFolder(folder)) {
    if (entry.is_folder || !IsTemporaryName(entry.name)) continue;
    const std::string path = folder + "/" + entry.name;
    const FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK));
    struct stat st;
    if (fd.get() >= 0 && ::fstat(fd.get(), &st) == 0 && S_ISREG(st.st_mode) &&
        ::flock(fd.get(), LOCK_EX | LOCK_NB) == 0) {
      ::unlink(path.c_str());
    }
  }
}

std::string ReadFileBytes(const std::string& path, size_t limit) {
  FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  struct stat st;
  const auto endless = [&] {
    return limit == SIZE_MAX && (S_ISCHR(st.st_mode) || S_ISBLK(st.st_mode));
  };
  if (fd.get() < 0 || ::fstat(fd.get(), &st) != 0 || S_ISDIR(st.st_mode) || endless()) {
    throw FileOpenError(path);
  }
  // Read straight into a buffer of the file's size (one byte more, to meet the end
  // in the same call), grown should the file grow meanwhile, never past the limit.
  const size_t claimed = static_cast<size_t>(std::max<off_t>(st.st_size, 0));
  std::string out(std::min(claimed, limit - 1) + 1, '\0');
  size_t length = 0;
  while (length < limit) {
    if (length == out.size()) out.resize(std::min(2 * out.size(), limit));
    ssize_t n = ::read(fd.get(), out.data() + length, out.size() - length);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) throw FileOpenError(path);
    if (n == 0) break;
    length += static_cast<size_t>(n);
  }
  out.resize(length);
  return out;
}

std::vector<std::string> SplitTextLines(std::string_view text) {
  std::vector<std::string> lines;
  std::string line;
  bool pending = false;
  for (char c : text) {
    if (c == '\n') {
      lines.push_back(std::move(line));
      line.clear();
      pending = false;
    } else if (c != '\r') {
      line += c;
      pending = true;
    }
  }
  if (pending) lines.push_back(std::move(line));
  return lines;
}

std::vector<std::string> TextFileLines(std::string bytes) {
  size_t eof = bytes.find('\x1A');
  if (eof != std::string::npos) bytes.resize(eof);
  return SplitTextLines(DecodeFileText(bytes));
}

std::vector<std::string> ReadTextFileLines(const std::string& path) {
  return TextFileLines(ReadFileBytes(path));
}

}  // namespace montrelle
