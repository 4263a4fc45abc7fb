// The re-run a user waits for after a small edit: a frame gallery with main images
// made again into the same folder, keeping what exists, after one comment changed.
// The first run, which makes every picture, is timed apart.
#pragma once

#include <string>
#include <vector>

namespace montrelle::bench {

// Prints both times; false when a run failed or the re-run wrote a picture.
bool PrintKeepExistingRerun(const std::vector<std::string>& paths, const std::string& out,
                            const std::string& navigation);

}  // namespace montrelle::bench
