// The signed version is pushed from a scratch ref and becomes the newest here only once the
// remote took it, so a refused or failed push leaves this history as it was.
#include "versions/Publish.h"

#include "platform/NamedMutex.h"
#include "versions/History.h"
#include "versions/Remote.h"
#include "versions/SignedCommits.h"
#include "versions/VersionMessages.h"

namespace vorela {

static constexpr std::string_view PublishingRef = "refs/vorela/publishing";

static std::string pullFirst(const std::string &url, const std::string &remoteId)
{
    return url + " has version " + remoteId + ", which this data directory lacks (another " +
           "workstation published it); run `vorela library pull " + url +
           "` first; nothing was published";
}

VersionOutcome publishVersion(const DataDirectory &dataDirectory, RegistryStore &store,
                              History &history, const std::string &url,
                              const std::filesystem::path &keyFile, const std::string &author)
{
    NamedMutex mutex(dataDirectory, std::string(HistoryMutexName));
    const NamedMutexLock lock(mutex);
    if (!lock.isLocked())
        return {.error = mutex.lastError()};
    VersionOutcome outcome =
        saveVersion(dataDirectory, store, history, author, std::string(SavedMessage));
    outcome.id.clear();
    outcome.unchanged = false;
    RemoteRefs refs;
    std::optional<std::string> newest;
    if (!outcome.ok() ||
        !fetchRemoteRefs(history.gitRepository(), url, PublishedRef, refs, outcome.error) ||
        !history.head(newest, outcome.error))
        return outcome;
    const auto remote = refs.find(std::string(PublishedRef));
    bool held = true;
    if (remote != refs.end() && !history.holds(remote->second, held, outcome.error))
        return outcome;
    if (!held)
        return {.error = pullFirst(url, remote->second)};
    if (remote != refs.end() && remote->second == newest) {
        outcome.unchanged = true;
        outcome.id = remote->second;
        return outcome;
    }
    if (!newest)
        return {.error = "the library has no version to publish"};
    const std::optional<std::string> tree = history.treeOf(*newest, outcome.error);
    if (!tree)
        return outcome;
    const std::optional<std::string> published =
        writeSignedCommit(history.gitRepository(), *tree, {*newest}, author,
                          std::string(PublishedMessage), keyFile, outcome.error);
    if (!published || !pointReference(history.gitRepository(), std::string(PublishingRef),
                                      *published, outcome.error))
        return outcome;
    std::string pushError;
    const PushResult pushed =
        pushToRemote(history.gitRepository(), url,
                     std::string(PublishingRef) + ":" + std::string(PublishedRef), pushError);
    if (pushed == PushResult::Rejected)
        return {.error = pushError + "\nanother workstation published at the same time; run " +
                         "`vorela library pull " + url + "` first; nothing was published"};
    if (pushed == PushResult::Failed)
        return {.error = pushError + "; nothing was published"};
    if (!history.advance(*published, outcome.error)) {
        outcome.error = "published " + *published + ", but it could not be made the newest " +
                        "version here: " + outcome.error;
        return outcome;
    }
    outcome.id = *published;
    return outcome;
}

} // namespace vorela
