// The order of a restore: every lock, the library saved when it changed, both new banks written
// beside the old ones, a note of the restore made durable, then the registry committed and the
// banks renamed, the version recorded and the note removed. Killed before the note, the old
// library is whole; after it, finishing the note's restore gives the new one whole.
#include "versions/VersionRestore.h"

#include "platform/AtomicFileReplace.h"
#include "platform/NamedMutex.h"
#include "soundbank/BankWriterLock.h"
#include "stores/Operator.h"
#include "stores/Operators.h"
#include "stores/TemplateLocks.h"
#include "versions/History.h"
#include "versions/LibraryState.h"
#include "versions/RegistryVersion.h"
#include "versions/VersionMessages.h"

#include <fstream>
#include <set>
#include <sstream>

namespace vorela {

namespace {

enum class Current { SaveFirst, Torn };
// A fetched version is merged: recorded with it as a second parent unless the history holds it.
enum class Merge { No, Fetched };
constexpr std::string_view MergeNote = "merge";

std::filesystem::path notePath(const DataDirectory &dataDirectory)
{
    return History::folder(dataDirectory) / "vorela-restoring";
}

// The editor's mutex: taken only when free and released when this goes, or, for the editor
// itself, checked to be held by the calling thread.
class EditorAbsence {
public:
    EditorAbsence(const DataDirectory &dataDirectory, EditorHolder holder)
        : mutex(dataDirectory, std::string(EditorMutexName)), expected(holder),
          taken(holder == EditorHolder::Nobody && mutex.tryLock()),
          held(taken || (holder == EditorHolder::Caller && mutex.isHeld()))
    {
    }
    ~EditorAbsence()
    {
        if (taken)
            mutex.unlock();
    }
    EditorAbsence(const EditorAbsence &) = delete;
    EditorAbsence &operator=(const EditorAbsence &) = delete;

    [[nodiscard]] std::string failure() const
    {
        if (held)
            return {};
        if (expected == EditorHolder::Caller)
            return "the editor restoring does not hold its mutex " + mutex.name();
        if (!mutex.lastError().empty())
            return mutex.lastError();
        return "an editor is open on this data directory; close it and restore again";
    }

private:
    NamedMutex mutex;
    EditorHolder expected;
    bool taken;
    bool held;
};

// The template lock names (task and operator as stored) of every template in keys.
void addTemplateLocks(const std::vector<TextKey> &keys, std::set<std::string> &names)
{
    for (const TextKey &key : keys) {
        std::vector<std::string> parts;
        std::stringstream path(key.path);
        for (std::string part; std::getline(path, part, '\\');)
            parts.push_back(part);
        if (parts.size() == 4 && foldRegistryName(parts[0]) == foldRegistryName("Tasks") &&
            foldRegistryName(parts[2]) == foldRegistryName(OperatorsKeyName))
            names.insert(parts[1] + parts[3]);
    }
}

std::string takeTemplateLocks(const LibraryFiles &now, const LibraryFiles &target,
                              TemplateLocks &locks)
{
    std::vector<TextKey> keys;
    std::string error;
    std::set<std::string> names;
    if (!parseRegistryFiles(now, keys, error))
        return error;
    addTemplateLocks(keys, names);
    if (!parseRegistryFiles(target, keys, error))
        return error;
    addTemplateLocks(keys, names);
    for (const std::string &name : names) {
        if (std::string failure = locks.take(name, "'" + name + "'"); !failure.empty())
            return failure;
    }
    return {};
}

// Sounds the banks hold now are copied from them; only the others are read from the history.
void preferBankSounds(const LibraryFiles &now, LibraryFiles &target)
{
    std::map<BlobId, const LibraryFile *> inBanks;
    for (const auto &[path, file] : now) {
        if (file.source == FileSource::ProductBank || file.source == FileSource::CurrencyBank)
            inBanks.emplace(file.id, &file);
    }
    for (auto &[path, file] : target) {
        const auto found =
            file.source == FileSource::History ? inBanks.find(file.id) : inBanks.end();
        if (found != inBanks.end())
            file = *found->second;
    }
}

bool hasBank(const LibraryFiles &files, std::string_view folder)
{
    return files.contains(std::string(folder) + std::string(BankIndexName));
}

// Builds the new bank beside the old; a version without that bank removes it on commit.
bool prepareBank(const LibraryFiles &target, std::string_view folder, const SoundSources &sources,
                 AtomicFileReplace &replace, std::string &error)
{
    return !hasBank(target, folder) || buildBank(target, folder, sources, replace, error);
}

bool commitBank(const LibraryFiles &target, std::string_view folder,
                const std::filesystem::path &bank, AtomicFileReplace &replace, std::string &error)
{
    std::error_code status;
    if (!hasBank(target, folder))
        std::filesystem::remove(bank, status);
    if (hasBank(target, folder) ? replace.commit() : !status)
        return true;
    error = bank.string() + ": cannot be replaced; run the restore again to finish it";
    return false;
}

// The version the library now is, when it is not the newest yet or a fetched one must be merged.
bool record(History &history, const std::string &treeId, const std::string &targetId,
            const std::string &author, Merge merge, const std::string &message,
            VersionOutcome &outcome)
{
    std::string newest;
    bool held = false;
    if (!newestTree(history, newest, outcome.error) ||
        (merge == Merge::Fetched && !history.holds(targetId, held, outcome.error)))
        return false;
    const bool merged = merge == Merge::Fetched && !held;
    if (newest == treeId && !merged)
        return true;
    const std::optional<std::string> made =
        history.commit(treeId, author,
                       !message.empty()          ? message
                       : merge == Merge::Fetched ? pulledMessage(targetId)
                                                 : restoredMessage(targetId),
                       outcome.error, merged ? std::optional(targetId) : std::nullopt);
    if (made)
        outcome.id = *made;
    return made.has_value();
}

VersionOutcome apply(const DataDirectory &dataDirectory, RegistryStore &store, History &history,
                     const std::string &targetId, const std::string &author, Current current,
                     Merge merge, const RestoreOptions &options)
{
    VersionOutcome outcome;
    const EditorAbsence editor(dataDirectory, options.editor);
    if (outcome.error = editor.failure(); !outcome.error.empty())
        return outcome;
    LibraryFiles registryNow;
    LibraryFiles target;
    if (!readRegistryFiles(store, registryNow, outcome.error) ||
        !history.read(targetId, target, outcome.error))
        return outcome;
    TemplateLocks locks(dataDirectory, options.wait);
    if (outcome.error = takeTemplateLocks(registryNow, target, locks); !outcome.error.empty())
        return outcome;
    const BankWriterLock writer(dataDirectory, options.wait);
    if (!writer.isLocked())
        return {.error = writer.failure() + "; nothing was restored"};
    // Read under the locks: what is saved and what the new banks are built from.
    LibraryState now;
    std::string nowTree;
    std::string newest;
    const std::optional<std::string> targetTree = history.treeOf(targetId, outcome.error);
    if (!targetTree || !readLibraryState(dataDirectory, store, now, outcome.error) ||
        !history.writeTree(now.files, now.sources(), nowTree, outcome.error) ||
        !newestTree(history, newest, outcome.error))
        return outcome;
    if (current == Current::SaveFirst && nowTree == *targetTree) {
        if (record(history, nowTree, targetId, author, merge, options.message, outcome))
            outcome.unchanged = outcome.id.empty();
        return outcome;
    }
    if (current == Current::SaveFirst && nowTree != newest &&
        !history.commit(nowTree, author, beforeRestoringMessage(targetId), outcome.error))
        return outcome;

    preferBankSounds(now.files, target);
    SoundSources sources = now.sources();
    std::string historyError;
    sources.history = [&history, &historyError](const BlobId &id, std::uint32_t size,
                                                AtomicFileReplace &replace) {
        return history.appendBlob(id, size, replace, historyError);
    };
    AtomicFileReplace product(dataDirectory.productBank(), dataDirectory.temporaryBank());
    AtomicFileReplace currency(dataDirectory.currencyBank());
    if (!prepareBank(target, ProductBankFolder, sources, product, outcome.error) ||
        !prepareBank(target, CurrencyBankFolder, sources, currency, outcome.error))
        return {.error = historyError.empty() ? outcome.error : historyError};
    const std::string note =
        targetId + (merge == Merge::Fetched ? "\n" + std::string(MergeNote) : std::string());
    if (current == Current::SaveFirst && !replaceFileContent(notePath(dataDirectory), note))
        return {.error = notePath(dataDirectory).string() + ": cannot be written; nothing was "
                                                            "restored"};
    if (!writeRegistryFiles(store, target, outcome.error) ||
        !commitBank(target, ProductBankFolder, dataDirectory.productBank(), product,
                    outcome.error) ||
        !commitBank(target, CurrencyBankFolder, dataDirectory.currencyBank(), currency,
                    outcome.error))
        return outcome;
    if (!record(history, *targetTree, targetId, author, merge, options.message, outcome))
        return outcome;
    std::error_code status;
    std::filesystem::remove(notePath(dataDirectory), status);
    if (status)
        outcome.error = notePath(dataDirectory).string() + ": " + status.message();
    return outcome;
}

} // namespace

bool restoreInterrupted(const DataDirectory &dataDirectory)
{
    std::error_code status;
    return std::filesystem::exists(notePath(dataDirectory), status) || status;
}

VersionOutcome finishInterruptedRestore(const DataDirectory &dataDirectory, RegistryStore &store,
                                        History &history, const std::string &author,
                                        const RestoreOptions &options)
{
    NamedMutex mutex(dataDirectory, std::string(HistoryMutexName));
    const NamedMutexLock lock(mutex);
    if (!lock.isLocked())
        return {.error = mutex.lastError()};
    VersionOutcome outcome;
    if (!history.clearStaleLocks(outcome.error))
        return outcome;
    std::error_code status;
    if (!std::filesystem::exists(notePath(dataDirectory), status) && !status)
        return outcome;
    std::ifstream note(notePath(dataDirectory));
    std::string targetId;
    std::string mergeLine;
    if (status || !note || !std::getline(note, targetId)) {
        outcome.error = notePath(dataDirectory).string() +
                        ": the note of an interrupted restore cannot be read";
        return outcome;
    }
    const Merge merge =
        std::getline(note, mergeLine) && mergeLine == MergeNote ? Merge::Fetched : Merge::No;
    return apply(dataDirectory, store, history, targetId, author, Current::Torn, merge, options);
}

// A restore or the apply of a fetched version: an interrupted one finished first, then the
// version named applied under the history's mutex.
static VersionOutcome applyNamed(const DataDirectory &dataDirectory, RegistryStore &store,
                                 History &history, std::string_view name, const std::string &author,
                                 Merge merge, const RestoreOptions &options)
{
    if (VersionOutcome finished =
            finishInterruptedRestore(dataDirectory, store, history, author, options);
        !finished.ok())
        return finished;
    NamedMutex mutex(dataDirectory, std::string(HistoryMutexName));
    const NamedMutexLock lock(mutex);
    if (!lock.isLocked())
        return {.error = mutex.lastError()};
    VersionOutcome outcome;
    const std::optional<std::string> targetId = history.resolve(name, outcome.error);
    if (!targetId)
        return outcome;
    return apply(dataDirectory, store, history, *targetId, author, Current::SaveFirst, merge,
                 options);
}

VersionOutcome restoreVersion(const DataDirectory &dataDirectory, RegistryStore &store,
                              History &history, std::string_view name, const std::string &author,
                              const RestoreOptions &options)
{
    return applyNamed(dataDirectory, store, history, name, author, Merge::No, options);
}

VersionOutcome applyFetchedVersion(const DataDirectory &dataDirectory, RegistryStore &store,
                                   History &history, const std::string &id,
                                   const std::string &author, const RestoreOptions &options)
{
    return applyNamed(dataDirectory, store, history, id, author, Merge::Fetched, options);
}

} // namespace vorela
