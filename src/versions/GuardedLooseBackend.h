// The loose object store of the history, with one guard: libgit2 1.5's loose reader loops without
// end on an object file cut short (a failing disk, a copy broken off), which would hang the editor
// and the tool. Every read is checked to be a whole zlib stream first and refused otherwise;
// everything else is libgit2's own store.
#pragma once

#include <git2/sys/odb_backend.h>

#include <filesystem>

namespace vorela {

/// Wraps loose, the loose store of the folder objects, and owns it from now on; null (loose
/// freed) when no memory is left.
[[nodiscard]] git_odb_backend *guardLooseBackend(git_odb_backend *loose,
                                                 std::filesystem::path objects);

} // namespace vorela
