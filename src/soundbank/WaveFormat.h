// The PCM format record of a "fmt " chunk and the one sound format of every bank.
#pragma once

#include <array>
#include <cstdint>
#include <span>

namespace vorela {

struct WaveFormat {
    std::uint16_t formatTag = 0;
    std::uint16_t channels = 0;
    std::uint32_t samplesPerSecond = 0;
    std::uint32_t averageBytesPerSecond = 0;
    std::uint16_t blockAlign = 0;
    std::uint16_t bitsPerSample = 0;

    /// Reads a format record; fields the record is too short for stay 0.
    [[nodiscard]] static WaveFormat fromRecord(std::span<const std::uint8_t> record);
    /// The 16-byte record of the bank format: PCM, mono, 8000 per second, 16 bits.
    [[nodiscard]] static std::array<std::uint8_t, 16> bankRecord();

    /// True for PCM mono at 8000 samples and 16000 bytes per second with 2-byte blocks; the bits
    /// per sample are not examined, as the notification application never did.
    [[nodiscard]] bool isBankFormat() const;
};

inline constexpr std::uint32_t BankBytesPerSecond = 16000;

} // namespace vorela
