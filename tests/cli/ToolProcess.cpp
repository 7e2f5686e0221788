// Runs the build's tools through popen and collects their output.
#include "ToolProcess.h"

#include <sys/wait.h>

#include <cstdio>

namespace vorela::test {

ToolRun runTool(std::string_view program, const std::string &arguments)
{
    const std::string command = "env -u VORELA_REGISTRY " + std::string(VORELA_BINARY_DIR) +
                                std::string(program) + " " + arguments + " 2>/dev/null";
    ToolRun run;
    FILE *pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr)
        return run;
    char buffer[4096];
    std::size_t read = 0;
    while ((read = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
        run.output.append(buffer, read);
    const int status = ::pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

ToolRun runVorela(const std::filesystem::path &dataDir, const std::string &arguments)
{
    return runTool("/src/cli/vorela", "--data-dir '" + dataDir.string() + "' " + arguments);
}

} // namespace vorela::test
