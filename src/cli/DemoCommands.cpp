// `vorela demo [DIR]`: a data directory with everything an operator needs to try the editor.
#include "cli/CliCommands.h"
#include "setup/DemoInstallation.h"

#include <cstdio>
#include <iostream>

namespace vorela {

int demoCommand(CliContext &context, const CliArguments &arguments)
{
    if (arguments.size() > 1)
        return cliFailure("usage: vorela demo [DIR]");
    const DataDirectory target = cliTargetDirectory(context, arguments);
    std::string error;
    DemoSummary summary;
    if (!createDemoDirectory(target, error, summary))
        return cliFailure(error);
    char seconds[32];
    std::snprintf(seconds, sizeof seconds, "%.1f", summary.synthesisSeconds);
    std::cout << "demo data in " << target.root().string() << ": " << summary.sounds
              << " sounds synthesized in " << seconds << " s\n";
    return 0;
}

} // namespace vorela
