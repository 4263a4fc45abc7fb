// Creating the output folder of a make run, one level at a time.
#pragma once

#include <string>

namespace montrelle {

// Makes every missing level of `out_dir`, outermost first. A relative path is
// taken from the current folder. Throws AppError naming the level when one cannot
// be made (a file in the way, no permission), instead of trying it again:
// "フォルダ %s を作成できません: " and the system's reason (SystemErrorText).
void CreateOutputFolder(const std::string& out_dir);

}  // namespace montrelle
