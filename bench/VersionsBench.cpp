// Versions of a 50 MB library: saving after one word changed (and what that adds to the
// repository), and restoring a version in which every sound differs, against a durable copy of
// the bank.
#include "BenchFiles.h"
#include "platform/RegistryStore.h"
#include "versions/History.h"
#include "versions/VersionRestore.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <random>

namespace vorela {
namespace {

constexpr std::uint32_t ChunkBytes = 16000; // one second of sound
constexpr std::uint32_t ChunkCount = 3200;  // 51.2 MB of sound

std::string chunkId(std::uint32_t number)
{
    char id[8];
    std::snprintf(id, sizeof id, "%04u", number);
    return id;
}

// A bank whose sounds all differ (as recordings do), seeded so two seeds share no sound.
std::string bankBytes(unsigned seed)
{
    std::mt19937 random(seed);
    std::string chunks;
    chunks.reserve(ChunkCount * (8 + ChunkBytes));
    std::string data(ChunkBytes, '\0');
    for (std::uint32_t number = 1; number <= ChunkCount; ++number) {
        for (char &byte : data)
            byte = static_cast<char>(random() % 64); // quiet speech: small samples
        chunks += bench::riffChunk(chunkId(number), data);
    }
    return bench::riffWave(1, 8000, chunks);
}

std::uint64_t folderBytes(const std::filesystem::path &folder)
{
    std::uint64_t total = 0;
    for (const auto &entry : std::filesystem::recursive_directory_iterator(folder))
        total += entry.is_regular_file() ? entry.file_size() : 0;
    return total;
}

class LibraryFixture {
public:
    LibraryFixture()
    {
        bench::writeFile(data.productBank(), bankBytes(1));
        std::string error;
        store = RegistryStore::open(data.registry(), error);
        history = History::open(data, error);
        if (!store || !history ||
            !store->createKey("Software\\vorela\\Лексемы и функции\\1").writeString("text", "Раз"))
            std::abort();
    }
    std::string save(const std::string &message)
    {
        const VersionOutcome outcome = saveVersion(data, *store, *history, "bench", message);
        if (!outcome.ok())
            std::abort();
        return outcome.id;
    }

    bench::ScratchFolder scratch;
    DataDirectory data{scratch.path};
    std::unique_ptr<RegistryStore> store;
    std::unique_ptr<History> history;
};

LibraryFixture &fixture()
{
    static LibraryFixture library;
    return library;
}

// One word's sound rewritten in place: the bank keeps its size and order.
void changeOneWord(const DataDirectory &data, std::mt19937 &random)
{
    std::string sound(ChunkBytes, '\0');
    for (char &byte : sound)
        byte = static_cast<char>(random() % 64);
    std::FILE *bank = std::fopen(data.productBank().c_str(), "r+b");
    const long offset = 12 + 24 + 8 + 1600L * (8 + ChunkBytes);
    if (bank == nullptr || std::fseek(bank, offset, SEEK_SET) != 0 ||
        std::fwrite(sound.data(), 1, sound.size(), bank) != sound.size() || std::fclose(bank) != 0)
        std::abort();
}

void SaveAfterOneWordChanged(benchmark::State &state)
{
    LibraryFixture &library = fixture();
    (void)library.save("whole");
    const std::uint64_t before = folderBytes(History::folder(library.data));
    std::mt19937 random(3);
    for (auto _ : state) {
        state.PauseTiming();
        changeOneWord(library.data, random);
        state.ResumeTiming();
        (void)library.save("one word");
    }
    state.counters["added KB per save"] =
        static_cast<double>(folderBytes(History::folder(library.data)) - before) / 1024.0 /
        static_cast<double>(state.iterations());
}

// Restores the two versions in turn, so every iteration really changes the library.
static void restoreBackAndForth(benchmark::State &state, LibraryFixture &library,
                                const std::string &first, const std::string &second)
{
    bool toFirst = true;
    for (auto _ : state) {
        const VersionOutcome outcome =
            restoreVersion(library.data, *library.store, *library.history, toFirst ? first : second,
                           "bench", {.wait = std::chrono::seconds(5)});
        if (!outcome.ok())
            state.SkipWithError(outcome.error.c_str());
        toFirst = !toFirst;
    }
}

void RestoreWholeLibrary(benchmark::State &state)
{
    LibraryFixture &library = fixture();
    bench::writeFile(library.data.productBank(), bankBytes(2));
    const std::string first = library.save("first");
    bench::writeFile(library.data.productBank(), bankBytes(3));
    const std::string second = library.save("every sound differs");
    restoreBackAndForth(state, library, first, second);
}

// The usual restore: the version differs from the bank by one word, the rest is copied from it.
void RestoreOneWordBack(benchmark::State &state)
{
    LibraryFixture &library = fixture();
    std::mt19937 random(4);
    changeOneWord(library.data, random);
    const std::string first = library.save("before");
    changeOneWord(library.data, random);
    const std::string second = library.save("after");
    restoreBackAndForth(state, library, first, second);
}

void CopyBankDurably(benchmark::State &state)
{
    const std::filesystem::path bank = fixture().data.productBank();
    for (auto _ : state)
        bench::copyDurably(bank, bank.parent_path() / "copy.awf");
}

BENCHMARK(SaveAfterOneWordChanged)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(10);
BENCHMARK(RestoreWholeLibrary)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(6);
BENCHMARK(RestoreOneWordBack)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(6);
BENCHMARK(CopyBankDurably)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
} // namespace vorela
