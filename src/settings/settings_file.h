// The settings file "Montrelle.ini": INI text in CP932 with CR LF line ends, ten
// sections of the keys in settings_keys.h, each section followed by an empty line.
#pragma once

#include <string>

#include "settings/settings_record.h"

namespace montrelle {

// WriteSettingsFile modes.
constexpr int kWriteDefaults = 0;  // the default file; the control values are not used
constexpr int kWriteLive = 1;      // the values of the controls

// Creates the file or replaces its whole content; the old file stays whole when
// anything fails. Mode 1 writes numbers as typed, "-1" for no layout, colours as
// upper-case hexadecimal, flags as "1"/"0". Throws AppError, naming the file, for a
// value the code page cannot hold (paths are checked as paths), a value holding a
// line break or end-of-file byte (it would not read back), and a failed write
// (FileWriteError); std::invalid_argument for another mode.
void WriteSettingsFile(const std::string& path, int mode, const LiveSettings& live = {});

// Fills `options` from the file. A file without any section (missing, empty, or
// without a section line) is first replaced by the default file. Each value, with
// the characters up to code 32 trimmed from both ends, is stored key by key in file
// order; a missing key reads as empty. An integer or flag value that is no 32-bit
// integer, or a colour text that is no hexadecimal number, stores the key's default
// and loading goes on; at the end one AppError lists every such key, a line
// "[section] key: '%s' は整数ではありません" (or "...は色を表す16進数ではありません")
// each, joined by ".\n". A file that exists but cannot be read, or is far larger
// than any settings file, throws without writing.
void LoadSettings(const std::string& path, TMT_Options& options);

// LoadSettings without ever writing: returns false, with `options` unchanged, for a
// file without any section. For readers that must leave the file alone.
bool ReadSettingsFile(const std::string& path, TMT_Options& options);

}  // namespace montrelle
