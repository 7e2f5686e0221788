// A version is made only when the library differs from the newest one: the tree of the files as
// they are now is compared with the newest version's tree.
#include "versions/VersionSave.h"

#include "platform/NamedMutex.h"
#include "versions/History.h"
#include "versions/LibraryState.h"

namespace vorela {

bool newestTree(History &history, std::string &treeId, std::string &error)
{
    treeId.clear();
    std::optional<std::string> newest;
    if (!history.head(newest, error))
        return false;
    if (!newest)
        return true;
    const std::optional<std::string> tree = history.treeOf(*newest, error);
    if (!tree)
        return false;
    treeId = *tree;
    return true;
}

VersionOutcome saveVersion(const DataDirectory &dataDirectory, RegistryStore &store,
                           History &history, const std::string &author, const std::string &message)
{
    NamedMutex mutex(dataDirectory, std::string(HistoryMutexName));
    const NamedMutexLock lock(mutex);
    if (!lock.isLocked())
        return {.error = mutex.lastError()};
    LibraryState state;
    VersionOutcome outcome;
    std::string tree;
    std::string newest;
    if (!history.clearStaleLocks(outcome.error) ||
        !readLibraryState(dataDirectory, store, state, outcome.error) ||
        !history.writeTree(state.files, state.sources(), tree, outcome.error) ||
        !newestTree(history, newest, outcome.error))
        return outcome;
    if (tree == newest) {
        outcome.unchanged = true;
        return outcome;
    }
    const std::optional<std::string> made = history.commit(tree, author, message, outcome.error);
    if (made)
        outcome.id = *made;
    return outcome;
}

} // namespace vorela
