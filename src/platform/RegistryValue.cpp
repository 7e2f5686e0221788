// Case folding of registry names: the registry matches names case-insensitively, Cyrillic included.
#include "platform/RegistryValue.h"

namespace vorela {

// Works on the UTF-8 bytes directly so that any byte string, even broken UTF-8, folds to itself
// apart from the letters below; two different names never fold alike by decoding damage.
std::string foldRegistryName(std::string_view name)
{
    std::string folded(name);
    for (std::size_t i = 0; i < folded.size(); ++i) {
        auto byte = static_cast<unsigned char>(folded[i]);
        if (byte >= 'A' && byte <= 'Z') {
            folded[i] = static_cast<char>(byte + 32);
            continue;
        }
        if (i + 1 >= folded.size())
            break;
        auto next = static_cast<unsigned char>(folded[i + 1]);
        if (byte == 0xC3 && next >= 0x80 && next <= 0x9E && next != 0x97) {
            folded[i + 1] = static_cast<char>(next + 0x20); // Latin-1 À..Þ except ×
        } else if (byte == 0xD0 && next >= 0x80 && next <= 0x8F) {
            folded[i] = static_cast<char>(0xD1); // Ѐ..Џ (Ё, Є, І, Ї) -> ѐ..џ
            folded[i + 1] = static_cast<char>(next + 0x10);
        } else if (byte == 0xD0 && next >= 0x90 && next <= 0x9F) {
            folded[i + 1] = static_cast<char>(next + 0x20); // А..П -> а..п
        } else if (byte == 0xD0 && next >= 0xA0 && next <= 0xAF) {
            folded[i] = static_cast<char>(0xD1); // Р..Я -> р..я
            folded[i + 1] = static_cast<char>(next - 0x20);
        } else if (byte == 0xD2 && next == 0x90) {
            folded[i + 1] = static_cast<char>(0x91); // Ґ -> ґ
        }
        if (byte >= 0xC0)
            ++i; // the continuation byte is done
    }
    return folded;
}

} // namespace vorela
