// Forked second processes and the /proc/locks probe of the tests of shared locks and stores.
#include "support/ChildProcess.h"

#include <csignal>
#include <filesystem>
#include <fstream>
#include <poll.h>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace vorela::test {

ChildProcess::ChildProcess(const std::function<int(ChildProcess &)> &body)
{
    int down[2];
    int up[2];
    if (pipe(down) != 0 || pipe(up) != 0)
        return;
    pid = fork();
    if (pid == 0) {
        close(down[1]);
        close(up[0]);
        childReads = down[0];
        childWrites = up[1];
        _exit(body(*this));
    }
    close(down[0]);
    close(up[1]);
    toChild = down[1];
    fromChild = up[0];
}

ChildProcess::~ChildProcess()
{
    if (pid > 0 && !reaped) {
        ::kill(pid, SIGKILL);
        (void)wait();
    }
    if (toChild >= 0)
        close(toChild);
    if (fromChild >= 0)
        close(fromChild);
}

std::optional<char> ChildProcess::receive(std::chrono::milliseconds timeout)
{
    pollfd ready{fromChild, POLLIN, 0};
    if (poll(&ready, 1, static_cast<int>(timeout.count())) != 1)
        return std::nullopt;
    char message = 0;
    if (read(fromChild, &message, 1) != 1)
        return std::nullopt;
    return message;
}

void ChildProcess::send(char message)
{
    (void)!write(toChild, &message, 1);
}

void ChildProcess::kill()
{
    if (pid > 0 && !reaped)
        ::kill(pid, SIGKILL);
}

int ChildProcess::wait()
{
    if (pid <= 0)
        return -1;
    int status = 0;
    if (waitpid(pid, &status, 0) != pid)
        return -1;
    reaped = true;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

void ChildProcess::tell(char message)
{
    (void)!write(childWrites, &message, 1);
}

std::optional<char> ChildProcess::await()
{
    char message = 0;
    if (read(childReads, &message, 1) != 1)
        return std::nullopt;
    return message;
}

bool waitForLockWaiter(const std::filesystem::path &file, std::chrono::milliseconds timeout)
{
    struct stat info {};
    if (stat(file.c_str(), &info) != 0)
        return false;
    const std::string inode = ":" + std::to_string(info.st_ino) + " ";
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (std::chrono::steady_clock::now() < deadline) {
        std::ifstream locks("/proc/locks");
        for (std::string line; std::getline(locks, line);) {
            if (line.find("->") != std::string::npos && line.find(inode) != std::string::npos)
                return true;
        }
        std::this_thread::yield();
    }
    return false;
}

static std::size_t processesWithOpen(const std::filesystem::path &file)
{
    using Listing = std::filesystem::directory_iterator;
    std::size_t count = 0;
    std::error_code error;
    for (Listing process("/proc", error); !error && process != Listing();
         process.increment(error)) {
        std::error_code fdError;
        for (Listing fd(process->path() / "fd", fdError); !fdError && fd != Listing();
             fd.increment(fdError)) {
            std::error_code linkError;
            if (std::filesystem::read_symlink(fd->path(), linkError) == file) {
                ++count;
                break;
            }
        }
    }
    return count;
}

bool waitForProcessesWithOpen(const std::filesystem::path &file, std::size_t count,
                              std::chrono::milliseconds timeout)
{
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::weakly_canonical(file, error);
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (processesWithOpen(absolute) < count) {
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        std::this_thread::yield();
    }
    return true;
}

} // namespace vorela::test
