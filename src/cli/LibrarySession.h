// What the `library` commands share: the history with the store opened after a restore a killed
// process left half done was finished, and how they print a version's time.
#pragma once

#include "cli/CliCommands.h"
#include "platform/RegistryStore.h"
#include "versions/History.h"
#include "versions/LoginName.h"

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace vorela {

struct LibrarySession {
    std::unique_ptr<RegistryStore> store;
    std::unique_ptr<History> history;
};

/// Opens the data directory's history and store and finishes an interrupted restore; empty when
/// either failed (the reason went to stderr).
[[nodiscard]] std::optional<LibrarySession> openLibrarySession(const CliContext &context,
                                                               std::chrono::milliseconds wait);

/// Saves the library as a version named message before a step that destroys (what, for the
/// failure); false, having said why the step is not taken, when the version cannot be kept.
[[nodiscard]] bool keepVersionBefore(const CliContext &context, const std::string &message,
                                     const std::string &what);

/// seconds in the zone offsetMinutes east of UTC, as YYYY-MM-DDTHH:MM:SS.
[[nodiscard]] std::string timeText(std::int64_t seconds, int offsetMinutes);

} // namespace vorela
