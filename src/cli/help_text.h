// What `montrelle-make --help` prints, in the language of the user's locale.
#pragma once

#include <string>

namespace montrelle {

enum class HelpLanguage { kJapanese, kEnglish };

// The locale's language as the C library would choose the messages' one: the first
// non-empty of LC_ALL, LC_MESSAGES and LANG; a value starting with "ja" is
// Japanese, anything else (or none at all) English.
HelpLanguage HelpLanguageOfLocale();

std::string HelpText(HelpLanguage language);

}  // namespace montrelle
