// Small rules of Russian number grammar and digit texts shared by the speech composition files.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace vorela {

/// Which noun form follows a number: one (1, 21, 101), few (2-4, 22-24) or many (0, 5-20, 111).
enum class PluralForm { One = 0, Few = 1, Many = 2 };

/// The form chosen by the last two digits, as Russian grammar chooses it.
[[nodiscard]] constexpr PluralForm pluralForm(std::uint64_t number)
{
    const std::uint64_t lastTwo = number % 100;
    const std::uint64_t last = number % 10;
    if (lastTwo >= 11 && lastTwo <= 19)
        return PluralForm::Many;
    if (last == 1)
        return PluralForm::One;
    if (last >= 2 && last <= 4)
        return PluralForm::Few;
    return PluralForm::Many;
}

/// The three forms of a noun that follows a number, indexed by PluralForm.
struct NounForms {
    std::array<const char *, 3> forms;
    [[nodiscard]] const char *operator[](PluralForm form) const
    {
        return forms[static_cast<std::size_t>(form)];
    }
};

/// True for an empty text or one of decimal digits only.
[[nodiscard]] constexpr bool digitsOnly(std::string_view text)
{
    for (const char character : text) {
        if (character < '0' || character > '9')
            return false;
    }
    return true;
}

/// The number key of a value 0..19 or of a round ten or hundred ("_000", "_014", "_090", "_700").
[[nodiscard]] inline std::string numberKey(std::uint64_t value)
{
    std::string key = "_000";
    key[1] = static_cast<char>('0' + value / 100 % 10);
    key[2] = static_cast<char>('0' + value / 10 % 10);
    key[3] = static_cast<char>('0' + value % 10);
    return key;
}

} // namespace vorela
