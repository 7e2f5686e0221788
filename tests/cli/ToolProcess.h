// The build's own tools (`vorela`, `vorela-sign`) run as an operator runs them: a real process.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace vorela::test {

struct ToolRun {
    int status = -1;    // exit status; -1 when the process did not exit normally
    std::string output; // what it wrote to stdout
    std::string errors; // what it wrote to stderr
};

/// Runs program (its path below the build directory, "/src/cli/vorela") with arguments through
/// the shell, without an inherited VORELA_REGISTRY; stdout and stderr are collected apart.
[[nodiscard]] ToolRun runTool(std::string_view program, const std::string &arguments);

/// `vorela --data-dir dataDir arguments`.
[[nodiscard]] ToolRun runVorela(const std::filesystem::path &dataDir, const std::string &arguments);

} // namespace vorela::test
