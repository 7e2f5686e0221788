// The changes of each version against the one before it, newest first, one version a step, so
// that a long history can be read a little at a time; each version is read once.
#pragma once

#include "versions/History.h"
#include "versions/VersionDiff.h"

#include <optional>
#include <string>
#include <vector>

namespace vorela {

class VersionChangeWalk {
public:
    /// versions newest first, as History::log gives them.
    VersionChangeWalk(History &history, const std::vector<VersionInfo> &versions);

    [[nodiscard]] bool done() const { return next >= ids.size(); }
    /// Index (newest first) of the version the next step reads.
    [[nodiscard]] std::size_t position() const { return next; }
    /// The changes of the next version against its predecessor (the oldest against an empty
    /// library); false with the reason when either could not be read. The walk moves on anyway.
    [[nodiscard]] bool step(std::vector<LibraryChange> &changes, std::string &error);

private:
    History &history;
    std::vector<std::string> ids;
    std::size_t next = 0;
    std::optional<LibraryFiles> newer; // the version of the next step, read by the step before
};

} // namespace vorela
