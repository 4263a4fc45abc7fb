#include "gallery/qrv_list.h"

#include "gallery/page_rules.h"
#include "imagelist/string_routines.h"
#include "platform/path_text.h"
#include "platform/text_file.h"

namespace montrelle {
namespace {

// A batch's list lies in the batch folder, one level above each gallery, so there
// the names start with the gallery's own folder (its page name without extension).
std::string QrvLine(const GenerationContext& context, const ImageFileList& list,
                    const LiveSettings& settings, bool macro_mode) {
  const std::string& first = list.paths().at(0);
  const std::string name = PageImageName(context, list, settings, 0, NameTest::kPlain);
  const std::string gallery = macro_mode ? context.page_base : "";
  std::string line = macro_mode ? gallery + "/" : "";
  line += context.page_file + "\t";
  if (settings.simake) return line + gallery + "/small_images/" + name;
  return line + RelativeDirUrl(context.out_dir, first) + name;
}

}  // namespace

void WriteQrvLine(const GenerationContext& context, const ImageFileList& list,
                  const LiveSettings& settings, BatchState& batch) {
  const std::string file =
      batch.macro_mode
          ? batch.batch_root + "/" + ReplaceExtension(LastComponent(batch.batch_root), "_QRV.txt")
          : context.out_dir + "/" + ReplaceExtension(settings.out_name, "_QRV.txt");
  const std::string bytes =
      EncodeLines({{QrvLine(context, list, settings, batch.macro_mode), TextKind::kPath}}, file);
  if (batch.macro_mode && !batch.macro_first) {
    AppendToFile(file, bytes);
    return;
  }
  WriteFileReplacing(file, bytes);
  batch.macro_first = false;
}

}  // namespace montrelle
