// Problems as CSV rows (UTF-8, quoted where a field needs it), for the tool and the result window.
#pragma once

#include "preflight/PreflightProblem.h"

#include <string>
#include <string_view>

namespace vorela {

/// The header line, ending in CR LF.
[[nodiscard]] std::string preflightCsvHeader();
/// One problem as a line ending in CR LF; a problem of every record has an empty record field.
[[nodiscard]] std::string preflightCsvRow(const PreflightProblem &problem);
/// A field as CSV writes it: in double quotes, doubled inside, when it holds a comma, a quote,
/// a line break or leading or trailing blanks.
[[nodiscard]] std::string csvField(std::string_view text);

} // namespace vorela
