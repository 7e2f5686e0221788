#include "stores/KeySequence.h"

#include <charconv>

namespace vorela {

KeyKind keyKind(std::string_view key)
{
    if (key.starts_with(MarkerPrefix))
        return KeyKind::Marker;
    if (key == SilentKey)
        return KeyKind::Silent;
    return KeyKind::Chunk;
}

std::string markerKey(std::uint64_t handle)
{
    return std::string(MarkerPrefix) + std::to_string(handle);
}

std::optional<std::uint64_t> markerHandle(std::string_view key)
{
    if (keyKind(key) != KeyKind::Marker)
        return std::nullopt;
    const std::string_view digits = key.substr(MarkerPrefix.size());
    std::uint64_t handle = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), handle);
    if (error != std::errc() || end != digits.data() + digits.size())
        return std::nullopt;
    return handle;
}

} // namespace vorela
