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

// The result of a picture operation on `source`. The decoders' own texts
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

void WriteJpegPicture(const std::string& source, const std::string& target,
                      const std::function<std::string()>& make, Picture picture) {
  WritePicture(source, target, FromSource(source, make), picture);
}

// A decoded bitmap saved under its own name, or as JPEG under the .jpg name.
void WriteBitmapPicture(const std::string& source, const std::string& target, bool jpegconvert,
                        const std::function<RgbImage()>& decode, Picture picture) {
  const std::string bytes = FromSource(source, [&] {
    const RgbImage decoded = decode();
    return jpegconvert ? EncodeJpeg(decoded) : EncodeBitmap(decoded);
  });
  if (jpegconvert) {
    WritePicture(source, ReplaceExtension(target, ".jpg"), bytes, Picture::kRemade);
  } else {
    WritePicture(source, target, bytes, picture);
  }
}

// Shows the phase, makes the folder and hands each entry with its target (the
// folder and the source's own name) to `make`, until `make` returns false.
void RunStep(const std::string& phase, const std::string& folder, const ImageFileList& list,
             UiServices& ui, const std::function<bool(int, const std::string&)>& make) {
  ShowPhase(ui, phase);
  EnsureFolder(folder);
  for (int i = 0; i < list.count(); ++i) {
    ShowProgress(ui, i, list.count());
    if (!make(i, folder + "/" + LastComponent(list.paths()[i]))) return;
  }
}

}  // namespace

void MakeReducedImages(const GenerationContext& context, const ImageFileList& list,
                       const LiveSettings& settings, UiServices& ui, bool macro_mode) {
  if (!settings.simake || settings.layout == static_cast<int>(OutputLayout::kPulldown)) return;
  OverwriteQuestion question(ui, macro_mode, "縮小画像は既に存在します。縮小画像を更新しますか？");
  RunStep("縮小画像作成", context.out_dir + "/small_images", list, ui,
          [&](int i, const std::string& target) {
            const std::string& source = list.paths()[i];
            const std::string& orientation = list.orientations()[i];
            if (IsJpegPath(source)) {
              if (!question.Allows(target)) return false;
              WriteJpegPicture(
                  source, target,
                  [&] { return ScaleJpegFile(source, context.small_width, orientation); },
                  Picture::kRemade);
            }
            if (IsBitmapPath(source)) {
              if (!question.Allows(target)) return false;
              WriteBitmapPicture(
                  source, target, settings.jpegconvert,
                  [&] { return ScaleBitmapFile(source, context.small_width, orientation); },
                  Picture::kRemade);
            }
            return true;
          });
}

void MakeMainImages(const GenerationContext& context, const ImageFileList& list,
                    const LiveSettings& settings, UiServices& ui, bool macro_mode) {
  if (!context.uses_image_copies) return;
  const bool resize = settings.mimake || context.any_oriented;
  OverwriteQuestion question(ui, macro_mode,
                             "メイン画像は既に存在します。縮小画像を更新しますか？");
  RunStep("メイン画像コピー", context.out_dir + "/images", list, ui,
          [&](int i, const std::string& target) {
            const std::string& source = list.paths()[i];
            const std::string& orientation = list.orientations()[i];
            if (IsJpegPath(source)) {
              if (!resize) {
                WriteJpegPicture(
                    source, target, [&] { return ReadFileBytes(source); }, Picture::kAsItIs);
              } else {
                if (!question.Allows(target)) return false;
                WriteJpegPicture(
                    source, target,
                    [&] { return ScaleJpegFile(source, context.main_width, orientation); },
                    Picture::kRemade);
              }
            }
            if (IsBitmapPath(source)) {
              if (resize && !question.Allows(target)) return false;
              WriteBitmapPicture(
                  source, target, settings.jpegconvert,
                  [&] {
                    return resize ? ScaleBitmapFile(source, context.main_width, orientation)
                                  : ReadBitmapFile(source);
                  },
                  resize ? Picture::kRemade : Picture::kAsItIs);
            }
            return true;
          });
}

}  // namespace montrelle
