// Where the editor's data lives in the registry store: the product key and its branches, as paths
// below HKEY_LOCAL_MACHINE. The notification application reads the same keys.
#pragma once

#include <string_view>

namespace vorela {

inline constexpr std::string_view ProductKeyPath = "Software\\vorela\\";
inline constexpr std::string_view LexemeBranchName = "Лексемы и функции\\";
inline constexpr std::string_view TasksBranchName = "Tasks\\";
inline constexpr std::string_view EditorBranchName = "Editor\\";

/// Full paths of the three branches below HKEY_LOCAL_MACHINE.
inline constexpr std::string_view LexemeRootPath = "Software\\vorela\\Лексемы и функции\\";
inline constexpr std::string_view TasksRootPath = "Software\\vorela\\Tasks\\";
inline constexpr std::string_view EditorKeyPath = "Software\\vorela\\Editor\\";

/// The default key of `vorela reg export`.
inline constexpr std::string_view ExportDefaultKey = "HKEY_LOCAL_MACHINE\\Software\\vorela";

} // namespace vorela
