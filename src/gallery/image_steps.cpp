#include "gallery/image_steps.h"

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "gallery/ordered_work.h"
#include "gallery/run_status.h"
#include "imaging/bitmap_writer.h"
#include "imaging/jpeg_codec.h"
#include "imaging/picture_files.h"
#include "platform/app_error.h"
#include "platform/file_error.h"
#include "platform/file_system.h"
#include "platform/run_stop.h"
#include "platform/text_file.h"

namespace montrelle {
namespace {

// The question of one step, asked at most once (see the header). After No the
// step is `keeping`, which its workers read too, so that they make no picture
// that will be kept.
class OverwriteQuestion {
 public:
  OverwriteQuestion(UiServices& ui, bool macro_mode, std::string message,
                    std::atomic<bool>& keeping)
      : ui_(ui), macro_mode_(macro_mode), message_(std::move(message)), keeping_(keeping) {}

  // Whether a picture is written that is asked about by the name `asked` and
  // written under the name `written`.
  bool Allows(const std::string& asked, const std::string& written) {
    if (keeping_) return !FileExists(written);
    if (!ask_again_ || !FileExists(asked)) return true;
    ask_again_ = false;
    if (macro_mode_ || ui_.AskOverwrite(message_)) return true;
    keeping_ = true;
    return !FileExists(written);
  }

 private:
  UiServices& ui_;
  bool macro_mode_;
  std::string message_;
  std::atomic<bool>& keeping_;
  bool ask_again_ = true;
};

// Whether a worker may pass over a picture: the step keeps what exists.
bool Kept(const std::atomic<bool>& keeping, const std::string& written) {
  return keeping && FileExists(written);
}

// One entry as a step sees it, its files in the step's folder: `target` is what
// the JPEG branch writes and what the overwrite question looks at, `bitmap_target`
// what the bitmap branch writes.
struct StepItem {
  const std::string& source;
  const ListedEntry& entry;
  std::string target;
  std::string bitmap_target;
};

// The decoders' own texts ("JPEG エラー #%d", "ビットマップイメージが不正です") do
// not say which file failed, so the source's name is added.
MadePicture NamingSource(const std::string& source, MadePicture made) {
  if (!made.error) return made;
  try {
    std::rethrow_exception(made.error);
  } catch (const AppError& error) {
    made.error = std::make_exception_ptr(NamingFile(error, source));
  } catch (...) {
  }
  return made;
}

// A picture of `source` made by `make`: its bytes, or what it threw.
MadePicture Make(const std::string& source, const std::function<std::string()>& make) {
  MadePicture made;
  try {
    made.bytes = make();
  } catch (...) {
    made.error = std::current_exception();
  }
  return NamingSource(source, std::move(made));
}

// A decoded bitmap encoded as it will be written: as JPEG with `jpegconvert`.
MadePicture MakeBitmap(const std::string& source, bool jpegconvert,
                       const std::function<RgbImage()>& decode) {
  return Make(source, [&] {
    const RgbImage decoded = decode();
    return jpegconvert ? EncodeJpeg(decoded) : EncodeBitmap(decoded);
  });
}

// What a worker makes for one entry of a step.
struct EntryPictures {
  std::optional<MadePicture> jpeg;    // the JPEG branch's picture
  std::optional<MadePicture> bitmap;  // the bitmap branch's picture
  // The reduced step's by-product: the main image, from the same decode.
  std::optional<MadePicture> main_image;
};

// Whether a step writes the picture as it is (a copy, or a bitmap saved again at
// its own size) or makes a new one (scaled, turned or converted).
enum class Picture { kAsItIs, kRemade };

// Writes `bytes` as `file`. When `file` is the source itself, a picture as it is
// is already in place, while a remade one would destroy the original: refused.
void WritePicture(const std::string& source, const std::string& file, const std::string& bytes,
                  Picture picture) {
  if (IsSameFile(source, file)) {
    if (picture == Picture::kAsItIs) return;
    throw AppError("出力先 " + file + " は元の画像ファイルなので書き換えません");
  }
  WriteFileReplacing(file, bytes);
}

void WriteBitmapPicture(const StepItem& item, bool jpegconvert, const MadePicture& made,
                        Picture picture) {
  WritePicture(item.source, item.bitmap_target, made.Bytes(),
               jpegconvert ? Picture::kRemade : picture);
}

using Pictures = OrderedWork<EntryPictures>;
using WriteEntry = std::function<void(int entry, const StepItem& item, EntryPictures& made)>;

StepItem ItemOf(const GenerationContext& context, const ImageFileList& list,
                const std::string& folder, int entry) {
  const ListedEntry& listed = context.entries.at(static_cast<size_t>(entry));
  return {list.paths()[entry], listed, folder + "/" + listed.image_name,
          folder + "/" + listed.bitmap_name};
}

// Shows the phase and makes the folder; then `write` takes each entry with its
// pictures on this thread, in list order. `step` names the step on the progress bar.
void RunStep(const std::string& phase, const std::string& step, const std::string& folder,
             const GenerationContext& context, const ImageFileList& list, UiServices& ui,
             Pictures& pictures, const WriteEntry& write) {
  ShowPhase(ui, phase);
  StartStepCount(ui, step);
  EnsureFolder(folder);
  for (int i = 0; i < list.count(); ++i) {
    StopIfRequested(ui.stop);
    ShowProgress(ui, i, list.count());
    EntryPictures made = pictures.Next([&] { ui.ProcessEvents(); });
    write(i, ItemOf(context, list, folder, i), made);
    CountPicture(ui, i, list.count());
  }
}

// Whether the main step remakes its JPEGs at the main width.
bool RemakesMainImages(const GenerationContext& context, const LiveSettings& settings) {
  return context.uses_image_copies &&
         (settings.mimake || context.any_oriented || IsResponsive(settings));
}

std::string ReducedFolder(const GenerationContext& context) {
  return context.out_dir + "/small_images";
}

std::string MainFolder(const GenerationContext& context) {
  return context.out_dir + "/images";
}

// A main image made by the reduced step: a library's kind is written at once where
// no main image of it is yet; every other is kept for the main step.
void KeepOrWriteAhead(const GenerationContext& context, const StepItem& item, int entry,
                      MadePicture& main_image, ImageWork& work) {
  const std::string target = MainFolder(context) + "/" + item.entry.image_name;
  if (item.entry.kinds.library && !main_image.error && !FileExists(target)) {
    EnsureFolder(MainFolder(context));
    WritePicture(item.source, target, main_image.bytes, Picture::kRemade);
    work.WroteAhead(entry);
  } else {
    work.Keep(entry, std::move(main_image));
  }
}

// Whether the entry's JPEG branch makes a picture of the program's own: a JPEG
// scaled or turned, or any picture a library reads.
bool MadeAsJpeg(const PictureKinds& kinds) {
  return kinds.jpeg || kinds.library;
}

// A width a picture is made at; none for a library's kind at its own size, which
// is what a main image that is not remade gets.
using PictureWidth = std::optional<std::int32_t>;

// The entry's picture at each of `widths` from a single decode: a JPEG sampled
// while it is decoded, a library's kind decoded whole (and at its own size for a
// width of none, which a JPEG never gets).
std::vector<MadePicture> ScaledPictures(const StepItem& item,
                                        std::span<const PictureWidth> widths) {
  const ListedEntry& entry = item.entry;
  std::vector<MadePicture> made(widths.size());
  try {
    if (entry.kinds.library) {
      made = ScaleLibraryPictureFile(item.source, *entry.kinds.library, widths, entry.orientation);
    } else {
      std::vector<std::int32_t> jpeg_widths;
      for (const PictureWidth& width : widths) jpeg_widths.push_back(width.value());
      made = ScaleJpegFileToWidths(item.source, jpeg_widths, entry.orientation);
    }
  } catch (...) {
    for (MadePicture& picture : made) picture.error = std::current_exception();
  }
  for (MadePicture& picture : made) picture = NamingSource(item.source, std::move(picture));
  return made;
}

// The reduced step's pictures of one entry that are not kept; with `main_ahead`
// the main image too, from the same decode, while there is room to keep it, and
// always for a library's kind, whose decoding costs most.
EntryPictures ReducedPictures(const StepItem& item, const std::array<PictureWidth, 2>& widths,
                              bool main_ahead, bool jpegconvert, const ImageWork& work,
                              const std::atomic<bool>& keeping) {
  EntryPictures made;
  if (MadeAsJpeg(item.entry.kinds) && !Kept(keeping, item.target)) {
    const bool both = (main_ahead && work.HasRoom()) || item.entry.kinds.library;
    std::vector<MadePicture> pictures = ScaledPictures(item, std::span(widths).first(both ? 2 : 1));
    made.jpeg = std::move(pictures[0]);
    if (both) made.main_image = std::move(pictures[1]);
  }
  if (item.entry.kinds.bitmap && !Kept(keeping, item.bitmap_target)) {
    made.bitmap = MakeBitmap(item.source, jpegconvert, [&] {
      return ScaleBitmapFile(item.source, *widths[0], item.entry.orientation);
    });
  }
  return made;
}

}  // namespace

bool MakesReducedImages(const LiveSettings& settings) {
  return (settings.simake && settings.layout != OutputLayout::kPulldown) || IsResponsive(settings);
}

struct ImageWork::StartedPictures {
  StartedPictures(int count, int workers, std::function<EntryPictures(int)> make)
      : pictures(count, workers, std::move(make)) {}
  Pictures pictures;
};

ImageWork::ImageWork(int workers, std::size_t kept_budget)
    : workers_(workers), kept_budget_(kept_budget) {}

ImageWork::~ImageWork() = default;

void ImageWork::Keep(int entry, MadePicture main_image) {
  const std::size_t size = main_image.bytes.size();
  if (full_ || kept_bytes_ + size > kept_budget_) {
    full_ = true;
    return;
  }
  kept_bytes_ += size;
  kept_.emplace(entry, std::move(main_image));
}

std::vector<std::optional<MadePicture>> ImageWork::TakeKept(int count) {
  std::vector<std::optional<MadePicture>> kept(static_cast<size_t>(count));
  for (auto& [entry, picture] : kept_) {
    if (entry < count) kept[static_cast<size_t>(entry)] = std::move(picture);
  }
  kept_.clear();
  kept_bytes_ = 0;
  return kept;
}

void StartReducedImages(const GenerationContext& context, const ImageFileList& list,
                        const LiveSettings& settings, ImageWork& work) {
  if (!MakesReducedImages(settings) || work.started_) return;
  const std::string folder = ReducedFolder(context);
  const bool main_ahead = RemakesMainImages(context, settings);
  const std::array<PictureWidth, 2> widths = {
      context.small_width, main_ahead ? PictureWidth(context.main_width) : std::nullopt};
  const bool jpegconvert = settings.jpegconvert;
  // The pictures started here may outlive the caller's context: they keep a copy.
  work.started_ = std::make_unique<ImageWork::StartedPictures>(
      list.count(), work.workers(), [=, &list, &work](int entry) {
        return ReducedPictures(ItemOf(context, list, folder, entry), widths, main_ahead,
                               jpegconvert, work, work.reduced_keeping_);
      });
}

void MakeReducedImages(const GenerationContext& context, const ImageFileList& list,
                       const LiveSettings& settings, UiServices& ui, bool macro_mode,
                       ImageWork& work) {
  if (!MakesReducedImages(settings)) return;
  StartReducedImages(context, list, settings, work);
  const std::unique_ptr<ImageWork::StartedPictures> started = std::move(work.started_);
  OverwriteQuestion question(ui, macro_mode, "縮小画像は既に存在します。縮小画像を更新しますか？",
                             work.reduced_keeping_);
  RunStep("縮小画像作成", "縮小画像", ReducedFolder(context), context, list, ui, started->pictures,
          [&](int entry, const StepItem& item, EntryPictures& made) {
            if (made.jpeg && question.Allows(item.target, item.target)) {
              WritePicture(item.source, item.target, made.jpeg->Bytes(), Picture::kRemade);
            }
            if (made.main_image) KeepOrWriteAhead(context, item, entry, *made.main_image, work);
            if (made.bitmap && question.Allows(item.target, item.bitmap_target)) {
              WriteBitmapPicture(item, settings.jpegconvert, *made.bitmap, Picture::kRemade);
            }
          });
}

void MakeMainImages(const GenerationContext& context, const ImageFileList& list,
                    const LiveSettings& settings, UiServices& ui, bool macro_mode,
                    ImageWork& work) {
  if (!context.uses_image_copies) return;
  const bool resize = RemakesMainImages(context, settings);
  const int width = context.main_width;
  // Each worker looks only at its own entry, this thread only at entries done.
  std::vector<std::optional<MadePicture>> kept = work.TakeKept(list.count());
  std::atomic<bool> keeping = false;
  OverwriteQuestion question(ui, macro_mode, "メイン画像は既に存在します。縮小画像を更新しますか？",
                             keeping);
  const std::string folder = MainFolder(context);
  Pictures pictures(list.count(), work.workers(), [&](int entry) {
    const StepItem item = ItemOf(context, list, folder, entry);
    EntryPictures made;
    if (work.WasWrittenAhead(entry)) return made;
    const PictureKinds& kinds = item.entry.kinds;
    // A JPEG is copied as it is when it is not remade; a library's kind is always
    // converted, at its own size when not remade.
    if (((kinds.jpeg && resize) || kinds.library) && !kept[static_cast<size_t>(entry)] &&
        !Kept(keeping, item.target)) {
      const PictureWidth widths[] = {resize ? PictureWidth(width) : std::nullopt};
      made.jpeg = std::move(ScaledPictures(item, widths).front());
    }
    if (item.entry.kinds.bitmap && resize && !Kept(keeping, item.bitmap_target)) {
      made.bitmap = MakeBitmap(item.source, settings.jpegconvert, [&] {
        return ScaleBitmapFile(item.source, width, item.entry.orientation);
      });
    }
    return made;
  });
  RunStep("メイン画像コピー", "メイン画像", folder, context, list, ui, pictures,
          [&](int entry, const StepItem& item, EntryPictures& made) {
            std::optional<MadePicture>& main_image = kept[static_cast<size_t>(entry)];
            if (item.entry.kinds.jpeg && !resize) {
              const MadePicture copy =
                  Make(item.source, [&] { return ReadFileBytes(item.source); });
              WritePicture(item.source, item.target, copy.Bytes(), Picture::kAsItIs);
            } else if (MadeAsJpeg(item.entry.kinds) && !work.WasWrittenAhead(entry)) {
              const std::optional<MadePicture>& picture = main_image ? main_image : made.jpeg;
              if (picture && question.Allows(item.target, item.target)) {
                WritePicture(item.source, item.target, picture->Bytes(), Picture::kRemade);
              }
              main_image.reset();
            }
            if (made.bitmap) {
              if (question.Allows(item.target, item.bitmap_target)) {
                WriteBitmapPicture(item, settings.jpegconvert, *made.bitmap, Picture::kRemade);
              }
            } else if (item.entry.kinds.bitmap && !resize) {
              const MadePicture as_it_is = MakeBitmap(item.source, settings.jpegconvert,
                                                      [&] { return ReadBitmapFile(item.source); });
              WriteBitmapPicture(item, settings.jpegconvert, as_it_is, Picture::kAsItIs);
            }
          });
}

}  // namespace montrelle
