// Loading a lexeme tree of 10,000 nodes through LexItem, alone and with the 200 templates of the
// task configuration read as the editor does at start-up.
#include "LargeStoreShape.h"
#include "platform/DataDirectory.h"
#include "platform/RegistryStore.h"
#include "stores/Aliases.h"
#include "stores/LexItem.h"
#include "stores/RegistryPaths.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace vorela {

namespace {

void writeNode(const RegistryKey &parent, int name, int count, bool isFolder)
{
    const RegistryKey key = parent.createKey(std::to_string(name));
    const bool written = key.writeString("text", "Лексема " + std::to_string(name)) &&
                         key.writeString("text1", "Лексема") && key.writeString("keyname", "") &&
                         key.writeString("chunk", isFolder ? "" : std::to_string(1000 + name)) &&
                         key.writeDword("icon", 4) && key.writeDword("child", isFolder ? 1 : 0) &&
                         key.writeDword("mask", isFolder ? 58 : 49) &&
                         key.writeString("prev", name > 1 ? std::to_string(name - 1) : "") &&
                         key.writeString("next", name < count ? std::to_string(name + 1) : "");
    if (!written)
        std::abort();
}

void buildTree(RegistryStore &store)
{
    RegistryTransaction transaction(store);
    const RegistryKey root = store.createKey(LexemeRootPath);
    for (int top = 1; top <= TopFolders; ++top) {
        writeNode(root, top, TopFolders, true);
        const RegistryKey topKey = root.openKey(std::to_string(top));
        for (int sub = 1; sub <= SubFolders; ++sub) {
            writeNode(topKey, sub, SubFolders, true);
            const RegistryKey subKey = topKey.openKey(std::to_string(sub));
            for (int leaf = 1; leaf <= LexemesPerFolder; ++leaf)
                writeNode(subKey, leaf, LexemesPerFolder, false);
        }
    }
    if (!transaction.commit())
        std::abort();
}

// Templates of lexemes spread over the tree, each item with its path and an argument.
void buildTemplates(RegistryStore &store)
{
    RegistryTransaction transaction(store);
    const RegistryKey tasks = store.createKey(TasksRootPath);
    for (int task = 1; task <= Tasks; ++task) {
        const RegistryKey taskKey = tasks.createKey("Задача " + std::to_string(task));
        for (int op = 1; op <= OperatorsPerTask; ++op) {
            const RegistryKey items =
                taskKey.createKey("Операторы\\Оператор " + std::to_string(op) + "\\Шаблоны");
            for (int item = 1; item <= ItemsPerTemplate; ++item) {
                const std::string path = std::to_string(1 + item % TopFolders) + "\\" +
                                         std::to_string(1 + op % SubFolders) + "\\" +
                                         std::to_string(1 + (task * item) % LexemesPerFolder) +
                                         "\\";
                char name[8];
                std::snprintf(name, sizeof name, "%04d", item);
                char prev[8];
                std::snprintf(prev, sizeof prev, "%04d", item - 1);
                char next[8];
                std::snprintf(next, sizeof next, "%04d", item + 1);
                const RegistryKey key = items.createKey(name);
                if (!key.writeString("Prev", item > 1 ? prev : "") ||
                    !key.writeString("Next", item < ItemsPerTemplate ? next : "") ||
                    !key.writeString("Path", path) || !key.writeString("Arg", ""))
                    std::abort();
            }
        }
    }
    if (!transaction.commit())
        std::abort();
}

std::size_t countNodes(const LexItem &node)
{
    std::size_t count = 0;
    for (const std::shared_ptr<LexItem> &child : node.GetChildren())
        count += 1 + countNodes(*child);
    return count;
}

} // namespace

static std::filesystem::path makeBenchDirectory()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "vorela-bench-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr)
        std::abort();
    return pattern;
}

static void LoadLexemeTree(benchmark::State &state)
{
    const std::filesystem::path dir = makeBenchDirectory();
    {
        std::string error;
        std::unique_ptr<RegistryStore> store = RegistryStore::open(dir / "registry.sqlite", error);
        if (!store)
            std::abort();
        buildTree(*store);
        for (auto _ : state) {
            const LexItem root(*store);
            benchmark::DoNotOptimize(root.GetChildren().size());
        }
        state.counters["nodes"] = static_cast<double>(countNodes(LexItem(*store)));
    }
    std::error_code ignored;
    std::filesystem::remove_all(dir, ignored);
}
BENCHMARK(LoadLexemeTree)->Unit(benchmark::kMillisecond);

// Start-up: the whole lexeme tree, the task configuration and every template with its lexemes'
// texts, from a fresh connection each time.
static void StartUpLoad(benchmark::State &state)
{
    const std::filesystem::path dir = makeBenchDirectory();
    {
        std::string error;
        const DataDirectory data(dir);
        {
            std::unique_ptr<RegistryStore> store = RegistryStore::open(data.registry(), error);
            if (!store)
                std::abort();
            buildTree(*store);
            buildTemplates(*store);
            const Aliases firstLoad(*store, data); // writes the missing default values once
        }
        std::size_t items = 0;
        for (auto _ : state) {
            std::unique_ptr<RegistryStore> store = RegistryStore::open(data.registry(), error);
            const LexItem root(*store);
            Aliases tasks(*store, data);
            items = 0;
            for (const std::string &task : tasks.GetTaskNames()) {
                for (const std::string &operatorName : tasks.GetOperatorNames(task))
                    items += tasks.GetTemplate(task, operatorName).size();
            }
            benchmark::DoNotOptimize(root.GetChildren().size());
        }
        state.counters["templates"] = Tasks * OperatorsPerTask;
        state.counters["items"] = static_cast<double>(items);
    }
    std::error_code ignored;
    std::filesystem::remove_all(dir, ignored);
}
BENCHMARK(StartUpLoad)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace vorela
