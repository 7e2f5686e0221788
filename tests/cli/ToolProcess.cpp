// Runs the build's tools through popen and collects their output.
#include "ToolProcess.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>

namespace vorela::test {

// The file that receives the tool's stderr; removed when the run has been read.
class ErrorFile {
public:
    ErrorFile()
    {
        const int descriptor = ::mkstemp(name.data());
        if (descriptor >= 0)
            ::close(descriptor);
    }
    ~ErrorFile() { std::remove(name.c_str()); }
    ErrorFile(const ErrorFile &) = delete;
    ErrorFile &operator=(const ErrorFile &) = delete;

    [[nodiscard]] const std::string &path() const { return name; }
    [[nodiscard]] std::string text() const
    {
        std::ifstream input(name, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(input), std::istreambuf_iterator<char>());
    }

private:
    std::string name = "/tmp/vorela-tool-errors-XXXXXX";
};

ToolRun runTool(std::string_view program, const std::string &arguments)
{
    const ErrorFile errors;
    const std::string command = "env -u VORELA_REGISTRY " + std::string(VORELA_BINARY_DIR) +
                                std::string(program) + " " + arguments + " 2>'" + errors.path() +
                                "'";
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
    run.errors = errors.text();
    return run;
}

ToolRun runVorela(const std::filesystem::path &dataDir, const std::string &arguments)
{
    return runTool("/src/cli/vorela", "--data-dir '" + dataDir.string() + "' " + arguments);
}

} // namespace vorela::test
