// Taking template locks against a deadline: tried again and again, as the notification
// application's holders keep them only for a moment.
#include "stores/TemplateLocks.h"

#include <thread>

namespace vorela {

static constexpr std::chrono::milliseconds LockPoll{20};

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
    for (;;) {
        if (mutex->tryLock()) {
            held.push_back(std::move(mutex));
            return {};
        }
        if (!mutex->lastError().empty())
            return mutex->lastError();
        if (std::chrono::steady_clock::now() >= deadline)
            return "the template of " + owner + " is locked by another process (" +
                   (directory.locks() / NamedMutex::lockFileName(lockName)).string() +
                   "); try again when it is free";
        std::this_thread::sleep_for(LockPoll);
    }
}

} // namespace vorela
