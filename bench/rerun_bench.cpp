#include "bench/rerun_bench.h"

#include <cstdio>
#include <filesystem>
#include <stdexcept>

#include "bench/child_run.h"
#include "bench/quiet_ui.h"
#include "gallery/batch_state.h"
#include "gallery/generate_gallery.h"
#include "imagelist/image_list.h"
#include "settings/apply_options.h"
#include "settings/settings_record.h"

namespace montrelle::bench {
namespace {

ChildOutcome MakeGallery(const LiveSettings& settings, const ImageFileList& list,
                         const std::string& navigation, bool overwrite) {
  return RunInChild([&] {
    QuietUi ui;
    ui.overwrite = overwrite;
    BatchState batch;
    if (!GenerateGallery(settings, list, ui, batch, navigation)) {
      throw std::runtime_error("the make run stopped");
    }
  });
}

// The newest modification time of the pictures under `out`.
std::filesystem::file_time_type NewestPicture(const std::string& out) {
  std::filesystem::file_time_type newest{};
  for (const char* folder : {"/images", "/small_images"}) {
    for (const auto& entry : std::filesystem::directory_iterator(out + folder)) {
      newest = std::max(newest, entry.last_write_time());
    }
  }
  return newest;
}

}  // namespace

bool PrintKeepExistingRerun(const std::vector<std::string>& paths, const std::string& out,
                            const std::string& navigation) {
  ImageFileList list;
  for (const std::string& path : paths) list.Append(path, "", "0\t0\t0");
  LiveSettings settings = FormDefaults();
  ApplyOptions(DefaultOptions(), settings);
  settings.layout = OutputLayout::kFrame;
  settings.micopy = settings.mimake = true;
  settings.out_path = out;
  std::filesystem::remove_all(out);
  const ChildOutcome first = MakeGallery(settings, list, navigation, true);
  if (!first.ok) return false;
  const auto made = NewestPicture(out);
  list.SetComment(1, "one comment changed");
  const ChildOutcome again = MakeGallery(settings, list, navigation, false);
  const bool untouched = again.ok && NewestPicture(out) == made;
  std::printf(
      "  frame gallery with main images, %zu photos: first run %.2f s; made again keeping "
      "what exists after one comment changed: %.3f s%s\n",
      paths.size(), first.seconds, again.seconds,
      untouched ? "" : "  (FAILED or a picture was written)");
  std::fflush(stdout);
  return untouched;
}

}  // namespace montrelle::bench
