// The editor's series of changes, its model, and the independent read-back of what it left.
#include "reliability/EditorWorkload.h"

#include "installation/NewInstallation.h"
#include "reliability/SoundValues.h"
#include "stores/RegistryPaths.h"
#include "stores/StoreFixtures.h"

#include <array>

namespace vorela::test {

std::string workloadTaskPath()
{
    return std::string(TasksRootPath) + std::string(WorkloadTask) + "\\";
}

std::string workloadOperatorPath()
{
    return workloadTaskPath() + "Операторы\\" + std::string(WorkloadOperator) + "\\";
}

std::string workloadTemplatePath()
{
    return workloadOperatorPath() + "Шаблоны\\";
}

WorkloadStep workloadStep(unsigned number)
{
    // Bank steps about half the time, so kills land inside rewrites often.
    static constexpr std::array<StepKind, 16> Kinds = {
        StepKind::SaveSound,    StepKind::SaveSound,    StepKind::SaveSound,
        StepKind::SaveSound,    StepKind::SaveSound,    StepKind::RemoveSound,
        StepKind::RemoveSound,  StepKind::AppendLexeme, StepKind::InsertLexeme,
        StepKind::RemoveLexeme, StepKind::InsertItem,   StepKind::InsertItem,
        StepKind::RemoveItem,   StepKind::MoveItem,     StepKind::UpdateItem,
        StepKind::Reload};
    std::uint32_t hash = number * 2654435761u;
    hash ^= hash >> 15;
    hash *= 2246822519u;
    hash ^= hash >> 13;
    return WorkloadStep{number, Kinds[hash % Kinds.size()], (hash >> 8) % WorkloadChunks};
}

WorkloadModel WorkloadModel::initial()
{
    WorkloadModel model;
    for (unsigned index = 0; index < WorkloadChunks; ++index)
        model.versions[index] = 0;
    model.lexemes = 3;
    model.items = 2;
    return model;
}

void WorkloadModel::apply(const WorkloadStep &step)
{
    switch (step.kind) {
    case StepKind::SaveSound:
        versions[step.chunk] = step.number + 1;
        break;
    case StepKind::RemoveSound:
        versions.erase(step.chunk);
        break;
    case StepKind::AppendLexeme:
    case StepKind::InsertLexeme:
        ++lexemes;
        break;
    case StepKind::RemoveLexeme:
        lexemes -= lexemes > 2 ? 1 : 0;
        break;
    case StepKind::InsertItem:
        ++items;
        break;
    case StepKind::RemoveItem:
        items -= items > 1 ? 1 : 0;
        break;
    default:
        break;
    }
}

std::string describe(const WorkloadModel &model)
{
    std::string text = "lexemes " + std::to_string(model.lexemes) + ", items " +
                       std::to_string(model.items) + ", chunks";
    for (const auto &[index, version] : model.versions)
        text += " " + workloadChunkId(index) + "=v" + std::to_string(version);
    return text;
}

void writeWorkloadFixture(const TempDataDir &dir)
{
    const DataDirectory directory = dir.dataDirectory();
    std::string error;
    ASSERT_TRUE(createEmptyBank(directory.productBank(), directory.temporaryBank(), error))
        << error;
    ScriptedUiServices ui;
    SoundBank bank(directory, ui);
    for (unsigned index = 0; index < WorkloadChunks; ++index)
        ASSERT_FALSE(bank.SaveSound(workloadChunkId(index), soundValue(index, 0)));

    const std::unique_ptr<RegistryStore> store = openTestStore(dir);
    writeLexemes(store->createKey(LexemeRootPath),
                 {folder("1", "Первая",
                         {lexeme("1", "один", "0001"), lexeme("2", "два", "0002"),
                          lexeme("3", "три", "0003")}),
                  folder("2", "Вторая", {})});
    const RegistryKey operatorKey = store->createKey(workloadOperatorPath());
    ASSERT_TRUE(operatorKey.createKey("Диапазоны").isOpen());
    ASSERT_TRUE(operatorKey.createKey("Расписания").isOpen());
    writeTemplate(operatorKey.createKey("Шаблоны"),
                  {{{std::string(KeptItem), "1\\1\\", ""}, {"0002", "1\\2\\", ""}}});
}

std::string readWorkloadState(const TempDataDir &dir, WorkloadModel &model)
{
    model = WorkloadModel{};
    const BankContents bank = readWholeBank(dir.dataDirectory().productBank());
    if (!bank.error.empty())
        return "bank: " + bank.error;
    for (const auto &[id, samples] : bank.chunks) {
        unsigned index = WorkloadChunks;
        for (unsigned candidate = 0; candidate < WorkloadChunks; ++candidate)
            index = workloadChunkId(candidate) == id ? candidate : index;
        const std::optional<unsigned> version =
            index < WorkloadChunks ? versionOf(index, samples) : std::nullopt;
        if (!version)
            return "bank: chunk " + id + " is no value ever written for it";
        model.versions[index] = *version;
    }

    const std::unique_ptr<RegistryStore> store = openTestStore(dir);
    const RegistryKey lexemes = store->openKey(LexemeRootPath);
    const RegistryKey changed = lexemes.openKey(WorkloadFolder);
    const RegistryKey items = store->openKey(workloadTemplatePath());
    for (const RegistryKey &key : {lexemes, changed, items}) {
        const ::testing::AssertionResult whole = wholeChain(key);
        if (!whole)
            return std::string("chain: ") + whole.message();
    }
    model.lexemes = changed.subkeyNames().size();
    model.items = items.subkeyNames().size();

    // The editor's own loaders reach every node too.
    const LexItem root(*store);
    const std::shared_ptr<LexItem> loaded = root.GetChild(std::string(WorkloadFolder));
    if (!loaded || loaded->GetChildren().size() != model.lexemes)
        return "the lexeme store does not load every node of the folder";
    Aliases tasks(*store, dir.dataDirectory());
    if (tasks.GetTemplate(std::string(WorkloadTask), std::string(WorkloadOperator)).size() !=
        model.items)
        return "the template does not read every item";
    return {};
}

EditorWorkload::EditorWorkload(const TempDataDir &dir)
    : directory(dir.dataDirectory()), store(openTestStore(dir)), bank(directory, ui)
{
    root = std::make_unique<LexItem>(*store);
    tasks = std::make_unique<Aliases>(*store, directory);
}

bool EditorWorkload::run(const WorkloadStep &step)
{
    switch (step.kind) {
    case StepKind::SaveSound:
        return !bank.SaveSound(workloadChunkId(step.chunk),
                               soundValue(step.chunk, step.number + 1));
    case StepKind::RemoveSound:
        return !bank.RemoveSound(workloadChunkId(step.chunk));
    case StepKind::Reload:
        // A refresh builds the task configuration again, as the main window does.
        tasks = std::make_unique<Aliases>(*store, directory);
        return true;
    case StepKind::AppendLexeme:
    case StepKind::InsertLexeme:
    case StepKind::RemoveLexeme:
        return runLexemeStep(step);
    default:
        return runTemplateStep(step);
    }
}

bool EditorWorkload::runLexemeStep(const WorkloadStep &step)
{
    const std::shared_ptr<LexItem> parent = root->GetChild(std::string(WorkloadFolder));
    if (!parent)
        return false;
    const std::vector<std::shared_ptr<LexItem>> children = parent->GetChildren();
    const std::string text = "слово " + std::to_string(step.number);
    switch (step.kind) {
    case StepKind::AppendLexeme:
        return !parent->AppendChild(text, workloadChunkId(step.chunk), 4, 0, LexemeMask, "")
                    .empty();
    case StepKind::InsertLexeme: {
        const std::string after =
            children.empty() ? "" : children[step.number % children.size()]->GetName();
        return !parent->InsertChildAfter(after, text, 4, 0, LexemeMask, "").empty();
    }
    default:
        return children.size() <= 2 || parent->RemoveChild(children.back()->GetName());
    }
}

bool EditorWorkload::runTemplateStep(const WorkloadStep &step)
{
    const std::string task(WorkloadTask);
    const std::string operatorName(WorkloadOperator);
    const std::vector<PatternItem> items = tasks->GetTemplate(task, operatorName);
    if (items.empty())
        return false;
    const PatternItem &some = items[step.number % items.size()];
    std::string newName;
    switch (step.kind) {
    case StepKind::InsertItem:
        return tasks->InsertTemplateItem(task, operatorName, some.name,
                                         PatternItem{.path = "1\\2\\", .arg = ""}, newName);
    case StepKind::RemoveItem:
        for (auto item = items.rbegin(); item != items.rend(); ++item) {
            if (item->name != KeptItem)
                return tasks->RemoveTemplateItem(task, operatorName, item->name);
        }
        return true;
    case StepKind::MoveItem:
        return items.size() < 2 ||
               tasks->MoveTemplateItem(task, operatorName, items.back().name, items.front().name);
    default:
        return tasks->UpdateTemplateItem(
            task, operatorName, some.name,
            PatternItem{.path = some.path, .arg = "'" + std::to_string(step.number) + "'"});
    }
}

} // namespace vorela::test
