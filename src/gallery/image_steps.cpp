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
#include "gallery/responsive_sizes.h"
#include "gallery/run_record.h"
#include "gallery/run_status.h"
#include "imaging/bitmap_writer.h"
#include "imaging/jpeg_codec.h"
#include "imaging/jpeg_metadata.h"
#include "imaging/picture_files.h"
#include "imaging/reduced_pictures.h"
#include "platform/app_error.h"
#include "platform/file_error.h"
#include "platform/file_system.h"
#include "platform/path_text.h"
#include "platform/run_stop.h"
#include "platform/text_file.h"

namespace montrelle {
namespace {

// Whether the existing picture `written` may stay instead of one made from
// `facts`: it exists and the run's record, when there is one, says it was made
// from them.
bool KeepsExisting(const RunRecord* record, const std::string& written, const ImageFacts& facts) {
  return FileExists(written) && (!record || record->MayKeep(written, facts));
}

// The question of one step, asked at most once (see the header); a batch answers
// Yes without asking. The answer is shared with the step's workers.
class OverwriteQuestion {
 public:
  OverwriteQuestion(UiServices& ui, bool macro_mode, std::string message,
                    std::atomic<OverwriteAnswer>& answer, const RunRecord* record)
      : ui_(ui), message_(std::move(message)), answer_(answer), record_(record) {
    if (macro_mode) answer_ = OverwriteAnswer::kReplace;
  }

  // Whether a picture made from `facts` is written that is asked about by the
  // name `asked` and written under the name `written`.
  bool Allows(const std::string& asked, const std::string& written, const ImageFacts& facts) {
    if (answer_ == OverwriteAnswer::kNotAsked && FileExists(asked)) {
      answer_ = ui_.AskOverwrite(message_) ? OverwriteAnswer::kReplace : OverwriteAnswer::kKeep;
    }
    return answer_ != OverwriteAnswer::kKeep || !KeepsExisting(record_, written, facts);
  }

 private:
  UiServices& ui_;
  std::string message_;
  std::atomic<OverwriteAnswer>& answer_;
  const RunRecord* record_;
};

// Whether a worker makes a picture now. One that No would keep waits for the
// answer: the writer makes it when the answer is Yes, so that a re-run answered
// No decodes none of the pictures it keeps.
bool MakesNow(const std::atomic<OverwriteAnswer>& answer, const RunRecord* record,
              const std::string& written, const ImageFacts& facts) {
  return answer == OverwriteAnswer::kReplace || !KeepsExisting(record, written, facts);
}

// One entry as a step sees it, its files in the step's folder: `target` is what
// the JPEG branch writes and what the overwrite question looks at, `bitmap_target`
// what the bitmap branch writes.
struct StepItem {
  const std::string& source;
  const ListedEntry& entry;
  std::string target;
  std::string bitmap_target;
  ImageFacts made_from;  // the source and its orientation, as the record holds them
};

// A width a picture is made at; none for a library's kind at its own size, which
// is what a main image that is not remade gets.
using PictureWidth = std::optional<std::int32_t>;

ImageFacts FactsOf(const StepItem& item, PictureWidth width, std::string kind) {
  ImageFacts facts = item.made_from;
  facts.width = width.value_or(0);
  facts.kind = std::move(kind);
  return facts;
}

// How a bitmap's picture is written.
std::string BitmapKind(bool jpegconvert) {
  return jpegconvert ? "jpeg" : "bitmap";
}

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
  // The responsive layout's other sizes, from the same decode, with their files.
  std::vector<std::pair<std::string, MadePicture>> other_sizes;
};

// Whether a step writes the picture as it is (a copy, or a bitmap saved again at
// its own size) or makes a new one (scaled, turned or converted).
enum class Picture { kAsItIs, kRemade };

// Writes `bytes` as `file`, made from `facts`, and notes it in the run's record.
// When `file` is the source itself, a picture as it is is already in place, while
// a remade one would destroy the original: refused.
void WritePicture(const GenerationContext& context, const StepItem& item, const std::string& file,
                  const std::string& bytes, Picture picture, ImageFacts facts) {
  if (IsSameFile(item.source, file)) {
    if (picture == Picture::kAsItIs) return;
    throw AppError("出力先 " + file + " は元の画像ファイルなので書き換えません");
  }
  WriteFileReplacing(file, bytes);
  NoteWrite(context, file, std::move(facts));
}

void WriteBitmapPicture(const GenerationContext& context, const StepItem& item, bool jpegconvert,
                        const MadePicture& made, Picture picture, PictureWidth width) {
  WritePicture(context, item, item.bitmap_target, made.Bytes(),
               jpegconvert ? Picture::kRemade : picture,
               FactsOf(item, width, BitmapKind(jpegconvert)));
}

using Pictures = OrderedWork<EntryPictures>;
using WriteEntry = std::function<void(int entry, const StepItem& item, EntryPictures& made)>;

StepItem ItemOf(const GenerationContext& context, const ImageFileList& list,
                const std::string& folder, int entry) {
  const ListedEntry& listed = context.entries.at(static_cast<size_t>(entry));
  const std::string& source = list.paths()[entry];
  ImageFacts made_from = SourceFacts(source);
  const Orientation& o = listed.orientation;
  made_from.triple = std::to_string(int{o.mirror}) + " " + std::to_string(int{o.flip}) + " " +
                     std::to_string(o.rotation);
  return {source, listed, folder + "/" + listed.image_name, folder + "/" + listed.bitmap_name,
          std::move(made_from)};
}

// The images of `item` the step stands for that it did not write are kept as
// they were: the record names them still.
void NoteKeptImages(const GenerationContext& context, const StepItem& item) {
  if (!context.record) return;
  for (const std::string* file : {&item.target, &item.bitmap_target}) {
    if (FileExists(*file)) context.record->Kept(*file);
  }
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
    const StepItem item = ItemOf(context, list, folder, i);
    write(i, item, made);
    NoteKeptImages(context, item);
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
                      MadePicture& main_image, PictureWidth width, ImageWork& work) {
  const std::string target = MainFolder(context) + "/" + item.entry.image_name;
  if (item.entry.kinds.library && !main_image.error && !FileExists(target)) {
    EnsureFolder(MainFolder(context));
    WritePicture(context, item, target, main_image.bytes, Picture::kRemade,
                 FactsOf(item, width, "jpeg"));
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

// The entry's pictures of each set, averaged from a single decode; the first of
// each set only when the source cannot be made.
std::vector<OfferedPictures> AveragedPictures(const StepItem& item,
                                              std::span<const WidthSet> sets) {
  const ListedEntry& entry = item.entry;
  std::vector<OfferedPictures> made;
  try {
    made = entry.kinds.library ? ReduceLibraryPictureFile(item.source, *entry.kinds.library, sets,
                                                          entry.orientation)
                               : ReduceJpegFile(item.source, sets, entry.orientation);
  } catch (...) {
    made.assign(sets.size(), OfferedPictures(1));
    for (OfferedPictures& set : made) set[0].emplace().error = std::current_exception();
  }
  for (OfferedPictures& set : made) {
    for (std::optional<MadePicture>& picture : set) {
      if (picture) picture = NamingSource(item.source, std::move(*picture));
    }
  }
  return made;
}

// The entry's picture at each of `widths` from a single decode: averaged for the
// responsive layout (`averaged`), otherwise a JPEG sampled while it is decoded, a
// library's kind decoded whole (and at its own size for a width of none, which a
// JPEG never gets).
std::vector<MadePicture> ScaledPictures(const StepItem& item, std::span<const PictureWidth> widths,
                                        bool averaged) {
  const ListedEntry& entry = item.entry;
  std::vector<MadePicture> made(widths.size());
  if (averaged) {
    std::vector<WidthSet> sets;
    for (const PictureWidth& width : widths) sets.push_back({width.value()});
    std::vector<OfferedPictures> pictures = AveragedPictures(item, sets);
    for (size_t k = 0; k < widths.size(); ++k) made[k] = std::move(*pictures[k][0]);
    return made;
  }
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

MadePicture ScaledJpeg(const StepItem& item, PictureWidth width, bool averaged) {
  const PictureWidth widths[] = {width};
  return std::move(ScaledPictures(item, widths, averaged).front());
}

// A bitmap at `width`, encoded as it will be written: averaged for the responsive
// layout (`averaged`), otherwise sampled.
MadePicture ScaledBitmap(const StepItem& item, int width, bool jpegconvert, bool averaged) {
  return MakeBitmap(item.source, jpegconvert, [&] {
    return averaged ? AverageBitmapFile(item.source, width, item.entry.orientation)
                    : ScaleBitmapFile(item.source, width, item.entry.orientation);
  });
}

// The responsive layout's sizes: the thumbnails' and the main images' widths, and
// the folders of the two steps.
struct SizeSets {
  std::array<WidthSet, 2> widths;
  std::array<std::string, 2> folders;

  // The file of size k of `set` (responsive_sizes.h).
  std::string File(std::size_t set, std::size_t k, const StepItem& item) const {
    const auto& sub_folders = set == 0 ? kThumbnailFolders : kMainImageFolders;
    return folders[set] + "/" + sub_folders[k] + item.entry.image_name;
  }

  // Calls `each(file, facts)` for every size but the first of each set, which
  // the steps make as in the other layouts.
  template <typename Each>
  void ForOtherSizes(const StepItem& item, Each each) const {
    for (std::size_t set = 0; set < widths.size(); ++set) {
      for (std::size_t k = 1; k < widths[set].size(); ++k) {
        each(File(set, k, item), FactsOf(item, widths[set][k], "jpeg"));
      }
    }
  }
};

// Whether `allows(file, facts)` holds for the reduced image of `item` or, with
// `sizes`, for any of its other sizes.
template <typename Allows>
bool AnySizeAllowed(const StepItem& item, PictureWidth width, const std::optional<SizeSets>& sizes,
                    Allows allows) {
  bool any = allows(item.target, FactsOf(item, width, "jpeg"));
  if (sizes) {
    sizes->ForOtherSizes(item, [&](const std::string& file, const ImageFacts& facts) {
      any = allows(file, facts) || any;
    });
  }
  return any;
}

// The responsive layout's pictures of one entry: its reduced image, its main image
// and every other size, all averaged from one decode.
void AddSizedPictures(const StepItem& item, const SizeSets& sizes, EntryPictures& made) {
  std::vector<OfferedPictures> pictures = AveragedPictures(item, sizes.widths);
  made.jpeg = std::move(*pictures[0][0]);
  made.main_image = std::move(*pictures[1][0]);
  for (std::size_t set = 0; set < pictures.size(); ++set) {
    for (std::size_t k = 1; k < pictures[set].size(); ++k) {
      if (pictures[set][k]) {
        made.other_sizes.emplace_back(sizes.File(set, k, item), std::move(*pictures[set][k]));
      }
    }
  }
}

// Writes the other sizes of `made` that `allows(file, facts)`, and notes those
// that stay as they were.
template <typename Allows>
void WriteOtherSizes(const GenerationContext& context, const StepItem& item, const SizeSets& sizes,
                     const EntryPictures& made, Allows allows) {
  sizes.ForOtherSizes(item, [&](const std::string& file, const ImageFacts& facts) {
    if (!allows(file, facts)) {
      if (context.record && FileExists(file)) context.record->Kept(file);
      return;
    }
    for (const auto& [made_file, picture] : made.other_sizes) {
      if (made_file != file) continue;
      EnsureFolder(FolderPart(FolderPart(file)));
      EnsureFolder(FolderPart(file));
      WritePicture(context, item, file, picture.Bytes(), Picture::kRemade, facts);
    }
  });
}

// The reduced step's pictures of one entry that are not kept; with `main_ahead`
// the main image too, from the same decode, while there is room to keep it, and
// always for a library's kind, whose decoding costs most; with `sizes` every size.
EntryPictures ReducedPictures(const StepItem& item, const std::array<PictureWidth, 2>& widths,
                              bool main_ahead, bool jpegconvert, const ImageWork& work,
                              const std::atomic<OverwriteAnswer>& answer, const RunRecord* record,
                              const std::optional<SizeSets>& sizes) {
  EntryPictures made;
  const auto makes_now = [&](const std::string& file, const ImageFacts& facts) {
    return MakesNow(answer, record, file, facts);
  };
  if (MadeAsJpeg(item.entry.kinds) && AnySizeAllowed(item, widths[0], sizes, makes_now)) {
    if (sizes) {
      AddSizedPictures(item, *sizes, made);
    } else {
      const bool both = (main_ahead && work.HasRoom()) || item.entry.kinds.library;
      std::vector<MadePicture> pictures =
          ScaledPictures(item, std::span(widths).first(both ? 2 : 1), false);
      made.jpeg = std::move(pictures[0]);
      if (both) made.main_image = std::move(pictures[1]);
    }
  }
  if (item.entry.kinds.bitmap && MakesNow(answer, record, item.bitmap_target,
                                          FactsOf(item, widths[0], BitmapKind(jpegconvert)))) {
    made.bitmap = ScaledBitmap(item, *widths[0], jpegconvert, sizes.has_value());
  }
  return made;
}

// The responsive layout's sizes; none for the other layouts.
std::optional<SizeSets> ResponsiveSizes(const GenerationContext& context,
                                        const LiveSettings& settings) {
  if (!IsResponsive(settings)) return std::nullopt;
  return SizeSets{{ThumbnailWidths(context), MainImageWidths(context)},
                  {ReducedFolder(context), MainFolder(context)}};
}

// A JPEG main image that is not remade: its picture bytes as they are, without
// the metadata that could name a person or a place unless `keepmeta` keeps it.
void WriteJpegCopy(const GenerationContext& context, const StepItem& item, bool keepmeta) {
  const MadePicture copy = Make(item.source, [&] {
    const std::string bytes = ReadFileBytes(item.source);
    return keepmeta ? bytes : JpegWithoutMetadata(bytes);
  });
  WritePicture(context, item, item.target, copy.Bytes(), Picture::kAsItIs,
               FactsOf(item, std::nullopt, keepmeta ? "copy" : "copy without metadata"));
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
                        const LiveSettings& settings, bool macro_mode, ImageWork& work) {
  if (!MakesReducedImages(settings) || work.started_) return;
  if (macro_mode) work.reduced_answer_ = OverwriteAnswer::kReplace;
  const std::string folder = ReducedFolder(context);
  const bool main_ahead = RemakesMainImages(context, settings);
  const std::array<PictureWidth, 2> widths = {
      context.small_width, main_ahead ? PictureWidth(context.main_width) : std::nullopt};
  const bool jpegconvert = settings.jpegconvert;
  const std::optional<SizeSets> sizes = ResponsiveSizes(context, settings);
  // The pictures started here may outlive the caller's context: they keep a copy.
  work.started_ = std::make_unique<ImageWork::StartedPictures>(
      list.count(), work.workers(), [=, &list, &work](int entry) {
        return ReducedPictures(ItemOf(context, list, folder, entry), widths, main_ahead,
                               jpegconvert, work, work.reduced_answer_, context.record, sizes);
      });
}

void MakeReducedImages(const GenerationContext& context, const ImageFileList& list,
                       const LiveSettings& settings, UiServices& ui, bool macro_mode,
                       ImageWork& work) {
  if (!MakesReducedImages(settings)) return;
  StartReducedImages(context, list, settings, macro_mode, work);
  const std::unique_ptr<ImageWork::StartedPictures> started = std::move(work.started_);
  OverwriteQuestion question(ui, macro_mode, "縮小画像は既に存在します。縮小画像を更新しますか？",
                             work.reduced_answer_, context.record);
  const PictureWidth small_width = context.small_width;
  const PictureWidth main_width =
      RemakesMainImages(context, settings) ? PictureWidth(context.main_width) : std::nullopt;
  const std::optional<SizeSets> sizes = ResponsiveSizes(context, settings);
  const auto allows = [&](const StepItem& item) {
    return [&](const std::string& file, const ImageFacts& facts) {
      return question.Allows(item.target, file, facts);
    };
  };
  RunStep("縮小画像作成", "縮小画像", ReducedFolder(context), context, list, ui, started->pictures,
          [&](int entry, const StepItem& item, EntryPictures& made) {
            const ImageFacts facts = FactsOf(item, small_width, "jpeg");
            // A worker passes over what No would keep; Yes makes it here.
            if (sizes && MadeAsJpeg(item.entry.kinds) && !made.jpeg &&
                AnySizeAllowed(item, small_width, sizes, allows(item))) {
              AddSizedPictures(item, *sizes, made);
            }
            if (MadeAsJpeg(item.entry.kinds) && question.Allows(item.target, item.target, facts)) {
              if (!made.jpeg) made.jpeg = ScaledJpeg(item, small_width, false);
              WritePicture(context, item, item.target, made.jpeg->Bytes(), Picture::kRemade, facts);
            }
            if (sizes) WriteOtherSizes(context, item, *sizes, made, allows(item));
            if (made.main_image) {
              KeepOrWriteAhead(context, item, entry, *made.main_image, main_width, work);
            }
            if (item.entry.kinds.bitmap &&
                question.Allows(item.target, item.bitmap_target,
                                FactsOf(item, small_width, BitmapKind(settings.jpegconvert)))) {
              if (!made.bitmap) {
                made.bitmap = ScaledBitmap(item, context.small_width, settings.jpegconvert,
                                           sizes.has_value());
              }
              WriteBitmapPicture(context, item, settings.jpegconvert, *made.bitmap,
                                 Picture::kRemade, small_width);
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
  std::atomic<OverwriteAnswer> answer = OverwriteAnswer::kNotAsked;
  OverwriteQuestion question(ui, macro_mode, "メイン画像は既に存在します。縮小画像を更新しますか？",
                             answer, context.record);
  const std::string folder = MainFolder(context);
  const PictureWidth made_width = resize ? PictureWidth(width) : std::nullopt;
  const std::string bitmap_kind = BitmapKind(settings.jpegconvert);
  const bool averaged = IsResponsive(settings);
  Pictures pictures(list.count(), work.workers(), [&](int entry) {
    const StepItem item = ItemOf(context, list, folder, entry);
    EntryPictures made;
    if (work.WasWrittenAhead(entry)) return made;
    const PictureKinds& kinds = item.entry.kinds;
    // A JPEG is copied as it is when it is not remade; a library's kind is always
    // converted, at its own size when not remade.
    if (((kinds.jpeg && resize) || kinds.library) && !kept[static_cast<size_t>(entry)] &&
        MakesNow(answer, context.record, item.target, FactsOf(item, made_width, "jpeg"))) {
      made.jpeg = ScaledJpeg(item, made_width, averaged);
    }
    if (item.entry.kinds.bitmap && resize &&
        MakesNow(answer, context.record, item.bitmap_target, FactsOf(item, width, bitmap_kind))) {
      made.bitmap = ScaledBitmap(item, width, settings.jpegconvert, averaged);
    }
    return made;
  });
  RunStep(
      "メイン画像コピー", "メイン画像", folder, context, list, ui, pictures,
      [&](int entry, const StepItem& item, EntryPictures& made) {
        std::optional<MadePicture>& main_image = kept[static_cast<size_t>(entry)];
        if (item.entry.kinds.jpeg && !resize) {
          WriteJpegCopy(context, item, settings.keepmeta);
        } else if (MadeAsJpeg(item.entry.kinds) && !work.WasWrittenAhead(entry)) {
          const ImageFacts facts = FactsOf(item, made_width, "jpeg");
          if (question.Allows(item.target, item.target, facts)) {
            if (!main_image && !made.jpeg) made.jpeg = ScaledJpeg(item, made_width, averaged);
            const MadePicture& picture = main_image ? *main_image : *made.jpeg;
            WritePicture(context, item, item.target, picture.Bytes(), Picture::kRemade, facts);
          }
          main_image.reset();
        }
        if (item.entry.kinds.bitmap && resize) {
          if (question.Allows(item.target, item.bitmap_target, FactsOf(item, width, bitmap_kind))) {
            if (!made.bitmap) {
              made.bitmap = ScaledBitmap(item, width, settings.jpegconvert, averaged);
            }
            WriteBitmapPicture(context, item, settings.jpegconvert, *made.bitmap, Picture::kRemade,
                               width);
          }
        } else if (item.entry.kinds.bitmap) {
          const MadePicture as_it_is = MakeBitmap(item.source, settings.jpegconvert,
                                                  [&] { return ReadBitmapFile(item.source); });
          WriteBitmapPicture(context, item, settings.jpegconvert, as_it_is, Picture::kAsItIs,
                             std::nullopt);
        }
      });
}

}  // namespace montrelle
