// Sine tones for the real-device tests, and how strongly a recording holds one frequency.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace vorela::test {

/// seconds of a sine at hertz, sampled at 8000 Hz, peak amplitude in sample units.
[[nodiscard]] std::vector<std::int16_t> sineTone(double hertz, double seconds, double amplitude);

/// Amplitude of hertz in samples (Goertzel) relative to full scale: a full-scale sine filling
/// the samples gives about 1, a sine of another frequency about 0.
[[nodiscard]] double toneLevel(std::span<const std::int16_t> samples, double hertz);

} // namespace vorela::test
