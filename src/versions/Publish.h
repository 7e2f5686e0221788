// Publishing the newest version to the remote's main branch, signed with the publisher's SSH key,
// for the notification hosts to pull.
#pragma once

#include "platform/DataDirectory.h"
#include "versions/VersionSave.h"

#include <filesystem>
#include <string>

namespace vorela {

class History;
class RegistryStore;

/// Saves the library when it changed, then publishes the newest version to url's main as a
/// signed version after it (made the newest here too); its id in id. unchanged (id: the remote's)
/// when the remote already has it. Refused, nothing pushed, when the remote has a version this
/// history lacks or another publisher got there first.
[[nodiscard]] VersionOutcome publishVersion(const DataDirectory &dataDirectory,
                                            RegistryStore &store, History &history,
                                            const std::string &url,
                                            const std::filesystem::path &keyFile,
                                            const std::string &author);

} // namespace vorela
