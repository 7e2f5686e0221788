// Which version each notification host runs, kept on the remote as one ref a host
// (refs/hosts/NAME): a parentless commit of the empty tree whose message is the version's id and
// whose committer time is when it was applied, so that reading them fetches bytes, not libraries.
#pragma once

#include <git2.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vorela {

struct HostRecord {
    std::string host;
    std::string version;        // 40 hex digits
    std::int64_t appliedAt = 0; // seconds since 1970
};

/// Whether name can name a host's record: one level below refs/hosts/ that git accepts.
[[nodiscard]] bool isHostName(std::string_view name);

/// Records on the remote that host (a name isHostName accepts) runs version since appliedAt,
/// replacing its earlier record (a host's record is its own); false with the reason when it was not
/// recorded.
[[nodiscard]] bool recordHost(git_repository &repository, const std::string &url,
                              const std::string &host, const std::string &version,
                              std::int64_t appliedAt, std::string &error);

/// Every record of the remote, sorted by host, and its published version (none when the remote
/// has none yet), read through a scratch repository that is removed afterwards.
[[nodiscard]] bool readHostRecords(const std::string &url, std::vector<HostRecord> &records,
                                   std::optional<std::string> &published, std::string &error);

} // namespace vorela
