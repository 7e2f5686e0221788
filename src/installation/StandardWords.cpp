// The table of standard words. Which keys a new installation needs is decided by the speech
// composition (composableKeys); this table only names them and says how they sound.
#include "installation/StandardWords.h"

#include <array>

namespace vorela {

namespace {

using F = WordFolder;

constexpr StandardWord Words[] = {
    {"_000", F::Digits, "ноль", "ноль", {}},
    {"_001", F::Digits, "один", "один", {}},
    {"_01A", F::Digits, "одна", "одна", {}},
    {"_002", F::Digits, "два", "два", {}},
    {"_02E", F::Digits, "две", "две", {}},
    {"_003", F::Digits, "три", "три", {}},
    {"_004", F::Digits, "четыре", "четыре", {}},
    {"_005", F::Digits, "пять", "пять", {}},
    {"_006", F::Digits, "шесть", "шесть", {}},
    {"_007", F::Digits, "семь", "семь", {}},
    {"_008", F::Digits, "восемь", "восемь", {}},
    {"_009", F::Digits, "девять", "девять", {}},
    {"_010", F::TensAndTeens, "десять", "десять", {}},
    {"_011", F::TensAndTeens, "одиннадцать", "одиннадцать", {}},
    {"_012", F::TensAndTeens, "двенадцать", "двенадцать", {}},
    {"_013", F::TensAndTeens, "тринадцать", "тринадцать", {}},
    {"_014", F::TensAndTeens, "четырнадцать", "четырнадцать", {}},
    {"_015", F::TensAndTeens, "пятнадцать", "пятнадцать", {}},
    {"_016", F::TensAndTeens, "шестнадцать", "шестнадцать", {}},
    {"_017", F::TensAndTeens, "семнадцать", "семнадцать", {}},
    {"_018", F::TensAndTeens, "восемнадцать", "восемнадцать", {}},
    {"_019", F::TensAndTeens, "девятнадцать", "девятнадцать", {}},
    {"_020", F::TensAndTeens, "двадцать", "двадцать", {}},
    {"_030", F::TensAndTeens, "тридцать", "тридцать", {}},
    {"_040", F::TensAndTeens, "сорок", "сорок", {}},
    {"_050", F::TensAndTeens, "пятьдесят", "пятьдесят", {}},
    {"_060", F::TensAndTeens, "шестьдесят", "шестьдесят", {}},
    {"_070", F::TensAndTeens, "семьдесят", "семьдесят", {}},
    {"_080", F::TensAndTeens, "восемьдесят", "восемьдесят", {}},
    {"_090", F::TensAndTeens, "девяносто", "девяносто", {}},
    {"_100", F::Hundreds, "сто", "сто", {}},
    {"_200", F::Hundreds, "двести", "двести", {}},
    {"_300", F::Hundreds, "триста", "триста", {}},
    {"_400", F::Hundreds, "четыреста", "четыреста", {}},
    {"_500", F::Hundreds, "пятьсот", "пятьсот", {}},
    {"_600", F::Hundreds, "шестьсот", "шестьсот", {}},
    {"_700", F::Hundreds, "семьсот", "семьсот", {}},
    {"_800", F::Hundreds, "восемьсот", "восемьсот", {}},
    {"_900", F::Hundreds, "девятьсот", "девятьсот", {}},
    {"+GRA", F::Currency, "гривна", "гривна", {}},
    {"+GRI", F::Currency, "гривны", "гривны", {}},
    {"+GRE", F::Currency, "гривен", "гривен", {}},
    {"+RR ", F::Currency, "рубль", "рубль", {}},
    {"+RRA", F::Currency, "рубля", "рубля", {}},
    {"+RRE", F::Currency, "рублей", "рублей", {}},
    {"+SS ", F::Currency, "копейка", "копейка", {}},
    {"+SSI", F::Currency, "копейки", "копейки", {}},
    {"+SSK", F::Currency, "копеек", "копеек", {}},
    {"+DLR", F::Currency, "Доллар", "доллар", "долар"},
    {"+DLA", F::Currency, "Доллара", "доллара", "долара"},
    {"+DLV", F::Currency, "Долларов", "долларов", "доларів"},
    {"+CNT", F::Currency, "Цент", "цент", "цент"},
    {"+CNA", F::Currency, "Цента", "цента", "цента"},
    {"+CNV", F::Currency, "Центов", "центов", "центів"},
    {"+EUR", F::Currency, "Евро", "евро", "євро"},
    {"+13 ", F::ThousandsAndMillions, "тысяча", "тысяча", {}},
    {"+13I", F::ThousandsAndMillions, "тысячи", "тысячи", {}},
    {"+130", F::ThousandsAndMillions, "тысяч", "тысяч", {}},
    {"+16 ", F::ThousandsAndMillions, "миллион", "миллион", {}},
    {"+16A", F::ThousandsAndMillions, "миллиона", "миллиона", {}},
    {"+16B", F::ThousandsAndMillions, "миллионов", "миллионов", {}},
    {"_E01", F::DaysNominative, "первое", "первое", {}},
    {"_E02", F::DaysNominative, "второе", "второе", {}},
    {"_E03", F::DaysNominative, "третье", "третье", {}},
    {"_E04", F::DaysNominative, "четвёртое", "четвёртое", {}},
    {"_E05", F::DaysNominative, "пятое", "пятое", {}},
    {"_E06", F::DaysNominative, "шестое", "шестое", {}},
    {"_E07", F::DaysNominative, "седьмое", "седьмое", {}},
    {"_E08", F::DaysNominative, "восьмое", "восьмое", {}},
    {"_E09", F::DaysNominative, "девятое", "девятое", {}},
    {"_E10", F::DaysNominative, "десятое", "десятое", {}},
    {"_E11", F::DaysNominative, "одиннадцатое", "одиннадцатое", {}},
    {"_E12", F::DaysNominative, "двенадцатое", "двенадцатое", {}},
    {"_E13", F::DaysNominative, "тринадцатое", "тринадцатое", {}},
    {"_E14", F::DaysNominative, "четырнадцатое", "четырнадцатое", {}},
    {"_E15", F::DaysNominative, "пятнадцатое", "пятнадцатое", {}},
    {"_E16", F::DaysNominative, "шестнадцатое", "шестнадцатое", {}},
    {"_E17", F::DaysNominative, "семнадцатое", "семнадцатое", {}},
    {"_E18", F::DaysNominative, "восемнадцатое", "восемнадцатое", {}},
    {"_E19", F::DaysNominative, "девятнадцатое", "девятнадцатое", {}},
    {"_E20", F::DaysNominative, "двадцатое", "двадцатое", {}},
    {"_E30", F::DaysNominative, "тридцатое", "тридцатое", {}},
    {"_O01", F::DaysGenitive, "первого", "первого", {}},
    {"_O02", F::DaysGenitive, "второго", "второго", {}},
    {"_O03", F::DaysGenitive, "третьего", "третьего", {}},
    {"_O04", F::DaysGenitive, "четвёртого", "четвёртого", {}},
    {"_O05", F::DaysGenitive, "пятого", "пятого", {}},
    {"_O06", F::DaysGenitive, "шестого", "шестого", {}},
    {"_O07", F::DaysGenitive, "седьмого", "седьмого", {}},
    {"_O08", F::DaysGenitive, "восьмого", "восьмого", {}},
    {"_O09", F::DaysGenitive, "девятого", "девятого", {}},
    {"_O10", F::DaysGenitive, "десятого", "десятого", {}},
    {"_O11", F::DaysGenitive, "одиннадцатого", "одиннадцатого", {}},
    {"_O12", F::DaysGenitive, "двенадцатого", "двенадцатого", {}},
    {"_O13", F::DaysGenitive, "тринадцатого", "тринадцатого", {}},
    {"_O14", F::DaysGenitive, "четырнадцатого", "четырнадцатого", {}},
    {"_O15", F::DaysGenitive, "пятнадцатого", "пятнадцатого", {}},
    {"_O16", F::DaysGenitive, "шестнадцатого", "шестнадцатого", {}},
    {"_O17", F::DaysGenitive, "семнадцатого", "семнадцатого", {}},
    {"_O18", F::DaysGenitive, "восемнадцатого", "восемнадцатого", {}},
    {"_O19", F::DaysGenitive, "девятнадцатого", "девятнадцатого", {}},
    {"_O20", F::DaysGenitive, "двадцатого", "двадцатого", {}},
    {"_O30", F::DaysGenitive, "тридцатого", "тридцатого", {}},
    {"+T01", F::Months, "января", "января", {}},
    {"+T02", F::Months, "февраля", "февраля", {}},
    {"+T03", F::Months, "марта", "марта", {}},
    {"+T04", F::Months, "апреля", "апреля", {}},
    {"+T05", F::Months, "мая", "мая", {}},
    {"+T06", F::Months, "июня", "июня", {}},
    {"+T07", F::Months, "июля", "июля", {}},
    {"+T08", F::Months, "августа", "августа", {}},
    {"+T09", F::Months, "сентября", "сентября", {}},
    {"+T10", F::Months, "октября", "октября", {}},
    {"+T11", F::Months, "ноября", "ноября", {}},
    {"+T12", F::Months, "декабря", "декабря", {}},
    {"+CLC", F::HoursAndMinutes, "час", "час", {}},
    {"+CLA", F::HoursAndMinutes, "часа", "часа", {}},
    {"+CLW", F::HoursAndMinutes, "часов", "часов", {}},
    {"+MNA", F::HoursAndMinutes, "минута", "минута", {}},
    {"+MNI", F::HoursAndMinutes, "минуты", "минуты", {}},
    {"+MNT", F::HoursAndMinutes, "минут", "минут", {}},
    {"__PS", F::Address, "Пауза", {}, {}},
    {"___/", F::Address, "дробь", "дробь", {}},
    {"___А", F::Address, "А", "а", {}},
    {"___Б", F::Address, "Б", "бэ", {}},
    {"___В", F::Address, "В", "вэ", {}},
    {"___Г", F::Address, "Г", "гэ", {}},
    {"___Д", F::Address, "Д", "дэ", {}},
    {"___Е", F::Address, "Е", "е", {}},
    {"___Ж", F::Address, "Ж", "жэ", {}},
    {"___З", F::Address, "З", "зэ", {}},
    {"___И", F::Address, "И", "и", {}},
    {"___К", F::Address, "К", "ка", {}},
    {"HOME", F::Address, "дом", "дом", {}},
    {"FLAT", F::Address, "квартира", "квартира", {}},
};

constexpr std::array<std::string_view, 10> FolderNames = {
    "Цифры",
    "Числа от 10 до 90",
    "Сотни",
    "Валюта",
    "Тысячи и миллионы",
    "Числа месяца (им)",
    "Числа месяца (рд)",
    "Месяцы",
    "Часы и минуты",
    "Адрес и паузы",
};

} // namespace

std::span<const StandardWord> standardWords()
{
    return Words;
}

const StandardWord *findStandardWord(std::string_view key)
{
    for (const StandardWord &word : Words) {
        if (word.key == key)
            return &word;
    }
    return nullptr;
}

std::string_view wordFolderName(WordFolder folder)
{
    return FolderNames[static_cast<std::size_t>(folder)];
}

} // namespace vorela
