// The lexeme keys the speech composition can produce, found by running it over every value a
// function can meet, so that the list can never drift from the composition itself.
#pragma once

#include "speech/SpeechComposer.h"

#include <set>
#include <string>

namespace vorela {

/// Highest function code a template item can carry ("@013").
inline constexpr unsigned LastFunctionCode = 13;

/// Every key a function item of this code can speak; dateCase is the case of a relative date
/// (code 6). Empty for codes that speak no lexeme (5, codes above 13).
[[nodiscard]] std::set<std::string> functionKeys(unsigned code,
                                                 DateCase dateCase = DateCase::Nominative);

/// Every key any function item can speak: the words an installation must have recorded.
[[nodiscard]] const std::set<std::string> &composableKeys();

} // namespace vorela
