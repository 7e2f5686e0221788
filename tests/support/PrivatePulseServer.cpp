// Runs scripts/private-pulse start/stop around a test.
#include "support/PrivatePulseServer.h"

#include <cstdlib>
#include <string>
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

} // namespace vorela::test
