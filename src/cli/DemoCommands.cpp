// `vorela demo [DIR]`: a data directory with everything an operator needs to try the editor.
#include "cli/CliTree.h"
#include "installation/DemoInstallation.h"

#include <cstdio>
#include <iostream>

namespace vorela {

static int demoCommand(CliContext &context, const std::string &directory)
{
    const DataDirectory target = cliTargetDirectory(context, directory);
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

void addDemoCommand(CLI::App &tool, CliAction &action)
{
    const auto [demo, directory] = addCliCommand<std::string>(
        tool, action, "demo", "init, then demo recordings, tasks and templates", demoCommand);
    demo.add_option("DIR", directory, "the directory (default: the data directory)");
}

} // namespace vorela
