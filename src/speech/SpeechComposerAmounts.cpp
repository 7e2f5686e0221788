// Money amounts as lexeme keys: millions, thousands, the agreeing currency word and the fraction.
#include "speech/SpeechComposer.h"

#include "platform/TextParsing.h"
#include "speech/NumberGrammar.h"

#include <algorithm>

namespace vorela {

namespace {

struct CurrencyWords {
    NounForms units;
    NounForms fraction;
    Gender unitGender;
    Gender fractionGender;
};

// Kopecks are feminine, cents masculine; the euro word does not change.
const CurrencyWords &currencyWords(Currency currency)
{
    static const std::array<CurrencyWords, 4> Words = {{
        {{"+GRA", "+GRI", "+GRE"}, {"+SS ", "+SSI", "+SSK"}, Gender::Feminine, Gender::Feminine},
        {{"+RR ", "+RRA", "+RRE"}, {"+SS ", "+SSI", "+SSK"}, Gender::Masculine, Gender::Feminine},
        {{"+DLR", "+DLA", "+DLV"}, {"+CNT", "+CNA", "+CNV"}, Gender::Masculine, Gender::Masculine},
        {{"+EUR", "+EUR", "+EUR"}, {"+CNT", "+CNA", "+CNV"}, Gender::Masculine, Gender::Masculine},
    }};
    return Words[static_cast<std::size_t>(currency)];
}

// The next piece between separators, as every reader of amounts splits them: empty
// pieces are skipped; "" after the last one.
std::string_view takePiece(std::string_view &rest)
{
    const auto separator = [](char character) { return character == ',' || character == '.'; };
    const auto start = std::find_if_not(rest.begin(), rest.end(), separator);
    const auto end = std::find_if(start, rest.end(), separator);
    const std::string_view piece(start, end);
    rest.remove_prefix(static_cast<std::size_t>(end - rest.begin()));
    return piece;
}

const NounForms Millions = {"+16 ", "+16A", "+16B"};
const NounForms Thousands = {"+13 ", "+13I", "+130"};

} // namespace

std::string SpeechComposer::AmountCharactersOnly(std::string_view text)
{
    std::string kept;
    for (const char character : text) {
        if ((character >= '0' && character <= '9') || character == '.' || character == ',')
            kept += character;
    }
    return kept;
}

void SpeechComposer::SpeakAmount(std::string_view text, Currency currency)
{
    // Billions and fractions above 999 have no words; saying the rest alone would name another
    // amount, so such an amount is refused whole.
    constexpr std::uint64_t LargestWhole = 999999999;
    constexpr std::uint64_t LargestFraction = 999;
    const CurrencyWords &words = currencyWords(currency);
    // A thousands separator cuts the amount short (1.234,56 is 1 and 234): stored constants and
    // the notification application read amounts this way.
    const std::string kept = AmountCharactersOnly(text);
    std::string_view rest = kept;
    const std::uint64_t wholeValue = leadingNumber(takePiece(rest));
    const std::uint64_t fraction = leadingNumber(takePiece(rest));
    if (wholeValue > LargestWhole || fraction > LargestFraction) {
        reject();
        return;
    }
    if (wholeValue == 0 && fraction == 0) {
        append("_000");
        append("__PS");
        append(words.units[PluralForm::Many]);
        return;
    }
    if (wholeValue != 0) {
        const std::uint64_t millions = wholeValue / 1000000;
        const std::uint64_t thousands = wholeValue / 1000 % 1000;
        const std::uint64_t units = wholeValue % 1000;
        if (millions != 0)
            speakWithNoun(millions, Gender::Masculine, Millions);
        if (thousands != 0)
            speakWithNoun(thousands, Gender::Feminine, Thousands);
        if (units != 0)
            SpeakNumber(units, words.unitGender);
        append("__PS");
        append(words.units[pluralForm(units)]);
    }
    // The fraction is the number its digits form ("0,5" is five kopecks).
    if (fraction != 0)
        speakWithNoun(fraction, words.fractionGender, words.fraction);
}

} // namespace vorela
