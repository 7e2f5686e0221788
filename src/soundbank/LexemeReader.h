// Reads one lexeme's sound from the product bank for speaking it, telling apart every way the
// bank can fail so the player can name it.
#pragma once

#include "soundbank/WaveFormat.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <span>
#include <string_view>
#include <vector>

namespace vorela {

enum class LexemeReadError {
    None,
    OpenFailed,   ///< the bank cannot be opened
    NoForm,       ///< not a RIFF "WAVE" form (0001)
    NoFormat,     ///< no "fmt " chunk (0002)
    FormatShort,  ///< the "fmt " body runs past the end of the file (0003)
    WrongFormat,  ///< not the bank format, when the format is checked
    NoChunk,      ///< no chunk with the id (0004)
    EmptyChunk,   ///< the chunk has no data (0005)
    ChunkShort,   ///< the chunk's data runs past the end of the file (0006)
    NotCertified, ///< the greeting phrase's sound carries no valid certificate
};

struct LexemeSound {
    LexemeReadError error = LexemeReadError::None;
    WaveFormat format;
    std::vector<std::int16_t> samples;
    [[nodiscard]] bool ok() const { return error == LexemeReadError::None; }
};

enum class FormatCheck { Skip, BankFormat };

/// Opens the bank, reads its format and the chunk chunkId (text, blank-padded to four), and closes
/// it again. Sizes from the file are checked against its length before anything is allocated.
[[nodiscard]] LexemeSound readLexeme(const std::filesystem::path &bank, std::string_view chunkId,
                                     FormatCheck check);

/// Accepts a greeting phrase's samples only when they carry a valid certificate.
using GreetingCheck = std::function<bool(std::span<const std::int16_t> samples)>;

/// readLexeme for speaking: the greeting phrase's sound must also pass greetingCheck, or the
/// result is NotCertified (no samples). Other sounds are never checked.
[[nodiscard]] LexemeSound readSpokenLexeme(const std::filesystem::path &bank,
                                           std::string_view chunkId, FormatCheck check,
                                           const GreetingCheck &greetingCheck);

/// An English description of a failure, for the command-line tool.
[[nodiscard]] std::string_view describeLexemeError(LexemeReadError error);

} // namespace vorela
