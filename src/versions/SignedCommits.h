// Versions signed with an OpenSSH key in git's own format (the "gpgsig" header), written and
// checked in a history's repository; plain git verifies them with gpg.format=ssh.
#pragma once

#include "versions/SshSignature.h"

#include <git2.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace vorela {

/// Writes a commit of treeId with parentIds (hex) by author (name; email author@vorela as the
/// history's commits have), signed with keyFile (git_commit_create_buffer, signWithSshKey,
/// git_commit_create_with_signature with field "gpgsig"); moves no reference; its id (hex).
/// On failure nothing is written. The object is not synced: make it durable before a reference
/// names it.
[[nodiscard]] std::optional<std::string>
writeSignedCommit(git_repository &repository, const std::string &treeId,
                  const std::vector<std::string> &parentIds, const std::string &author,
                  const std::string &message, const std::filesystem::path &keyFile,
                  std::string &error);

/// Checks the signature of commit id (git_commit_extract_signature) against allowedSigners.
/// False with error when the commit cannot be read or the check cannot run.
[[nodiscard]] bool checkCommitSignature(git_repository &repository, const std::string &commitId,
                                        const std::filesystem::path &allowedSigners,
                                        SignatureCheck &check, std::string &error);

} // namespace vorela
