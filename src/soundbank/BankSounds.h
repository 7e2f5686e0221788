// The sounds of a bank read by id from one open file, for work over the whole library (levelling,
// the sound check): the chunk list is read once, each sound once.
#pragma once

#include "platform/BinaryFile.h"
#include "soundbank/RiffChunks.h"

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vorela {

class BankSounds {
public:
    /// Opens a bank for reading and lists its whole chunks; false when it is no readable bank.
    [[nodiscard]] bool open(const std::filesystem::path &bank);
    /// The ids (four characters, blank-padded) of the whole chunks, in file order, each once.
    [[nodiscard]] const std::vector<std::string> &ids() const { return order; }
    [[nodiscard]] bool contains(std::string_view id) const;
    /// The samples of chunk id (a chunk without a whole sample has none); nullopt when the bank
    /// lacks the chunk or its data cannot be read.
    [[nodiscard]] std::optional<std::vector<std::int16_t>> samples(std::string_view id) const;

private:
    BinaryFile file;
    std::map<std::string, ChunkHeader, std::less<>> headers; // the first chunk of each id
    std::vector<std::string> order;
};

} // namespace vorela
