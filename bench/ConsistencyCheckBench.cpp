// `vorela check` on a large installation: the standard tree plus 10,000 recorded lexemes in 100
// folders, all in the bank, and 20 templates of 30 items mixing lexemes, functions and a table.
#include "checks/ConsistencyCheck.h"
#include "installation/NewInstallation.h"
#include "platform/AtomicFileReplace.h"
#include "platform/DataDirectory.h"
#include "platform/RegistryStore.h"
#include "platform/RegistryTransaction.h"
#include "soundbank/RiffChunks.h"
#include "soundbank/WaveFormat.h"
#include "stores/Aliases.h"
#include "stores/LexItem.h"
#include "stores/Operators.h"
#include "stores/RegistryPaths.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace vorela {

namespace {

constexpr int Folders = 100;
constexpr int LexemesPerFolder = 100;
constexpr int Templates = 20;
constexpr int ItemsPerTemplate = 30;

class LargeInstallation {
public:
    LargeInstallation()
        : folder(std::filesystem::temp_directory_path() /
                 ("vorela-check-bench-" + std::to_string(std::rand()))),
          directory(folder)
    {
        std::string error;
        if (!initDataDirectory(directory, error))
            std::abort();
        store = RegistryStore::open(directory.registry(), error);
        LexItem root(*store);
        std::vector<std::string> paths;
        fillLexemes(root, paths);
        fillTemplates(paths);
    }
    ~LargeInstallation()
    {
        store.reset();
        std::error_code code;
        std::filesystem::remove_all(folder, code);
    }

    std::filesystem::path folder;
    DataDirectory directory;
    std::unique_ptr<RegistryStore> store;

private:
    void fillLexemes(LexItem &root, std::vector<std::string> &paths)
    {
        // The bank is written in one pass: appending 10,000 chunks one by one syncs each.
        std::vector<std::uint8_t> bank = {'R', 'I', 'F', 'F', 0,   0,   0,  0, 'W', 'A',
                                          'V', 'E', 'f', 'm', 't', ' ', 16, 0, 0,   0};
        const std::array<std::uint8_t, 16> format = WaveFormat::bankRecord();
        bank.insert(bank.end(), format.begin(), format.end());
        const std::vector<std::uint8_t> sound(800, 7);
        const std::shared_ptr<LexItem> phrases = root.GetChild("1");
        RegistryTransaction transaction(*store);
        unsigned chunkNumber = 0;
        for (int f = 0; f < Folders; ++f) {
            const std::shared_ptr<LexItem> sub = phrases->GetChild(
                phrases->AppendChild("Папка " + std::to_string(f), "", 4, 1, FolderMask, ""));
            for (int l = 0; l < LexemesPerFolder; ++l) {
                char chunk[8];
                std::snprintf(chunk, sizeof chunk, "%04u", ++chunkNumber);
                const std::string name = sub->AppendChild("Фраза", chunk, 4, 0, LexemeMask, "");
                paths.push_back(sub->GetPath() + name + "\\");
                const auto header = encodeChunkHeader(ChunkId::fromText(chunk), sound.size());
                bank.insert(bank.end(), header.begin(), header.end());
                bank.insert(bank.end(), sound.begin(), sound.end());
            }
        }
        const auto riffSize = littleEndian32(static_cast<std::uint32_t>(bank.size() - 8));
        std::copy(riffSize.begin(), riffSize.end(), bank.begin() + 4);
        std::filesystem::remove(directory.productBank());
        AtomicFileReplace replace(directory.productBank(), directory.temporaryBank());
        if (!transaction.commit() || !replace.create() || !replace.append(bank) ||
            !replace.commit())
            std::abort();
    }

    void fillTemplates(const std::vector<std::string> &paths)
    {
        RegistryTransaction transaction(*store);
        const RegistryKey tasks = store->createKey(TasksRootPath);
        for (int t = 0; t < Templates; ++t)
            (void)tasks.createKey("Задание " + std::to_string(t) + "\\" +
                                  std::string(OperatorsKeyName) + "\\Оператор");
        if (!transaction.commit())
            std::abort();
        Aliases taskConfig(*store, directory);
        const char *functions[] = {"2\\8\\", "2\\3\\", "2\\11\\",
                                   "2\\17\\"}; // amount, time, dollars, relative date
        for (int t = 0; t < Templates; ++t) {
            std::string last;
            for (int i = 0; i < ItemsPerTemplate; ++i) {
                const std::string path =
                    i % 5 == 4 ? functions[i / 5 % 4] : paths[(t * 97 + i * 31) % paths.size()];
                std::string added;
                if (!taskConfig.InsertTemplateItem("Задание " + std::to_string(t), "Оператор", last,
                                                   PatternItem{.path = path}, added))
                    std::abort();
                last = added;
            }
        }
    }
};

void CheckLargeInstallation(benchmark::State &state)
{
    const LargeInstallation installation;
    for (auto _ : state) {
        const CheckReport report = checkInstallation(*installation.store, installation.directory);
        benchmark::DoNotOptimize(report.findings.size());
    }
}
BENCHMARK(CheckLargeInstallation)->Unit(benchmark::kMillisecond);

} // namespace

} // namespace vorela
