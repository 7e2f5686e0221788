// The changes of a version told to the operator in Russian: a short summary for the list of
// versions and one line per change for the full list.
#pragma once

#include "versions/VersionDiff.h"

#include <span>
#include <string>
#include <vector>

namespace vorela {

/// "+3 звука, изменён шаблон Задолженность / Оператор 1"; "без изменений" when there are none.
[[nodiscard]] std::string changeSummary(std::span<const LibraryChange> changes);

/// One sentence per change, in the order given.
[[nodiscard]] std::vector<std::string> changeSentences(std::span<const LibraryChange> changes);

} // namespace vorela
