// The check before a mailing: a 20-item template (fixed lexemes, every kind of value, a lexeme
// table) spoken for every record of a 10,000-, a 100,000- and a 1,000,000-record table. Besides
// the time, the peak of live heap bytes during the check shows that memory does not grow with the
// table.
#include "BenchFiles.h"
#include "installation/DbfWriter.h"
#include "platform/Clock.h"
#include "platform/DataDirectory.h"
#include "platform/RegistryStore.h"
#include "preflight/Preflight.h"
#include "soundbank/ChunkId.h"
#include "speech/SpeechVocabulary.h"
#include "stores/Aliases.h"
#include "stores/LexItem.h"
#include "stores/Operators.h"
#include "stores/RegistryPaths.h"

#include <benchmark/benchmark.h>

#include <malloc.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <new>
#include <stdexcept>
#include <string>
#include <vector>

// Live heap bytes, counted by the global allocation functions of this program.
static std::atomic<std::int64_t> liveBytes{0};
static std::atomic<std::int64_t> peakBytes{0};

void *operator new(std::size_t size)
{
    void *block = std::malloc(size == 0 ? 1 : size);
    if (block == nullptr)
        throw std::bad_alloc();
    const auto live = liveBytes += static_cast<std::int64_t>(malloc_usable_size(block));
    for (std::int64_t peak = peakBytes; live > peak;) {
        if (peakBytes.compare_exchange_weak(peak, live))
            break;
    }
    return block;
}

// GCC takes a free() in operator delete for a mismatch; here new takes its blocks from malloc.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void operator delete(void *block) noexcept
{
    if (block == nullptr)
        return;
    liveBytes -= static_cast<std::int64_t>(malloc_usable_size(block));
    std::free(block);
}
#pragma GCC diagnostic pop

void operator delete(void *block, std::size_t) noexcept
{
    operator delete(block);
}

namespace vorela {
namespace {

// SUMMA N(12,2), DATA D, PHONE C(12), HOUSE C(6), FLAT C(4), ACCOUNT C(9), RAYON C(10).
void writeTable(const std::filesystem::path &path, std::uint32_t records)
{
    const std::vector<DbfWriterField> fields = {
        {"SUMMA", 'N', 12, 2}, {"DATA", 'D', 8, 0},    {"PHONE", 'C', 12, 0}, {"HOUSE", 'C', 6, 0},
        {"FLAT", 'C', 4, 0},   {"ACCOUNT", 'C', 9, 0}, {"RAYON", 'C', 10, 0}};
    std::vector<std::vector<std::string>> rows;
    rows.reserve(records);
    for (std::uint32_t index = 0; index < records; ++index) {
        // Values change from record to record, so nothing is spoken twice the same way.
        rows.push_back({std::to_string(index % 99991) + "." + std::to_string(10 + index % 90),
                        "2025" + std::string(index % 12 < 9 ? "0" : "") +
                            std::to_string(index % 12 + 1) + "15",
                        "044" + std::to_string(1000000 + index % 9000000),
                        std::to_string(index % 300 + 1) + "/2", std::to_string(index % 500 + 1),
                        std::to_string(100000000 + index), index % 2 ? "N" : "S"});
    }
    std::string error;
    if (!writeDbf(path, fields, rows, error))
        throw std::runtime_error(error);
}

void writeBank(const std::filesystem::path &path)
{
    std::vector<std::string> ids = {"PRIV", "0001", "0002", "0003", "0004",
                                    "0005", "0006", "0007", "|001", "|002"};
    for (const std::string &key : composableKeys()) {
        const auto bytes = ChunkId::fromText(key).bytes();
        ids.emplace_back(bytes.begin(), bytes.end());
    }
    std::string chunks;
    for (const std::string &id : ids)
        chunks += bench::riffChunk(id, std::string(16, '\0'));
    bench::writeFile(path, bench::riffWave(1, 8000, chunks));
}

class Fixture {
public:
    explicit Fixture(std::uint32_t records)
    {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "vorela-bench-XXXXXX").string();
        root = mkdtemp(pattern.data());
        writeTable(root / "task.dbf", records);
        writeBank(DataDirectory(root).productBank());
        std::string error;
        store = RegistryStore::open(root / "registry.sqlite", error);
        const std::vector<std::pair<std::string, std::string>> nodes = {
            {"1", "PRIV"},  {"2", "0001"},  {"3", "0002"},  {"4", "0003"},  {"5", "0004"},
            {"6", "0005"},  {"7", "0006"},  {"8", "0007"},  {"9", "@007"},  {"10", "@003"},
            {"11", "@000"}, {"12", "@011"}, {"13", "@012"}, {"14", "@008"}, {"15", "@009"},
            {"16", "@004"}, {"17", "@013"}, {"18", "#001"}, {"19", "____"}, {"20", "@002"}};
        for (std::size_t index = 0; index < nodes.size(); ++index) {
            const RegistryKey key =
                store->createKey(std::string(LexemeRootPath) + nodes[index].first);
            (void)key.writeString("chunk", nodes[index].second);
            (void)key.writeString("text", "Лексема " + nodes[index].first);
            (void)key.writeString("prev", index == 0 ? "" : nodes[index - 1].first);
            (void)key.writeString("next", index + 1 == nodes.size() ? "" : nodes[index + 1].first);
        }
        for (const auto &[name, chunk, keyName, prev, next] :
             {std::tuple{"1", "|001", "N", "", "2"}, std::tuple{"2", "|002", "S", "1", ""}}) {
            const RegistryKey entry = store->createKey(std::string(LexemeRootPath) + "18\\" + name);
            (void)(entry.writeString("chunk", chunk) && entry.writeString("keyname", keyName) &&
                   entry.writeString("prev", prev) && entry.writeString("next", next));
        }
        const std::string task = std::string(TasksRootPath) + "Задача\\";
        (void)store->createKey(task).writeString("File", (root / "task.dbf").string());
        (void)store->createKey(task + std::string(OperatorsKeyName) + "\\Оператор");
        taskConfig = std::make_unique<Aliases>(*store, DataDirectory(root));
        const std::vector<const char *> args = {
            "",      "",      "",     "",        "",      "",     "",      "",      "SUMMA", "DATA",
            "PHONE", "HOUSE", "FLAT", "ACCOUNT", "SUMMA", "DATA", "SUMMA", "RAYON", "",      ""};
        std::string after;
        for (std::size_t index = 0; index < nodes.size(); ++index)
            (void)taskConfig->InsertTemplateItem(
                "Задача", "Оператор", after,
                {.path = nodes[index].first + "\\", .arg = args[index]}, after);
        lexemes = std::make_unique<LexItem>(*store);
    }
    ~Fixture()
    {
        lexemes.reset();
        taskConfig.reset();
        store.reset();
        std::error_code ignored;
        std::filesystem::remove_all(root, ignored);
    }

    std::filesystem::path root;
    std::unique_ptr<RegistryStore> store;
    std::unique_ptr<Aliases> taskConfig;
    std::unique_ptr<LexItem> lexemes;
};

void BM_PreflightTable(benchmark::State &state)
{
    Fixture fixture(static_cast<std::uint32_t>(state.range(0)));
    const FixedClock clock({2026, 12, 7}, {9, 5});
    const DataDirectory directory(fixture.root);
    std::int64_t peakDuringCheck = 0;
    for (auto _ : state) {
        const std::int64_t before = liveBytes;
        peakBytes = before;
        PreflightRequest request;
        request.task = "Задача";
        const PreflightSummary summary = runPreflight(
            {*fixture.taskConfig, *fixture.store, *fixture.lexemes, directory, clock}, request);
        peakDuringCheck = peakBytes - before;
        if (!summary.speaksWhole() || summary.recordsChecked != state.range(0))
            state.SkipWithError(("the table did not speak whole: " + summary.error).c_str());
    }
    state.counters["peak_heap_KiB"] = static_cast<double>(peakDuringCheck) / 1024.0;
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

BENCHMARK(BM_PreflightTable)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace vorela
