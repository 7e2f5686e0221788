// Sounds that name themselves: every value written for a chunk carries its chunk number and
// version, and the rest follows from those two, so a torn or mixed read shows.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace vorela::test {

/// Chunk ids of the workload: "0001" .. "0012".
inline constexpr unsigned WorkloadChunks = 12;
[[nodiscard]] std::string workloadChunkId(unsigned index);

/// The sound written as version `version` of chunk `index` (version 0 is the initial bank).
[[nodiscard]] std::vector<std::int16_t> soundValue(unsigned index, unsigned version);
/// The version whose exact sound samples are, or empty when they are no value ever produced.
[[nodiscard]] std::optional<unsigned> versionOf(unsigned index,
                                                std::span<const std::int16_t> samples);
/// Splits a rendering of whole values spoken one after another into their (index, version)
/// pairs; empty when any piece is torn.
[[nodiscard]] std::optional<std::vector<std::pair<unsigned, unsigned>>>
splitRendering(std::span<const std::int16_t> samples);

/// Every chunk of a bank file read by its own RIFF walk, independent of the code under test:
/// id -> samples. Empty with a reason when the file is not one whole RIFF "WAVE" form with its
/// "fmt " first and every chunk inside the form, or when an id repeats.
struct BankContents {
    std::map<std::string, std::vector<std::int16_t>> chunks;
    std::string error;
};
[[nodiscard]] BankContents readWholeBank(const std::filesystem::path &bank);

} // namespace vorela::test
