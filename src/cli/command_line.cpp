#include "cli/command_line.h"

#include <array>

#include "platform/file_system.h"

namespace montrelle {
namespace {

enum class Takes { kNothing, kValue };

struct OptionSpec {
  const char* short_name;  // "" when there is none
  const char* long_name;
  Takes takes;
};

constexpr std::array<OptionSpec, 14> kOptions = {{
    {"-s", "--settings", Takes::kValue},
    {"-l", "--list", Takes::kValue},
    {"-o", "--out", Takes::kValue},
    {"-n", "--name", Takes::kValue},
    {"-t", "--title", Takes::kValue},
    {"", "--layout", Takes::kValue},
    {"", "--batch", Takes::kValue},
    {"", "--lists-only", Takes::kNothing},
    {"", "--keep-existing", Takes::kNothing},
    {"", "--no-exif", Takes::kNothing},
    {"", "--keep-metadata", Takes::kNothing},
    {"-q", "--quiet", Takes::kNothing},
    {"-h", "--help", Takes::kNothing},
    {"", "--version", Takes::kNothing},
}};

const OptionSpec* FindOption(const std::string& name) {
  for (const OptionSpec& spec : kOptions) {
    if (name == spec.long_name || (*spec.short_name && name == spec.short_name)) return &spec;
  }
  return nullptr;
}

// A picture whose name starts with "-" reads as an option; when the argument is
// such a file, the message says how to give it.
UsageError UnknownOption(const std::string& argument, const std::string& name) {
  std::string problem = "不明なオプションです: " + name;
  if (FileExists(argument)) problem += "\n(- で始まる名前のファイルは -- の後に書いてください)";
  return UsageError(problem);
}

OutputLayout ParseLayout(const std::string& value) {
  if (value == "frame") return OutputLayout::kFrame;
  if (value == "table") return OutputLayout::kTable;
  if (value == "pulldown") return OutputLayout::kPulldown;
  if (value == "responsive") return OutputLayout::kResponsive;
  throw UsageError("--layout には frame、table、pulldown、responsive のどれかを指定してください: " +
                   value);
}

void Apply(CommandOptions& options, const std::string& option, const std::string& value) {
  if (option == "--settings") options.settings_file = value;
  if (option == "--list") options.list_file = value;
  if (option == "--out") options.out = value;
  if (option == "--name") options.name = value;
  if (option == "--title") options.title = value;
  if (option == "--layout") options.layout = ParseLayout(value);
  if (option == "--batch") options.batch = value;
  if (option == "--lists-only") options.lists_only = true;
  if (option == "--keep-existing") options.keep_existing = true;
  if (option == "--no-exif") options.no_exif = true;
  if (option == "--keep-metadata") options.keep_metadata = true;
  if (option == "--quiet") options.quiet = true;
  if (option == "--help") options.help = true;
  if (option == "--version") options.version = true;
}

void RequireCompatible(const CommandOptions& options) {
  if (options.lists_only && !options.batch) {
    throw UsageError("--lists-only は --batch と一緒に指定してください");
  }
  if (!options.batch) return;
  if (options.batch->empty()) throw UsageError("--batch には検索フォルダを指定してください");
  if (!options.out || options.out->empty()) {
    throw UsageError("--batch には --out で出力フォルダを指定してください");
  }
  if (options.list_file || !options.images.empty()) {
    throw UsageError("--batch は --list や画像ファイルと一緒には指定できません");
  }
}

}  // namespace

CommandOptions ParseCommandLine(const std::vector<std::string>& arguments) {
  CommandOptions options;
  bool options_ended = false;
  for (size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (options_ended || argument == "-" || !argument.starts_with('-')) {
      options.images.push_back(argument);
      continue;
    }
    if (argument == "--") {
      options_ended = true;
      continue;
    }
    const size_t equals = argument.starts_with("--") ? argument.find('=') : std::string::npos;
    const std::string name = argument.substr(0, equals);
    const OptionSpec* spec = FindOption(name);
    if (!spec) throw UnknownOption(argument, name);
    std::string value;
    if (spec->takes == Takes::kNothing) {
      if (equals != std::string::npos) throw UsageError(name + " は値をとりません");
    } else if (equals != std::string::npos) {
      value = argument.substr(equals + 1);
    } else if (i + 1 < arguments.size()) {
      value = arguments[++i];
    } else {
      throw UsageError(name + " には値が必要です");
    }
    Apply(options, spec->long_name, value);
  }
  if (!options.help && !options.version) RequireCompatible(options);
  return options;
}

}  // namespace montrelle
