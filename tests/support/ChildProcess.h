// A second real process for tests of what processes share: named mutexes, the registry store.
// The child is forked and talks to the test over two pipes, one byte per message.
#pragma once

#include <chrono>
#include <filesystem>
#include <functional>
#include <optional>
#include <sys/types.h>

namespace vorela::test {

class ChildProcess {
public:
    /// Forks; the child runs body and exits with its result. The child must not use objects the
    /// test opened before (SQLite connections, named mutexes): it opens its own.
    explicit ChildProcess(const std::function<int(ChildProcess &)> &body);
    /// Kills the child when it still runs, and reaps it.
    ~ChildProcess();
    ChildProcess(const ChildProcess &) = delete;
    ChildProcess &operator=(const ChildProcess &) = delete;

    // Test side.
    /// The next byte the child sent; empty after timeout or when the child ended.
    [[nodiscard]] std::optional<char> receive(std::chrono::milliseconds timeout);
    void send(char message);
    /// SIGKILL, as a crash would end it.
    void kill();
    /// Waits for the end; the exit status, or -1 when the child did not exit normally.
    int wait();
    [[nodiscard]] pid_t processId() const { return pid; }

    // Child side.
    void tell(char message);
    /// The next byte from the test; empty when the test is gone.
    [[nodiscard]] std::optional<char> await();

private:
    pid_t pid = -1;
    int toChild = -1;
    int fromChild = -1;
    int childReads = -1;
    int childWrites = -1;
    bool reaped = false;
};

/// Whether some process waits for a flock on file (a waiter line for its inode in /proc/locks),
/// polled until timeout.
[[nodiscard]] bool waitForLockWaiter(const std::filesystem::path &file,
                                     std::chrono::milliseconds timeout);

/// Whether at least count processes have file open (polling /proc until timeout): a process
/// that waits for a lock by trying it again and again shows up no other way.
[[nodiscard]] bool waitForProcessesWithOpen(const std::filesystem::path &file, std::size_t count,
                                            std::chrono::milliseconds timeout);

} // namespace vorela::test
