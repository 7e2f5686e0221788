// The one lock every writer of the product bank holds from reading the old bank to renaming the
// new one over it, so that two writers run one after the other and neither undoes the other.
#pragma once

#include "platform/DataDirectory.h"
#include "platform/NamedMutex.h"

#include <chrono>
#include <optional>
#include <string>

namespace vorela {

/// Who holds the bank writer lock, as its holder recorded it in the lock file.
struct BankWriter {
    long pid = 0;
    std::string program;
};

/// Takes the lock for its lifetime, waiting a bounded time; re-entrant on one thread, so an
/// operation that reads the bank before it rewrites it can hold it across both.
class BankWriterLock {
public:
    /// A name the notification application does not use: it only reads the bank.
    static constexpr std::string_view MutexName = "vorela-bank-writer";
    static constexpr std::chrono::milliseconds DefaultWait = std::chrono::seconds(30);

    explicit BankWriterLock(const DataDirectory &dataDirectory,
                            std::chrono::milliseconds wait = DefaultWait);
    ~BankWriterLock();
    BankWriterLock(const BankWriterLock &) = delete;
    BankWriterLock &operator=(const BankWriterLock &) = delete;

    [[nodiscard]] bool isLocked() const { return locked; }
    /// When not locked because another writer kept it: that writer, when it recorded itself.
    [[nodiscard]] const std::optional<BankWriter> &holder() const { return busyWith; }
    /// When not locked: why, naming the holder or the unusable lock file (English).
    [[nodiscard]] std::string failure() const;

private:
    std::filesystem::path file;
    NamedMutex mutex;
    std::chrono::milliseconds waited;
    bool locked = false;
    bool outermost = false; // this hold took the lock; an inner one leaves the record alone
    std::optional<BankWriter> busyWith;
};

} // namespace vorela
