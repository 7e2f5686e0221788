// The shared options of the `vorela` tool: a fixed present for speech, a wait for locked templates.
#include "cli/CliOptions.h"

#include <CLI/CLI.hpp>

#include <charconv>
#include <string>

namespace vorela {

// The notification application locks a template only while it reads it: a short wait is enough.
static constexpr unsigned DefaultWaitSeconds = 10;
static constexpr unsigned MaxWaitSeconds = 3600;

std::optional<unsigned> decimalNumber(std::string_view text)
{
    unsigned value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || text.empty())
        return std::nullopt;
    return value;
}

static std::optional<LocalDate> dateOption(std::string_view text)
{
    if (text.size() != 10 || text[4] != '-' || text[7] != '-')
        return std::nullopt;
    const std::optional<unsigned> year = decimalNumber(text.substr(0, 4));
    const std::optional<unsigned> month = decimalNumber(text.substr(5, 2));
    const std::optional<unsigned> day = decimalNumber(text.substr(8, 2));
    if (!year || !month || !day || *month < 1 || *month > 12 || *day < 1 || *day > 31)
        return std::nullopt;
    return LocalDate{static_cast<int>(*year), *month, *day};
}

static std::optional<LocalTime> timeOption(std::string_view text)
{
    if (text.size() != 5 || text[2] != ':')
        return std::nullopt;
    const std::optional<unsigned> hour = decimalNumber(text.substr(0, 2));
    const std::optional<unsigned> minute = decimalNumber(text.substr(3, 2));
    if (!hour || !minute || *hour > 23 || *minute > 59)
        return std::nullopt;
    return LocalTime{*hour, *minute};
}

void addClockOptions(CLI::App &command, FixedClock &clock)
{
    const SystemClock system;
    clock = FixedClock(system.today(), system.now());
    const CLI::Validator date(
        [](const std::string &text) {
            return dateOption(text) ? std::string() : "'" + text + "' is not a date YYYY-MM-DD";
        },
        "");
    const CLI::Validator time(
        [](const std::string &text) {
            return timeOption(text) ? std::string() : "'" + text + "' is not a time HH:MM";
        },
        "");
    command
        .add_option_function<std::string>(
            "--today",
            [&clock](const std::string &text) {
                clock = FixedClock(dateOption(text).value_or(clock.today()), clock.now());
            },
            "the date taken as today")
        ->check(date)
        ->type_name("YYYY-MM-DD");
    command
        .add_option_function<std::string>(
            "--now",
            [&clock](const std::string &text) {
                clock = FixedClock(clock.today(), timeOption(text).value_or(clock.now()));
            },
            "the time taken as now")
        ->check(time)
        ->type_name("HH:MM");
}

void addWaitOption(CLI::App &command, std::chrono::milliseconds &wait)
{
    wait = std::chrono::seconds(DefaultWaitSeconds);
    command
        .add_option_function<unsigned>(
            "--wait", [&wait](unsigned seconds) { wait = std::chrono::seconds(seconds); },
            "how long to wait for a template the notification application reads (default " +
                std::to_string(DefaultWaitSeconds) + ")")
        ->check(CLI::Range(0U, MaxWaitSeconds))
        ->type_name("SECONDS");
}

} // namespace vorela
