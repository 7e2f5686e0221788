// The author every version carries: the login name of whoever made it.
#pragma once

#include <string>

namespace vorela {

/// The login name of the process's user; $USER, then "unknown", when it has none.
[[nodiscard]] std::string loginName();

} // namespace vorela
