// The registry store of the data directory, opened for a command of the `vorela` tool.
#pragma once

#include "cli/CliCommands.h"
#include "platform/RegistryStore.h"

#include <memory>

namespace vorela {

class Aliases;

/// Opens the data directory's registry store; null after printing why to stderr.
[[nodiscard]] std::unique_ptr<RegistryStore> openCliStore(const CliContext &context);
/// Warns on stderr when loading taskConfig from store could not write every missing default.
void warnOfUnwrittenDefaults(const Aliases &taskConfig, const RegistryStore &store);

} // namespace vorela
