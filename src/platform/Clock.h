// Local date and time as the editor reads them: the system clock, or a fixed one for tests and for
// speaking a template as it would sound on another day.
#pragma once

namespace vorela {

/// A calendar date; month 1..12, day 1..31.
struct LocalDate {
    int year = 2000;
    unsigned month = 1;
    unsigned day = 1;
};

/// A time of day; hour 0..23, minute 0..59.
struct LocalTime {
    unsigned hour = 0;
    unsigned minute = 0;
};

class Clock {
public:
    virtual ~Clock() = default;
    [[nodiscard]] virtual LocalDate today() const = 0;
    [[nodiscard]] virtual LocalTime now() const = 0;
};

/// The machine's local time zone.
class SystemClock final : public Clock {
public:
    [[nodiscard]] LocalDate today() const override;
    [[nodiscard]] LocalTime now() const override;
};

/// Always the date and time it was given.
class FixedClock final : public Clock {
public:
    FixedClock(LocalDate fixedDate, LocalTime fixedTime) : date(fixedDate), time(fixedTime) {}
    [[nodiscard]] LocalDate today() const override { return date; }
    [[nodiscard]] LocalTime now() const override { return time; }

private:
    LocalDate date;
    LocalTime time;
};

} // namespace vorela
