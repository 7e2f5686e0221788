// What the versions the library's own steps make say of themselves. Operators read them in the
// editor's history window, so they are Russian whichever program made the version.
#pragma once

#include <string>
#include <string_view>

namespace vorela {

inline constexpr std::string_view SavedMessage = "Сохранено";
inline constexpr std::string_view PublishedMessage = "Опубликовано";

/// The first 12 hex digits of a version's id, as messages name versions.
[[nodiscard]] inline std::string shortVersionId(const std::string &id)
{
    return id.substr(0, 12);
}

[[nodiscard]] inline std::string restoredMessage(const std::string &id)
{
    return "Восстановлена версия " + shortVersionId(id);
}

[[nodiscard]] inline std::string pulledMessage(const std::string &id)
{
    return "Получена опубликованная версия " + shortVersionId(id);
}

[[nodiscard]] inline std::string beforeRestoringMessage(const std::string &id)
{
    return "Перед восстановлением версии " + shortVersionId(id);
}

} // namespace vorela
