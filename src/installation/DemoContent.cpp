// The demo's phrases, districts, task table and templates.
#include "installation/DemoContent.h"

#include "installation/DbfWriter.h"
#include "installation/StandardLexemeTree.h"
#include "platform/DataDirectory.h"
#include "platform/RegistryStore.h"
#include "stores/Aliases.h"
#include "stores/ChunkIds.h"
#include "stores/LexItem.h"
#include "stores/TaskConfiguration.h"

#include <array>
#include <memory>
#include <vector>

namespace vorela {

namespace {

constexpr std::array<std::string_view, 12> Phrases = {
    "Ваша задолженность за коммунальные услуги составляет",
    "Просим оплатить до",
    "Ваш район обслуживает",
    "Спасибо, до свидания.",
    "Сумма к оплате",
    "или",
    "Срок оплаты",
    "Доставка вашего заказа назначена на",
    "Сейчас",
    "Адрес доставки",
    "Телефон курьера",
    "Оплата при получении",
};

constexpr std::array<DistrictEntry, 3> Districts = {{
    {"Центральный", "отделение Центрального района"},
    {"Северный", "отделение Северного района"},
    {"Заречный", "отделение Заречного района"},
}};

constexpr std::string_view TableFileName = "abonents.dbf";

const std::vector<DbfWriterField> TableFields = {
    {"PHONE", 'C', 16, 0}, {"SUMMA", 'N', 10, 2}, {"DATA", 'D', 8, 0},
    {"HOUSE", 'C', 8, 0},  {"FLAT", 'C', 5, 0},   {"RAYON", 'C', 20, 0},
};

const std::vector<std::vector<std::string>> TableRecords = {
    {"(044) 235-17-42", "1234.56", "20260715", "12/3а", "45", "Центральный"},
    {"0672234455", "87.05", "20260801", "7", "3", "Северный"},
    {"2345678", "1000000.00", "20261231", "101б", "", "Заречный"},
    {"", "", "", "", "", "Южный"},
};

// One template item: the node in the lexeme folder `folder` whose chunk (and text, when given)
// matches, with its binding.
struct DemoItem {
    std::string_view folder;
    std::string_view chunk;
    std::string_view text;
    std::string_view arg;
};

struct DemoTemplate {
    std::string_view task;
    std::string_view operatorName;
    std::vector<DemoItem> items;
};

constexpr std::string_view Phrase = PhraseFolderPath;
constexpr std::string_view Function = FunctionFolderPath;

const std::vector<DemoTemplate> Templates = {
    {"Задолженность",
     "Оператор 1",
     {
         {Phrase, GreetingChunkId, {}, {}},
         {Phrase, {}, Phrases[0], {}},
         {Function, "@007", {}, "SUMMA"},
         {Phrase, {}, Phrases[1], {}},
         {Function, "@004", {}, "DATA"},
         {Function, "____", {}, {}},
         {Phrase, {}, Phrases[2], {}},
         {Phrase, LexemeTableChunkId, {}, "RAYON"},
         {Phrase, {}, Phrases[3], {}},
     }},
    {"Задолженность",
     "Оператор 2",
     {
         {Phrase, GreetingChunkId, {}, {}},
         {Phrase, {}, Phrases[4], {}},
         {Function, "@009", {}, "'1250,50'"},
         {Phrase, {}, Phrases[5], {}},
         {Function, "@010", {}, "'17,25'"},
         {Phrase, {}, Phrases[5], {}},
         {Function, "@013", {}, "'15,99'"},
         {Phrase, {}, Phrases[6], {}},
         {Function, "@006", "Дата +003 (рд)", {}},
         {Phrase, {}, Phrases[3], {}},
     }},
    {"Доставка",
     "Курьер",
     {
         {Phrase, GreetingChunkId, {}, {}},
         {Phrase, {}, Phrases[7], {}},
         {Function, "@003", {}, "'0000/07/03'"},
         {Phrase, {}, Phrases[8], {}},
         {Function, "@002", {}, {}},
         {Phrase, {}, Phrases[9], {}},
         {Function, "@011", {}, "HOUSE"},
         {Function, "@012", {}, "FLAT"},
         {Phrase, {}, Phrases[10], {}},
         {Function, "@000", {}, "PHONE"},
         {Phrase, {}, Phrases[11], {}},
         {Function, "@006", "Дата +001 (им)", {}},
         {Phrase, {}, Phrases[3], {}},
     }},
};

struct DemoTask {
    std::string_view name;
    std::string_view comment;
};

constexpr std::array<DemoTask, 2> Tasks = {{
    {"Задолженность", "Напоминание о задолженности за коммунальные услуги"},
    {"Доставка", "Сообщение о доставке заказа"},
}};

// The path of the node the item names; "" when the tree lacks it.
std::string itemPath(const LexItem &root, const DemoItem &entry)
{
    const std::shared_ptr<LexItem> folder =
        root.GetChild(std::string(entry.folder.substr(0, entry.folder.size() - 1)));
    if (!folder)
        return {};
    for (const std::shared_ptr<LexItem> &child : folder->GetChildren()) {
        const bool chunkMatches = entry.chunk.empty() || child->GetChunk() == entry.chunk;
        const bool textMatches = entry.text.empty() || child->GetText() == entry.text;
        if (chunkMatches && textMatches)
            return child->GetPath();
    }
    return {};
}

// The tasks and their operators as an administrator sets them up with the tool.
bool writeTasks(RegistryStore &store, const DataDirectory &dataDirectory,
                const std::filesystem::path &table, std::string &error)
{
    // Nothing else runs on a directory being made: no template can be locked.
    TaskConfiguration configuration(store, dataDirectory, std::chrono::milliseconds(0));
    for (const DemoTask &task : Tasks) {
        const TaskChangeResult added =
            configuration.addTask(std::string(task.name), table, std::string(task.comment));
        if (!added.ok()) {
            error = added.error;
            return false;
        }
    }
    for (const DemoTemplate &entry : Templates) {
        const TaskChangeResult added =
            configuration.addOperator(std::string(entry.task), std::string(entry.operatorName));
        if (!added.ok()) {
            error = added.error;
            return false;
        }
    }
    return true;
}

} // namespace

std::span<const std::string_view> demoPhrases()
{
    return Phrases;
}

std::span<const DistrictEntry> demoDistricts()
{
    return Districts;
}

bool createDemoTasks(RegistryStore &store, const LexItem &root, const DataDirectory &dataDirectory,
                     std::string &error)
{
    std::error_code code;
    const std::filesystem::path table =
        std::filesystem::absolute(dataDirectory.root() / TableFileName, code);
    if (!writeDbf(table, TableFields, TableRecords, error))
        return false;
    if (!writeTasks(store, dataDirectory, table, error))
        return false;
    Aliases taskConfig(store, dataDirectory);
    for (const DemoTemplate &entry : Templates) {
        std::string last;
        for (const DemoItem &item : entry.items) {
            const std::string path = itemPath(root, item);
            std::string newName;
            if (path.empty() ||
                !taskConfig.InsertTemplateItem(
                    std::string(entry.task), std::string(entry.operatorName), last,
                    PatternItem{.path = path, .arg = std::string(item.arg)}, newName)) {
                error = "cannot add \"" + std::string(item.chunk) + std::string(item.text) +
                        "\" to the template of " + std::string(entry.task);
                return false;
            }
            last = newName;
        }
    }
    return true;
}

} // namespace vorela
