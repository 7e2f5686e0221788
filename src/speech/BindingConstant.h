// Whether a constant typed into a binding dialog would be spoken as typed: the amount and date
// speech that expands the template reads it, and a date must exist in the calendar.
#pragma once

#include "speech/FieldBinding.h"

#include <string_view>

namespace vorela {

/// Which of a binding dialog's two edits holds what the template would not speak as typed.
enum class ConstantFault { None, First, Second };

/// For a constant constantAcceptable lets through: the edit the speech would misread, drop or
/// refuse (an amount part that is not plain digits or too long to say, a day or month that is
/// not a calendar date). Numbers and table items are spoken by other rules and give None.
[[nodiscard]] ConstantFault constantFault(BindingMode mode, std::string_view first,
                                          std::string_view second);

} // namespace vorela
