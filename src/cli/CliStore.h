// The registry store of the data directory, opened for a command of the `vorela` tool.
#pragma once

#include "cli/CliCommands.h"
#include "platform/RegistryStore.h"

#include <memory>

namespace vorela {

/// Opens the data directory's registry store; null after printing why to stderr.
[[nodiscard]] std::unique_ptr<RegistryStore> openCliStore(const CliContext &context);

} // namespace vorela
