// What the demo data says besides the standard words: its phrases, its lexeme table of
// districts, its task table and the templates of its two tasks.
#pragma once

#include <span>
#include <string_view>

namespace vorela {

class DataDirectory;
class LexItem;
class RegistryStore;

/// The greeting phrase's words.
inline constexpr std::string_view DemoGreeting =
    "Здравствуйте! Вас беспокоит служба оповещения абонентов.";

/// The demo phrases, created in the phrase folder in this order (chunks "0001", ...).
[[nodiscard]] std::span<const std::string_view> demoPhrases();

/// The district table: key name (as the task table holds it) and what its entry says.
struct DistrictEntry {
    std::string_view keyname;
    std::string_view spoken;
};
[[nodiscard]] std::span<const DistrictEntry> demoDistricts();

/// The lexeme table's name in the phrase folder.
inline constexpr std::string_view DistrictTableText = "Районы";

/// Writes the task table "abonents.dbf" and the tasks with their operators and templates.
/// The lexeme tree must hold the demo phrases, the district table and the standard functions.
[[nodiscard]] bool createDemoTasks(RegistryStore &store, const LexItem &root,
                                   const DataDirectory &dataDirectory, std::string &error);

} // namespace vorela
