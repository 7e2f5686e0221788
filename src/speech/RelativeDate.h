// The date a relative-date item speaks, read from the item's name: "Дата +003 (рд)" is three
// days after today in the genitive.
#pragma once

#include "speech/SpeechComposer.h"

#include <cstdint>
#include <string_view>

namespace vorela {

struct RelativeDate {
    std::uint64_t offsetDays = 0;
    DateCase dateCase = DateCase::Genitive;
};

/// The offset in characters 7-9 of the item's text; the nominative when characters 12-13 are
/// "им", else the genitive. Characters are counted from 1.
[[nodiscard]] RelativeDate relativeDateOf(std::string_view itemText);

} // namespace vorela
