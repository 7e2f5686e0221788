// One connection per fetch or push, each result checked: a remote that cannot be read never
// looks like a remote without a version.
#include "versions/Remote.h"

#include "versions/GitHandles.h"

#include <cstdlib>
#include <filesystem>

namespace vorela {

namespace {

using GitRemote = std::unique_ptr<git_remote, GitFree<git_remote, git_remote_free>>;

// ssh:// asks for a key: the agent's first, then the usual key file, then none (it fails).
struct Credentials {
    int tried = 0;
};

// libgit2 gives up at once when it cannot reach the agent, so the agent is offered only when
// there is one to reach (a timer's service, for one, has none).
bool agentReachable()
{
    const char *socket = std::getenv("SSH_AUTH_SOCK");
    std::error_code status;
    return socket != nullptr && *socket != '\0' && std::filesystem::is_socket(socket, status);
}

int acquireCredential(git_credential **credential, const char * /*url*/, const char *urlUser,
                      unsigned int allowed, void *payload)
{
    const char *login = std::getenv("USER");
    const std::string user = urlUser != nullptr ? urlUser : (login != nullptr ? login : "");
    if ((allowed & GIT_CREDENTIAL_USERNAME) != 0)
        return git_credential_username_new(credential, user.c_str());
    auto &state = *static_cast<Credentials *>(payload);
    if ((allowed & GIT_CREDENTIAL_SSH_KEY) == 0 || state.tried == 2)
        return GIT_PASSTHROUGH;
    if (++state.tried == 1 && agentReachable())
        return git_credential_ssh_key_from_agent(credential, user.c_str());
    state.tried = 2;
    const std::filesystem::path key = usualSshKey();
    const std::string publicKey = key.string() + ".pub";
    return git_credential_ssh_key_new(credential, user.c_str(), publicKey.c_str(), key.c_str(),
                                      nullptr);
}

git_remote_callbacks callbacks(Credentials &credentials)
{
    git_remote_callbacks result = GIT_REMOTE_CALLBACKS_INIT;
    result.credentials = acquireCredential;
    result.payload = &credentials;
    return result;
}

GitRemote openRemote(git_repository &repository, const std::string &url, std::string &error)
{
    git_remote *raw = nullptr;
    if (git_remote_create_anonymous(&raw, &repository, url.c_str()) != 0) {
        error = gitFailure(url + ": not a remote this tool can reach");
        return nullptr;
    }
    return GitRemote(raw);
}

bool matches(std::string_view name, std::string_view pattern)
{
    if (!pattern.ends_with('*'))
        return name == pattern;
    return name.starts_with(pattern.substr(0, pattern.size() - 1));
}

} // namespace

std::filesystem::path usualSshKey()
{
    const char *home = std::getenv("HOME");
    return std::filesystem::path(home != nullptr ? home : "") / ".ssh" / "id_ed25519";
}

bool fetchRemoteRefs(git_repository &repository, const std::string &url, std::string_view pattern,
                     RemoteRefs &refs, std::string &error)
{
    refs.clear();
    const GitRemote remote = openRemote(repository, url, error);
    if (!remote)
        return false;
    Credentials credentials;
    git_fetch_options options = GIT_FETCH_OPTIONS_INIT;
    options.callbacks = callbacks(credentials);
    options.update_fetchhead = 0;
    options.download_tags = GIT_REMOTE_DOWNLOAD_TAGS_NONE;
    if (git_remote_connect(remote.get(), GIT_DIRECTION_FETCH, &options.callbacks, nullptr,
                           nullptr) != 0) {
        error = gitFailure(url + ": cannot be reached");
        return false;
    }
    const git_remote_head **heads = nullptr;
    std::size_t count = 0;
    if (git_remote_ls(&heads, &count, remote.get()) != 0) {
        error = gitFailure(url + ": its versions cannot be listed");
        return false;
    }
    bool wanted = false;
    for (std::size_t index = 0; index < count; ++index) {
        refs[heads[index]->name] = hexId(heads[index]->oid);
        wanted = wanted || matches(heads[index]->name, pattern);
    }
    if (!wanted)
        return true;
    // Fetched objects are kept by the caller's refs; none of ours is moved here.
    std::string refspec(pattern);
    refspec += ":refs/vorela/incoming/" + std::string(pattern.substr(pattern.rfind('/') + 1));
    char *refspecTexts[] = {refspec.data()};
    const git_strarray refspecs = {refspecTexts, 1};
    if (git_remote_download(remote.get(), &refspecs, &options) != 0) {
        error = gitFailure(url + ": cannot be fetched");
        return false;
    }
    git_odb *raw = nullptr;
    if (git_repository_odb(&raw, &repository) != 0) {
        error = gitFailure("the history's objects cannot be opened");
        return false;
    }
    const GitOdb odb(raw);
    for (const auto &[name, id] : refs) {
        git_oid oid;
        if (!matches(name, pattern))
            continue;
        if (git_oid_fromstr(&oid, id.c_str()) != 0 || git_odb_exists(odb.get(), &oid) != 1) {
            error = url + ": " + name + " (" + id + ") did not arrive";
            return false;
        }
    }
    return true;
}

namespace {

struct PushReport : Credentials {
    std::string rejection;
};

int noteRejection(const char *refname, const char *status, void *payload)
{
    if (status != nullptr)
        static_cast<PushReport *>(static_cast<Credentials *>(payload))->rejection =
            std::string(refname) + ": " + status;
    return 0;
}

} // namespace

PushResult pushToRemote(git_repository &repository, const std::string &url,
                        const std::string &refspec, std::string &error)
{
    const GitRemote remote = openRemote(repository, url, error);
    if (!remote)
        return PushResult::Failed;
    PushReport report;
    git_push_options options = GIT_PUSH_OPTIONS_INIT;
    options.callbacks = callbacks(report);
    options.callbacks.push_update_reference = noteRejection;
    std::string pushedRef = refspec;
    char *pushedRefs[] = {pushedRef.data()};
    const git_strarray pushed = {pushedRefs, 1};
    const int status = git_remote_push(remote.get(), &pushed, &options);
    if (status == GIT_ENONFASTFORWARD) {
        error = gitFailure(url + ": the update was refused");
        return PushResult::Rejected;
    }
    if (status != 0) {
        error = gitFailure(url + ": cannot push");
        return PushResult::Failed;
    }
    if (!report.rejection.empty()) {
        error = url + ": the update was refused: " + report.rejection;
        return PushResult::Rejected;
    }
    return PushResult::Done;
}

bool pointReference(git_repository &repository, const std::string &name, const std::string &id,
                    std::string &error)
{
    git_oid oid;
    git_reference *raw = nullptr;
    if (git_oid_fromstr(&oid, id.c_str()) != 0 ||
        git_reference_create(&raw, &repository, name.c_str(), &oid, /*force=*/1, nullptr) != 0) {
        error = gitFailure("cannot point " + name + " at " + id);
        return false;
    }
    git_reference_free(raw);
    return true;
}

} // namespace vorela
