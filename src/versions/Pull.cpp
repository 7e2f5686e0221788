// The host's record is written only after the apply: a record never names a version the host
// does not run. The fetched version stays named by a local ref, so a killed apply can be finished.
#include "versions/Pull.h"

#include "platform/NamedMutex.h"
#include "versions/History.h"
#include "versions/HostRecords.h"
#include "versions/Remote.h"
#include "versions/SignedCommits.h"
#include "versions/VersionRestore.h"

#include <ctime>

namespace vorela {

static constexpr std::string_view FetchedRef = "refs/vorela/fetched";

static std::string verdictName(SignatureVerdict verdict)
{
    switch (verdict) {
    case SignatureVerdict::Trusted:
        return "trusted";
    case SignatureVerdict::Unsigned:
        return "unsigned";
    case SignatureVerdict::Untrusted:
        return "signed by a key the host does not trust";
    case SignatureVerdict::Invalid:
        break;
    }
    return "signed with a signature that does not match it (forged or tampered)";
}

// The published version fetched and its signature checked; false (refused) otherwise.
static bool fetchTrusted(const DataDirectory &dataDirectory, History &history,
                         const std::string &url, PullOutcome &outcome)
{
    const std::filesystem::path trusted = trustedPublishers(dataDirectory);
    std::error_code status;
    if (!std::filesystem::exists(trusted, status)) {
        outcome.error = trusted.string() +
                        ": missing, so no publisher is trusted; write one line " +
                        "a publisher in OpenSSH allowed-signers format (NAME ssh-ed25519 KEY, " +
                        "the key from the publisher's id_ed25519.pub)";
        return false;
    }
    RemoteRefs refs;
    if (!fetchRemoteRefs(history.gitRepository(), url, PublishedRef, refs, outcome.error))
        return false;
    const auto remote = refs.find(std::string(PublishedRef));
    if (remote == refs.end()) {
        outcome.error = url + ": no version was published there yet";
        return false;
    }
    outcome.published = remote->second;
    SignatureCheck check;
    if (!checkCommitSignature(history.gitRepository(), remote->second, trusted, check,
                              outcome.error))
        return false;
    if (check.verdict == SignatureVerdict::Trusted)
        return pointReference(history.gitRepository(), std::string(FetchedRef), remote->second,
                              outcome.error);
    outcome.error = "version " + remote->second + " of " + url + " is " +
                    verdictName(check.verdict) + (check.detail.empty() ? "" : ": " + check.detail) +
                    "; refused, nothing changed";
    return false;
}

PullOutcome pullVersion(const DataDirectory &dataDirectory, RegistryStore &store, History &history,
                        const std::string &url, const std::string &host, const std::string &author,
                        std::chrono::milliseconds lockWait)
{
    PullOutcome outcome;
    if (!isHostName(host)) {
        outcome.error = "'" + host + "' cannot name a host: git refs cannot hold it";
        return outcome;
    }
    NamedMutex mutex(dataDirectory, std::string(HistoryMutexName));
    const NamedMutexLock lock(mutex);
    if (!lock.isLocked()) {
        outcome.error = mutex.lastError();
        return outcome;
    }
    if (!fetchTrusted(dataDirectory, history, url, outcome))
        return outcome;
    static_cast<VersionOutcome &>(outcome) = applyFetchedVersion(
        dataDirectory, store, history, outcome.published, author, {.wait = lockWait});
    if (!outcome.ok())
        return outcome;
    outcome.applied = true;
    std::string error;
    if (!recordHost(history.gitRepository(), url, host, outcome.published, std::time(nullptr),
                    error))
        outcome.error = "version " + outcome.published + " was applied, but not recorded on " +
                        url + " for host " + host + ": " + error;
    return outcome;
}

} // namespace vorela
