// `vorela init [DIR]` and `vorela check [--sounds]`: setting up a new data directory and
// checking one.
#include "cli/CliCommands.h"
#include "cli/CliStore.h"
#include "setup/ConsistencyCheck.h"
#include "setup/NewInstallation.h"

#include <iostream>

namespace vorela {

DataDirectory cliTargetDirectory(const CliContext &context, const CliArguments &arguments)
{
    return arguments.empty() ? context.dataDirectory : DataDirectory(arguments[0]);
}

int initCommand(CliContext &context, const CliArguments &arguments)
{
    if (arguments.size() > 1)
        return cliFailure("usage: vorela init [DIR]");
    const DataDirectory target = cliTargetDirectory(context, arguments);
    std::string error;
    if (!initDataDirectory(target, error))
        return cliFailure(error);
    std::cout << "initialised " << target.root().string() << '\n';
    return 0;
}

int checkCommand(CliContext &context, const CliArguments &arguments)
{
    const bool sounds = !arguments.empty() && arguments[0] == "--sounds";
    const bool verbose = arguments.size() == 2 && arguments[1] == "--verbose";
    if (arguments.size() > (sounds ? 1U + verbose : 0U))
        return cliFailure("usage: vorela check [--sounds [--verbose]]");
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

} // namespace vorela
