// Whether the speech says a value as it is written. The amount, number and date speech read what
// they can: they skip a sign or a letter, stop at a second separator and take 31 February, so a
// value can be heard as another one. The binding dialogs and the check before a mailing refuse
// such values by this one rule.
#pragma once

#include "speech/FieldBinding.h"

#include <string_view>

namespace vorela {

/// For a value an item of mode speaks (a table value, or a constant without its apostrophes):
/// - an amount is digits, then at most one '.' or ',' and digits;
/// - a date is year, month and day in digits, separated by '-', '/' or '.', naming a day of the
///   calendar (year 0000 stands for any year), then nothing or a blank and a time of digits and
///   colons;
/// - a number (telephone, digit groups, house, flat) holds a digit and no minus sign before it.
/// Blanks at either end are allowed; a table item's value is always said as written.
/// Allocates nothing.
[[nodiscard]] bool saidAsWritten(BindingMode mode, std::string_view value);

} // namespace vorela
