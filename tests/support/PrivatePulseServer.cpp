// Runs scripts/private-pulse start/stop around a test, and the rule for a test without it.
#include "support/PrivatePulseServer.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <string_view>
#include <unistd.h>

namespace vorela::test {

static std::string scriptCommand(const std::string &action, const std::filesystem::path &dir)
{
    return std::string("'") + VORELA_SOURCE_DIR + "/scripts/private-pulse' " + action + " '" +
           dir.string() + "' >/dev/null 2>&1";
}

PrivatePulseServer::PrivatePulseServer()
{
    std::error_code error;
    runtimeDir = std::filesystem::temp_directory_path(error) /
                 ("vorela-pulse-" + std::to_string(::getpid()));
    started = std::system(scriptCommand("start", runtimeDir).c_str()) == 0;
    if (started) {
        ::setenv("XDG_RUNTIME_DIR", runtimeDir.c_str(), 1);
        ::unsetenv("PULSE_SERVER");
    }
}

PrivatePulseServer::~PrivatePulseServer()
{
    (void)std::system(scriptCommand("stop", runtimeDir).c_str());
    std::error_code error;
    std::filesystem::remove_all(runtimeDir, error);
}

std::optional<std::string> missingSoundServer()
{
    static const PrivatePulseServer server;
    if (server.running())
        return std::nullopt;
    const char *ci = std::getenv("CI");
    if (ci != nullptr && std::string_view(ci) == "true")
        ADD_FAILURE() << "the private PulseAudio server did not start, and CI=true needs it";
    return "no private PulseAudio server (scripts/private-pulse start failed)";
}

} // namespace vorela::test
