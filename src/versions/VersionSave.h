// Saving the library as a new version, and the outcome every version operation reports.
#pragma once

#include "platform/DataDirectory.h"

#include <string>
#include <string_view>

namespace vorela {

class History;
class RegistryStore;

/// Held by every operation that writes the history, so that two run one after the other.
inline constexpr std::string_view HistoryMutexName = "vorela-history";

struct VersionOutcome {
    std::string error{};    // empty when done
    std::string id{};       // the version made (hex), empty when none was made
    bool unchanged = false; // nothing differed from the newest version: none was made

    [[nodiscard]] bool ok() const { return error.empty(); }
};

/// A version of the library as it is now, by author with message; unchanged (and no version)
/// when it equals the newest. A part that cannot be read fails the save: it never reads as
/// unchanged.
[[nodiscard]] VersionOutcome saveVersion(const DataDirectory &dataDirectory, RegistryStore &store,
                                         History &history, const std::string &author,
                                         const std::string &message);

/// The tree of the newest version (hex); empty when there is none. False on a read failure.
[[nodiscard]] bool newestTree(History &history, std::string &treeId, std::string &error);

} // namespace vorela
