// Options several commands of the `vorela` tool share, read the same way wherever they appear.
#pragma once

#include "platform/Clock.h"

#include <chrono>
#include <optional>
#include <string_view>

namespace CLI {
class App;
}

namespace vorela {

/// A decimal number written in digits only; empty for any other text.
[[nodiscard]] std::optional<unsigned> decimalNumber(std::string_view text);

/// --today YYYY-MM-DD and --now HH:MM on command: the date and time speech takes as the present.
/// clock starts at the system's present; each option given replaces its part.
void addClockOptions(CLI::App &command, FixedClock &clock);

/// --wait SECONDS on command: how long to wait for a template the notification application has
/// locked; wait starts at the usual short wait.
void addWaitOption(CLI::App &command, std::chrono::milliseconds &wait);

} // namespace vorela
