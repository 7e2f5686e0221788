// A greeting phrase certified with a fresh key that the data directory trusts.
#pragma once

#include "platform/DataDirectory.h"

#include <cstdint>
#include <vector>

namespace vorela::test {

/// count samples of a tone, certified with a new 512-bit key whose public blob is written to the
/// data directory's trusted-keys/ folder. Empty when the key could not be made.
[[nodiscard]] std::vector<std::int16_t> certifiedGreeting(const DataDirectory &dataDirectory,
                                                          std::size_t count = 4000);

} // namespace vorela::test
