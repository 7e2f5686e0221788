// Levelling a library of 1,000 lexemes: measuring every sound and working out its gain, and the
// whole `vorela bank normalize --all` with its one rewrite of the bank, against copying the bank.
#include "BenchFiles.h"
#include "library/BankLevelling.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>

namespace vorela {
namespace {

constexpr int LexemeCount = 1000;
constexpr std::size_t WordSamples = 6400; // 0.8 s, a usual word

// One word: a pause, a vowel-like pair of tones at a level between -32 and -12 dBFS with some
// hiss, a pause; little-endian bytes.
std::string wordBytes(int index, std::mt19937 &random)
{
    const double level = std::pow(10.0, (-32 + (index * 7) % 21) / 20.0) * 32768;
    std::normal_distribution<double> hiss(0, 30);
    std::string bytes;
    for (std::size_t n = 0; n < WordSamples; ++n) {
        const bool voiced = n > 800 && n < WordSamples - 800;
        const double t = double(n) / 8000;
        const double voice =
            voiced
                ? level * (0.7 * std::sin(2 * M_PI * 220 * t) + 0.5 * std::sin(2 * M_PI * 1300 * t))
                : 0;
        const auto sample =
            static_cast<std::int16_t>(std::clamp(voice + hiss(random), -32768.0, 32767.0));
        bytes.push_back(static_cast<char>(sample & 0xFF));
        bytes.push_back(static_cast<char>((sample >> 8) & 0xFF));
    }
    return bytes;
}

class LibraryFixture {
public:
    LibraryFixture()
    {
        std::string chunks;
        std::mt19937 random(1);
        for (int index = 0; index < LexemeCount; ++index) {
            char id[8];
            std::snprintf(id, sizeof id, "%04d", index + 1);
            chunks += bench::riffChunk(id, wordBytes(index, random));
        }
        bench::writeFile(original(), bench::riffWave(1, 8000, chunks));
    }

    [[nodiscard]] std::filesystem::path original() const { return root / "library.awf"; }
    [[nodiscard]] std::filesystem::path bank() const { return root / "vorela.awf"; }
    void restore() const
    {
        std::filesystem::copy_file(original(), bank(),
                                   std::filesystem::copy_options::overwrite_existing);
    }

    bench::ScratchFolder scratch;
    const std::filesystem::path &root = scratch.path;
};

const LibraryFixture &library()
{
    static const LibraryFixture fixture;
    return fixture;
}

void measureAndPlan(benchmark::State &state)
{
    library().restore();
    for (auto _ : state) {
        const LevellingPlan plan = planLevelling(library().bank(), {});
        if (!plan.ok() || plan.replacements.size() < LexemeCount / 2)
            state.SkipWithError("the library was not planned");
        benchmark::DoNotOptimize(plan);
    }
}
BENCHMARK(measureAndPlan)->Unit(benchmark::kMillisecond)->UseRealTime();

void normalizeWithTheTool(benchmark::State &state)
{
    const std::string command = std::string(VORELA_TOOL) + " --data-dir " +
                                library().root.string() + " bank normalize --all >/dev/null";
    for (auto _ : state) {
        state.PauseTiming();
        library().restore();
        state.ResumeTiming();
        if (std::system(command.c_str()) != 0)
            state.SkipWithError("vorela bank normalize failed");
    }
}
BENCHMARK(normalizeWithTheTool)->Unit(benchmark::kMillisecond)->UseRealTime();

void copyTheBank(benchmark::State &state)
{
    for (auto _ : state)
        library().restore();
}
BENCHMARK(copyTheBank)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
} // namespace vorela
