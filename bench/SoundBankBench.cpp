// Replacing one lexeme's sound in a 50 MB bank (through "vorela.tmp" and an atomic replace),
// against copying the bank file, plainly and durably.
#include "platform/UiServices.h"
#include "soundbank/SoundBank.h"

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
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

void putU32(std::string &out, std::uint32_t value)
{
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(static_cast<char>(value >> shift));
}

/// A data directory holding a bank of ChunkCount one-second chunks "0001", "0002", ...
class BankFixture {
public:
    BankFixture()
    {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "vorela-bench-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr)
            std::abort();
        root = pattern;
        std::ofstream bank(root / "vorela.awf", std::ios::binary);
        std::string head = "RIFF";
        putU32(head, 4 + 24 + ChunkCount * (8 + ChunkBytes));
        head += "WAVEfmt ";
        putU32(head, 16);
        head += std::string("\x01\x00\x01\x00\x40\x1f\x00\x00\x80\x3e\x00\x00\x02\x00\x10\x00", 16);
        bank << head;
        const std::string data(ChunkBytes, '\x11');
        for (std::uint32_t i = 1; i <= ChunkCount; ++i) {
            char id[8];
            std::snprintf(id, sizeof id, "%04u", i);
            std::string header(id, 4);
            putU32(header, ChunkBytes);
            bank << header << data;
        }
    }
    ~BankFixture() { std::filesystem::remove_all(root); }

    std::filesystem::path root;
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
        std::filesystem::copy_file(bank, copy, std::filesystem::copy_options::overwrite_existing);
        if (durable) {
            const int descriptor = ::open(copy.c_str(), O_RDONLY);
            ::fsync(descriptor);
            ::close(descriptor);
        }
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
