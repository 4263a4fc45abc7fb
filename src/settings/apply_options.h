// Turns a loaded TMT_Options into the values the main window's controls hold once
// the settings are applied; the headless command takes its settings the same way.
#pragma once

#include "settings/settings_record.h"

namespace montrelle {

// Changes `live` step by step, in this order:
//  1. layout: HTMLtype.type, or none when it is not 0 to 2;
//  2. the seven numeric texts as decimal;
//  3. the background, link and visited-link colours from their hexadecimal texts;
//  4. the flags fnoutput, simake, micopy, mimake, Preview, CommentOut, CommentOutPD,
//     where ticking fnoutput unticks the pull-down comment option and the other way
//     round, so with both on only the pull-down comment option ends on;
//  5. the background picture when it names an existing file, else empty with
//     bgishow taken as off; then bgishow;
//  6. the flags dontask, jpegconvert, QRVlist;
//  7. the output folder when it names an existing folder, else empty;
//  8. out_name and title.
// A colour text that is not hexadecimal (an empty one included) throws
// NotAnIntegerError("$" + text) with the steps before it applied and the rest not.
void ApplyOptions(const TMT_Options& options, LiveSettings& live);

}  // namespace montrelle
