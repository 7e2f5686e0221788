// Opening the registry store for a command of the `vorela` tool.
#include "cli/CliStore.h"

#include <string>

namespace vorela {

std::unique_ptr<RegistryStore> openCliStore(const CliContext &context)
{
    std::string error;
    std::unique_ptr<RegistryStore> store = RegistryStore::open(context.dataDirectory.registry(), error);
    if (!store)
        (void)cliFailure(error);
    return store;
}

} // namespace vorela
