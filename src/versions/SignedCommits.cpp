// The commit text is built by libgit2, signed by ssh-keygen and stored with its signature
// header, exactly as git signs a commit with gpg.format=ssh.
#include "versions/SignedCommits.h"

#include "versions/GitHandles.h"

namespace vorela {

static constexpr const char *SignatureField = "gpgsig";

// Only full ids: libgit2 would read 40 characters past a shorter string.
static bool parseId(const std::string &id, git_oid &oid, std::string &error)
{
    if (id.size() == GIT_OID_HEXSZ && git_oid_fromstr(&oid, id.c_str()) == 0)
        return true;
    error = "not a version id: " + id;
    return false;
}

static GitCommit lookupCommit(git_repository &repository, const std::string &id, std::string &error)
{
    git_oid oid;
    if (!parseId(id, oid, error))
        return nullptr;
    git_commit *raw = nullptr;
    if (git_commit_lookup(&raw, &repository, &oid) != 0)
        error = gitFailure("version " + id + " cannot be read");
    return GitCommit(raw);
}

// The commit's text, unsigned, as git and ssh-keygen see the signed payload.
static bool commitText(git_repository &repository, const std::string &treeId,
                       const std::vector<std::string> &parentIds, const std::string &author,
                       const std::string &message, GitBuffer &text, std::string &error)
{
    git_oid treeOid;
    if (!parseId(treeId, treeOid, error))
        return false;
    git_tree *rawTree = nullptr;
    if (git_tree_lookup(&rawTree, &repository, &treeOid) != 0) {
        error = gitFailure("the files " + treeId + " cannot be read");
        return false;
    }
    const GitTree tree(rawTree);
    std::vector<GitCommit> parents;
    std::vector<const git_commit *> parentPointers;
    for (const std::string &parentId : parentIds) {
        parents.push_back(lookupCommit(repository, parentId, error));
        if (!parents.back())
            return false;
        parentPointers.push_back(parents.back().get());
    }
    git_signature *rawSignature = nullptr;
    if (git_signature_now(&rawSignature, author.c_str(), (author + "@vorela").c_str()) != 0) {
        error = gitFailure("not a usable author: " + author);
        return false;
    }
    const GitSignature signature(rawSignature);
    if (git_commit_create_buffer(&text.buffer, &repository, signature.get(), signature.get(),
                                 "UTF-8", message.c_str(), tree.get(), parentPointers.size(),
                                 parentPointers.data()) != 0) {
        error = gitFailure("cannot make the version");
        return false;
    }
    return true;
}

std::optional<std::string> writeSignedCommit(git_repository &repository, const std::string &treeId,
                                             const std::vector<std::string> &parentIds,
                                             const std::string &author, const std::string &message,
                                             const std::filesystem::path &keyFile,
                                             std::string &error)
{
    GitBuffer text;
    if (!commitText(repository, treeId, parentIds, author, message, text, error))
        return std::nullopt;
    std::string signature;
    if (!signWithSshKey(text.view(), keyFile, signature, error))
        return std::nullopt;
    // A header holds the signature without its last line break, as git writes it.
    while (!signature.empty() && signature.back() == '\n')
        signature.pop_back();
    git_oid made;
    if (git_commit_create_with_signature(&made, &repository, text.buffer.ptr, signature.c_str(),
                                         SignatureField) != 0) {
        error = gitFailure("cannot store the signed version");
        return std::nullopt;
    }
    return hexId(made);
}

bool checkCommitSignature(git_repository &repository, const std::string &commitId,
                          const std::filesystem::path &allowedSigners, SignatureCheck &check,
                          std::string &error)
{
    // Read first: a version that is absent is no unsigned one.
    const GitCommit commit = lookupCommit(repository, commitId, error);
    if (!commit)
        return false;
    GitBuffer signature;
    GitBuffer signedText;
    git_oid id = *git_commit_id(commit.get());
    const int extracted = git_commit_extract_signature(&signature.buffer, &signedText.buffer,
                                                       &repository, &id, SignatureField);
    if (extracted == GIT_ENOTFOUND)
        return checkSshSignature({}, {}, allowedSigners, check, error);
    if (extracted != 0) {
        error = gitFailure("the signature of version " + commitId + " cannot be read");
        return false;
    }
    return checkSshSignature(signedText.view(), signature.view(), allowedSigners, check, error);
}

} // namespace vorela
