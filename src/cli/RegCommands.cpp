// `vorela reg import FILE` and `vorela reg export [KEY] [-o FILE]`: .reg files in and out of the
// registry store.
#include "cli/CliCommands.h"
#include "cli/CliStore.h"
#include "platform/RegFile.h"
#include "stores/RegistryPaths.h"

#include <iostream>
#include <optional>

namespace vorela {

static int importCommand(CliContext &context, const CliArguments &arguments)
{
    if (arguments.size() != 2)
        return cliFailure("usage: vorela reg import FILE");
    const std::unique_ptr<RegistryStore> store = openCliStore(context);
    if (!store)
        return 1;
    const RegFileResult result = importRegFile(*store, arguments[1]);
    return result.ok ? 0 : cliFailure(result.reason);
}

static int exportCommand(CliContext &context, const CliArguments &arguments)
{
    std::string keyPath(ExportDefaultKey);
    std::optional<std::string> outputFile;
    bool keyGiven = false;
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        if (arguments[i] == "-o" && i + 1 < arguments.size() && !outputFile) {
            outputFile = arguments[++i];
            continue;
        }
        if (keyGiven || arguments[i] == "-o")
            return cliFailure("usage: vorela reg export [KEY] [-o FILE]");
        keyPath = arguments[i];
        keyGiven = true;
    }
    const std::unique_ptr<RegistryStore> store = openCliStore(context);
    if (!store)
        return 1;
    if (outputFile) {
        const RegFileResult result = exportRegFile(*store, keyPath, *outputFile);
        return result.ok ? 0 : cliFailure(result.reason);
    }
    const std::string text = exportRegText(*store, keyPath);
    if (text.empty())
        return cliFailure("no key " + keyPath + " in the registry store");
    const std::string encoded = encodeRegFile(text);
    std::cout.write(encoded.data(), static_cast<std::streamsize>(encoded.size()));
    return 0;
}

int regCommand(CliContext &context, const CliArguments &arguments)
{
    if (!arguments.empty() && arguments[0] == "import")
        return importCommand(context, arguments);
    if (!arguments.empty() && arguments[0] == "export")
        return exportCommand(context, arguments);
    return cliFailure("usage: vorela reg import FILE | vorela reg export [KEY] [-o FILE]");
}

} // namespace vorela
