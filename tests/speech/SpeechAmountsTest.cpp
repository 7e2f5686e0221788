// Money amounts: group words, currency words and fractions agreeing with their numbers.
#include "speech/SpeechCases.h"

namespace vorela {
namespace {

using test::SpeechCase;
using C = SpeechComposer &;

SpeechCase amount(const char *text, Currency currency, std::vector<std::string> keys,
                  bool valid = true)
{
    const std::string stored = text;
    return {text, [stored, currency](C c) { c.SpeakAmount(stored, currency); }, std::move(keys),
            valid};
}

constexpr Currency UAH = Currency::Hryvnia;
constexpr Currency RUB = Currency::Ruble;
constexpr Currency USD = Currency::Dollar;
constexpr Currency EUR = Currency::Euro;

TEST(SpeechAmounts, UnitsAgreeWithTheirNumberAndGender)
{
    test::expectSpeech({
        amount("1", UAH, {"_01A", "__PS", "+GRA"}),
        amount("2", UAH, {"_02E", "__PS", "+GRI"}),
        amount("5", UAH, {"_005", "__PS", "+GRE"}),
        amount("11", UAH, {"_011", "__PS", "+GRE"}),
        amount("21", UAH, {"_020", "_01A", "__PS", "+GRA"}),
        amount("112", USD, {"_100", "_012", "__PS", "+DLV"}),
        amount("114", RUB, {"_100", "_014", "__PS", "+RRE"}),
        amount("1", RUB, {"_001", "__PS", "+RR "}),
        amount("2", USD, {"_002", "__PS", "+DLA"}),
        amount("1", EUR, {"_001", "__PS", "+EUR"}),
        amount("0", USD, {"_000", "__PS", "+DLV"}),
        amount("", UAH, {"_000", "__PS", "+GRE"}),
        amount("0,00", UAH, {"_000", "__PS", "+GRE"}),
    });
}

TEST(SpeechAmounts, ThousandsAreFeminineMillionsMasculine)
{
    test::expectSpeech({
        amount("1000", UAH, {"_01A", "+13 ", "__PS", "+GRE"}),
        amount("2000", UAH, {"_02E", "+13I", "__PS", "+GRE"}),
        amount("5000", RUB, {"_005", "+130", "__PS", "+RRE"}),
        amount("11000", RUB, {"_011", "+130", "__PS", "+RRE"}),
        amount("21000", RUB, {"_020", "_01A", "+13 ", "__PS", "+RRE"}),
        amount("111000", RUB, {"_100", "_011", "+130", "__PS", "+RRE"}),
        amount("112000", RUB, {"_100", "_012", "+130", "__PS", "+RRE"}),
        amount("122000", RUB, {"_100", "_020", "_02E", "+13I", "__PS", "+RRE"}),
        amount("1222", UAH, {"_01A", "+13 ", "_200", "_020", "_02E", "__PS", "+GRI"}),
        amount("1000000", USD, {"_001", "+16 ", "__PS", "+DLV"}),
        amount("2000000", UAH, {"_002", "+16A", "__PS", "+GRE"}),
        amount("11000000", USD, {"_011", "+16B", "__PS", "+DLV"}),
        amount("21000001", RUB, {"_020", "_001", "+16 ", "_001", "__PS", "+RR "}),
        amount("0001000", UAH, {"_01A", "+13 ", "__PS", "+GRE"}),
        amount("1234567890", UAH, {}, false),
    });
}

// Millions are the largest group with words: a billion is refused whole, not said in part.
TEST(SpeechAmounts, WholePartsBeyondMillionsAreRefused)
{
    test::expectSpeech({
        amount("123456789", UAH,
               {"_100", "_020", "_003", "+16A", "_400", "_050", "_006", "+130", "_700", "_080",
                "_009", "__PS", "+GRE"}),
        amount("201001002", UAH, {"_200", "_001", "+16 ", "_01A", "+13 ", "_02E", "__PS", "+GRI"}),
        amount("999999999", RUB,
               {"_900", "_090", "_009", "+16B", "_900", "_090", "_009", "+130", "_900", "_090",
                "_009", "__PS", "+RRE"}),
        amount("000000001", RUB, {"_001", "__PS", "+RR "}),
        amount("1000000000", RUB, {}, false),
        amount("0000000001", RUB, {"_001", "__PS", "+RR "}), // the value counts, not its digits
        amount("1000000000,25", USD, {}, false),
        amount("1234567890123", UAH, {}, false),
    });
}

TEST(SpeechAmounts, FractionsAreNumbersOfKopecksOrCents)
{
    test::expectSpeech({
        amount("21,05", RUB, {"_020", "_001", "__PS", "+RR ", "_005", "+SSK"}),
        amount("2.22", UAH, {"_02E", "__PS", "+GRI", "_020", "_02E", "+SSI"}),
        amount("11.11", EUR, {"_011", "__PS", "+EUR", "_011", "+CNV"}),
        amount("0,50", UAH, {"_050", "+SSK"}),
        amount("0,5", UAH, {"_005", "+SSK"}), // stored constants mean five kopecks
        amount("0,01", RUB, {"_01A", "+SS "}),
        amount("0,02", RUB, {"_02E", "+SSI"}),
        amount("0,02", USD, {"_002", "+CNA"}),
        amount("0,21", USD, {"_020", "_001", "+CNT"}),
        amount("15,", UAH, {"_015", "__PS", "+GRE"}),
        amount("12 руб. 50 коп.", RUB, {"_012", "__PS", "+RRE", "_050", "+SSK"}),
        amount("1.234,56", UAH, {"_01A", "__PS", "+GRA", "_200", "_030", "_004", "+SSI"}),
        amount("0,1234", UAH, {}, false),
        amount("5,1234", UAH, {}, false),
    });
}

TEST(SpeechAmounts, FractionWordsAgreeWithTheLastTwoDigitsFromAHundredUp)
{
    test::expectSpeech({
        amount("0,111", UAH, {"_100", "_011", "+SSK"}),
        amount("0,112", UAH, {"_100", "_012", "+SSK"}),
        amount("0,121", UAH, {"_100", "_020", "_01A", "+SS "}),
        amount("0,101", USD, {"_100", "_001", "+CNT"}),
    });
}

} // namespace
} // namespace vorela
