#include "gallery/generate_gallery.h"

#include "gallery/frame_pages.h"
#include "gallery/generation_context.h"
#include "gallery/image_steps.h"
#include "gallery/ordered_work.h"
#include "gallery/output_check.h"
#include "gallery/output_folder.h"
#include "gallery/picture_check.h"
#include "gallery/pulldown_page.h"
#include "gallery/qrv_list.h"
#include "gallery/responsive_pages.h"
#include "gallery/run_record.h"
#include "gallery/run_status.h"
#include "gallery/table_pages.h"
#include "platform/app_error.h"
#include "platform/file_system.h"
#include "platform/text_file.h"

namespace montrelle {
namespace {

bool PreconditionsHold(const LiveSettings& settings, const ImageFileList& list, UiServices& ui) {
  if (list.count() == 0) {
    ui.ShowMessage("対象となる画像ファイルを選択してください");
    return false;
  }
  if (settings.out_name.empty()) {
    ui.ShowMessage("出力ファイル名を指定してください");
    ui.FocusControl(FocusTarget::kOutName);
    return false;
  }
  if (settings.out_path.empty()) {
    ui.ShowMessage("出力フォルダを指定してください");
    ui.FocusControl(FocusTarget::kOutPath);
    return false;
  }
  return true;
}

void WritePages(const GenerationContext& context, const ImageFileList& list,
                const LiveSettings& settings, const PictureSizes& sizes, UiServices& ui,
                const std::string& navigation_images_folder) {
  if (!settings.layout) return;
  switch (*settings.layout) {
    case OutputLayout::kFrame:
      WriteFramePages(context, list, settings, ui, navigation_images_folder);
      break;
    case OutputLayout::kTable:
      WriteTablePages(context, list, settings, ui);
      break;
    case OutputLayout::kPulldown:
      WritePulldownPage(context, list, settings, ui);
      break;
    case OutputLayout::kResponsive:
      WriteResponsivePages(context, list, settings, sizes, ui);
      break;
  }
}

// A background already in src_files is kept as it is; a failed copy is passed over.
void CopyBackgroundImage(const GenerationContext& context, const LiveSettings& settings) {
  const std::string src_files = context.SrcFilesFolder();
  EnsureFolder(src_files);
  const std::string copy = src_files + "/" + context.bg_name;
  CopyFileTo(settings.bg_image, copy, true);
  if (FileExists(copy)) NoteWrite(context, copy);
}

// What a killed run left half-written in the folders this run writes into.
void ClearStaleTemporaryFiles(const GenerationContext& context, const LiveSettings& settings,
                              const BatchState& batch) {
  for (const char* folder : {"", "/src_files", "/small_images", "/images"}) {
    RemoveStaleTemporaryFiles(context.out_dir + folder);
  }
  if (settings.qrvlist && batch.macro_mode) RemoveStaleTemporaryFiles(batch.batch_root);
}

// Every file of the gallery, each noted in the run's record.
void WriteGallery(const GenerationContext& context, const ImageFileList& list,
                  const LiveSettings& settings, const PictureSizes& sizes, UiServices& ui,
                  BatchState& batch, const std::string& navigation_images_folder) {
  ImageWork image_work(DefaultWorkerCount());
  // The reduced images are under way while the pages are written.
  StartReducedImages(context, list, settings, batch.macro_mode, image_work);
  if (settings.qrvlist) WriteQrvLine(context, list, settings, batch);
  WritePages(context, list, settings, sizes, ui, navigation_images_folder);
  MakeReducedImages(context, list, settings, ui, batch.macro_mode, image_work);
  MakeMainImages(context, list, settings, ui, batch.macro_mode, image_work);
  if (settings.bgishow) CopyBackgroundImage(context, settings);
}

}  // namespace

bool GenerateGallery(const LiveSettings& settings, const ImageFileList& list, UiServices& ui,
                     BatchState& batch, const std::string& navigation_images_folder) {
  if (!PreconditionsHold(settings, list, ui)) return false;

  GenerationContext context;
  try {
    CreateOutputFolder(settings.out_path);
    context = DeriveGenerationContext(settings, list);
  } catch (const ListedPictureError&) {
    throw;  // an entry's triple, not a setting
  } catch (const AppError& error) {
    ui.ShowMessage(std::string("設定値は不正です。確認してください。\n") + error.what());
    return false;
  }
  // Nothing is written before every picture is known to be readable, so a picture
  // that is not never leaves the gallery already in the folder half replaced.
  CheckRunOutputs(context, list, settings);
  const PictureSizes sizes = CheckListedPictures(context, list);
  ClearStaleTemporaryFiles(context, settings, batch);
  StartGalleryCount(ui, batch.macro_mode, list.count(),
                    int{MakesReducedImages(settings)} + int{context.uses_image_copies});

  RunRecord record(context.out_dir);
  context.record = &record;
  try {
    WriteGallery(context, list, settings, sizes, ui, batch, navigation_images_folder);
  } catch (...) {
    record.Stopped();
    throw;
  }
  for (const std::string& name : record.Finish()) {
    ui.ShowRemovedFile(context.out_dir + "/" + name);
  }

  EndGalleryCount(ui, list.count());
  ClearStatus(ui);
  if (!batch.macro_mode) {
    EndRunCount(ui);
    ui.ShowMessage("終了しました");
  }
  return true;
}

}  // namespace montrelle
