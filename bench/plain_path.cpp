#include "bench/plain_path.h"

#include <stdexcept>

#include "gallery/frame_pages.h"
#include "gallery/generation_context.h"
#include "gallery/output_folder.h"
#include "imaging/jpeg_codec.h"
#include "imaging/orientation.h"
#include "imaging/scaling.h"
#include "platform/file_system.h"
#include "platform/path_text.h"
#include "platform/text_file.h"

namespace montrelle::bench {
namespace {

void PlainStep(const GenerationContext& context, const ImageFileList& list,
               const std::string& folder_name, int width) {
  const std::string folder = context.out_dir + "/" + folder_name;
  EnsureFolder(folder);
  for (int i = 0; i < list.count(); ++i) {
    const std::string& source = list.paths()[i];
    RgbImage picture = DecodeJpeg(ReadFileBytes(source));
    const RgbImage oriented = ApplyOrientation(std::move(picture), list.orientations()[i]);
    WriteFileReplacing(folder + "/" + LastComponent(source),
                       EncodeJpeg(ScaleToWidth(oriented, width)));
  }
}

}  // namespace

void PlainMakeRun(const LiveSettings& settings, const ImageFileList& list, UiServices& ui,
                  const std::string& navigation_images_folder) {
  if (settings.layout != OutputLayout::kFrame) {
    throw std::invalid_argument("the plain path makes frame galleries only");
  }
  CreateOutputFolder(settings.out_path);
  const GenerationContext context = DeriveGenerationContext(settings, list);
  WriteFramePages(context, list, settings, ui, navigation_images_folder);
  if (settings.simake) PlainStep(context, list, "small_images", context.small_width);
  if (settings.mimake || context.any_oriented) {
    PlainStep(context, list, "images", context.main_width);
  }
}

}  // namespace montrelle::bench
