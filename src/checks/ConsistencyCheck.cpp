// One pass over a registry snapshot against the set of bank chunk ids.
#include "checks/ConsistencyCheck.h"

#include "platform/DataDirectory.h"
#include "platform/TextParsing.h"
#include "soundbank/ChunkId.h"
#include "soundbank/WaveFile.h"
#include "speech/NumberGrammar.h"
#include "speech/RelativeDate.h"
#include "speech/SpeechVocabulary.h"
#include "stores/ChunkIds.h"
#include "stores/LexItem.h"
#include "stores/Operators.h"
#include "stores/RegistryPaths.h"
#include "stores/RegistrySnapshot.h"

#include <map>
#include <optional>
#include <set>
#include <utility>

namespace vorela {

namespace {

constexpr std::string_view TemplateKeyName = "Шаблоны";
constexpr std::string_view SpokenTableSuffix = "001";

// The bank id a chunk text names: four characters, blank-padded.
std::string bankId(std::string_view chunk)
{
    return ChunkId::fromText(chunk).text();
}

std::string joined(const std::set<std::string> &keys)
{
    std::string text;
    for (const std::string &key : keys)
        text += (text.empty() ? "" : ", ") + std::string("\"") + key + "\"";
    return text;
}

class Checker {
public:
    Checker(RegistryStore &store, const DataDirectory &dataDirectory)
        : lexemes(loadSnapshot(store, LexemeRootPath)), tasks(loadSnapshot(store, TasksRootPath)),
          shownText(StoredLanguage(store) == 1 ? LexemeValue::Text1 : LexemeValue::Text)
    {
        readBank(dataDirectory);
    }

    CheckReport run()
    {
        checkLexemes(lexemes, "");
        reportUnusedChunks();
        for (const SnapshotKey &task : tasks.subkeys)
            checkTask(task);
        return std::move(report);
    }

private:
    void readBank(const DataDirectory &dataDirectory)
    {
        WaveFile bank;
        if (!bank.Open(dataDirectory.productBank())) {
            report.findings.push_back({FindingKind::NoBank,
                                       dataDirectory.productBank().string(),
                                       "cannot be read as a sound bank",
                                       {}});
            return;
        }
        for (const ChunkHeader &chunk : bank.chunks())
            bankIds.insert(chunk.id.text());
    }

    void add(FindingKind kind, std::string where, std::string detail,
             std::set<std::string> keys = {})
    {
        report.findings.push_back(
            {kind, std::move(where), std::move(detail), {keys.begin(), keys.end()}});
    }

    void reportChain(const SnapshotKey &parent, const std::string &where,
                     std::vector<const SnapshotKey *> &order)
    {
        for (const ChainDamage &damage : checkChain(parent, order))
            add(FindingKind::DamagedChain, where, damage.description);
    }

    void checkLexemes(const SnapshotKey &node, const std::string &path)
    {
        std::vector<const SnapshotKey *> order;
        reportChain(node, path.empty() ? "(top level)" : path, order);
        for (const SnapshotKey *child : order) {
            const std::string childPath = path + child->name + "\\";
            const std::string chunk = child->value("chunk");
            if (namesSound(chunk)) {
                referenced.insert(bankId(chunk));
                if (!bankIds.contains(bankId(chunk)))
                    add(FindingKind::MissingSound, childPath,
                        "\"" + chunk + "\" (" + child->value("text") + ") has no sound in the bank",
                        {bankId(chunk)});
            }
            checkLexemes(*child, childPath);
        }
    }

    void reportUnusedChunks()
    {
        std::set<std::string> unused;
        for (const std::string &id : bankIds) {
            if (!referenced.contains(id) && !composableKeys().contains(id))
                unused.insert(id);
        }
        if (!unused.empty())
            add(FindingKind::UnusedChunk, "vorela.awf",
                std::to_string(unused.size()) + " sounds no lexeme refers to: " + joined(unused),
                unused);
    }

    void checkTask(const SnapshotKey &task)
    {
        const SnapshotKey *operators = task.subkey(OperatorsKeyName);
        if (operators == nullptr)
            return;
        for (const SnapshotKey &operatorKey : operators->subkeys) {
            const SnapshotKey *items = operatorKey.subkey(TemplateKeyName);
            if (items != nullptr)
                checkTemplate(*items, task.name + " / " + operatorKey.name);
        }
    }

    void checkTemplate(const SnapshotKey &items, const std::string &where)
    {
        std::vector<const SnapshotKey *> order;
        reportChain(items, where, order);
        std::set<std::string> needed;
        for (const SnapshotKey *item : order) {
            const std::string path = item->value("Path");
            const SnapshotKey *node = path.empty() ? nullptr : lexemes.find(path);
            if (node == nullptr) {
                add(FindingKind::MissingLexeme, where,
                    "item " + item->name + " names \"" + path + "\", which is no lexeme");
                continue;
            }
            addNeededKeys(*node, needed);
        }
        std::set<std::string> lacking;
        for (const std::string &key : needed) {
            if (!bankIds.contains(key))
                lacking.insert(key);
        }
        if (!lacking.empty())
            add(FindingKind::TemplateLacksKey, where,
                "the bank lacks " + std::to_string(lacking.size()) +
                    " sounds its items can speak: " + joined(lacking),
                lacking);
    }

    void addNeededKeys(const SnapshotKey &node, std::set<std::string> &needed)
    {
        const std::string chunk = node.value("chunk");
        if (chunk.size() >= 4 && chunk.front() == FunctionChunkPrefix &&
            digitsOnly(chunk.substr(chunk.size() - 3))) {
            const auto code = static_cast<unsigned>(leadingNumber(chunk.substr(chunk.size() - 3)));
            const DateCase dateCase = relativeDateOf(node.value(shownText)).dateCase;
            const std::set<std::string> &keys = functionKeysOf(code, dateCase);
            needed.insert(keys.begin(), keys.end());
            return;
        }
        if (!chunk.empty() && chunk.front() == LexemeTableChunkId.front()) {
            if (!chunk.ends_with(SpokenTableSuffix))
                return;
            for (const SnapshotKey &entry : node.subkeys) {
                if (namesSound(entry.value("chunk")))
                    needed.insert(bankId(entry.value("chunk")));
            }
            return;
        }
        if (namesSound(chunk))
            needed.insert(bankId(chunk));
    }

    const std::set<std::string> &functionKeysOf(unsigned code, DateCase dateCase)
    {
        const auto key = std::make_pair(code, dateCase);
        auto found = functionCache.find(key);
        if (found == functionCache.end())
            found = functionCache.emplace(key, functionKeys(code, dateCase)).first;
        return found->second;
    }

    SnapshotKey lexemes;
    SnapshotKey tasks;
    // Function entries speak what their name in the editor's language says, as the player does.
    std::string_view shownText;
    std::set<std::string> bankIds;
    std::set<std::string> referenced;
    std::map<std::pair<unsigned, DateCase>, std::set<std::string>> functionCache;
    CheckReport report;
};

} // namespace

CheckReport checkInstallation(RegistryStore &store, const DataDirectory &dataDirectory)
{
    Checker checker(store, dataDirectory);
    return checker.run();
}

const char *findingLabel(FindingKind kind)
{
    switch (kind) {
    case FindingKind::NoBank:
        return "bank";
    case FindingKind::DamagedChain:
        return "damaged chain";
    case FindingKind::MissingLexeme:
        return "missing lexeme";
    case FindingKind::MissingSound:
        return "missing sound";
    case FindingKind::UnusedChunk:
        return "unused sounds";
    case FindingKind::TemplateLacksKey:
        return "template lacks sounds";
    }
    return "?";
}

} // namespace vorela
