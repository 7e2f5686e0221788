// The versions of the library: a bare git repository history.git in the data directory, written
// and read through libgit2. The notification application never reads it.
#pragma once

#include "platform/DataDirectory.h"
#include "versions/BankVersion.h"
#include "versions/GitHandles.h"
#include "versions/LibraryFiles.h"
#include "versions/LooseObjects.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vorela {

/// One version as the log shows it.
struct VersionInfo {
    std::string id;        // 40 hex digits
    std::int64_t time = 0; // seconds since 1970
    int offsetMinutes = 0; // of the author's time zone
    std::string author;
    std::string message;
};

class History {
public:
    /// The repository's folder in a data directory.
    [[nodiscard]] static std::filesystem::path folder(const DataDirectory &dataDirectory)
    {
        return dataDirectory.root() / "history.git";
    }
    /// Opens history.git, creating it when absent; null with the reason (and how to start the
    /// history again when it is damaged) in error.
    [[nodiscard]] static std::unique_ptr<History> open(const DataDirectory &dataDirectory,
                                                       std::string &error);

    /// The newest version's id; empty when there is none yet; false when it cannot be read.
    [[nodiscard]] bool head(std::optional<std::string> &id, std::string &error);
    /// Every version, newest first; false when one cannot be read.
    [[nodiscard]] bool log(std::vector<VersionInfo> &versions, std::string &error);
    /// The id (40 hex digits) of the version named by a full or shortened id.
    [[nodiscard]] std::optional<std::string> resolve(std::string_view name, std::string &error);
    /// Whether version id is the newest or one before it (held); false when that cannot be read.
    [[nodiscard]] bool holds(const std::string &id, bool &held, std::string &error);
    /// Makes version id, made beside the history with the newest as its parent, the newest;
    /// false leaves the newest as it was.
    [[nodiscard]] bool advance(const std::string &id, std::string &error);
    /// The files of a version: texts loaded, sounds as History (their sizes are in the index).
    [[nodiscard]] bool read(const std::string &id, LibraryFiles &files, std::string &error);

    /// Stores the blobs of files the history lacks (sounds read through sources) and their tree;
    /// its id (hex) in treeId.
    [[nodiscard]] bool writeTree(const LibraryFiles &files, const SoundSources &sources,
                                 std::string &treeId, std::string &error);
    /// The tree id of a version.
    [[nodiscard]] std::optional<std::string> treeOf(const std::string &id, std::string &error);
    /// A new version of the tree after the newest, by author (also after merged, a version
    /// fetched from elsewhere, when given); its id, empty on failure.
    [[nodiscard]] std::optional<std::string>
    commit(const std::string &treeId, const std::string &author, const std::string &message,
           std::string &error, const std::optional<std::string> &merged = std::nullopt);
    /// Removes the reference locks a killed writer left; call it only while holding the mutex
    /// HistoryMutexName, which every writer of the history holds. False when one stays.
    [[nodiscard]] bool clearStaleLocks(std::string &error);
    /// Appends the bytes of the blob id of size bytes to replace, each checked against id; false
    /// when it cannot be written, or with the reason in error when it is missing or not that blob.
    [[nodiscard]] bool appendBlob(const BlobId &id, std::uint32_t size, AtomicFileReplace &replace,
                                  std::string &error);
    /// The repository itself, for the signed versions written and checked beside the history.
    [[nodiscard]] git_repository &gitRepository() { return *repository; }

private:
    History(std::filesystem::path folder, GitRepository repository, GitOdb odb);
    [[nodiscard]] bool writeBlob(const LibraryFile &file, const SoundSources &sources,
                                 std::string &error);
    [[nodiscard]] std::string damaged(std::string_view what) const;
    [[nodiscard]] GitCommit lookup(const std::string &id) const;
    /// Makes everything written so far durable (objects before the version naming them, then
    /// the version itself).
    [[nodiscard]] bool syncFileSystem(std::string &error) const;

    GitLibrary library;
    std::filesystem::path path;
    GitRepository repository;
    GitOdb odb;
    LooseBlobReader loose;
};

} // namespace vorela
