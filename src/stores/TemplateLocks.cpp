// Taking template locks against one deadline, as the notification application's holders keep
// them only for a moment.
#include "stores/TemplateLocks.h"

#include <algorithm>

namespace vorela {

TemplateLocks::TemplateLocks(const DataDirectory &dataDirectory, std::chrono::milliseconds wait)
    : directory(dataDirectory), deadline(std::chrono::steady_clock::now() + wait)
{
}

TemplateLocks::~TemplateLocks()
{
    for (auto mutex = held.rbegin(); mutex != held.rend(); ++mutex)
        (*mutex)->unlock();
}

std::string TemplateLocks::take(const std::string &lockName, const std::string &owner)
{
    auto mutex = std::make_unique<NamedMutex>(directory, lockName);
    const auto left = std::max(std::chrono::duration_cast<std::chrono::milliseconds>(
                                   deadline - std::chrono::steady_clock::now()),
                               std::chrono::milliseconds(0));
    if (mutex->lockFor(left)) {
        held.push_back(std::move(mutex));
        return {};
    }
    if (!mutex->lastError().empty())
        return mutex->lastError();
    return "the template of " + owner + " is locked by another process (" +
           (directory.locks() / NamedMutex::lockFileName(lockName)).string() +
           "); try again when it is free";
}

} // namespace vorela
