// Ordinal days in both cases, month names, relative dates on the true calendar, clock times.
#include "speech/SpeechCases.h"

namespace vorela {
namespace {

using test::SpeechCase;
using C = SpeechComposer &;
constexpr DateCase Nom = DateCase::Nominative;
constexpr DateCase Gen = DateCase::Genitive;

TEST(SpeechDates, OrdinalDaysAndMonths)
{
    test::expectSpeech({
        {"1.1", [](C c) { c.SpeakDate("1", "1", Nom); }, {"_E01", "+T01"}},
        {"11.3 gen", [](C c) { c.SpeakDate("11", "03", Gen); }, {"_O11", "+T03"}},
        {"20.05", [](C c) { c.SpeakDate("20", "05", Nom); }, {"_E20", "+T05"}},
        {"21.06", [](C c) { c.SpeakDate("21", "06", Nom); }, {"_020", "_E01", "+T06"}},
        {"25.02 gen", [](C c) { c.SpeakDate("25", "02", Gen); }, {"_020", "_O05", "+T02"}},
        {"30.04 gen", [](C c) { c.SpeakDate("30", "04", Gen); }, {"_O30", "+T04"}},
        {"31.12", [](C c) { c.SpeakDate("31", "12", Nom); }, {"_030", "_E01", "+T12"}},
        {"31.12 gen", [](C c) { c.SpeakDate("31", "12", Gen); }, {"_030", "_O01", "+T12"}},
        {"31.02 is spoken", [](C c) { c.SpeakDate("31", "02", Nom); }, {"_030", "_E01", "+T02"}},
        {"00.05", [](C c) { c.SpeakDate("00", "05", Nom); }, {}, false},
        {"32.01", [](C c) { c.SpeakDate("32", "01", Nom); }, {}, false},
        {"12.13", [](C c) { c.SpeakDate("12", "13", Nom); }, {}, false},
        {"12.00", [](C c) { c.SpeakDate("12", "0", Nom); }, {}, false},
    });
}

TEST(SpeechDates, DateTextsAreReadYearFirst)
{
    test::expectSpeech({
        {"quoted", [](C c) { c.SpeakDateText("'2008-07-03'", Nom); }, {"_E03", "+T07"}},
        {"constant", [](C c) { c.SpeakDateText("0000/07/03", Nom); }, {"_E03", "+T07"}},
        {"with time", [](C c) { c.SpeakDateText("2008-07-03 00:00:00", Gen); }, {"_O03", "+T07"}},
        {"day first", [](C c) { c.SpeakDateText("03.07.2008", Nom); }, {}, false},
        {"two pieces", [](C c) { c.SpeakDateText("2008-07", Nom); }, {}},
        {"empty", [](C c) { c.SpeakDateText("", Nom); }, {}},
    });
}

struct FromToday {
    LocalDate today;
    std::uint64_t offset;
    DateCase dateCase;
    std::vector<std::string> keys;
    bool valid = true;
};

TEST(SpeechDates, DatesFromTodayFollowTheTrueCalendar)
{
    const std::vector<FromToday> cases = {
        {{2026, 12, 30}, 5, Nom, {"_E04", "+T01"}},
        {{2024, 2, 28}, 1, Nom, {"_020", "_E09", "+T02"}},
        {{2023, 2, 28}, 1, Gen, {"_O01", "+T03"}},
        {{2024, 2, 29}, 0, Gen, {"_020", "_O09", "+T02"}},
        {{2024, 1, 1}, 365, Nom, {"_030", "_E01", "+T12"}},
        {{2027, 12, 31}, 60, Gen, {"_020", "_O09", "+T02"}},
        {{2026, 3, 1}, 999, Nom, {"_020", "_E04", "+T11"}},
        {{2026, 3, 1}, 1000, Nom, {}, false},
    };
    for (const FromToday &c : cases) {
        test::expectSpeech(
            {{"from today", [&c](C composer) { composer.SpeakDateFromToday(c.offset, c.dateCase); },
              c.keys, c.valid}},
            c.today);
    }
}

TEST(SpeechDates, ClockTimesWithAgreeingHourAndMinuteWords)
{
    test::expectSpeech({
        {"value 05", [](C c) { c.SpeakClockValue("05", Gender::Masculine); }, {"_005"}},
        {"value 00", [](C c) { c.SpeakClockValue("00", Gender::Masculine); }, {"_000"}},
        {"value 21 f", [](C c) { c.SpeakClockValue("21", Gender::Feminine); }, {"_020", "_01A"}},
        {"value 123", [](C c) { c.SpeakClockValue("123", Gender::Masculine); }, {}, false},
        {"00 00", [](C c) { c.SpeakTime("00 00"); }, {"_000", "+CLW", "_000", "+MNT"}},
        {"21 01", [](C c) { c.SpeakTime("21 01"); }, {"_020", "_001", "+CLC", "_01A", "+MNA"}},
        {"22 32",
         [](C c) { c.SpeakTime("22 32"); },
         {"_020", "_002", "+CLA", "_030", "_02E", "+MNI"}},
        {"01 02", [](C c) { c.SpeakTime("01 02"); }, {"_001", "+CLC", "_02E", "+MNI"}},
        {"04 45", [](C c) { c.SpeakTime("04 45"); }, {"_004", "+CLA", "_040", "_005", "+MNT"}},
        {"11 11", [](C c) { c.SpeakTime("11 11"); }, {"_011", "+CLW", "_011", "+MNT"}},
        {"12 59", [](C c) { c.SpeakTime("12 59"); }, {"_012", "+CLW", "_050", "_009", "+MNT"}},
        {"23 14", [](C c) { c.SpeakTime("23 14"); }, {"_020", "_003", "+CLA", "_014", "+MNT"}},
        {"24 00", [](C c) { c.SpeakTime("24 00"); }, {}, false},
        {"13 60", [](C c) { c.SpeakTime("13 60"); }, {}, false},
        {"empty", [](C c) { c.SpeakTime(""); }, {}, false},
        {"now", [](C c) { c.speakCurrentTime(); }, {"_009", "+CLW", "_005", "+MNT"}},
    });
}

} // namespace
} // namespace vorela
