// `vorela reg import FILE` and `vorela reg export [KEY] [-o FILE]`: .reg files in and out of the
// registry store.
#include "cli/CliStore.h"
#include "cli/CliTree.h"
#include "platform/RegFile.h"
#include "stores/RegistryPaths.h"

#include <iostream>
#include <optional>

namespace vorela {

namespace {

struct ExportArguments {
    std::string keyPath{ExportDefaultKey};
    std::optional<std::string> outputFile; // stdout when absent
};

} // namespace

static int importCommand(CliContext &context, const std::string &file)
{
    const std::unique_ptr<RegistryStore> store = openCliStore(context);
    if (!store)
        return 1;
    const RegFileResult result = importRegFile(*store, file);
    return result.ok ? 0 : cliFailure(result.reason);
}

static int exportCommand(CliContext &context, const ExportArguments &arguments)
{
    const std::string &keyPath = arguments.keyPath;
    const std::optional<std::string> &outputFile = arguments.outputFile;
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

void addRegCommands(CLI::App &tool, CliAction &action)
{
    CLI::App &reg = addCliGroup(tool, "reg", ".reg files into and out of the registry store");
    const auto [importing, file] = addCliCommand<std::string>(
        reg, action, "import", "the keys and values of FILE into the registry store",
        importCommand);
    importing.add_option("FILE", file, "a .reg file")->required();
    const auto [exporting, arguments] = addCliCommand<ExportArguments>(
        reg, action, "export", "KEY with its subkeys as a .reg file", exportCommand);
    exporting.add_option("KEY", arguments.keyPath, "the key (default " + arguments.keyPath + ")");
    exporting
        .add_option_function<std::string>(
            "-o",
            [&outputFile = arguments.outputFile](const std::string &path) { outputFile = path; },
            "the file to write (default: stdout)")
        ->type_name("FILE");
}

} // namespace vorela
