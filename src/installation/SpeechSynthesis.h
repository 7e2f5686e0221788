// Synthesized recordings for demo data: espeak-ng speaks a text, sox converts it to the bank's
// sound format. Both run as child processes with argument vectors, several at a time.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace vorela {

struct SynthesisRequest {
    std::string text;  // what to say; empty gives silence
    std::string voice; // espeak-ng voice, "ru" or "uk"
};

struct SynthesisResult {
    std::vector<std::vector<std::int16_t>> sounds; // one per request, in request order
    std::string error;                             // empty when every request was spoken
    [[nodiscard]] bool ok() const { return error.empty(); }
};

/// Length of the silence made for an empty text (a pause between groups), in samples.
inline constexpr std::size_t PauseSamples = 2400;

/// Speaks every request into 8000 Hz mono 16-bit samples, trimmed of leading and trailing
/// silence, running up to `parallel` children at once in workFolder (which must exist).
[[nodiscard]] SynthesisResult synthesize(const std::vector<SynthesisRequest> &requests,
                                         const std::filesystem::path &workFolder,
                                         unsigned parallel);

} // namespace vorela
