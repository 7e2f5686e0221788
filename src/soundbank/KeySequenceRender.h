// Speaks a key sequence into one buffer: every chunk's sound, in order, as the player would play
// it lexeme after lexeme; markers and silent entries add nothing.
#pragma once

#include "soundbank/LexemeReader.h"

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

namespace vorela {

struct RenderedSpeech {
    std::vector<std::int16_t> samples;
    std::string error; // names the failing key; empty when every lexeme was read
    [[nodiscard]] bool ok() const { return error.empty(); }
};

/// Concatenates the sounds of keys from the bank (in the bank format). The first lexeme that
/// cannot be read, or a greeting phrase that fails greetingCheck, fails the whole rendering.
[[nodiscard]] RenderedSpeech renderKeySequence(const std::filesystem::path &bank,
                                               std::span<const std::string> keys,
                                               const GreetingCheck &greetingCheck);

} // namespace vorela
