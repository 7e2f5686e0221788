#include "platform/ArchiveFileNames.h"

#include <cstdio>
#include <unordered_set>

namespace vorela {

static constexpr std::size_t MaxStemBytes = 100;

std::string recordFileStem(std::uint32_t number)
{
    char digits[16];
    std::snprintf(digits, sizeof digits, "%06u", static_cast<unsigned>(number));
    return digits;
}

// Bytes that would cut the name into a path, hide it, or need quoting in a shell.
static bool isUnsafe(unsigned char byte)
{
    static constexpr std::string_view Special = "/\\:*?\"<>|'`$&;!#%{}[]~ ";
    return byte < 0x20 || byte == 0x7F || Special.find(static_cast<char>(byte)) != Special.npos;
}

static bool continuesCharacter(unsigned char byte)
{
    return (byte & 0xC0) == 0x80;
}

std::string safeFileStem(std::string_view text)
{
    std::string stem;
    for (const char character : text) {
        const auto byte = static_cast<unsigned char>(character);
        if (stem.empty() && (byte == '.' || byte == ' '))
            continue;
        stem += isUnsafe(byte) ? '_' : character;
    }
    if (stem.size() > MaxStemBytes) {
        std::size_t end = MaxStemBytes;
        while (end > 0 && continuesCharacter(static_cast<unsigned char>(stem[end])))
            --end;
        stem.resize(end);
    }
    while (!stem.empty() && stem.back() == '_')
        stem.pop_back();
    return stem;
}

std::vector<std::string> uniqueFileNames(std::span<const std::string> stems,
                                         std::string_view extension)
{
    std::unordered_set<std::string> given;
    std::vector<std::string> names;
    names.reserve(stems.size());
    for (const std::string &stem : stems) {
        std::string name = stem + std::string(extension);
        for (int suffix = 2; given.contains(name); ++suffix)
            name = stem + "-" + std::to_string(suffix) + std::string(extension);
        given.insert(name);
        names.push_back(std::move(name));
    }
    return names;
}

} // namespace vorela
