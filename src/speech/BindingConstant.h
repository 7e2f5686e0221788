// Whether a constant typed into a binding dialog would be spoken as typed: the rule of values
// said as written, then the speech itself, which refuses what it has no words for.
#pragma once

#include "speech/FieldBinding.h"

#include <string_view>

namespace vorela {

/// Which of a binding dialog's two edits holds what the template would not speak as typed.
enum class ConstantFault { None, First, Second };

/// For a constant constantAcceptable lets through: the edit the speech would misread, drop or
/// refuse (an amount part that is not plain digits or too long to say, a day or month that is
/// not a calendar date, a number with a minus sign). Table items give None.
[[nodiscard]] ConstantFault constantFault(BindingMode mode, std::string_view first,
                                          std::string_view second);

} // namespace vorela
