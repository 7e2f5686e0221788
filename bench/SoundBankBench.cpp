// Replacing one lexeme's sound in a 50 MB bank (through "vorela.tmp" and an atomic replace),
// against copying the bank file, plainly and durably.
#include "BenchFiles.h"
#include "platform/UiServices.h"
#include "soundbank/SoundBank.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace vorela {
namespace {

constexpr std::uint32_t ChunkBytes = 16000; // one second of sound
constexpr std::uint32_t ChunkCount = 3200;  // 51.2 MB of sound

/// Answers nothing is expected of it: the bank operations here never fail.
class SilentUi : public UiServices {
public:
    MessageAnswer showMessage(const MessageRequest &request) override
    {
        return request.defaultAnswer;
    }
    std::optional<std::filesystem::path> chooseOpenFile(const OpenFileRequest &) override
    {
        return std::nullopt;
    }
    int runDialog(ModalDialog &) override { return 0; }
};

/// A data directory holding a bank of ChunkCount one-second chunks "0001", "0002", ...
class BankFixture {
public:
    BankFixture()
    {
        const std::string data(ChunkBytes, '\x11');
        std::string chunks;
        chunks.reserve(ChunkCount * (8 + ChunkBytes));
        for (std::uint32_t i = 1; i <= ChunkCount; ++i) {
            char id[8];
            std::snprintf(id, sizeof id, "%04u", i);
            chunks += bench::riffChunk(id, data);
        }
        bench::writeFile(root / "vorela.awf", bench::riffWave(1, 8000, chunks));
    }

    bench::ScratchFolder scratch;
    const std::filesystem::path &root = scratch.path;
};

BankFixture &fixture()
{
    static BankFixture bank;
    return bank;
}

void ReplaceChunk(benchmark::State &state)
{
    SilentUi ui;
    SoundBank soundBank(DataDirectory(fixture().root), ui);
    const std::vector<std::int16_t> sound(ChunkBytes / 2, 7);
    for (auto _ : state) {
        if (soundBank.SaveSound("1600", sound))
            state.SkipWithError("SaveSound failed");
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            std::filesystem::file_size(fixture().root / "vorela.awf"));
}

void CopyBank(benchmark::State &state, bool durable)
{
    const std::filesystem::path bank = fixture().root / "vorela.awf";
    const std::filesystem::path copy = fixture().root / "copy.awf";
    for (auto _ : state) {
        if (durable)
            bench::copyDurably(bank, copy);
        else
            std::filesystem::copy_file(bank, copy,
                                       std::filesystem::copy_options::overwrite_existing);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            std::filesystem::file_size(bank));
}

void CopyBankFile(benchmark::State &state)
{
    CopyBank(state, false);
}
void CopyBankFileDurably(benchmark::State &state)
{
    CopyBank(state, true);
}

BENCHMARK(ReplaceChunk)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(CopyBankFile)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(CopyBankFileDurably)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
} // namespace vorela
