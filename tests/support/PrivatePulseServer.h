// A private PulseAudio server for the duration of a test (scripts/private-pulse), so real-device
// tests neither need nor disturb a desktop sound server.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace vorela::test {

class PrivatePulseServer {
public:
    /// Starts the server and points this process at it (XDG_RUNTIME_DIR); see running().
    PrivatePulseServer();
    ~PrivatePulseServer();
    PrivatePulseServer(const PrivatePulseServer &) = delete;
    PrivatePulseServer &operator=(const PrivatePulseServer &) = delete;

    /// False when pulseaudio is missing or would not start.
    [[nodiscard]] bool running() const { return started; }

private:
    std::filesystem::path runtimeDir;
    bool started = false;
};

/// Starts the process's one private server on first use (the sound backend keeps the server it
/// first found) and says why a real-device test cannot run, or nothing when it can. Under CI=true
/// a missing server is also a test failure, since a skip alone counts as passed.
[[nodiscard]] std::optional<std::string> missingSoundServer();

} // namespace vorela::test
