// The make run as it was first built, kept as the reference that the real run is
// timed and checked against: one thread, and for every output the whole file
// decoded into a full-size picture, that picture mirrored, flipped or turned as a
// whole, then point-sampled and encoded.
//
// It writes what the real run writes for the benchmark's galleries (frame layout,
// JPEG sources, a fresh output folder): the pages, the reduced images and the main
// images re-encoded at the main width.
#pragma once

#include <string>

#include "imagelist/image_list.h"
#include "platform/ui_services.h"
#include "settings/settings_record.h"

namespace montrelle::bench {

void PlainMakeRun(const LiveSettings& settings, const ImageFileList& list, UiServices& ui,
                  const std::string& navigation_images_folder);

}  // namespace montrelle::bench
