// Opening the registry store for a command of the `vorela` tool.
#include "cli/CliStore.h"

#include "stores/Aliases.h"

#include <iostream>
#include <string>

namespace vorela {

std::unique_ptr<RegistryStore> openCliStore(const CliContext &context)
{
    std::string error;
    std::unique_ptr<RegistryStore> store =
        RegistryStore::open(context.dataDirectory.registry(), error);
    if (!store)
        sayCliFailure(error);
    return store;
}

// The command goes on: what could not be written reads as empty, as the editor shows it.
void warnOfUnwrittenDefaults(const Aliases &taskConfig, const RegistryStore &store)
{
    if (!taskConfig.hasAllDefaults())
        std::cerr << "vorela: warning: " << store.file().string()
                  << ": default values of the tasks could not be written; they read as empty\n";
}

} // namespace vorela
