// `vorela library save|log|diff|restore`: versions of the library kept in history.git.
#include "cli/CliOptions.h"
#include "cli/CliTree.h"
#include "cli/LibrarySession.h"
#include "versions/LibraryState.h"
#include "versions/LoginName.h"
#include "versions/VersionDiff.h"
#include "versions/VersionMessages.h"
#include "versions/VersionRestore.h"

#include <chrono>
#include <iostream>

namespace vorela {

namespace {

struct SaveArguments {
    std::string message;
};

struct DiffArguments {
    std::string before;
    std::string after;
};

struct RestoreArguments {
    std::string version;
    std::chrono::milliseconds wait{};
};

} // namespace

static int saveCommand(CliContext &context, const SaveArguments &arguments)
{
    const std::optional<LibrarySession> session =
        openLibrarySession(context, std::chrono::seconds(5));
    if (!session)
        return 1;
    const VersionOutcome outcome =
        saveVersion(context.dataDirectory, *session->store, *session->history, loginName(),
                    arguments.message.empty() ? std::string(SavedMessage) : arguments.message);
    if (!outcome.ok())
        return cliFailure(outcome.error + "; no version was made");
    if (outcome.unchanged) {
        std::cout << "nothing changed since the newest version; none was made\n";
        return 0;
    }
    std::cout << outcome.id << '\n';
    return 0;
}

static int logCommand(CliContext &context)
{
    std::string error;
    const std::unique_ptr<History> history = History::open(context.dataDirectory, error);
    std::vector<VersionInfo> versions;
    if (!history || !history->log(versions, error))
        return cliFailure(error);
    for (const VersionInfo &version : versions)
        std::cout << version.id << '\t' << timeText(version.time, version.offsetMinutes) << '\t'
                  << version.author << '\t' << version.message << '\n';
    return 0;
}

static bool readVersion(History &history, const std::string &name, LibraryFiles &files,
                        std::string &error)
{
    const std::optional<std::string> id = history.resolve(name, error);
    return id && history.read(*id, files, error);
}

static int diffCommand(CliContext &context, const DiffArguments &arguments)
{
    const std::optional<LibrarySession> session =
        openLibrarySession(context, std::chrono::seconds(5));
    if (!session)
        return 1;
    std::string error;
    LibraryFiles before;
    LibraryState now;
    LibraryFiles later;
    const bool read = readVersion(*session->history, arguments.before, before, error) &&
                      (arguments.after.empty()
                           ? readLibraryState(context.dataDirectory, *session->store, now, error)
                           : readVersion(*session->history, arguments.after, later, error));
    std::vector<std::string> lines;
    if (!read ||
        !describeChanges(before, arguments.after.empty() ? now.files : later, lines, error))
        return cliFailure(error);
    for (const std::string &line : lines)
        std::cout << line << '\n';
    if (lines.empty())
        std::cout << "no changes\n";
    return 0;
}

static int restoreCommand(CliContext &context, const RestoreArguments &arguments)
{
    const std::optional<LibrarySession> session = openLibrarySession(context, arguments.wait);
    if (!session)
        return 1;
    const VersionOutcome outcome =
        restoreVersion(context.dataDirectory, *session->store, *session->history, arguments.version,
                       loginName(), {.wait = arguments.wait});
    if (!outcome.ok())
        return cliFailure(outcome.error);
    if (outcome.unchanged) {
        std::cout << "the library already is version " << arguments.version << '\n';
        return 0;
    }
    std::cout << "restored " << arguments.version << " as version\n" << outcome.id << '\n';
    return 0;
}

void addLibraryCommands(CLI::App &tool, CliAction &action)
{
    CLI::App &library =
        addCliGroup(tool, "library", "versions of the library (lexemes, templates, sounds)");
    const auto [save, saveArguments] = addCliCommand<SaveArguments>(
        library, action, "save", "a new version of the library as it is; prints its id",
        saveCommand);
    save.add_option("-m,--message", saveArguments.message, "what changed")->type_name("TEXT");
    addCliCommand(library, action, "log", "the versions, newest first", logCommand);
    const auto [diff, diffArguments] = addCliCommand<DiffArguments>(
        library, action, "diff", "what changed from version A to B (or to the library now)",
        diffCommand);
    diff.add_option("A", diffArguments.before, "the earlier version")->required();
    diff.add_option("B", diffArguments.after, "the later version");
    const auto [restore, restoreArguments] = addCliCommand<RestoreArguments>(
        library, action, "restore", "the library as version ID was, recorded as a new version",
        restoreCommand);
    restore.add_option("ID", restoreArguments.version, "the version")->required();
    addWaitOption(restore, restoreArguments.wait);
    addLibraryRemoteCommands(library, action);
}

} // namespace vorela
