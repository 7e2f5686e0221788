// Loading a lexeme tree of 10,000 nodes through LexItem, as the editor does at start-up.
#include "platform/RegistryStore.h"
#include "stores/LexItem.h"
#include "stores/RegistryPaths.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace vorela {

namespace {

constexpr int TopFolders = 10;
constexpr int SubFolders = 10;
constexpr int LexemesPerFolder = 99; // 10 + 100 + 9,900 = 10,010 nodes

void writeNode(const RegistryKey &parent, int name, int count, bool isFolder)
{
    const RegistryKey key = parent.createKey(std::to_string(name));
    const bool written =
        key.writeString("text", "Лексема " + std::to_string(name)) &&
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

std::size_t countNodes(const LexItem &node)
{
    std::size_t count = 0;
    for (const std::shared_ptr<LexItem> &child : node.GetChildren())
        count += 1 + countNodes(*child);
    return count;
}

} // namespace

static void LoadLexemeTree(benchmark::State &state)
{
    std::string pattern = (std::filesystem::temp_directory_path() / "vorela-bench-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr)
        std::abort();
    const std::filesystem::path dir = pattern;
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

} // namespace vorela
