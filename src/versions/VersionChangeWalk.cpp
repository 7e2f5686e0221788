// The walk keeps the older version of one step as the newer one of the next.
#include "versions/VersionChangeWalk.h"

#include <cassert>

namespace vorela {

VersionChangeWalk::VersionChangeWalk(History &versionHistory,
                                     const std::vector<VersionInfo> &versions)
    : history(versionHistory)
{
    ids.reserve(versions.size());
    for (const VersionInfo &version : versions)
        ids.push_back(version.id);
}

bool VersionChangeWalk::step(std::vector<LibraryChange> &changes, std::string &error)
{
    assert(!done());
    changes.clear();
    const std::size_t index = next++;
    LibraryFiles current;
    if (newer)
        current = std::move(*newer);
    else if (!history.read(ids[index], current, error))
        return false;
    newer.reset();
    LibraryFiles older;
    if (index + 1 < ids.size() && !history.read(ids[index + 1], older, error))
        return false;
    const bool compared = compareLibraries(older, current, changes, error);
    if (index + 1 < ids.size())
        newer = std::move(older);
    return compared;
}

} // namespace vorela
