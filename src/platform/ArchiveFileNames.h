// Names of the files an archive of rendered records is written to: each made from a record's
// number or a value of its table, safe to create inside the archive folder and never repeated.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vorela {

/// The record number as six digits or more ("000123").
[[nodiscard]] std::string recordFileStem(std::uint32_t number);

/// text made safe as a file name: separators, control and shell characters become '_', leading
/// dots and blanks go, at most 100 bytes of whole UTF-8 characters; empty when nothing is left.
[[nodiscard]] std::string safeFileStem(std::string_view text);

/// stem + extension for each stem in order; a name already given gets "-2", "-3"... before the
/// extension, so no two files are the same.
[[nodiscard]] std::vector<std::string> uniqueFileNames(std::span<const std::string> stems,
                                                       std::string_view extension);

} // namespace vorela
