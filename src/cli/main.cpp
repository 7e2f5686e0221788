// Entry point of the `vorela` tool: vorela [--data-dir DIR] COMMAND [ARGUMENTS...]
#include "cli/CliCommands.h"
#include "cli/ConsoleUiServices.h"

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <streambuf>
#include <string_view>

namespace vorela {

// Declared by the command files; listed here once so that `vorela help` shows them all.
static const auto Commands = std::to_array<CliCommandEntry>({
    {"verify", verifyCommand, "verify IN.wav    exit 0: certified by a trusted key, 2: not"},
    {"reg", regCommand, "reg import FILE | reg export [KEY] [-o FILE]   .reg files in and out"},
    {"lexemes", lexemesCommand, "lexemes          the lexeme tree, one node per line"},
    {"tasks", tasksCommand, "tasks            TASK<TAB>OPERATOR per operator"},
    {"templates", templatesCommand, "templates TASK OPERATOR   the template's items in order"},
    {"speak", speakCommand,
     "speak KIND [--feminine] [--genitive] [--currency N] [--today YYYY-MM-DD] [--now HH:MM] "
     "VALUE...   the keys of one number, amount, date or time; exit 2 when not speakable"},
    {"expand", expandCommand,
     "expand TASK OPERATOR [ITEM] [--today YYYY-MM-DD] [--now HH:MM]   a template's keys"},
    {"table", tableCommand,
     "table columns FILE | table value FILE BINDING   a task table as the editor reads it"},
    {"bank", bankCommand,
     "bank list | bank export ID OUT.wav | bank import ID IN | bank import-dir DIR | "
     "bank remove ID | bank normalize ID...|--all   the product bank; IN is WAV, FLAC, Ogg or MP3"},
    {"install-currency", installCurrencyCommand,
     "install-currency   the currency words into the product bank and the lexeme tree"},
    {"init", initCommand,
     "init [DIR]       a new data directory: standard lexeme tree, empty bank"},
    {"demo", demoCommand, "demo [DIR]       init, then demo recordings, tasks and templates"},
    {"check", checkCommand,
     "check [--sounds [--verbose]]   the installation's (or its sounds') problems; exit 0 clean, "
     "2 not"},
    {"render", renderCommand,
     "render TASK OPERATOR -o OUT.wav [--record N | --all] [--name-by COLUMN] "
     "[--line alaw|ulaw] [--today YYYY-MM-DD] [--now HH:MM]   the template as WAV"},
    {"preflight", preflightCommand,
     "preflight TASK [OPERATOR] [--csv OUT] [--limit N]   every record of the task's table "
     "spoken through the templates; exit 0 all whole, 2 not"},
    {"task", taskCommand,
     "task add TASK --table FILE.dbf [--comment TEXT] | task remove TASK   [--wait SECONDS]"},
    {"operator", operatorCommand,
     "operator add TASK OPERATOR | operator remove TASK OPERATOR   [--wait SECONDS]"},
});

int cliFailure(const std::string &message)
{
    std::cerr << "vorela: " << message << '\n';
    return 1;
}

static void printUsage()
{
    std::cerr << "usage: vorela [--data-dir DIR] COMMAND [ARGUMENTS...]\n\ncommands:\n";
    for (const CliCommandEntry &entry : Commands)
        std::cerr << "  " << entry.usage << '\n';
}

static int run(int argc, char **argv)
{
    CliArguments arguments(argv + 1, argv + argc);
    DataDirectory dataDirectory = DataDirectory::fromEnvironment();
    if (arguments.size() >= 2 && arguments[0] == "--data-dir") {
        dataDirectory = DataDirectory(arguments[1]);
        arguments.erase(arguments.begin(), arguments.begin() + 2);
    }
    if (arguments.empty() || arguments[0] == "help" || arguments[0] == "--help") {
        printUsage();
        return arguments.empty() ? 1 : 0;
    }
    ConsoleUiServices ui;
    CliContext context{dataDirectory, ui};
    for (const CliCommandEntry &entry : Commands) {
        if (arguments[0] != entry.name)
            continue;
        const CliArguments rest(arguments.begin() + 1, arguments.end());
        return entry.run(context, rest);
    }
    return cliFailure("unknown command '" + arguments[0] + "' (see vorela help)");
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
