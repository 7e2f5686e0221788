// Bringing 135 words and phrases of a new installation into a 50 MB bank from studio recordings
// (44100 Hz stereo): `vorela bank import-dir` with its one rewrite, against 135 single
// `vorela bank import` calls and against a durable copy of the bank.
#include "BenchFiles.h"
#include "installation/NewInstallation.h"
#include "platform/RegistryStore.h"
#include "soundbank/FolderImport.h"
#include "stores/ChunkIds.h"
#include "stores/LexItem.h"

#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace vorela {
namespace {

constexpr std::size_t RecordingCount = 135;
constexpr std::uint32_t BankSeconds = 3200; // 51.2 MB of one-second sounds
constexpr std::uint32_t StudioRate = 44100;

/// Little-endian 16-bit samples of a tone; channels alternate, the right one a fifth above.
std::string toneBytes(std::uint32_t rate, std::uint16_t channels, double frequency)
{
    std::string bytes;
    for (std::uint32_t n = 0; n < rate; ++n) {
        for (std::uint16_t channel = 0; channel < channels; ++channel) {
            const double t = double(n) / rate;
            const double value = 8000 * std::sin(2 * M_PI * frequency * (1 + 0.5 * channel) * t);
            bench::putU16(bytes, static_cast<std::uint16_t>(static_cast<std::int16_t>(value)));
        }
    }
    return bytes;
}

/// A new installation with seven phrases of a task added, whose bank also holds 3,200 other
/// sounds; a folder with one studio recording per word and phrase named by its chunk id, and a
/// script importing them one by one.
class ImportFixture {
public:
    ImportFixture()
    {
        std::string error;
        if (!initDataDirectory(DataDirectory(root), error))
            std::abort();
        std::filesystem::copy_file(bank(), emptyBank());
        const std::vector<LexemeName> words = wordsToRecord();
        if (words.size() != RecordingCount)
            std::abort();

        const std::string second = toneBytes(8000, 1, 300);
        std::string chunks;
        chunks.reserve(BankSeconds * (8 + second.size()));
        for (std::uint32_t index = 1; index <= BankSeconds; ++index) {
            char id[8];
            std::snprintf(id, sizeof id, "%04u", index);
            chunks += bench::riffChunk(id, second);
        }
        bench::writeFile(fullBank(), bench::riffWave(1, 8000, chunks));

        std::filesystem::create_directory(folder());
        const std::string recording =
            bench::riffWave(2, StudioRate, bench::riffChunk("data", toneBytes(StudioRate, 2, 220)));
        std::string script = "set -e\n";
        for (const LexemeName &word : words) {
            // A chunk id with a slash cannot name a file; the lexeme's text does instead.
            const bool byId = word.chunkId.find('/') == std::string::npos;
            const std::filesystem::path file =
                folder() / ((byId ? word.chunkId : word.text) + ".wav");
            bench::writeFile(file, recording);
            script += tool() + " bank import '" + word.chunkId + "' '" + file.string() +
                      "' 2>/dev/null\n";
        }
        bench::writeFile(singleImports(), script);
    }

    [[nodiscard]] std::filesystem::path bank() const { return root / "vorela.awf"; }
    [[nodiscard]] std::filesystem::path fullBank() const { return root / "full.awf"; }
    [[nodiscard]] std::filesystem::path emptyBank() const { return root / "empty.awf"; }
    [[nodiscard]] std::filesystem::path folder() const { return root / "recordings"; }
    [[nodiscard]] std::filesystem::path singleImports() const { return root / "imports.sh"; }
    [[nodiscard]] std::string tool() const
    {
        return std::string(VORELA_TOOL) + " --data-dir '" + root.string() + "'";
    }
    // Durably, so that writing the restored bank back does not fall into the timed run.
    void restore(const std::filesystem::path &original) const
    {
        bench::copyDurably(original, bank());
    }

    bench::ScratchFolder scratch;
    const std::filesystem::path &root = scratch.path;

private:
    /// The 128 standard words a new installation records (the greeting needs a certificate, the
    /// boundary no sound, the currency words come from their own bank) and seven task phrases.
    [[nodiscard]] std::vector<LexemeName> wordsToRecord() const
    {
        std::string error;
        const std::unique_ptr<RegistryStore> store =
            RegistryStore::open(DataDirectory(root).registry(), error);
        if (!store)
            std::abort();
        LexItem tree(*store);
        for (int phrase = 1; phrase <= 7; ++phrase) {
            const std::string chunk = "P00" + std::to_string(phrase);
            if (tree.AppendChild("Фраза " + std::to_string(phrase), chunk, 0, 0, 0, "").empty())
                std::abort();
        }
        std::vector<LexemeName> words = lexemeNames(tree);
        std::erase_if(words, [](const LexemeName &word) {
            return word.chunkId == GreetingChunkId || !word.ownSound;
        });
        return words;
    }
};

const ImportFixture &fixture()
{
    static const ImportFixture instance;
    return instance;
}

/// CPU seconds of every child process waited for so far (the tool's, through the shell).
double childCpuSeconds()
{
    rusage usage{};
    ::getrusage(RUSAGE_CHILDREN, &usage);
    const auto seconds = [](const timeval &time) { return time.tv_sec + time.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

/// Runs command once per iteration on a fresh copy of original, copied outside the timing. The
/// tool's own CPU time is counted apart: on a loaded machine it varies less than the real time.
void timeOnBank(benchmark::State &state, const std::filesystem::path &original,
                const std::string &command)
{
    double toolSeconds = 0;
    for (auto _ : state) {
        state.PauseTiming();
        fixture().restore(original);
        const double before = childCpuSeconds();
        state.ResumeTiming();
        if (std::system(command.c_str()) != 0)
            state.SkipWithError(("failed: " + command).c_str());
        toolSeconds += childCpuSeconds() - before;
    }
    state.counters["tool_cpu_ms"] =
        benchmark::Counter(toolSeconds * 1000 / static_cast<double>(state.iterations()));
}

void importDirIntoFullBank(benchmark::State &state)
{
    timeOnBank(state, fixture().fullBank(),
               fixture().tool() + " bank import-dir '" + fixture().folder().string() +
                   "' >/dev/null");
}
BENCHMARK(importDirIntoFullBank)->Unit(benchmark::kMillisecond)->UseRealTime();

// Reading and converting the 135 recordings, starting the tool and writing a bank of only them:
// what import-dir costs beside copying the 50 MB.
void importDirIntoEmptyBank(benchmark::State &state)
{
    timeOnBank(state, fixture().emptyBank(),
               fixture().tool() + " bank import-dir '" + fixture().folder().string() +
                   "' >/dev/null");
}
BENCHMARK(importDirIntoEmptyBank)->Unit(benchmark::kMillisecond)->UseRealTime();

void singleImportsIntoFullBank(benchmark::State &state)
{
    timeOnBank(state, fixture().fullBank(), "sh '" + fixture().singleImports().string() + "'");
}
BENCHMARK(singleImportsIntoFullBank)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2);

void copyFullBankDurably(benchmark::State &state)
{
    const std::filesystem::path copy = fixture().root / "copy.awf";
    for (auto _ : state)
        bench::copyDurably(fixture().fullBank(), copy);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            std::filesystem::file_size(fixture().fullBank()));
}
BENCHMARK(copyFullBankDurably)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
} // namespace vorela
