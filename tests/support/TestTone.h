// Sine tones and noise for the sound tests, and how strongly a recording holds one frequency.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <span>
#include <vector>

namespace vorela::test {

/// seconds of a sine at hertz, sampled at 8000 Hz, peak amplitude in sample units.
[[nodiscard]] std::vector<std::int16_t> sineTone(double hertz, double seconds, double amplitude);

/// seconds of a sine at hertz whose RMS is rmsDbfs below full scale (a sine's peak is 3.01 dB
/// above its RMS).
[[nodiscard]] std::vector<std::int16_t> toneAtRms(double hertz, double seconds, double rmsDbfs);

/// seconds of digital silence.
[[nodiscard]] std::vector<std::int16_t> silence(double seconds);

/// The parts one after the other.
[[nodiscard]] std::vector<std::int16_t>
joined(std::initializer_list<std::vector<std::int16_t>> parts);

/// seconds of white noise (uniform, fixed seed) whose RMS is rmsDbfs below full scale.
[[nodiscard]] std::vector<std::int16_t> whiteNoise(double seconds, double rmsDbfs,
                                                   unsigned seed = 1);

/// Amplitude of hertz in samples (Goertzel) relative to full scale: a full-scale sine filling
/// the samples gives about 1, a sine of another frequency about 0.
[[nodiscard]] double toneLevel(std::span<const std::int16_t> samples, double hertz);

} // namespace vorela::test
