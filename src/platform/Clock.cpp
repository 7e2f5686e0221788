// The system clock in the machine's local time zone.
#include "platform/Clock.h"

#include <ctime>

namespace vorela {

static std::tm localNow()
{
    const std::time_t seconds = std::time(nullptr);
    std::tm parts{};
    if (localtime_r(&seconds, &parts) != nullptr)
        return parts;
    std::tm fallback{}; // 1 January 2000
    fallback.tm_mday = 1;
    fallback.tm_year = 100;
    return fallback;
}

LocalDate SystemClock::today() const
{
    const std::tm parts = localNow();
    return LocalDate{parts.tm_year + 1900, static_cast<unsigned>(parts.tm_mon + 1),
                     static_cast<unsigned>(parts.tm_mday)};
}

LocalTime SystemClock::now() const
{
    const std::tm parts = localNow();
    return LocalTime{static_cast<unsigned>(parts.tm_hour), static_cast<unsigned>(parts.tm_min)};
}

} // namespace vorela
