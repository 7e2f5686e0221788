// Expanding a 50-item template whose every function item reads a 100,000-record task table: with
// a live first record, and with every record but the last deleted (the longest scan).
#include "platform/Clock.h"
#include "platform/RegistryStore.h"
#include "speech/SpeechComposer.h"
#include "stores/Aliases.h"
#include "stores/LexItem.h"
#include "stores/PatternItem.h"
#include "stores/RegistryPaths.h"
#include "tables/DbfTaskTableQuery.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace vorela {
namespace {

constexpr std::uint32_t RecordCount = 100000;
constexpr std::size_t ItemCount = 50;

void putLittleEndian(std::string &out, std::size_t at, std::uint32_t value, int bytes)
{
    for (int index = 0; index < bytes; ++index)
        out[at + static_cast<std::size_t>(index)] = static_cast<char>(value >> (8 * index));
}

// PHONE C(20), SUMMA N(12,2), DATE D, HOUSE C(8), ACCOUNT C(10): 59 bytes a record.
void writeTable(const std::filesystem::path &path, bool deletedUntilLast)
{
    const std::vector<std::tuple<const char *, char, int, int>> fields = {{"PHONE", 'C', 20, 0},
                                                                          {"SUMMA", 'N', 12, 2},
                                                                          {"DATE", 'D', 8, 0},
                                                                          {"HOUSE", 'C', 8, 0},
                                                                          {"ACCOUNT", 'C', 10, 0}};
    const std::uint32_t headerLength = 32 + 32 * static_cast<std::uint32_t>(fields.size()) + 1;
    std::string out(32, '\0');
    out[0] = 0x03;
    putLittleEndian(out, 4, RecordCount, 4);
    putLittleEndian(out, 8, headerLength, 2);
    putLittleEndian(out, 10, 59, 2);
    out[29] = 0x65;
    for (const auto &[name, type, length, decimals] : fields) {
        std::string descriptor(32, '\0');
        descriptor.replace(0, std::string(name).size(), name);
        descriptor[11] = type;
        descriptor[16] = static_cast<char>(length);
        descriptor[17] = static_cast<char>(decimals);
        out += descriptor;
    }
    out += '\x0D';
    const std::string record = "(044) 123-45-67          1234.5020080703"
                               "12/3    "
                               "1234567   ";
    out.reserve(out.size() + RecordCount * 60);
    for (std::uint32_t index = 0; index < RecordCount; ++index)
        out += (deletedUntilLast && index + 1 < RecordCount ? "*" : " ") + record;
    out += '\x1A';
    std::ofstream(path, std::ios::binary) << out;
}

class Fixture {
public:
    explicit Fixture(bool deletedUntilLast)
    {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "vorela-bench-XXXXXX").string();
        root = mkdtemp(pattern.data());
        writeTable(root / "task.dbf", deletedUntilLast);
        std::string error;
        store = RegistryStore::open(root / "registry.sqlite", error);
        (void)store->createKey(std::string(TasksRootPath) + "Задача")
            .writeString("File", (root / "task.dbf").string());
        taskConfig = std::make_unique<Aliases>(*store, DataDirectory(root));
        const std::vector<std::pair<const char *, const char *>> functions = {{"@007", "SUMMA"},
                                                                              {"@003", "DATE"},
                                                                              {"@000", "PHONE"},
                                                                              {"@011", "HOUSE"},
                                                                              {"@008", "ACCOUNT"}};
        for (std::size_t index = 0; index < ItemCount; ++index) {
            const auto &[chunk, arg] = functions[index % functions.size()];
            items.push_back(PatternItem{.name = std::to_string(index), .chunk = chunk, .arg = arg});
        }
    }
    ~Fixture()
    {
        taskConfig.reset();
        store.reset();
        std::error_code ignored;
        std::filesystem::remove_all(root, ignored);
    }

    std::filesystem::path root;
    std::unique_ptr<RegistryStore> store;
    std::unique_ptr<Aliases> taskConfig;
    std::vector<PatternItem> items;
};

void expandTemplate(benchmark::State &state, bool deletedUntilLast)
{
    Fixture fixture(deletedUntilLast);
    const FixedClock clock({2026, 12, 7}, {9, 5});
    const DbfTaskTableQuery tables;
    const LexItem lexemes(*fixture.store);
    const TaskSources sources{*fixture.taskConfig, *fixture.store, lexemes};
    for (auto _ : state) {
        SpeechComposer composer(clock, tables);
        for (const PatternItem &item : fixture.items)
            composer.ExpandTemplateItem(sources, "Задача", item, item.name);
        if (!composer.keysValid || composer.keySequence.size() < 2 * ItemCount)
            state.SkipWithError("the template did not expand");
        benchmark::DoNotOptimize(composer.keySequence.data());
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(ItemCount));
}

void BM_ExpandTemplateLiveFirstRecord(benchmark::State &state)
{
    expandTemplate(state, /*deletedUntilLast=*/false);
}

void BM_ExpandTemplateOnlyLastRecordLive(benchmark::State &state)
{
    expandTemplate(state, /*deletedUntilLast=*/true);
}

BENCHMARK(BM_ExpandTemplateLiveFirstRecord)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExpandTemplateOnlyLastRecordLive)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace vorela
