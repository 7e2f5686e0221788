// The history repository through libgit2: every call's result checked, every handle owned.
#include "versions/History.h"

#include "platform/AtomicFileReplace.h"
#include "platform/BinaryFile.h"
#include "versions/GuardedLooseBackend.h"

#include <git2/sys/odb_backend.h>
#include <git2/sys/repository.h>

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

namespace vorela {

// Texts and folder listings; sounds are written stored (LooseObjects.h).
static constexpr int LooseCompression = 1;

static constexpr std::string_view StartAgain =
    "\nThe history cannot be used; the library itself is not affected. To start the history "
    "again, move it aside (mv history.git history.git.damaged) and save anew.";

std::string gitFailure(std::string_view what)
{
    const git_error *last = git_error_last();
    return std::string(what) + ": " + (last != nullptr ? last->message : "unknown libgit2 error");
}

std::string hexId(const git_oid &id)
{
    char text[GIT_OID_HEXSZ + 1] = {};
    git_oid_tostr(text, sizeof text, &id);
    return text;
}

static git_oid oidOf(const BlobId &id)
{
    git_oid oid;
    git_oid_fromraw(&oid, id.data());
    return oid;
}

std::string History::damaged(std::string_view what) const
{
    return gitFailure(path.string() + ": " + std::string(what)) + std::string(StartAgain);
}

History::History(std::filesystem::path folder, GitRepository repo, GitOdb objects)
    : path(std::move(folder)), repository(std::move(repo)), odb(std::move(objects)),
      loose(path / "objects")
{
}

// The object store with our compression. Objects are not synced one by one (a first version of a
// large library has thousands): commit() syncs the file system once before the version names them.
static GitOdb openObjects(const std::filesystem::path &folder)
{
    const std::string objects = (folder / "objects").string();
    git_odb *raw = nullptr;
    if (git_odb_new(&raw) != 0)
        return nullptr;
    GitOdb odb(raw);
    git_odb_backend *loose = nullptr;
    if (git_odb_backend_loose(&loose, objects.c_str(), LooseCompression, 0, 0, 0) != 0)
        return nullptr;
    loose = guardLooseBackend(loose, objects);
    if (loose == nullptr)
        return nullptr;
    if (git_odb_add_backend(odb.get(), loose, 2) != 0) {
        loose->free(loose);
        return nullptr;
    }
    git_odb_backend *packed = nullptr;
    if (git_odb_backend_pack(&packed, objects.c_str()) != 0)
        return nullptr;
    if (git_odb_add_backend(odb.get(), packed, 1) != 0) {
        packed->free(packed);
        return nullptr;
    }
    return odb;
}

std::unique_ptr<History> History::open(const DataDirectory &dataDirectory, std::string &error)
{
    const GitLibrary library;
    // The data directory is shared by the operators' accounts; nothing in it is run.
    git_libgit2_opts(GIT_OPT_SET_OWNER_VALIDATION, 0);
    // Every object read is checked against its id: sounds by LooseBlobReader, the rest here.
    git_libgit2_opts(GIT_OPT_ENABLE_STRICT_HASH_VERIFICATION, 1);
    const std::filesystem::path folder = History::folder(dataDirectory);
    git_repository *raw = nullptr;
    std::error_code status;
    const bool exists = std::filesystem::exists(folder, status);
    const int opened = exists ? git_repository_open_bare(&raw, folder.c_str())
                              : git_repository_init(&raw, folder.c_str(), /*is_bare=*/1);
    GitRepository repository(raw);
    GitOdb odb = opened == 0 ? openObjects(folder) : nullptr;
    if (opened != 0 || !odb || git_repository_set_odb(repository.get(), odb.get()) != 0) {
        error = gitFailure(folder.string() + ": cannot " + (exists ? "open" : "create") +
                           " the history") +
                (exists ? std::string(StartAgain) : "");
        return nullptr;
    }
    return std::unique_ptr<History>(new History(folder, std::move(repository), std::move(odb)));
}

bool History::head(std::optional<std::string> &id, std::string &error)
{
    id.reset();
    const int unborn = git_repository_head_unborn(repository.get());
    if (unborn == 1)
        return true;
    git_oid oid;
    if (unborn < 0 || git_reference_name_to_id(&oid, repository.get(), "HEAD") != 0) {
        error = damaged("the newest version cannot be read");
        return false;
    }
    id = hexId(oid);
    return true;
}

bool History::log(std::vector<VersionInfo> &versions, std::string &error)
{
    versions.clear();
    std::optional<std::string> newest;
    if (!head(newest, error))
        return false;
    if (!newest)
        return true;
    git_revwalk *raw = nullptr;
    if (git_revwalk_new(&raw, repository.get()) != 0) {
        error = damaged("cannot walk the versions");
        return false;
    }
    const GitRevwalk walk(raw);
    git_revwalk_sorting(walk.get(), GIT_SORT_TOPOLOGICAL | GIT_SORT_TIME);
    git_oid oid;
    if (git_revwalk_push_head(walk.get()) != 0) {
        error = damaged("cannot walk the versions");
        return false;
    }
    int step = 0;
    while ((step = git_revwalk_next(&oid, walk.get())) == 0) {
        git_commit *rawCommit = nullptr;
        if (git_commit_lookup(&rawCommit, repository.get(), &oid) != 0)
            break;
        const GitCommit commit(rawCommit);
        const git_signature *author = git_commit_author(commit.get());
        const char *summary = git_commit_summary(commit.get());
        versions.push_back({hexId(oid), author->when.time, author->when.offset, author->name,
                            summary != nullptr ? summary : ""});
    }
    if (step == GIT_ITEROVER)
        return true;
    error = damaged("the version after " +
                    (versions.empty() ? std::string("the newest") : versions.back().id) +
                    " cannot be read");
    return false;
}

std::optional<std::string> History::resolve(std::string_view name, std::string &error)
{
    git_object *raw = nullptr;
    const std::string revision = std::string(name) + "^{commit}";
    if (git_revparse_single(&raw, repository.get(), revision.c_str()) != 0) {
        error = gitFailure("no version " + std::string(name));
        return std::nullopt;
    }
    const GitObject object(raw);
    return hexId(*git_object_id(object.get()));
}

std::optional<std::string> History::treeOf(const std::string &id, std::string &error)
{
    git_oid oid;
    git_commit *raw = nullptr;
    if (git_oid_fromstr(&oid, id.c_str()) != 0 ||
        git_commit_lookup(&raw, repository.get(), &oid) != 0) {
        error = damaged("version " + id + " cannot be read");
        return std::nullopt;
    }
    const GitCommit commit(raw);
    return hexId(*git_commit_tree_id(commit.get()));
}

namespace {

struct TreeReading {
    git_odb *odb;
    LibraryFiles *files;
    std::string failedPath;
};

int readEntry(const char *root, const git_tree_entry *entry, void *payload)
{
    auto &reading = *static_cast<TreeReading *>(payload);
    if (git_tree_entry_type(entry) != GIT_OBJECT_BLOB)
        return 0;
    const std::string path = std::string(root) + git_tree_entry_name(entry);
    LibraryFile file;
    std::memcpy(file.id.data(), git_tree_entry_id(entry)->id, file.id.size());
    file.source = soundChunkId(path) ? FileSource::History : FileSource::Text;
    // A sound's size is in its bank's index: its blob is read only when a bank is built.
    if (file.source == FileSource::Text) {
        git_odb_object *raw = nullptr;
        if (git_odb_read(&raw, reading.odb, git_tree_entry_id(entry)) != 0) {
            reading.failedPath = path;
            return -1;
        }
        const GitOdbObject object(raw);
        file.text.assign(static_cast<const char *>(git_odb_object_data(object.get())),
                         git_odb_object_size(object.get()));
    }
    (*reading.files)[path] = std::move(file);
    return 0;
}

} // namespace

bool History::read(const std::string &id, LibraryFiles &files, std::string &error)
{
    files.clear();
    git_oid oid;
    git_commit *rawCommit = nullptr;
    if (git_oid_fromstr(&oid, id.c_str()) != 0 ||
        git_commit_lookup(&rawCommit, repository.get(), &oid) != 0) {
        error = damaged("version " + id + " cannot be read");
        return false;
    }
    const GitCommit commit(rawCommit);
    git_tree *rawTree = nullptr;
    if (git_commit_tree(&rawTree, commit.get()) != 0) {
        error = damaged("the files of version " + id + " cannot be read");
        return false;
    }
    const GitTree tree(rawTree);
    TreeReading reading{odb.get(), &files, {}};
    if (git_tree_walk(tree.get(), GIT_TREEWALK_PRE, readEntry, &reading) != 0) {
        error = damaged("version " + id + ": " +
                        (reading.failedPath.empty() ? "its folders" : reading.failedPath) +
                        " cannot be read");
        return false;
    }
    return true;
}

bool History::writeBlob(const LibraryFile &file, const SoundSources &sources, std::string &error)
{
    const git_oid expected = oidOf(file.id);
    if (git_odb_exists(odb.get(), &expected) == 1)
        return true;
    if (file.source == FileSource::ProductBank || file.source == FileSource::CurrencyBank) {
        const BinaryFile *bank =
            file.source == FileSource::ProductBank ? sources.productBank : sources.currencyBank;
        std::vector<std::uint8_t> sound(file.size);
        if (bank == nullptr || !bank->readAt(file.offset, sound)) {
            error = "a sound of the bank cannot be read";
            return false;
        }
        return writeStoredBlob(path / "objects", file.id, sound, error);
    }
    git_oid written;
    if (git_odb_write(&written, odb.get(), file.text.data(), file.text.size(), GIT_OBJECT_BLOB) !=
        0) {
        error = damaged("cannot store a file of the version");
        return false;
    }
    if (git_oid_equal(&written, &expected) == 0) {
        error = "a sound of the bank changed while it was read; save again";
        return false;
    }
    return true;
}

bool History::writeTree(const LibraryFiles &files, const SoundSources &sources, std::string &treeId,
                        std::string &error)
{
    git_index *raw = nullptr;
    if (git_index_new(&raw) != 0) {
        error = gitFailure("cannot list the files of the version");
        return false;
    }
    const GitIndex index(raw);
    for (const auto &[filePath, file] : files) {
        if (!writeBlob(file, sources, error))
            return false;
        git_index_entry entry{};
        entry.mode = GIT_FILEMODE_BLOB;
        entry.id = oidOf(file.id);
        entry.path = filePath.c_str();
        entry.file_size = static_cast<std::uint32_t>(
            file.source == FileSource::Text ? file.text.size() : file.size);
        if (git_index_add(index.get(), &entry) != 0) {
            error = damaged("cannot list " + filePath + " in the version");
            return false;
        }
    }
    git_oid tree;
    if (git_index_write_tree_to(&tree, index.get(), repository.get()) != 0) {
        error = damaged("cannot store the folders of the version");
        return false;
    }
    treeId = hexId(tree);
    return true;
}

GitCommit History::lookup(const std::string &id) const
{
    git_oid oid;
    git_commit *raw = nullptr;
    if (git_oid_fromstr(&oid, id.c_str()) != 0 ||
        git_commit_lookup(&raw, repository.get(), &oid) != 0)
        return nullptr;
    return GitCommit(raw);
}

std::optional<std::string> History::commit(const std::string &treeId, const std::string &author,
                                           const std::string &message, std::string &error,
                                           const std::optional<std::string> &merged)
{
    std::optional<std::string> parentId;
    if (!head(parentId, error))
        return std::nullopt;
    git_oid treeOid;
    git_tree *rawTree = nullptr;
    git_signature *rawSignature = nullptr;
    if (git_oid_fromstr(&treeOid, treeId.c_str()) != 0 ||
        git_tree_lookup(&rawTree, repository.get(), &treeOid) != 0 ||
        git_signature_now(&rawSignature, author.c_str(), (author + "@vorela").c_str()) != 0) {
        error = damaged("cannot make the version");
        return std::nullopt;
    }
    const GitTree tree(rawTree);
    const GitSignature signature(rawSignature);
    std::vector<GitCommit> parents;
    for (const std::optional<std::string> &id : {parentId, merged}) {
        if (!id)
            continue;
        parents.push_back(lookup(*id));
        if (!parents.back()) {
            error = damaged("version " + *id + " cannot be read");
            return std::nullopt;
        }
    }
    const git_commit *parentList[2] = {};
    for (std::size_t index = 0; index < parents.size(); ++index)
        parentList[index] = parents[index].get();
    git_oid made;
    if (!syncFileSystem(error))
        return std::nullopt;
    if (git_commit_create(&made, repository.get(), "HEAD", signature.get(), signature.get(),
                          "UTF-8", message.c_str(), tree.get(), parents.size(), parentList) != 0) {
        error = damaged("cannot record the version");
        return std::nullopt;
    }
    if (!syncFileSystem(error))
        return std::nullopt;
    return hexId(made);
}

bool History::holds(const std::string &id, bool &held, std::string &error)
{
    held = false;
    std::optional<std::string> newest;
    if (!head(newest, error))
        return false;
    if (!newest)
        return true;
    git_oid newestOid;
    git_oid oid;
    if (git_oid_fromstr(&newestOid, newest->c_str()) != 0 ||
        git_oid_fromstr(&oid, id.c_str()) != 0) {
        error = "not a version id: " + id;
        return false;
    }
    if (git_oid_equal(&newestOid, &oid) != 0) {
        held = true;
        return true;
    }
    const int descends = git_graph_descendant_of(repository.get(), &newestOid, &oid);
    if (descends < 0) {
        error = damaged("the versions before " + *newest + " cannot be read");
        return false;
    }
    held = descends == 1;
    return true;
}

bool History::advance(const std::string &id, std::string &error)
{
    std::optional<std::string> newest;
    if (!head(newest, error))
        return false;
    const GitCommit commit = lookup(id);
    if (!commit || !newest || git_commit_parentcount(commit.get()) != 1 ||
        hexId(*git_commit_parent_id(commit.get(), 0)) != *newest) {
        error = "version " + id + " does not follow the newest version";
        return false;
    }
    git_reference *rawHead = nullptr;
    const int looked = git_reference_lookup(&rawHead, repository.get(), "HEAD");
    const GitReference headReference(rawHead);
    if (looked != 0 || git_reference_symbolic_target(headReference.get()) == nullptr) {
        error = damaged("the newest version cannot be read");
        return false;
    }
    git_oid current;
    git_reference *moved = nullptr;
    if (git_oid_fromstr(&current, newest->c_str()) != 0 || !syncFileSystem(error))
        return false;
    if (git_reference_create_matching(
            &moved, repository.get(), git_reference_symbolic_target(headReference.get()),
            git_commit_id(commit.get()), /*force=*/1, &current, nullptr) != 0) {
        error = damaged("cannot record version " + id + " as the newest");
        return false;
    }
    git_reference_free(moved);
    return syncFileSystem(error);
}

bool History::syncFileSystem(std::string &error) const
{
    const int folder = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    const bool synced = folder >= 0 && ::syncfs(folder) == 0;
    if (folder >= 0)
        ::close(folder);
    if (!synced)
        error = path.string() + ": cannot be made durable: " + std::strerror(errno);
    return synced;
}

bool History::clearStaleLocks(std::string &error)
{
    std::vector<std::filesystem::path> stale = {path / "HEAD.lock", path / "packed-refs.lock"};
    std::error_code status;
    for (auto entry = std::filesystem::recursive_directory_iterator(path / "refs", status);
         !status && entry != std::filesystem::recursive_directory_iterator();
         entry.increment(status)) {
        if (entry->path().extension() == ".lock")
            stale.push_back(entry->path());
    }
    for (const std::filesystem::path &lock : stale) {
        if (status)
            break;
        std::filesystem::remove(lock, status);
    }
    if (!status)
        return true;
    error = path.string() + ": a lock a stopped writer left cannot be removed: " + status.message();
    return false;
}

bool History::appendBlob(const BlobId &id, std::uint32_t size, AtomicFileReplace &replace,
                         std::string &error)
{
    std::span<const std::uint8_t> bytes;
    const LooseRead read = loose.read(id, size, bytes);
    if (read == LooseRead::Read)
        return replace.append(bytes);
    const git_oid oid = oidOf(id);
    git_odb_object *raw = nullptr;
    // Packed (by git gc, say): libgit2 reads it and checks its id.
    if (read == LooseRead::Damaged || git_odb_read(&raw, odb.get(), &oid) != 0) {
        error = damaged("the sound " + hexId(oid) + " is missing or not the one its id names");
        return false;
    }
    const GitOdbObject object(raw);
    if (git_odb_object_size(object.get()) != size) {
        error = damaged("the sound " + hexId(oid) + " has another size than its bank's index");
        return false;
    }
    return replace.append(
        std::span(static_cast<const std::uint8_t *>(git_odb_object_data(object.get())), size));
}

} // namespace vorela
