// The remote the library is published to, reached through libgit2 without a configured remote:
// a path, file://, ssh:// (ssh-agent, then ~/.ssh/id_ed25519) or git://.
#pragma once

#include <git2.h>

#include <filesystem>
#include <map>
#include <string>
#include <string_view>

namespace vorela {

/// The remote's branch that holds the published version.
inline constexpr std::string_view PublishedRef = "refs/heads/main";

/// The user's usual private key, ~/.ssh/id_ed25519: what ssh:// logs in with when no agent
/// answers, and what a version is signed with unless another key is named.
[[nodiscard]] std::filesystem::path usualSshKey();

/// Ref name -> id (hex), as the remote advertises its refs.
using RemoteRefs = std::map<std::string, std::string>;

/// Lists every ref of the remote into refs and downloads the objects of those matching pattern
/// (a full name, or a prefix ending in '*') into repository, moving no local ref. An absent ref
/// is no failure (it is not in refs); an unreachable remote or a failed download is.
[[nodiscard]] bool fetchRemoteRefs(git_repository &repository, const std::string &url,
                                   std::string_view pattern, RemoteRefs &refs, std::string &error);

enum class PushResult { Done, Rejected, Failed };

/// Pushes refspec ("[+]LOCAL:REMOTE", LOCAL a local ref). Rejected when the remote refuses the
/// update (not a fast-forward, or the ref moved meanwhile); the reason in error either way.
[[nodiscard]] PushResult pushToRemote(git_repository &repository, const std::string &url,
                                      const std::string &refspec, std::string &error);

/// Points the local ref name at id (hex), replacing what it named; false with the reason.
[[nodiscard]] bool pointReference(git_repository &repository, const std::string &name,
                                  const std::string &id, std::string &error);

} // namespace vorela
