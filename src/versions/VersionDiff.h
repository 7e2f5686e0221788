// What changed between two versions of the library, in words: sounds added, changed and removed,
// lexemes renamed, template items added, removed and moved.
#pragma once

#include "versions/LibraryFiles.h"

#include <string>
#include <vector>

namespace vorela {

/// One line per change from before to after; false with the reason when a registry text of
/// either is malformed.
[[nodiscard]] bool describeChanges(const LibraryFiles &before, const LibraryFiles &after,
                                   std::vector<std::string> &lines, std::string &error);

} // namespace vorela
