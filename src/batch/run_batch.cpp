#include "batch/run_batch.h"

#include <algorithm>
#include <optional>
#include <utility>
#include <vector>

#include "batch/album_page.h"
#include "gallery/generate_gallery.h"
#include "gallery/generation_context.h"
#include "gallery/image_steps.h"
#include "gallery/output_folder.h"
#include "gallery/responsive_sizes.h"
#include "gallery/run_status.h"
#include "imagelist/list_file.h"
#include "imagelist/picture_kind.h"
#include "imagelist/string_routines.h"
#include "imaging/exif_orientation.h"
#include "platform/codepage.h"
#include "platform/file_system.h"
#include "platform/run_stop.h"

namespace montrelle {
namespace {

// The folders directly under the search folder, hidden ones left out.
std::vector<std::string> FolderNames(const std::string& search_folder) {
  std::vector<std::string> names;
  for (const ListedName& entry : ListFolder(search_folder)) {
    if (entry.is_folder && !entry.name.starts_with('.')) names.push_back(entry.name);
  }
  return names;
}

// The scan's own loose rule for JPEG and BMP names, and the kinds a picture
// library reads.
bool NamesPicture(const std::string& name) {
  return ContainsAny(name, {"jpg", "JPG", "jpeg", "JPEG", "bmp", "BMP"}) || KindsOf(name).library;
}

// The number of pictures PicturePaths finds, for the progress bar before the batch.
long long PictureCount(const std::string& folder) {
  long long count = 0;
  for (const ListedName& entry : ListFolder(folder)) count += NamesPicture(entry.name);
  return count;
}

// The pictures' paths; a name the list cannot take stops the batch at its folder.
std::vector<std::string> PicturePaths(const std::string& folder) {
  std::vector<std::string> paths;
  for (const ListedName& entry : ListFolder(folder)) {
    if (!NamesPicture(entry.name)) continue;
    paths.push_back(folder + "/" + entry.name);
    RequireOneLinePath(paths.back());
  }
  return paths;
}

// One batch run's inputs, passed to each folder in turn.
struct BatchRun {
  const BatchRequest& request;
  LiveSettings settings;
  ImageFileList& list;
  UiServices& ui;
  BatchState& batch;
  BatchWindows& windows;
  const std::string& navigation_images_folder;
  // The galleries made so far, and the first one's context for the album's look.
  std::vector<AlbumGallery> album;
  std::optional<GenerationContext> album_context;
};

// The gallery just made in `folder` joins the album.
void AddToAlbum(BatchRun& run, const std::string& folder, const ImageFileList& folder_list) {
  GenerationContext context = DeriveGenerationContext(run.settings, folder_list);
  AlbumGallery gallery{
      folder, folder + "/" + context.page_file, std::nullopt, folder_list.count(), {}};
  // The first entry the image steps make a reduced image of: the scan's loose rule
  // also lists names such as jpg_notes.txt, of neither kind.
  const auto first = std::ranges::find_if(context.entries, [](const ListedEntry& entry) {
    return entry.kinds.jpeg || entry.kinds.library || entry.kinds.bitmap;
  });
  if (MakesReducedImages(run.settings) && first != context.entries.end()) {
    const bool as_jpeg = first->kinds.jpeg || first->kinds.library;
    gallery.cover = folder + "/small_images/" + (as_jpeg ? first->image_name : first->bitmap_name);
    for (size_t k = 1; as_jpeg && k < kThumbnailFolders.size(); ++k) {
      const std::string sharper =
          folder + "/small_images/" + kThumbnailFolders[k] + first->image_name;
      if (!FileExists(run.request.out_folder + "/" + sharper)) break;
      gallery.sharper_covers.push_back(sharper);
    }
  }
  run.album.push_back(std::move(gallery));
  if (!run.album_context) run.album_context = std::move(context);
}

// Writes the album of the galleries made, saying so when it could not take the
// name index.html.
void WriteBatchAlbum(const BatchRun& run) {
  if (run.album.empty()) return;
  const std::string name =
      WriteAlbum(run.request.out_folder, *run.album_context, run.settings, run.album);
  if (name != "index.html") {
    run.ui.ShowMessage("index.html は残し、アルバムのページを " + name + " に書きました");
  }
}

// False when the folder's make run stopped with a message.
bool ProcessFolder(BatchRun& run, const std::string& folder) {
  const std::string source = run.request.search_folder + "/" + folder;
  const std::vector<std::string> pictures = PicturePaths(source);
  if (pictures.empty()) return true;
  run.list.Clear();
  for (const std::string& picture : pictures) {
    run.list.AddFile(picture, StartingOrientation(picture, run.settings.exif));
  }
  const std::string& out = run.request.out_folder;
  run.settings.out_path = out + "/" + folder;
  run.settings.out_name = folder + ".html";
  run.windows.ShowFolder(run.settings.out_path, run.settings.out_name);
  if (run.request.lists_only) {
    CreateOutputFolder(out);
    SaveListFile(run.list, out + "/" + folder + "_list.txt", run.ui);
    EndGalleryCount(run.ui, run.list.count());
    return true;
  }
  // The make run lets window events through: it works on a copy, so that an edit in
  // the preview window meanwhile cannot change the list under its feet.
  const ImageFileList folder_list = run.list;
  if (!GenerateGallery(run.settings, folder_list, run.ui, run.batch,
                       run.navigation_images_folder)) {
    return false;
  }
  AddToAlbum(run, folder, folder_list);
  return true;
}

}  // namespace

BatchEnd RunBatch(const BatchRequest& request, LiveSettings settings, ImageFileList& list,
                  UiServices& ui, BatchState& batch, BatchWindows& windows,
                  const std::string& navigation_images_folder) {
  if (settings.out_name.empty()) return BatchEnd::kNotStarted;
  for (const auto& [field, label] : {std::pair(&request.search_folder, "検索フォルダ"),
                                     std::pair(&request.out_folder, "出力フォルダ")}) {
    if (field->empty()) {
      ui.ShowMessage(std::string(label) + "を指定してください");
      return BatchEnd::kNotStarted;
    }
  }
  if (!windows.MayFillList() || !ui.ConfirmOkCancel("マクロ処理を開始します"))
    return BatchEnd::kNotStarted;

  windows.HideBatchWindow();
  batch.macro_first = true;
  batch.batch_root = request.out_folder;
  const std::vector<std::string> folders = FolderNames(request.search_folder);
  if (folders.empty()) {
    windows.ShowBatchWindow();
    ui.ShowMessage("処理するフォルダがありません: " + ShownText(request.search_folder));
    return BatchEnd::kNothingFound;
  }
  BatchRun run{request, std::move(settings),      list, ui,          batch,
               windows, navigation_images_folder, {},   std::nullopt};
  bool finished = true;
  try {
    long long pictures = 0;
    for (const std::string& folder : folders) {
      pictures += PictureCount(request.search_folder + "/" + folder);
    }
    StartRunCount(ui, pictures);
    for (size_t i = 0; finished && i < folders.size(); ++i) {
      StopIfRequested(ui.stop);
      ShowBatchFolder(ui, ShownText(folders[i]), i + 1, folders.size());
      finished = ProcessFolder(run, folders[i]);
    }
  } catch (...) {
    windows.ShowBatchWindow();
    throw;
  }
  windows.ShowBatchWindow();
  EndRunCount(ui);
  if (!finished) return BatchEnd::kStopped;
  WriteBatchAlbum(run);
  ui.Beep();
  ui.ShowMessage("終了しました");
  return BatchEnd::kFinished;
}

}  // namespace montrelle
