#include "gallery/output_record.h"

#include <sys/stat.h>
#include <unistd.h>

#include <charconv>
#include <climits>
#include <cstdlib>
#include <memory>
#include <string_view>

#include "platform/text_file.h"

namespace montrelle {
namespace {

constexpr std::string_view kHeader = "montrelle record 1";
// Far above any real gallery's record; a larger file is not one.
constexpr std::size_t kLargestRecord = std::size_t{256} << 20;

std::string Escaped(std::string_view field) {
  std::string out;
  for (const char c : field) {
    if (c == '\\') {
      out += "\\\\";
    } else if (c == '\t') {
      out += "\\t";
    } else if (c == '\n') {
      out += "\\n";
    } else {
      out += c;
    }
  }
  return out;
}

std::optional<std::string> Unescaped(std::string_view field) {
  std::string out;
  for (std::size_t i = 0; i < field.size(); ++i) {
    if (field[i] != '\\') {
      out += field[i];
      continue;
    }
    if (++i == field.size()) return std::nullopt;
    switch (field[i]) {
      case '\\':
        out += '\\';
        break;
      case 't':
        out += '\t';
        break;
      case 'n':
        out += '\n';
        break;
      default:
        return std::nullopt;
    }
  }
  return out;
}

std::optional<std::vector<std::string>> Fields(std::string_view line) {
  std::vector<std::string> fields;
  while (true) {
    const std::size_t tab = line.find('\t');
    std::optional<std::string> field = Unescaped(line.substr(0, tab));
    if (!field) return std::nullopt;
    fields.push_back(std::move(*field));
    if (tab == std::string_view::npos) return fields;
    line.remove_prefix(tab + 1);
  }
}

template <typename Number>
std::optional<Number> NumberOf(const std::string& text) {
  Number value{};
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || value < 0) return std::nullopt;
  return value;
}

// One line's name and facts, or nothing when the line is no record line.
std::optional<std::pair<std::string, std::optional<ImageFacts>>> ParseLine(std::string_view line) {
  const std::optional<std::vector<std::string>> fields = Fields(line);
  if (!fields || fields->size() < 2 || (*fields)[1].empty()) return std::nullopt;
  const std::vector<std::string>& f = *fields;
  if (f[0] == "file" && f.size() == 2) return std::pair{f[1], std::optional<ImageFacts>()};
  if (f[0] != "image" || f.size() != 8) return std::nullopt;
  const auto size = NumberOf<std::int64_t>(f[3]);
  const auto modified = NumberOf<std::int64_t>(f[4]);
  const auto width = NumberOf<int>(f[6]);
  if (!size || !modified || !width) return std::nullopt;
  return std::pair{
      f[1], std::optional<ImageFacts>(ImageFacts{f[2], *size, *modified, f[5], *width, f[7]})};
}

// A name that stays inside the folder as it is written: relative, without "."
// or ".." levels and without empty ones.
bool IsPlainRelativeName(std::string_view name) {
  if (name.empty() || name.front() == '/' || name.back() == '/') return false;
  std::size_t start = 0;
  while (start <= name.size()) {
    std::size_t end = name.find('/', start);
    if (end == std::string_view::npos) end = name.size();
    const std::string_view level = name.substr(start, end - start);
    if (level.empty() || level == "." || level == "..") return false;
    start = end + 1;
  }
  return true;
}

std::optional<std::string> RealPath(const std::string& path) {
  const std::unique_ptr<char, decltype(&std::free)> real(realpath(path.c_str(), nullptr),
                                                         &std::free);
  if (!real) return std::nullopt;
  return std::string(real.get());
}

// Whether `name` is a regular file (not a link) whose folder, links resolved, lies
// inside the output folder `real_out_dir`.
bool IsRemovable(const std::string& out_dir, const std::string& real_out_dir,
                 const std::string& name) {
  if (!IsPlainRelativeName(name)) return false;
  const std::string path = out_dir + "/" + name;
  struct stat status {};
  if (lstat(path.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) return false;
  const std::size_t slash = path.rfind('/');
  const std::optional<std::string> folder = RealPath(path.substr(0, slash));
  if (!folder || !folder->starts_with(real_out_dir)) return false;
  return folder->size() == real_out_dir.size() || real_out_dir.ends_with('/') ||
         (*folder)[real_out_dir.size()] == '/';
}

}  // namespace

ImageFacts SourceFacts(const std::string& source) {
  ImageFacts facts;
  facts.source = source;
  struct stat status {};
  if (stat(source.c_str(), &status) == 0) {
    facts.size = status.st_size;
    facts.modified = std::int64_t{status.st_mtim.tv_sec} * 1'000'000'000 + status.st_mtim.tv_nsec;
  }
  return facts;
}

OutputRecord ReadOutputRecord(const std::string& out_dir) {
  const std::string path = out_dir + "/" + kOutputRecordName;
  struct stat status {};
  if (lstat(path.c_str(), &status) != 0) return {};
  OutputRecord record;
  record.state = OutputRecord::State::kDamaged;
  std::string bytes;
  try {
    if (!S_ISREG(status.st_mode)) return record;
    bytes = ReadFileBytes(path, kLargestRecord + 1);
  } catch (const std::exception&) {
    return record;
  }
  if (bytes.size() > kLargestRecord || !bytes.ends_with('\n')) return record;
  std::string_view rest(bytes);
  rest.remove_suffix(1);
  RecordedFiles files;
  bool header = true;
  while (true) {
    const std::size_t end = rest.find('\n');
    const std::string_view line = rest.substr(0, end);
    if (header) {
      if (line != kHeader) return record;
      header = false;
    } else {
      auto parsed = ParseLine(line);
      if (!parsed) return record;
      files.insert_or_assign(std::move(parsed->first), std::move(parsed->second));
    }
    if (end == std::string_view::npos) break;
    rest.remove_prefix(end + 1);
  }
  record.state = OutputRecord::State::kRead;
  record.files = std::move(files);
  return record;
}

bool RecordNamesFile(const std::string& out_dir, const std::string& name) {
  const OutputRecord record = ReadOutputRecord(out_dir);
  return record.state == OutputRecord::State::kRead && record.files.contains(name);
}

void WriteOutputRecord(const std::string& out_dir, const RecordedFiles& files) {
  std::string text = std::string(kHeader) + "\n";
  for (const auto& [name, facts] : files) {
    if (!facts) {
      text += "file\t" + Escaped(name) + "\n";
      continue;
    }
    text += "image\t" + Escaped(name) + "\t" + Escaped(facts->source) + "\t" +
            std::to_string(facts->size) + "\t" + std::to_string(facts->modified) + "\t" +
            Escaped(facts->triple) + "\t" + std::to_string(facts->width) + "\t" +
            Escaped(facts->kind) + "\n";
  }
  WriteFileReplacing(out_dir + "/" + kOutputRecordName, text);
}

std::vector<std::string> RemoveUnrecorded(const std::string& out_dir, const RecordedFiles& previous,
                                          const RecordedFiles& kept) {
  std::vector<std::string> removed;
  const std::optional<std::string> real_out_dir = RealPath(out_dir);
  if (!real_out_dir) return removed;
  for (const auto& [name, facts] : previous) {
    if (kept.contains(name) || name == kOutputRecordName) continue;
    if (!IsRemovable(out_dir, *real_out_dir, name)) continue;
    if (unlink((out_dir + "/" + name).c_str()) == 0) removed.push_back(name);
  }
  return removed;
}

}  // namespace montrelle
