// Named mutexes over flock: one lock file per name in the data directory's locks/ folder, shared by
// every NamedMutex of that name in this process and owned by one thread at a time.
#include "platform/NamedMutex.h"

#include <algorithm>
#include <cerrno>
#include <condition_variable>
#include <cstdint>
#include <cstring>
#include <fcntl.h>
#include <map>
#include <mutex>
#include <sys/file.h>
#include <thread>
#include <unistd.h>

namespace vorela {

// The per-process side of one lock file. flock locks belong to an open file description, so two
// descriptors of one file in one process would block each other: every user shares this one.
struct NamedMutex::Shared {
    std::filesystem::path file;
    std::mutex guard;
    std::condition_variable released;
    std::thread::id owner;
    bool reserved = false; // a thread owns the mutex or is waiting for the file lock
    unsigned depth = 0;
    int descriptor = -1;
    std::string error; // why the last attempt failed

    ~Shared()
    {
        if (descriptor >= 0)
            ::close(descriptor);
    }

    /// Called with guard held by the thread that reserved the mutex.
    bool openFile()
    {
        if (descriptor >= 0)
            return true;
        std::error_code ignored;
        std::filesystem::create_directories(file.parent_path(), ignored);
        descriptor = ::open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
        if (descriptor >= 0)
            return true;
        // A file the notification application created under another user may be read-only to
        // us; flock works on a read descriptor as well.
        const std::string writeFailure = std::strerror(errno);
        descriptor = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
        if (descriptor >= 0)
            return true;
        error = file.string() + ": cannot be opened for writing (" + writeFailure +
                ") nor for reading (" + std::strerror(errno) + ")";
        return false;
    }
};

namespace {

// The process's table of lock files, like the kernel's table of mutex names.
std::mutex tableGuard;
std::map<std::filesystem::path, std::weak_ptr<NamedMutex::Shared>> &table()
{
    static std::map<std::filesystem::path, std::weak_ptr<NamedMutex::Shared>> byFile;
    return byFile;
}

int lockFile(int descriptor, int operation)
{
    int result = 0;
    do {
        result = ::flock(descriptor, operation);
    } while (result != 0 && errno == EINTR);
    return result;
}

enum class Wait { Forever, Never };

bool acquire(NamedMutex::Shared &shared, Wait wait)
{
    std::unique_lock guard(shared.guard);
    const std::thread::id self = std::this_thread::get_id();
    if (shared.reserved && shared.owner == self && shared.depth > 0) {
        ++shared.depth;
        return true;
    }
    if (wait == Wait::Never && shared.reserved)
        return false;
    shared.released.wait(guard, [&] { return !shared.reserved; });
    shared.reserved = true;
    shared.owner = self;
    shared.error.clear();
    if (!shared.openFile()) {
        shared.reserved = false;
        shared.released.notify_one();
        return false;
    }
    const int descriptor = shared.descriptor;
    guard.unlock(); // other threads of this process wait on `released`, not on the file
    const int operation = wait == Wait::Never ? LOCK_EX | LOCK_NB : LOCK_EX;
    const bool locked = lockFile(descriptor, operation) == 0;
    const int lockFailure = errno;
    guard.lock();
    if (!locked) {
        if (lockFailure != EWOULDBLOCK)
            shared.error =
                shared.file.string() + ": cannot be locked (" + std::strerror(lockFailure) + ")";
        shared.reserved = false;
        shared.released.notify_one();
        return false;
    }
    shared.depth = 1;
    return true;
}

} // namespace

NamedMutex::NamedMutex(const DataDirectory &dataDirectory, std::string name)
    : mutexName(std::move(name))
{
    const std::filesystem::path file = dataDirectory.locks() / lockFileName(mutexName);
    const std::lock_guard guard(tableGuard);
    std::weak_ptr<Shared> &entry = table()[file];
    shared = entry.lock();
    if (shared)
        return;
    shared = std::make_shared<Shared>();
    shared->file = file;
    entry = shared;
}

NamedMutex::~NamedMutex()
{
    const std::lock_guard guard(tableGuard);
    const std::filesystem::path file = shared->file;
    shared.reset();
    const auto found = table().find(file);
    if (found != table().end() && found->second.expired())
        table().erase(found);
}

bool NamedMutex::lock()
{
    return acquire(*shared, Wait::Forever);
}

bool NamedMutex::lockFor(std::chrono::milliseconds timeout)
{
    // flock has no timeout: try again now and then, as a holder releases within moments.
    static constexpr std::chrono::milliseconds Poll{20};
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        if (tryLock())
            return true;
        const auto now = std::chrono::steady_clock::now();
        if (!lastError().empty() || now >= deadline)
            return false;
        std::this_thread::sleep_for(
            std::min<std::chrono::steady_clock::duration>(Poll, deadline - now));
    }
}

bool NamedMutex::tryLock()
{
    return acquire(*shared, Wait::Never);
}

void NamedMutex::unlock()
{
    const std::lock_guard guard(shared->guard);
    if (!shared->reserved || shared->owner != std::this_thread::get_id() || shared->depth == 0)
        return;
    if (--shared->depth > 0)
        return;
    lockFile(shared->descriptor, LOCK_UN);
    shared->reserved = false;
    shared->owner = {};
    shared->released.notify_one();
}

bool NamedMutex::isHeld() const
{
    const std::lock_guard guard(shared->guard);
    return shared->reserved && shared->depth > 0 && shared->owner == std::this_thread::get_id();
}

std::string NamedMutex::lastError() const
{
    const std::lock_guard guard(shared->guard);
    return shared->error;
}

static constexpr char Hex[] = "0123456789ABCDEF";
static constexpr std::string_view LockSuffix = ".lock";

std::string NamedMutex::plainLockFileName(std::string_view name)
{
    std::string escaped;
    for (const char character : name) {
        const auto byte = static_cast<unsigned char>(character);
        const bool plain = (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') ||
                           (byte >= '0' && byte <= '9') || byte == '.' || byte == '_' ||
                           byte == '-';
        if (plain) {
            escaped.push_back(character);
            continue;
        }
        escaped.push_back('%');
        escaped.push_back(Hex[byte >> 4]);
        escaped.push_back(Hex[byte & 0x0F]);
    }
    return escaped + std::string(LockSuffix);
}

std::string NamedMutex::lockFileName(std::string_view name)
{
    static constexpr std::size_t MaxFileBytes = 255;
    std::string plain = plainLockFileName(name);
    if (plain.size() <= MaxFileBytes)
        return plain;
    const std::string_view escaped =
        std::string_view(plain).substr(0, plain.size() - LockSuffix.size());
    // 64-bit FNV-1a of the name: stable across processes and builds.
    std::uint64_t hash = 0xCBF29CE484222325ULL;
    for (const char character : name) {
        hash ^= static_cast<unsigned char>(character);
        hash *= 0x100000001B3ULL;
    }
    std::string tail = "~";
    for (int shift = 60; shift >= 0; shift -= 4)
        tail.push_back(Hex[(hash >> shift) & 0x0F]);
    std::size_t keep = MaxFileBytes - LockSuffix.size() - tail.size();
    // Never cut inside a %XX.
    if (keep >= 1 && escaped[keep - 1] == '%')
        keep -= 1;
    else if (keep >= 2 && escaped[keep - 2] == '%')
        keep -= 2;
    return std::string(escaped.substr(0, keep)) + tail + std::string(LockSuffix);
}

} // namespace vorela
