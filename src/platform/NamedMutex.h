// Named mutexes shared with the notification application: flock on locks/<name>.lock in the data
// directory, released by the kernel when the holder dies.
#pragma once

#include "platform/DataDirectory.h"

#include <chrono>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>

namespace vorela {

/// One named mutex. Every NamedMutex of the same name in this process shares one lock, owned by
/// one thread at a time and re-entrant for that thread; another process holding the name makes
/// lock() wait. Creating the object takes no ownership. The lock file is created on first use.
class NamedMutex {
public:
    NamedMutex(const DataDirectory &dataDirectory, std::string name);
    ~NamedMutex();
    NamedMutex(const NamedMutex &) = delete;
    NamedMutex &operator=(const NamedMutex &) = delete;

    [[nodiscard]] const std::string &name() const { return mutexName; }
    /// Waits without limit; false only when the lock file cannot be opened or locked.
    [[nodiscard]] bool lock();
    /// Waits at most timeout; false when another holder kept it that long (lastError() empty)
    /// or the lock file cannot be opened or locked.
    [[nodiscard]] bool lockFor(std::chrono::milliseconds timeout);
    /// Takes the mutex only when nobody else holds it; never waits.
    [[nodiscard]] bool tryLock();
    /// Releases one level of a lock()/lockFor()/tryLock() that succeeded on this thread.
    void unlock();
    /// Whether the calling thread holds the mutex.
    [[nodiscard]] bool isHeld() const;
    /// Why the last lock attempt of this name failed, naming the lock file; empty when it
    /// succeeded or only found the mutex taken.
    [[nodiscard]] std::string lastError() const;

    /// The lock file name of a mutex name: every byte outside [A-Za-z0-9._-] as %XX, plus ".lock".
    /// A name that would exceed the file system's 255 bytes (which no program can lock) is cut,
    /// and '~' with a hash of the whole name keeps it apart from every other name.
    [[nodiscard]] static std::string lockFileName(std::string_view name);
    /// The escaped name plus ".lock", whatever its length: the name the notification application
    /// would use, longer than lockFileName() for long names.
    [[nodiscard]] static std::string plainLockFileName(std::string_view name);

    /// This process's state of one lock file, shared by the mutexes of one name.
    struct Shared;

private:
    std::string mutexName;
    std::shared_ptr<Shared> shared;
};

/// Holds a NamedMutex for its lifetime (waiting without limit); check isLocked() when the lock
/// file may be unusable.
class NamedMutexLock {
public:
    explicit NamedMutexLock(NamedMutex &mutex) : held(mutex), locked(mutex.lock()) {}
    /// Takes over a lock the caller already holds.
    NamedMutexLock(NamedMutex &mutex, std::adopt_lock_t) : held(mutex), locked(true) {}
    ~NamedMutexLock()
    {
        if (locked)
            held.unlock();
    }
    NamedMutexLock(const NamedMutexLock &) = delete;
    NamedMutexLock &operator=(const NamedMutexLock &) = delete;

    [[nodiscard]] bool isLocked() const { return locked; }

private:
    NamedMutex &held;
    bool locked;
};

} // namespace vorela
