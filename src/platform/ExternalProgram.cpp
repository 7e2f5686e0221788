// posix_spawnp with the child's streams set up by file actions; output and errors read through
// two pipes together, so a chatty child never blocks on a full pipe.
#include "platform/ExternalProgram.h"

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cerrno>

extern char **environ;

namespace vorela {

namespace {

class SpawnActions {
public:
    SpawnActions() { posix_spawn_file_actions_init(&actions); }
    ~SpawnActions() { posix_spawn_file_actions_destroy(&actions); }
    SpawnActions(const SpawnActions &) = delete;
    SpawnActions &operator=(const SpawnActions &) = delete;
    posix_spawn_file_actions_t actions;
};

class Descriptor {
public:
    Descriptor() = default;
    ~Descriptor() { close(); }
    Descriptor(const Descriptor &) = delete;
    Descriptor &operator=(const Descriptor &) = delete;
    void close()
    {
        if (number >= 0)
            ::close(number);
        number = -1;
    }
    int number = -1;
};

struct Pipe {
    Descriptor reading;
    Descriptor writing;
    [[nodiscard]] bool open()
    {
        int ends[2] = {-1, -1};
        if (pipe2(ends, O_CLOEXEC) != 0)
            return false;
        reading.number = ends[0];
        writing.number = ends[1];
        return true;
    }
};

std::optional<pid_t> spawn(const std::vector<std::string> &arguments,
                           const posix_spawn_file_actions_t &actions, int &startError)
{
    std::vector<char *> argv;
    for (const std::string &argument : arguments)
        argv.push_back(const_cast<char *>(argument.c_str()));
    argv.push_back(nullptr);
    pid_t pid = 0;
    startError = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    return startError == 0 ? std::optional<pid_t>(pid) : std::nullopt;
}

// Reads both pipes until each has ended; false when reading failed.
bool collect(Pipe &output, Pipe &errors, ProgramRun &run)
{
    std::array<pollfd, 2> ends = {pollfd{output.reading.number, POLLIN, 0},
                                  pollfd{errors.reading.number, POLLIN, 0}};
    std::array<std::string *, 2> into = {&run.output, &run.errors};
    while (ends[0].fd >= 0 || ends[1].fd >= 0) {
        if (poll(ends.data(), ends.size(), -1) < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        for (std::size_t i = 0; i < ends.size(); ++i) {
            if (ends[i].fd < 0 || ends[i].revents == 0)
                continue;
            char buffer[4096];
            const ssize_t got = ::read(ends[i].fd, buffer, sizeof buffer);
            if (got < 0 && errno == EINTR)
                continue;
            if (got <= 0) {
                ends[i].fd = -1; // the end of this stream, or a failure that ends it
                continue;
            }
            into[i]->append(buffer, static_cast<std::size_t>(got));
        }
    }
    return true;
}

} // namespace

std::optional<pid_t> startProgram(const std::vector<std::string> &arguments, int &startError)
{
    SpawnActions spawnActions;
    posix_spawn_file_actions_t &actions = spawnActions.actions;
    // The children's chatter is no diagnosis of ours: a failure shows in the exit status.
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    return spawn(arguments, actions, startError);
}

ProgramRun runProgram(const std::vector<std::string> &arguments, const std::filesystem::path &input)
{
    ProgramRun run;
    Pipe output;
    Pipe errors;
    if (!output.open() || !errors.open()) {
        run.startError = errno;
        return run;
    }
    SpawnActions spawnActions;
    posix_spawn_file_actions_t &actions = spawnActions.actions;
    posix_spawn_file_actions_addopen(&actions, 0, input.empty() ? "/dev/null" : input.c_str(),
                                     O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, output.writing.number, 1);
    posix_spawn_file_actions_adddup2(&actions, errors.writing.number, 2);
    const std::optional<pid_t> pid = spawn(arguments, actions, run.startError);
    if (!pid)
        return run;
    // Only the child holds the writing ends now: each pipe ends when the child does.
    output.writing.close();
    errors.writing.close();
    const bool collected = collect(output, errors, run);
    // A child still writing after a failed read ends on a broken pipe instead of blocking.
    output.reading.close();
    errors.reading.close();
    int status = 0;
    pid_t waited = -1;
    while ((waited = waitpid(*pid, &status, 0)) < 0 && errno == EINTR) {
    }
    const bool exited = waited == *pid && WIFEXITED(status);
    run.exitStatus = exited && collected ? WEXITSTATUS(status) : -1;
    if (!collected)
        run.errors += "\n(the program's output could not be read to its end)";
    return run;
}

} // namespace vorela
