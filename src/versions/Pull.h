// Pulling the published version onto a notification host: fetched, its signature checked against
// the host's trusted publishers, applied as a restore is, then recorded on the remote.
#pragma once

#include "platform/DataDirectory.h"
#include "versions/VersionSave.h"

#include <chrono>
#include <filesystem>
#include <string>

namespace vorela {

class History;
class RegistryStore;

/// The publishers a host trusts: an OpenSSH allowed-signers file in the data directory.
[[nodiscard]] inline std::filesystem::path trustedPublishers(const DataDirectory &dataDirectory)
{
    return dataDirectory.root() / "trusted-publishers";
}

struct PullOutcome : VersionOutcome {
    std::string published{}; // the remote's version (hex), once fetched
    bool applied = false;    // the library is the published version (a failure came after)
};

/// Applies url's published version when a trusted publisher signed it (refused, nothing
/// changed, otherwise), then records on the remote that host runs it. id: the version recorded
/// here, empty when the library already was the published one (unchanged).
[[nodiscard]] PullOutcome pullVersion(const DataDirectory &dataDirectory, RegistryStore &store,
                                      History &history, const std::string &url,
                                      const std::string &host, const std::string &author,
                                      std::chrono::milliseconds lockWait);

} // namespace vorela
