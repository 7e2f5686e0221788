// Numbers, telephone numbers, digit groups and house or flat numbers as keys.
#include "speech/SpeechCases.h"

namespace vorela {
namespace {

using test::SpeechCase;
using C = SpeechComposer &;
constexpr Gender M = Gender::Masculine;
constexpr Gender F = Gender::Feminine;

TEST(SpeechNumbers, CardinalsAgreeInGenderAndRejectWhatTheyCannotSpeak)
{
    test::expectSpeech({
        {"1 f", [](C c) { c.SpeakNumber(1, F); }, {"_01A"}},
        {"2 f", [](C c) { c.SpeakNumber(2, F); }, {"_02E"}},
        {"21 f", [](C c) { c.SpeakNumber(21, F); }, {"_020", "_01A"}},
        {"22 m", [](C c) { c.SpeakNumber(22, M); }, {"_020", "_002"}},
        {"12 f has no feminine", [](C c) { c.SpeakNumber(12, F); }, {"_012"}},
        {"100", [](C c) { c.SpeakNumber(100, M); }, {"_100"}},
        {"101", [](C c) { c.SpeakNumber(101, M); }, {"_100", "_001"}},
        {"105", [](C c) { c.SpeakNumber(105, M); }, {"_100", "_005"}},
        {"110", [](C c) { c.SpeakNumber(110, M); }, {"_100", "_010"}},
        {"111", [](C c) { c.SpeakNumber(111, F); }, {"_100", "_011"}},
        {"300", [](C c) { c.SpeakNumber(300, M); }, {"_300"}},
        {"999", [](C c) { c.SpeakNumber(999, M); }, {"_900", "_090", "_009"}},
        {"1000", [](C c) { c.SpeakNumber(1000, M); }, {}, false},
        {"digit 0", [](C c) { c.SpeakDigit("0", M); }, {}, false},
        {"digit 12", [](C c) { c.SpeakDigit("12", M); }, {}, false},
        {"two 00", [](C c) { c.SpeakTwoDigits("00", M); }, {"_000", "_000"}},
        {"two 07", [](C c) { c.SpeakTwoDigits("07", M); }, {"_000", "_007"}},
        {"two 7", [](C c) { c.SpeakTwoDigits("7", F); }, {"_000", "_007"}},
        {"two 02 f", [](C c) { c.SpeakTwoDigits("02", F); }, {"_000", "_02E"}},
        {"two 123", [](C c) { c.SpeakTwoDigits("123", M); }, {}, false},
        {"two 1a", [](C c) { c.SpeakTwoDigits("1a", M); }, {}, false},
        {"three 012", [](C c) { c.SpeakThreeDigits("012", M); }, {"_000", "_012"}},
        {"three 001 f", [](C c) { c.SpeakThreeDigits("001", F); }, {"_000", "_01A"}},
        {"three 000", [](C c) { c.SpeakThreeDigits("000", M); }, {"_000"}},
        {"three 1234", [](C c) { c.SpeakThreeDigits("1234", M); }, {}, false},
        {"keys stay after a failure",
         [](C c) {
             c.SpeakNumber(5, M);
             c.SpeakNumber(5000, M);
         },
         {"_005"},
         false},
    });
}

TEST(SpeechNumbers, TelephoneNumbersAreDictatedInGroupsEndingInPairs)
{
    test::expectSpeech({
        {"empty", [](C c) { c.SpeakPhoneNumber("", M); }, {}},
        {"0", [](C c) { c.SpeakPhoneNumber("0", M); }, {"_000"}},
        {"5", [](C c) { c.SpeakPhoneNumber("5", M); }, {"_005"}},
        {"07", [](C c) { c.SpeakPhoneNumber("07", M); }, {"_000", "_007"}},
        {"123", [](C c) { c.SpeakPhoneNumber("123", M); }, {"_001", "__PS", "_020", "_003"}},
        {"0123",
         [](C c) { c.SpeakPhoneNumber("0123", M); },
         {"_000", "_001", "__PS", "_020", "_003"}},
        {"01234",
         [](C c) { c.SpeakPhoneNumber("01234", M); },
         {"_000", "__PS", "_012", "__PS", "_030", "_004"}},
        {"212223",
         [](C c) { c.SpeakPhoneNumber("212223", F); },
         {"_020", "_01A", "__PS", "_020", "_02E", "__PS", "_020", "_003"}},
        {"2345678",
         [](C c) { c.SpeakPhoneNumber("2345678", M); },
         {"_200", "_030", "_004", "__PS", "_050", "_006", "__PS", "_070", "_008"}},
        {"0345678",
         [](C c) { c.SpeakPhoneNumber("0345678", M); },
         {"_000", "_030", "_004", "__PS", "_050", "_006", "__PS", "_070", "_008"}},
        {"12345678",
         [](C c) { c.SpeakPhoneNumber("12345678", M); },
         {"_050", "_006", "__PS", "_070", "_008"}},
        {"123456789",
         [](C c) { c.SpeakPhoneNumber("123456789", M); },
         {"_060", "_007", "__PS", "_080", "_009"}},
        {"not digits", [](C c) { c.SpeakPhoneNumber("12-34", M); }, {}, false},
        {"digits only",
         [](C c) { c.SpeakPhoneNumber(SpeechComposer::DigitsOnly("(044) 123-45-67"), M); },
         {"_040", "_005", "__PS", "_060", "_007"}},
    });
}

TEST(SpeechNumbers, DigitGroupsSpeakLeadingZerosAndNoThousands)
{
    test::expectSpeech({
        {"1234567",
         [](C c) { c.SpeakDigitGroups("1234567"); },
         {"__PS", "_001", "__PS", "_200", "_030", "_004", "__PS", "_500", "_060", "_007"}},
        {"1000",
         [](C c) { c.SpeakDigitGroups("1000"); },
         {"__PS", "_001", "__PS", "_000", "_000", "_000"}},
        {"012", [](C c) { c.SpeakDigitGroups("012"); }, {"__PS", "_000", "_012"}},
        {"0", [](C c) { c.SpeakDigitGroups("0"); }, {"__PS", "_000"}},
        {"100001",
         [](C c) { c.SpeakDigitGroups("100001"); },
         {"__PS", "_100", "__PS", "_000", "_000", "_001"}},
        {"empty", [](C c) { c.SpeakDigitGroups(""); }, {}},
        {"nine digits",
         [](C c) { c.SpeakDigitGroups("987654321"); },
         {"__PS", "_900", "_080", "_007", "__PS", "_600", "_050", "_004", "__PS", "_300", "_020",
          "_001"}},
        {"nine zeros",
         [](C c) { c.SpeakDigitGroups("000000000"); },
         {"__PS", "_000", "_000", "_000", "__PS", "_000", "_000", "_000", "__PS", "_000", "_000",
          "_000"}},
        {"ten digits", [](C c) { c.SpeakDigitGroups("1234567890"); }, {}},
        {"ten zeros", [](C c) { c.SpeakDigitGroups("0000000000"); }, {}},
    });
}

TEST(SpeechNumbers, HouseAndFlatNumbersWithSlashesAndCyrillicLetters)
{
    test::expectSpeech({
        {"12/3а",
         [](C c) { c.SpeakAddressNumber("12/3а"); },
         {"__PS", "_012", "___/", "__PS", "_003", "___А"}},
        {"12 3 is one run",
         [](C c) { c.SpeakAddressNumber("12 3"); },
         {"__PS", "_100", "_020", "_003"}},
        {"10-Б", [](C c) { c.SpeakAddressNumber("10-Б"); }, {"__PS", "_010", "___Б"}},
        {"lower к", [](C c) { c.SpeakAddressNumber(" 5к "); }, {"__PS", "_005", "___К"}},
        {"й and Latin a skipped", [](C c) { c.SpeakAddressNumber("7йa"); }, {"__PS", "_007"}},
        {"и", [](C c) { c.SpeakAddressNumber("1и"); }, {"__PS", "_001", "___И"}},
        {"house", [](C c) { c.SpeakHouse("4в"); }, {"HOME", "__PS", "_004", "___В"}},
        {"flat", [](C c) { c.SpeakFlat("125"); }, {"FLAT", "__PS", "_100", "_020", "_005"}},
        {"empty flat", [](C c) { c.SpeakFlat(""); }, {}},
        {"blank house", [](C c) { c.SpeakHouse("   "); }, {}},
    });
}

} // namespace
} // namespace vorela
