// Money amounts as lexeme keys: millions, thousands, the agreeing currency word and the fraction.
#include "speech/SpeechComposer.h"

#include "platform/TextParsing.h"
#include "speech/NumberGrammar.h"

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
    const CurrencyWords &words = currencyWords(currency);
    // A thousands separator cuts the amount short (1.234,56 is 1 and 234): stored constants and
    // the notification application read amounts this way.
    const std::vector<std::string> pieces = parseText(AmountCharactersOnly(text), ",.", "\"'");
    const std::string whole = pieces.empty() ? std::string() : pieces[0];
    const std::string fractionText = pieces.size() > 1 ? pieces[1] : std::string();
    const std::uint64_t wholeValue = leadingNumber(whole);
    const std::uint64_t fraction = leadingNumber(fractionText);
    if (wholeValue == 0 && fraction == 0) {
        append("_000");
        append("__PS");
        append(words.units[PluralForm::Many]);
        return;
    }
    if (wholeValue != 0 && whole.size() <= 9) {
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
    speakAmountFraction(fraction, currency);
}

void SpeechComposer::speakAmountFraction(std::uint64_t fraction, Currency currency)
{
    if (fraction == 0)
        return;
    // The fraction is the number its digits form ("0,5" is five kopecks), so a long one such as
    // 0,1234 has no words.
    if (fraction > 999) {
        reject();
        return;
    }
    const CurrencyWords &words = currencyWords(currency);
    speakWithNoun(fraction, words.fractionGender, words.fraction);
}

} // namespace vorela
