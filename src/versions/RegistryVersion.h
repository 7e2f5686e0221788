// The editor's registry branches (lexemes and tasks, not the window settings) as the text files of
// a version, and those files written back over the branches in one transaction.
#pragma once

#include "versions/LibraryFiles.h"
#include "versions/RegistryText.h"

#include <string>
#include <vector>

namespace vorela {

class RegistryStore;

/// Adds registry/lexemes.txt, registry/tasks.txt and one registry/templates/TASK/OPERATOR.txt per
/// template, read in one snapshot; false with the reason when any read failed.
[[nodiscard]] bool readRegistryFiles(RegistryStore &store, LibraryFiles &files, std::string &error);

/// Replaces both branches by the keys of the registry files among files, in one transaction;
/// false (the store as it was) with the reason when a file is malformed or a write failed.
[[nodiscard]] bool writeRegistryFiles(RegistryStore &store, const LibraryFiles &files,
                                      std::string &error);

/// The keys of every registry file among files, each file's in its order; false on a malformed one.
[[nodiscard]] bool parseRegistryFiles(const LibraryFiles &files, std::vector<TextKey> &keys,
                                      std::string &error);

} // namespace vorela
