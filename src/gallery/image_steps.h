// The two image steps of a make run, after the pages: the reduced images in
// small_images and the main images in images, under the names the pages use.
//
// Each step works through the list in order, showing its phase and "«i»/«count»".
// A source is a JPEG or a bitmap by the kinds of its entry (listed_entry.h); a path
// of both kinds goes through the JPEG branch and then the bitmap branch, a path of
// neither kind is passed over. A bitmap's target is its own .bmp name; with
// `jpegconvert` the picture is written as JPEG under the .jpg name instead, while
// the overwrite question still looks at the .bmp name. Each picture is turned by
// the orientation its entry holds.
//
// The overwrite question is asked once per step, at the first target that exists:
// Yes replaces it and every later target of the step without asking; No keeps
// every picture of the step whose file (the name written, .jpg with `jpegconvert`)
// exists, untouched, when the run's record (run_record.h) says it was made from
// what its entry is now, and makes every other one, so that no page points at a
// picture never made or made from an older source; nothing more is asked in that
// step. No picture that No would keep is decoded before the answer is known: one
// that Yes replaces is then made on the calling thread. In a batch nothing is
// asked and every target is replaced. Copies that are not re-encoded never ask.
//
// Every file is written to a temporary file renamed into place, so no image is ever
// left half-written. A stop asked for through `ui.stop` ends the step
// with RunStopped before its next picture (pictures the workers made ahead of it are
// dropped). A source that cannot be read or decoded throws AppError whose
// text names the source, a target that cannot be written one naming the target; the
// images written before stay. A target that is the source file itself is never
// re-encoded over it (the original would be lost): that throws AppError too.
//
// The pictures are made by a pool of worker threads (ordered_work.h), several at
// once, while everything the user sees happens on the calling thread in list
// order, exactly as if one picture were made after the other: the progress, the
// question (asked when the pictures before the first existing target are written
// and nothing after it), each write, and the first picture that fails, after which
// nothing more is written. The caller's UiServices is only ever called on the
// calling thread; while it waits for a picture it lets the window's events through.
// When the main step will re-encode a JPEG, the reduced step makes its main image
// from the same decode and keeps the encoded bytes for the main step. Pictures
// kept as they are (JPEG copies, bitmaps saved again at their own size) are read
// and written on the calling thread, one after the other, so that no full-size
// picture waits in memory.
//
// In the responsive layout the reduced step makes every size of a JPEG or a
// library's kind (responsive_sizes.h) by area averaging from one decode, the main
// image among them, and writes the other sizes into their sub-folders as it writes
// the reduced image, under its question; the main step averages as well, and
// so do both steps for a bitmap, at its one size.
#pragma once

#include <atomic>
#include <cstddef>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <vector>

#include "gallery/generation_context.h"
#include "imagelist/image_list.h"
#include "imaging/picture_files.h"
#include "platform/ui_services.h"
#include "settings/settings_record.h"

namespace montrelle {

// The answer to a step's overwrite question, which its workers read too.
enum class OverwriteAnswer { kNotAsked, kReplace, kKeep };

// What the two image steps of one run share: the number of worker threads, and the
// main images the reduced step made ahead. These are kept up to `kept_budget` bytes
// of encoded pictures; a picture beyond it is decoded again by the main step. A
// library's kind is always made ahead, and written at once where nothing was.
class ImageWork {
 public:
  static constexpr std::size_t kDefaultKeptBudget = std::size_t{64} << 20;

  explicit ImageWork(int workers, std::size_t kept_budget = kDefaultKeptBudget);
  ~ImageWork();
  ImageWork(const ImageWork&) = delete;
  ImageWork& operator=(const ImageWork&) = delete;

  int workers() const { return workers_; }

  // Whether a main image made ahead may still be kept. Any thread.
  bool HasRoom() const { return !full_; }

  // Keeps the main image of list entry `entry` when it fits the budget; after one
  // that does not fit, none is kept.
  void Keep(int entry, MadePicture main_image);

  // Hands over the kept main images, item i for list entry i of `count`.
  std::vector<std::optional<MadePicture>> TakeKept(int count);

  // The main image of list entry `entry` was written by the reduced step: a picture
  // a library reads, whose main image was not there yet, so that no question was
  // due for it and nothing of it need wait in memory.
  void WroteAhead(int entry) { written_ahead_.insert(entry); }
  bool WasWrittenAhead(int entry) const { return written_ahead_.contains(entry); }

 private:
  friend void StartReducedImages(const GenerationContext&, const ImageFileList&,
                                 const LiveSettings&, bool, ImageWork&);
  friend void MakeReducedImages(const GenerationContext&, const ImageFileList&, const LiveSettings&,
                                UiServices&, bool, ImageWork&);

  // The reduced step's pictures, when they were started before the step.
  struct StartedPictures;

  int workers_;
  std::size_t kept_budget_;
  std::size_t kept_bytes_ = 0;
  std::atomic<bool> full_ = false;
  std::atomic<OverwriteAnswer> reduced_answer_ = OverwriteAnswer::kNotAsked;
  std::map<int, MadePicture> kept_;
  std::set<int> written_ahead_;
  std::unique_ptr<StartedPictures> started_;  // last, so its workers stop first
};

// Whether the reduced step runs: reduced images on and a layout that shows them,
// or the responsive layout, whose grid always does.
bool MakesReducedImages(const LiveSettings& settings);

// Sets the workers to the reduced step's pictures ahead of the step, while the pages
// are written; nothing is written or shown before MakeReducedImages, called later
// with the same arguments, takes them. Nothing happens when that step will not run.
void StartReducedImages(const GenerationContext& context, const ImageFileList& list,
                        const LiveSettings& settings, bool macro_mode, ImageWork& work);

// With reduced images on, in every layout but the pull-down one, and always in the
// responsive one: each picture
// oriented and scaled to `small_width`; JPEGs as JPEG, bitmaps as 24-bit BMP (or
// JPEG with `jpegconvert`). Question: "縮小画像は既に存在します。縮小画像を更新しますか？".
void MakeReducedImages(const GenerationContext& context, const ImageFileList& list,
                       const LiveSettings& settings, UiServices& ui, bool macro_mode,
                       ImageWork& work);

// When the pages use copies. With `mimake`, any oriented picture or the responsive
// layout every picture is
// oriented and scaled to `main_width`; the question (which names the reduced images
// in this step too) is "メイン画像は既に存在します。縮小画像を更新しますか？".
// Otherwise JPEGs are copied byte for byte and bitmaps are saved again at their own
// size, unturned, without a question.
void MakeMainImages(const GenerationContext& context, const ImageFileList& list,
                    const LiveSettings& settings, UiServices& ui, bool macro_mode, ImageWork& work);

}  // namespace montrelle
