// The entries of a key sequence, the list the speech composition builds and the player speaks:
// chunk ids, "NULL" for a value without sound, and "----" markers naming the item being spoken.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vorela {

inline constexpr std::string_view SilentKey = "NULL";
inline constexpr std::string_view MarkerPrefix = "----";

enum class KeyKind { Marker, Silent, Chunk };

[[nodiscard]] KeyKind keyKind(std::string_view key);

/// The marker entry for the tree item identified by handle ("----" + decimal).
[[nodiscard]] std::string markerKey(std::uint64_t handle);

/// The handle a marker entry names; empty when the entry is no marker or its number is unreadable.
[[nodiscard]] std::optional<std::uint64_t> markerHandle(std::string_view key);

} // namespace vorela
