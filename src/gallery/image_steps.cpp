#include "gallery/image_steps.h"

#include <functional>
#include <string>
#include <utility>

#include "gallery/run_status.h"
#include "imagelist/picture_kind.h"
#include "imaging/bitmap_writer.h"
#include "imaging/jpeg_codec.h"
#include "imaging/picture_files.h"
#include "platform/app_error.h"
#include "platform/file_system.h"
#include "platform/path_text.h"
#include "platform/text_file.h"

namespace montrelle {
namespace {

// The question of one step, asked at most once (see the header).
class OverwriteQuestion {
 public:
  OverwriteQuestion(UiServices& ui, bool macro_mode, std::string message)
      : ui_(ui), macro_mode_(macro_mode), message_(std::move(message)) {}

  // Whether `target` may be written; false ends the step.
  bool Allows(const std::string& target) {
    if (!ask_again_ || !FileExists(target)) return true;
    ask_again_ = false;
    return macro_mode_ || ui_.AskOverwrite(message_);
  }

 private:
  UiServices& ui_;
  bool macro_mode_;
  std::string message_;
  bool ask_again_ = true;
};

// One entry as a step sees it: the target is the step's folder and the source's
// own name.
struct StepItem {
  const std::string& source;
  const std::string& orientation;
  std::string target;
};

// The result of a picture operation on the source. The decoders' own texts
// ("JPEG エラー #%d", "ビットマップイメージが不正です") do not say which file
// failed, so the source's name is added unless the text names it already.
template <typename Operation>
std::string FromSource(const std::string& source, Operation operation) {
  try {
    return operation();
  } catch (const AppError& error) {
    const std::string text = error.what();
    if (text.find(source) != std::string::npos) throw;
    throw AppError(text + ": " + source);
  }
}

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

void WriteJpegPicture(const StepItem& item, const std::function<std::string()>& make,
                      Picture picture) {
  WritePicture(item.source, item.target, FromSource(item.source, make), picture);
}

// A decoded bitmap saved under its own name, or as JPEG under the .jpg name.
void WriteBitmapPicture(const StepItem& item, bool jpegconvert,
                        const std::function<RgbImage()>& decode, Picture picture) {
  const std::string bytes = FromSource(item.source, [&] {
    const RgbImage decoded = decode();
    return jpegconvert ? EncodeJpeg(decoded) : EncodeBitmap(decoded);
  });
  if (jpegconvert) {
    WritePicture(item.source, ReplaceExtension(item.target, ".jpg"), bytes, Picture::kRemade);
  } else {
    WritePicture(item.source, item.target, bytes, picture);
  }
}

// Shows the phase, makes the folder and hands each entry to `make`, until `make`
// returns false.
void RunStep(const std::string& phase, const std::string& folder, const ImageFileList& list,
             UiServices& ui, const std::function<bool(const StepItem&)>& make) {
  ShowPhase(ui, phase);
  EnsureFolder(folder);
  for (int i = 0; i < list.count(); ++i) {
    ShowProgress(ui, i, list.count());
    const std::string& source = list.paths()[i];
    if (!make({source, list.orientations()[i], folder + "/" + LastComponent(source)})) return;
  }
}

}  // namespace

void MakeReducedImages(const GenerationContext& context, const ImageFileList& list,
                       const LiveSettings& settings, UiServices& ui, bool macro_mode) {
  if (!settings.simake || settings.layout == static_cast<int>(OutputLayout::kPulldown)) return;
  const int width = context.small_width;
  OverwriteQuestion question(ui, macro_mode, "縮小画像は既に存在します。縮小画像を更新しますか？");
  RunStep("縮小画像作成", context.out_dir + "/small_images", list, ui, [&](const StepItem& item) {
    if (IsJpegPath(item.source)) {
      if (!question.Allows(item.target)) return false;
      WriteJpegPicture(
          item, [&] { return ScaleJpegFile(item.source, width, item.orientation); },
          Picture::kRemade);
    }
    if (IsBitmapPath(item.source)) {
      if (!question.Allows(item.target)) return false;
      WriteBitmapPicture(
          item, settings.jpegconvert,
          [&] { return ScaleBitmapFile(item.source, width, item.orientation); }, Picture::kRemade);
    }
    return true;
  });
}

void MakeMainImages(const GenerationContext& context, const ImageFileList& list,
                    const LiveSettings& settings, UiServices& ui, bool macro_mode) {
  if (!context.uses_image_copies) return;
  const bool resize = settings.mimake || context.any_oriented;
  const int width = context.main_width;
  OverwriteQuestion question(ui, macro_mode,
                             "メイン画像は既に存在します。縮小画像を更新しますか？");
  RunStep("メイン画像コピー", context.out_dir + "/images", list, ui, [&](const StepItem& item) {
    if (IsJpegPath(item.source) && !resize) {
      WriteJpegPicture(
          item, [&] { return ReadFileBytes(item.source); }, Picture::kAsItIs);
    } else if (IsJpegPath(item.source)) {
      if (!question.Allows(item.target)) return false;
      WriteJpegPicture(
          item, [&] { return ScaleJpegFile(item.source, width, item.orientation); },
          Picture::kRemade);
    }
    if (IsBitmapPath(item.source)) {
      if (resize && !question.Allows(item.target)) return false;
      WriteBitmapPicture(
          item, settings.jpegconvert,
          [&] {
            return resize ? ScaleBitmapFile(item.source, width, item.orientation)
                          : ReadBitmapFile(item.source);
          },
          resize ? Picture::kRemade : Picture::kAsItIs);
    }
    return true;
  });
}

}  // namespace montrelle
