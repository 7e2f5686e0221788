// Another process holding the registry store's write lock (an import, a stalled notification
// application) on its own SQLite connection, until the test lets it commit.
#pragma once

#include "support/ChildProcess.h"

#include <filesystem>

namespace vorela::test {

class StoreLockHolder {
public:
    /// Starts the process and waits until it holds the lock (see held()).
    explicit StoreLockHolder(const std::filesystem::path &file);

    /// Whether the process took the lock.
    [[nodiscard]] bool held() const { return isHeld; }
    /// Lets the process commit and waits for its end; false when that failed.
    [[nodiscard]] bool commit();

private:
    ChildProcess child;
    bool isHeld = false;
};

} // namespace vorela::test
