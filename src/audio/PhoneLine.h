// What a telephone call does to a sound: the 300-3400 Hz band of the voice channel and the 8-bit
// G.711 companding of the digital line, so a phrase can be heard as the subscriber hears it.
#pragma once

#include <cstdint>
#include <span>

namespace vorela {

/// The two G.711 companding laws: A-law on European lines, mu-law on North American ones.
enum class LineCoding { ALaw, MuLaw };

/// The G.711 code of a 16-bit sample (its 13 or 14 most significant bits, as the line sees them).
[[nodiscard]] std::uint8_t encodeALaw(std::int16_t sample);
[[nodiscard]] std::uint8_t encodeMuLaw(std::int16_t sample);
/// The 16-bit sample a G.711 code stands for (the middle of its quantisation interval).
[[nodiscard]] std::int16_t decodeALaw(std::uint8_t code);
[[nodiscard]] std::int16_t decodeMuLaw(std::uint8_t code);

/// Keeps 300-3400 Hz of a sound sampled at 8000 Hz, in place; the length is unchanged so the
/// positions of the spoken items stay where they were.
void filterPhoneBand(std::span<std::int16_t> samples);

/// The band filter, then every sample through the line's coder and decoder, in place.
void passPhoneLine(std::span<std::int16_t> samples, LineCoding coding);

} // namespace vorela
