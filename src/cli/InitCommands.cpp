// `vorela init [DIR]` and `vorela check [--sounds]`: setting up a new data directory and
// checking one.
#include "checks/ConsistencyCheck.h"
#include "cli/CliStore.h"
#include "cli/CliTree.h"
#include "installation/NewInstallation.h"

#include <iostream>

namespace vorela {

DataDirectory cliTargetDirectory(const CliContext &context, const std::string &directory)
{
    return directory.empty() ? context.dataDirectory : DataDirectory(directory);
}

static int initCommand(CliContext &context, const std::string &directory)
{
    const DataDirectory target = cliTargetDirectory(context, directory);
    std::string error;
    if (!initDataDirectory(target, error))
        return cliFailure(error);
    std::cout << "initialised " << target.root().string() << '\n';
    return 0;
}

namespace {

struct CheckArguments {
    bool sounds = false;
    bool verbose = false;
};

} // namespace

static int checkCommand(CliContext &context, const CheckArguments &arguments)
{
    const bool sounds = arguments.sounds;
    const bool verbose = arguments.verbose;
    std::error_code code;
    if (!std::filesystem::exists(context.dataDirectory.registry(), code))
        return cliFailure(context.dataDirectory.registry().string() +
                          ": no registry store (run vorela init first)");
    const std::unique_ptr<RegistryStore> store = openCliStore(context);
    if (!store)
        return 1;
    if (sounds)
        return reportSounds(context, *store, verbose ? SoundTable::Shown : SoundTable::Hidden);
    const CheckReport report = checkInstallation(*store, context.dataDirectory);
    for (const Finding &finding : report.findings)
        std::cout << findingLabel(finding.kind) << '\t' << finding.where << '\t' << finding.detail
                  << '\n';
    std::cout << (report.clean() ? "clean" : std::to_string(report.findings.size()) + " problems")
              << '\n';
    return report.clean() ? 0 : 2;
}

void addSetupCommands(CLI::App &tool, CliAction &action)
{
    const auto [init, directory] = addCliCommand<std::string>(
        tool, action, "init", "a new data directory: standard lexeme tree, empty bank",
        initCommand);
    init.add_option("DIR", directory, "the directory (default: the data directory)");
    const auto [check, arguments] = addCliCommand<CheckArguments>(
        tool, action, "check",
        "the installation's problems, one per line; exit 0 when clean, 2 when not", checkCommand);
    CLI::Option *sounds =
        check.add_flag("--sounds", arguments.sounds, "the sounds that stand out instead");
    check
        .add_flag("--verbose", arguments.verbose, "with --sounds: first the numbers of every sound")
        ->needs(sounds);
}

} // namespace vorela
