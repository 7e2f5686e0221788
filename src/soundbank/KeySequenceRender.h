// Speaks a key sequence into one buffer: every chunk's sound, in order, without a pause between
// lexemes, as the notification application speaks it; markers and silent entries add no sound.
#pragma once

#include "soundbank/LexemeReader.h"
#include "soundbank/WaveFormat.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace vorela {

/// A "----" marker of the sequence and the sample of the buffer where its item's sound begins.
struct ItemStart {
    std::size_t sample = 0;
    std::uint64_t marker = 0;
    bool operator==(const ItemStart &) const = default;
};

struct RenderedSpeech {
    std::vector<std::int16_t> samples;
    WaveFormat format;            // the bank's; left empty when no lexeme was read
    std::vector<ItemStart> items; // in sequence order; on failure those before the failing key
    LexemeReadError failure = LexemeReadError::None;
    std::string error; // names the failing key; empty when every lexeme was read
    [[nodiscard]] bool ok() const { return error.empty(); }
};

/// Concatenates the sounds of keys from the bank, noting where each marked item begins. The
/// first lexeme that cannot be read (with check, one not in the bank format), or a greeting
/// phrase that fails greetingCheck, fails the whole rendering: no samples.
[[nodiscard]] RenderedSpeech renderKeySequence(const std::filesystem::path &bank,
                                               std::span<const std::string> keys,
                                               const GreetingCheck &greetingCheck,
                                               FormatCheck check = FormatCheck::BankFormat);

/// The marker of the item being spoken at sample: the last item starting at or before it (of
/// items starting at the same sample, the one without sound is skipped). Empty before the first.
[[nodiscard]] std::optional<std::uint64_t> itemAt(std::span<const ItemStart> items,
                                                  std::size_t sample);

} // namespace vorela
