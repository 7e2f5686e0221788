// Template locks taken one after another by an operation that changes several templates, each
// tried until one deadline, released in reverse order when the holder goes.
#pragma once

#include "platform/DataDirectory.h"
#include "platform/NamedMutex.h"

#include <chrono>
#include <memory>
#include <string>
#include <vector>

namespace vorela {

class TemplateLocks {
public:
    TemplateLocks(const DataDirectory &dataDirectory, std::chrono::milliseconds wait);
    ~TemplateLocks();
    TemplateLocks(const TemplateLocks &) = delete;
    TemplateLocks &operator=(const TemplateLocks &) = delete;

    /// Takes the lock, trying until the deadline; why not (naming owner, whose template it is)
    /// on failure, empty when taken.
    [[nodiscard]] std::string take(const std::string &lockName, const std::string &owner);

private:
    DataDirectory directory;
    std::chrono::steady_clock::time_point deadline;
    std::vector<std::unique_ptr<NamedMutex>> held;
};

} // namespace vorela
