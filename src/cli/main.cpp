// Entry point of the `vorela` tool: vorela [--data-dir DIR] COMMAND [ARGUMENTS...]
#include "cli/CommandLine.h"
#include "cli/ConsoleUiServices.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <streambuf>

namespace vorela {

void sayCliFailure(const std::string &message)
{
    std::cerr << "vorela: " << message << '\n';
}

int cliFailure(const std::string &message)
{
    sayCliFailure(message);
    return 1;
}

static int run(int argc, char **argv)
{
    CommandLine commandLine;
    if (const std::optional<int> status = commandLine.read(argc, argv))
        return *status;
    ConsoleUiServices ui;
    CliContext context{commandLine.dataDirectory(), ui};
    return commandLine.runCommand(context);
}

namespace {

// Passes std::cout's output on to its own buffer and keeps why the first write failed: stdio
// forgets the reason once it drops the data, long before the command returns.
class ReasonKeepingBuffer : public std::streambuf {
public:
    explicit ReasonKeepingBuffer(std::streambuf *target) : inner(target) {}
    [[nodiscard]] int firstError() const { return error; }

protected:
    int_type overflow(int_type character) override
    {
        if (traits_type::eq_int_type(character, traits_type::eof()))
            return sync() == 0 ? traits_type::not_eof(character) : traits_type::eof();
        const char text = traits_type::to_char_type(character);
        return xsputn(&text, 1) == 1 ? character : traits_type::eof();
    }
    std::streamsize xsputn(const char *text, std::streamsize count) override
    {
        errno = 0;
        const std::streamsize written = inner->sputn(text, count);
        if (written < count)
            keepError();
        return written;
    }
    int sync() override
    {
        errno = 0;
        const int result = inner->pubsync();
        if (result != 0)
            keepError();
        return result;
    }

private:
    void keepError()
    {
        if (error == 0)
            error = errno;
    }

    std::streambuf *inner;
    int error = 0;
};

} // namespace

// Output that did not reach standard output is a failure whatever the command decided: a
// summary lost to a full disk must not read as an answer. Both iostreams and stdio are flushed
// and checked here, once for every command.
static int checkStandardOutput(int status, const ReasonKeepingBuffer &output)
{
    std::cout.flush();
    errno = 0;
    const bool stdioFailed = std::fflush(stdout) != 0 || std::ferror(stdout) != 0;
    if (std::cout && !stdioFailed)
        return status;
    const int error = output.firstError() != 0 ? output.firstError() : errno;
    const std::string reason = error != 0 ? std::strerror(error) : "write failed";
    return cliFailure("cannot write standard output: " + reason);
}

static int runChecked(int argc, char **argv)
{
    std::streambuf *const original = std::cout.rdbuf();
    ReasonKeepingBuffer output(original);
    std::cout.rdbuf(&output);
    const int status = checkStandardOutput(run(argc, argv), output);
    std::cout.rdbuf(original);
    return status;
}

} // namespace vorela

int main(int argc, char **argv)
{
    return vorela::runChecked(argc, argv);
}
