// Colours as the settings file spells them: the colour value (0xBBGGRR) as
// hexadecimal digits.
#pragma once

#include <string>

#include "settings/settings_record.h"

namespace montrelle {

// The whole text read as a hexadecimal number, digits in either case. Throws
// NotAnIntegerError("$" + text) for an empty text, any other character, or a value
// beyond 32 bits.
ColorValue ParseColorText(const std::string& text);

// The settings loader's check of a colour text: throws "'%s' は色を表す16進数では
// ありません" (the text as ShownText shows it) where ParseColorText would throw.
void RequireColorText(const std::string& text);

// Upper-case hexadecimal digits, zero-padded to at least six ("FFFF00").
std::string ColorText(ColorValue color);

}  // namespace montrelle
