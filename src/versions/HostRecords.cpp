// A record is written in the host's own history and pushed from there; reading them needs no
// history: a scratch repository receives the records' few bytes and goes.
#include "versions/HostRecords.h"

#include "platform/TemporaryFolder.h"
#include "versions/GitHandles.h"
#include "versions/Remote.h"

namespace vorela {

static constexpr std::string_view HostsPrefix = "refs/hosts/";
static constexpr std::string_view RecordRef = "refs/vorela/host-record";

using GitTreebuilder =
    std::unique_ptr<git_treebuilder, GitFree<git_treebuilder, git_treebuilder_free>>;

bool isHostName(std::string_view name)
{
    int valid = 0;
    const std::string ref = std::string(HostsPrefix) + std::string(name);
    return !name.empty() && name.find('/') == std::string_view::npos &&
           git_reference_name_is_valid(&valid, ref.c_str()) == 0 && valid == 1;
}

static std::optional<std::string> writeRecord(git_repository &repository, const std::string &host,
                                              const std::string &version, std::int64_t appliedAt,
                                              std::string &error)
{
    git_treebuilder *rawBuilder = nullptr;
    git_oid tree;
    if (git_treebuilder_new(&rawBuilder, &repository, nullptr) != 0) {
        error = gitFailure("cannot write the host's record");
        return std::nullopt;
    }
    const GitTreebuilder builder(rawBuilder);
    git_tree *rawTree = nullptr;
    git_signature *rawSignature = nullptr;
    if (git_treebuilder_write(&tree, builder.get()) != 0 ||
        git_tree_lookup(&rawTree, &repository, &tree) != 0 ||
        git_signature_new(&rawSignature, host.c_str(), (host + "@vorela").c_str(), appliedAt, 0) !=
            0) {
        error = gitFailure("cannot write the host's record");
        return std::nullopt;
    }
    const GitTree emptyTree(rawTree);
    const GitSignature signature(rawSignature);
    git_oid record;
    if (git_commit_create(&record, &repository, nullptr, signature.get(), signature.get(), "UTF-8",
                          version.c_str(), emptyTree.get(), 0, nullptr) != 0) {
        error = gitFailure("cannot write the host's record");
        return std::nullopt;
    }
    return hexId(record);
}

bool recordHost(git_repository &repository, const std::string &url, const std::string &host,
                const std::string &version, std::int64_t appliedAt, std::string &error)
{
    const std::optional<std::string> record =
        writeRecord(repository, host, version, appliedAt, error);
    return record && pointReference(repository, std::string(RecordRef), *record, error) &&
           pushToRemote(repository, url,
                        "+" + std::string(RecordRef) + ":" + std::string(HostsPrefix) + host,
                        error) == PushResult::Done;
}

static bool readRecord(git_repository &repository, const std::string &host, const std::string &id,
                       HostRecord &record, std::string &error)
{
    git_oid oid;
    git_commit *raw = nullptr;
    if (git_oid_fromstr(&oid, id.c_str()) != 0 || git_commit_lookup(&raw, &repository, &oid) != 0) {
        error = gitFailure("the record of host " + host + " cannot be read");
        return false;
    }
    const GitCommit commit(raw);
    const char *message = git_commit_message(commit.get());
    record = {host, std::string(message).substr(0, GIT_OID_HEXSZ),
              git_commit_committer(commit.get())->when.time};
    git_oid version;
    if (record.version.size() == GIT_OID_HEXSZ &&
        git_oid_fromstr(&version, record.version.c_str()) == 0)
        return true;
    error = "the record of host " + host + " names no version";
    return false;
}

bool readHostRecords(const std::string &url, std::vector<HostRecord> &records,
                     std::optional<std::string> &published, std::string &error)
{
    records.clear();
    published.reset();
    const GitLibrary library;
    const TemporaryFolder scratch("vorela-hosts");
    git_repository *raw = nullptr;
    if (scratch.path().empty() ||
        git_repository_init(&raw, scratch.path().c_str(), /*is_bare=*/1) != 0) {
        error = gitFailure("cannot make a scratch repository for the records");
        return false;
    }
    const GitRepository repository(raw);
    RemoteRefs refs;
    if (!fetchRemoteRefs(*repository, url, std::string(HostsPrefix) + "*", refs, error))
        return false;
    for (const auto &[name, id] : refs) {
        if (name == PublishedRef)
            published = id;
        if (!name.starts_with(HostsPrefix))
            continue;
        HostRecord record;
        if (!readRecord(*repository, name.substr(HostsPrefix.size()), id, record, error))
            return false;
        records.push_back(std::move(record));
    }
    return true;
}

} // namespace vorela
