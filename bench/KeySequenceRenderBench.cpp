// Speaking a 50-item template into one WAV file from the bank (written durably: fsync and rename),
// against sox concatenating the same lexemes from WAV files (a child process per run, as a script
// would do it; sox does not fsync its output).
#include "installation/NewInstallation.h"
#include "platform/DataDirectory.h"
#include "platform/UiServices.h"
#include "soundbank/KeySequenceRender.h"
#include "soundbank/SoundBank.h"
#include "soundbank/WavExport.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <vector>

extern char **environ;

namespace vorela {

namespace {

constexpr int Items = 50;
constexpr std::size_t SamplesPerLexeme = 6000; // 0.75 s each, 37.5 s in all

// Every message is a failure of the set-up; the benchmark stops on it anyway.
class SilentUi : public UiServices {
public:
    MessageAnswer showMessage(const MessageRequest &) override { return MessageAnswer::Cancel; }
    std::optional<std::filesystem::path> chooseOpenFile(const OpenFileRequest &) override
    {
        return std::nullopt;
    }
    int runDialog(ModalDialog &) override { return 0; }
};

// A bank and WAV files with the same 50 lexemes, removed at the end.
class RenderFixture {
public:
    RenderFixture()
    {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "vorela-bench-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr)
            std::abort();
        root = pattern;
        const DataDirectory data(root);
        std::string error;
        if (!createEmptyBank(data.productBank(), data.temporaryBank(), error))
            std::abort();
        SilentUi ui;
        SoundBank bank(data, ui);
        for (int item = 0; item < Items; ++item) {
            char id[8];
            std::snprintf(id, sizeof id, "%04d", item + 1);
            std::vector<std::int16_t> samples(SamplesPerLexeme);
            for (std::size_t i = 0; i < samples.size(); ++i)
                samples[i] = static_cast<std::int16_t>((i * (item + 3) * 37) % 20000 - 10000);
            const std::filesystem::path wav = root / (std::string(id) + ".wav");
            if (bank.SaveSound(id, samples) || !exportWav(wav, samples))
                std::abort();
            keys.emplace_back(id);
            wavFiles.push_back(wav.string());
        }
    }
    ~RenderFixture()
    {
        std::error_code ignored;
        std::filesystem::remove_all(root, ignored);
    }
    RenderFixture(const RenderFixture &) = delete;
    RenderFixture &operator=(const RenderFixture &) = delete;

    std::filesystem::path root;
    std::vector<std::string> keys;
    std::vector<std::string> wavFiles;
};

// Runs sox with the files and the output; its exit status, or -1 when it could not run.
int runSox(const std::vector<std::string> &inputs, const std::string &output)
{
    std::vector<std::string> words{"sox"};
    words.insert(words.end(), inputs.begin(), inputs.end());
    words.push_back(output);
    std::vector<char *> argv;
    for (std::string &word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    if (posix_spawnp(&pid, "sox", nullptr, nullptr, argv.data(), environ) != 0)
        return -1;
    int status = 0;
    if (waitpid(pid, &status, 0) != pid || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}

} // namespace

static void RenderTemplateToWav(benchmark::State &state)
{
    const RenderFixture fixture;
    const DataDirectory data(fixture.root);
    const std::filesystem::path output = fixture.root / "ours.wav";
    for (auto _ : state) {
        const RenderedSpeech speech = renderKeySequence(data.productBank(), fixture.keys, {});
        if (!speech.ok() || !exportWav(output, speech.samples)) {
            state.SkipWithError("rendering failed");
            break;
        }
    }
    state.counters["seconds"] = Items * SamplesPerLexeme / 8000.0;
}
BENCHMARK(RenderTemplateToWav)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same without the file: reading and joining the lexemes alone, as the player does.
static void RenderTemplateInMemory(benchmark::State &state)
{
    const RenderFixture fixture;
    const DataDirectory data(fixture.root);
    for (auto _ : state) {
        const RenderedSpeech speech = renderKeySequence(data.productBank(), fixture.keys, {});
        if (!speech.ok()) {
            state.SkipWithError("rendering failed");
            break;
        }
        benchmark::DoNotOptimize(speech.samples.data());
    }
}
BENCHMARK(RenderTemplateInMemory)->Unit(benchmark::kMillisecond)->UseRealTime();

static void SoxConcatenate(benchmark::State &state)
{
    const RenderFixture fixture;
    const std::string output = (fixture.root / "sox.wav").string();
    for (auto _ : state) {
        if (runSox(fixture.wavFiles, output) != 0) {
            state.SkipWithError("sox did not run");
            break;
        }
    }
    state.counters["seconds"] = Items * SamplesPerLexeme / 8000.0;
}
BENCHMARK(SoxConcatenate)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace vorela
