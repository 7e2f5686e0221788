// Opening the main window on a large store: both trees filled from the loaded lexeme tree and
// the task configuration (5,000 lexemes in 100 folders; 100 operators with 20 items each).
#include "OffscreenApplication.h"
#include "mainwindow/Form1.h"
#include "platform/RegistryStore.h"
#include "platform/RegistryTransaction.h"
#include "platform/qt/QtUiServices.h"
#include "soundbank/SoundBank.h"
#include "stores/Aliases.h"
#include "stores/LexItem.h"
#include "stores/RegistryPaths.h"
#include "tables/DbfTaskTableQuery.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <string>

namespace {

using namespace vorela;

std::filesystem::path buildStore()
{
    const std::filesystem::path dir = std::filesystem::temp_directory_path() / "vorela-bench-form1";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    std::string error;
    const std::unique_ptr<RegistryStore> store =
        RegistryStore::open(dir / "registry.sqlite", error);
    LexItem root(*store);
    for (int f = 0; f < 100; ++f) {
        const std::string folder = root.AppendChild("Папка " + std::to_string(f), "", 4, 1, 58, "");
        LexItem &node = *root.GetChild(folder);
        for (int l = 0; l < 50; ++l)
            (void)node.AppendChild("Лексема " + std::to_string(l), std::to_string(f * 50 + l), 4, 0,
                                   49, "");
    }
    for (int t = 0; t < 20; ++t) {
        for (int o = 0; o < 5; ++o)
            (void)store->createKey(std::string(TasksRootPath) + "Задание " + std::to_string(t) +
                                   "\\Операторы\\Оп " + std::to_string(o) + "\\");
    }
    const DataDirectory dataDirectory(dir);
    Aliases aliases(*store, dataDirectory);
    for (const std::string &task : aliases.GetTaskNames()) {
        for (const std::string &op : aliases.GetOperatorNames(task)) {
            std::string newName;
            for (int i = 0; i < 20; ++i)
                (void)aliases.InsertTemplateItem(
                    task, op, newName, {.path = std::to_string(i + 1) + "\\1\\"}, newName);
        }
    }
    return dir;
}

void openMainWindow(benchmark::State &state)
{
    offscreenApplication();
    const std::filesystem::path dir = buildStore();
    const DataDirectory dataDirectory(dir);
    std::string error;
    const std::unique_ptr<RegistryStore> store =
        RegistryStore::open(dataDirectory.registry(), error);
    QtUiServices ui;
    const DbfTaskTableQuery tables;
    SoundBank bank(dataDirectory, ui);
    for (auto _ : state) {
        LexItem root(*store);
        const EditorContext context{*store, root, dataDirectory, ui, tables, bank};
        Form1 form(context);
        benchmark::DoNotOptimize(form.tv_2);
    }
    std::filesystem::remove_all(dir);
}
BENCHMARK(openMainWindow)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace
