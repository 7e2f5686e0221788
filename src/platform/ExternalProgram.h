// Other programs run as child processes: an argument vector handed to posix_spawnp, never a
// shell, so no argument is ever read as a command.
#pragma once

#include <sys/types.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace vorela {

/// Starts arguments[0] (looked up on PATH) with its standard input, output and errors on
/// /dev/null, for a caller that reaps it with waitpid; empty with the errno in startError when it
/// cannot be started (ENOENT: not installed).
[[nodiscard]] std::optional<pid_t> startProgram(const std::vector<std::string> &arguments,
                                                int &startError);

/// What a program run to its end did.
struct ProgramRun {
    int startError = 0;  // errno when it could not be started, 0 when it ran
    int exitStatus = -1; // -1 when it did not exit normally or was not followed to its end
    std::string output;  // its standard output
    std::string errors;  // its standard error
    [[nodiscard]] bool succeeded() const { return startError == 0 && exitStatus == 0; }
};

/// Runs arguments[0] (looked up on PATH) with standard input read from input (/dev/null when
/// empty), collecting its output and errors, and waits for its end.
[[nodiscard]] ProgramRun runProgram(const std::vector<std::string> &arguments,
                                    const std::filesystem::path &input = {});

} // namespace vorela
