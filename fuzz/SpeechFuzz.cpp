// Fuzzes speech composition on arbitrary texts: the first byte picks the operation and its gender,
// currency or case, the rest is the text (a NUL splits day and month for dates).
#include "platform/Clock.h"
#include "speech/SpeechComposer.h"
#include "tables/DbfTaskTableQuery.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    using namespace vorela;
    if (size == 0)
        return 0;
    static const FixedClock clock(LocalDate{2024, 2, 29}, LocalTime{23, 59});
    static const DbfTaskTableQuery tables;
    SpeechComposer composer(clock, tables);
    const std::uint8_t selector = data[0];
    const std::string_view text(reinterpret_cast<const char *>(data + 1), size - 1);
    const Gender gender = (selector & 0x80) != 0 ? Gender::Feminine : Gender::Masculine;
    const DateCase dateCase = (selector & 0x80) != 0 ? DateCase::Genitive : DateCase::Nominative;
    const auto currency = static_cast<Currency>((selector >> 5) & 3);
    std::uint64_t number = 0;
    for (std::size_t i = 0; i < text.size() && i < 8; ++i)
        number = number << 8 | static_cast<std::uint8_t>(text[i]);
    switch (selector & 0x1F) {
    case 0:
        composer.SpeakDigit(text, gender);
        break;
    case 1:
        composer.SpeakTwoDigits(text, gender);
        break;
    case 2:
        composer.SpeakThreeDigits(text, gender);
        break;
    case 3:
        composer.SpeakNumber(number, gender);
        break;
    case 4:
        composer.SpeakPhoneNumber(text, gender);
        break;
    case 5:
        composer.SpeakDigitGroups(text);
        break;
    case 6:
        composer.SpeakAddressNumber(text);
        break;
    case 7:
        composer.SpeakHouse(text);
        break;
    case 8:
        composer.SpeakFlat(text);
        break;
    case 9:
        composer.SpeakAmount(text, currency);
        break;
    case 10:
        composer.SpeakDateText(text, dateCase);
        break;
    case 11:
        composer.SpeakDateFromToday(number, dateCase);
        break;
    case 12:
        composer.SpeakClockValue(text, gender);
        break;
    case 13:
        composer.SpeakTime(text);
        break;
    case 14: {
        const std::size_t split = text.find('\0');
        composer.SpeakDate(text.substr(0, split),
                           split == std::string_view::npos ? std::string_view()
                                                           : text.substr(split + 1),
                           dateCase);
        break;
    }
    default:
        (void)SpeechComposer::DigitsOnly(text);
        (void)SpeechComposer::AmountCharactersOnly(text);
        break;
    }
    return 0;
}
