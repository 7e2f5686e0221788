// The libgit2 handles the history uses, each owned once with its free function, and the one place
// that turns libgit2's last error into text.
#pragma once

#include <git2.h>

#include <memory>
#include <string>
#include <string_view>

namespace vorela {

template <typename Handle, void (*Free)(Handle *)> struct GitFree {
    void operator()(Handle *handle) const { Free(handle); }
};

using GitRepository = std::unique_ptr<git_repository, GitFree<git_repository, git_repository_free>>;
using GitOdb = std::unique_ptr<git_odb, GitFree<git_odb, git_odb_free>>;
using GitOdbObject = std::unique_ptr<git_odb_object, GitFree<git_odb_object, git_odb_object_free>>;
using GitIndex = std::unique_ptr<git_index, GitFree<git_index, git_index_free>>;
using GitTree = std::unique_ptr<git_tree, GitFree<git_tree, git_tree_free>>;
using GitCommit = std::unique_ptr<git_commit, GitFree<git_commit, git_commit_free>>;
using GitBlob = std::unique_ptr<git_blob, GitFree<git_blob, git_blob_free>>;
using GitObject = std::unique_ptr<git_object, GitFree<git_object, git_object_free>>;
using GitReference = std::unique_ptr<git_reference, GitFree<git_reference, git_reference_free>>;
using GitRevwalk = std::unique_ptr<git_revwalk, GitFree<git_revwalk, git_revwalk_free>>;
using GitSignature = std::unique_ptr<git_signature, GitFree<git_signature, git_signature_free>>;

/// A buffer libgit2 fills, disposed by its owner.
struct GitBuffer {
    GitBuffer() = default;
    ~GitBuffer() { git_buf_dispose(&buffer); }
    GitBuffer(const GitBuffer &) = delete;
    GitBuffer &operator=(const GitBuffer &) = delete;
    [[nodiscard]] std::string_view view() const { return {buffer.ptr, buffer.size}; }
    git_buf buffer = GIT_BUF_INIT;
};

/// Keeps libgit2 initialised while it lives; the history holds one.
class GitLibrary {
public:
    GitLibrary() { git_libgit2_init(); }
    ~GitLibrary() { git_libgit2_shutdown(); }
    GitLibrary(const GitLibrary &) = delete;
    GitLibrary &operator=(const GitLibrary &) = delete;
};

/// what + ": " + libgit2's message of the last failure on this thread.
[[nodiscard]] std::string gitFailure(std::string_view what);

/// The 40 hex digits of an object id.
[[nodiscard]] std::string hexId(const git_oid &id);

} // namespace vorela
