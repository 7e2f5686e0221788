// The seam between QString (GUI) and UTF-8 std::string (core); positions count Unicode characters.
#pragma once

#include <QString>

#include <string>
#include <string_view>

namespace vorela {

/// UTF-8 text of the core as a QString.
[[nodiscard]] QString toQString(std::string_view utf8);

/// A QString as UTF-8 for the core.
[[nodiscard]] std::string toUtf8(const QString &text);

/// Number of Unicode characters (a surrogate pair counts once), as the core counts them.
[[nodiscard]] qsizetype characterCount(const QString &text);

/// UTF-16 index of the character at characterPosition (the length when past the end).
[[nodiscard]] qsizetype utf16Index(const QString &text, qsizetype characterPosition);

} // namespace vorela
