#include "gallery/run_record.h"

#include <utility>

#include "gallery/generation_context.h"

namespace montrelle {

RunRecord::RunRecord(std::string out_dir)
    : out_dir_(std::move(out_dir)), previous_(ReadOutputRecord(out_dir_)) {}

std::optional<std::string> RunRecord::NameOf(const std::string& path) const {
  const std::string prefix = out_dir_ + "/";
  if (!path.starts_with(prefix) || path.size() == prefix.size()) return std::nullopt;
  return path.substr(prefix.size());
}

bool RunRecord::MayKeep(const std::string& path, const ImageFacts& now) const {
  if (previous_.state == OutputRecord::State::kDamaged) return false;
  const std::optional<std::string> name = NameOf(path);
  if (!name) return true;
  const auto recorded = previous_.files.find(*name);
  return recorded == previous_.files.end() || !recorded->second || *recorded->second == now;
}

void RunRecord::Wrote(const std::string& path, std::optional<ImageFacts> facts) {
  if (const std::optional<std::string> name = NameOf(path)) {
    noted_.insert_or_assign(*name, std::move(facts));
  }
}

void RunRecord::Kept(const std::string& path) {
  const std::optional<std::string> name = NameOf(path);
  if (!name || noted_.contains(*name)) return;
  const auto recorded = previous_.files.find(*name);
  noted_.emplace(*name, recorded == previous_.files.end() ? std::nullopt : recorded->second);
}

std::vector<std::string> RunRecord::Finish() {
  WriteOutputRecord(out_dir_, noted_);
  return RemoveUnrecorded(out_dir_, previous_.files, noted_);
}

void RunRecord::Stopped() noexcept {
  RecordedFiles files = previous_.files;
  for (const auto& [name, facts] : noted_) files.insert_or_assign(name, facts);
  try {
    WriteOutputRecord(out_dir_, files);
  } catch (...) {
  }
}

void NoteWrite(const GenerationContext& context, const std::string& path,
               std::optional<ImageFacts> facts) {
  if (context.record) context.record->Wrote(path, std::move(facts));
}

}  // namespace montrelle
