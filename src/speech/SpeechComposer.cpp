// Numbers, telephone numbers and house or flat numbers as lexeme keys.
#include "speech/SpeechComposer.h"

#include "platform/CodePage.h"
#include "platform/TextParsing.h"
#include "speech/NumberGrammar.h"

namespace vorela {

SpeechComposer::SpeechComposer(const Clock &localClock, const TaskTableQuery &tableQuery)
    : clock(localClock), tables(tableQuery)
{
}

void SpeechComposer::SpeakDigit(std::string_view text, Gender gender)
{
    // Every caller speaks zero itself, so anything but 1..9 is a text we cannot speak.
    if (text.size() != 1 || text[0] < '1' || text[0] > '9') {
        reject();
        return;
    }
    speakUnits(static_cast<std::uint64_t>(text[0] - '0'), gender);
}

void SpeechComposer::speakUnits(std::uint64_t digit, Gender gender)
{
    if (digit == 1)
        append(gender == Gender::Feminine ? "_01A" : "_001");
    else if (digit == 2)
        append(gender == Gender::Feminine ? "_02E" : "_002");
    else
        append(numberKey(digit));
}

void SpeechComposer::speakTens(std::uint64_t value, Gender gender)
{
    const std::uint64_t tens = value / 10;
    if (tens == 1) {
        append(numberKey(value));
        return;
    }
    append(numberKey(tens * 10));
    if (value % 10 != 0)
        speakUnits(value % 10, gender);
}

void SpeechComposer::SpeakTwoDigits(std::string_view text, Gender gender)
{
    if (text.size() > 2 || !digitsOnly(text)) {
        reject();
        return;
    }
    const std::uint64_t value = leadingNumber(text);
    if (value >= 10) {
        speakTens(value, gender);
        return;
    }
    append("_000");
    if (value == 0)
        append("_000");
    else
        speakUnits(value, gender);
}

void SpeechComposer::SpeakThreeDigits(std::string_view text, Gender gender)
{
    if (text.size() > 3 || !digitsOnly(text)) {
        reject();
        return;
    }
    speakHundreds(leadingNumber(text), gender);
}

void SpeechComposer::speakHundreds(std::uint64_t value, Gender gender)
{
    const std::uint64_t rest = value % 100;
    append(numberKey(value / 100 * 100));
    if (rest >= 10)
        speakTens(rest, gender);
    else if (rest != 0)
        speakUnits(rest, gender);
}

void SpeechComposer::SpeakNumber(std::uint64_t number, Gender gender)
{
    // Worked on the value, not its text: amounts and digit groups speak numbers by the million.
    if (number > 999)
        reject();
    else if (number == 0)
        append("_000");
    else if (number >= 100)
        speakHundreds(number, gender);
    else if (number >= 10)
        speakTens(number, gender);
    else
        speakUnits(number, gender);
}

std::string SpeechComposer::DigitsOnly(std::string_view text)
{
    std::string digits;
    for (const char character : text) {
        if (character >= '0' && character <= '9')
            digits += character;
    }
    return digits;
}

void SpeechComposer::SpeakPhoneNumber(std::string_view text, Gender gender)
{
    if (!digitsOnly(text)) {
        reject();
        return;
    }
    // Only the last four digits of a long number are dictated; the exchange is known to the callee.
    const std::string_view number = text.size() >= 8 ? text.substr(text.size() - 4) : text;
    const std::size_t length = number.size();
    if (length == 0)
        return;
    if (length == 1) {
        if (number == "0")
            append("_000");
        else
            SpeakDigit(number, gender);
        return;
    }
    // The leading group takes what is left before the pairs: 1, 2 or 3 digits.
    const std::size_t pairs = length >= 5 ? 2 : 1;
    const std::size_t leading = length - 2 * pairs;
    const std::string_view head = number.substr(0, leading);
    if (leading == 1 && head == "0")
        append("_000");
    else if (leading == 1)
        SpeakDigit(head, gender);
    else if (leading == 2)
        SpeakTwoDigits(head, gender);
    else if (leading == 3)
        SpeakThreeDigits(head, gender);
    for (std::size_t pair = 0; pair < pairs; ++pair) {
        if (leading != 0 || pair != 0)
            append("__PS");
        SpeakTwoDigits(number.substr(leading + 2 * pair, 2), gender);
    }
}

void SpeechComposer::SpeakDigitGroups(std::string_view text)
{
    if (text.empty() || text.size() > 9 || !digitsOnly(text))
        return;
    const std::size_t firstLength = text.size() % 3 == 0 ? 3 : text.size() % 3;
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t groupLength = start == 0 ? firstLength : 3;
        const std::string_view group = text.substr(start, groupLength);
        start += groupLength;
        append("__PS");
        const std::size_t zeros = std::min(group.find_first_not_of('0'), group.size());
        for (std::size_t zero = 0; zero < zeros; ++zero)
            append("_000");
        const std::uint64_t value = leadingNumber(group);
        if (value != 0)
            SpeakNumber(value, Gender::Masculine);
    }
}

// The letters a house number may carry, А..И and К; Й has no recording.
static bool isHouseLetter(char32_t upper)
{
    return (upper >= U'А' && upper <= U'И') || upper == U'К';
}

void SpeechComposer::SpeakAddressNumber(std::string_view text)
{
    std::string run;
    const auto flushRun = [this, &run] {
        if (!run.empty())
            SpeakDigitGroups(run);
        run.clear();
    };
    for (std::size_t position = 0; position < text.size();) {
        const char32_t character = decodeUtf8(text, position);
        if (character >= U'0' && character <= U'9') {
            run += static_cast<char>(character);
            continue;
        }
        const char32_t upper =
            character >= U'а' && character <= U'я' ? character - (U'а' - U'А') : character;
        if (character == U'/') {
            flushRun();
            append("___/");
        } else if (isHouseLetter(upper)) {
            flushRun();
            std::string key = "___";
            appendUtf8(key, upper);
            append(std::move(key));
        }
        // Blanks, hyphens and other letters neither speak nor end a digit run: "12 3" is 123.
    }
    flushRun();
}

// A blank field is no number: "HOME" or "FLAT" alone would be spoken.
static bool isBlank(std::string_view text)
{
    return text.find_first_not_of(" \t\r\n") == std::string_view::npos;
}

void SpeechComposer::SpeakHouse(std::string_view text)
{
    if (isBlank(text))
        return;
    append("HOME");
    SpeakAddressNumber(text);
}

void SpeechComposer::SpeakFlat(std::string_view text)
{
    if (isBlank(text))
        return;
    append("FLAT");
    SpeakAddressNumber(text);
}

void SpeechComposer::speakWithNoun(std::uint64_t number, Gender gender, const NounForms &forms)
{
    SpeakNumber(number, gender);
    append(forms[pluralForm(number)]);
}

} // namespace vorela
