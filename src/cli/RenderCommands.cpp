// `vorela render TASK OPERATOR -o OUT.wav`: a template spoken into one WAV file, lexeme after
// lexeme, exactly as the editor's player would play it, with any record of the task's table.
#include "cli/CliStore.h"
#include "cli/RenderOptions.h"
#include "setup/TemplateRendering.h"
#include "soundbank/WavExport.h"

#include <algorithm>
#include <charconv>

namespace vorela {

static constexpr const char *RenderUsage =
    "usage: vorela render TASK OPERATOR -o OUT.wav [--record N] [--line alaw|ulaw] "
    "[--today YYYY-MM-DD] [--now HH:MM]\n"
    "       vorela render TASK OPERATOR --all -o DIR [--name-by COLUMN] [--line alaw|ulaw] ...";

// Takes "name VALUE" out of arguments (the last one given wins); empty when it is absent, an
// empty value when it has none.
static std::optional<std::string> takeOption(CliArguments &arguments, std::string_view name)
{
    std::optional<std::string> value;
    for (std::size_t index = 0; index < arguments.size(); ++index) {
        if (arguments[index] != name)
            continue;
        const bool hasValue = index + 1 < arguments.size();
        value = hasValue ? arguments[index + 1] : std::string();
        const std::size_t taken = hasValue ? 2 : 1;
        arguments.erase(arguments.begin() + static_cast<std::ptrdiff_t>(index),
                        arguments.begin() + static_cast<std::ptrdiff_t>(index + taken));
        --index;
    }
    return value;
}

static bool takeFlag(CliArguments &arguments, std::string_view name)
{
    const auto found = std::find(arguments.begin(), arguments.end(), name);
    if (found == arguments.end())
        return false;
    arguments.erase(found);
    return true;
}

static std::optional<std::uint32_t> recordNumber(const std::string &text)
{
    std::uint32_t number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (error != std::errc() || end != text.data() + text.size() || number == 0)
        return std::nullopt;
    return number;
}

// Empty after printing why the arguments are wrong.
static std::optional<RenderOptions> parseRenderOptions(const CliArguments &arguments)
{
    CliArguments rest = arguments;
    RenderOptions options;
    options.allRecords = takeFlag(rest, "--all");
    const std::optional<std::string> output = takeOption(rest, "-o");
    const std::optional<std::string> record = takeOption(rest, "--record");
    const std::optional<std::string> line = takeOption(rest, "--line");
    const std::optional<std::string> nameBy = takeOption(rest, "--name-by");
    if (!output || output->empty())
        return cliFailure(RenderUsage), std::nullopt;
    options.output = *output;
    if (record) {
        options.record = recordNumber(*record);
        if (!options.record)
            return cliFailure("--record expects a record number from 1"), std::nullopt;
    }
    if (line && *line != "alaw" && *line != "ulaw")
        return cliFailure("--line expects alaw or ulaw"), std::nullopt;
    if (line)
        options.line = *line == "alaw" ? LineCoding::ALaw : LineCoding::MuLaw;
    if (options.allRecords && record)
        return cliFailure("--record and --all exclude each other"), std::nullopt;
    if (nameBy && (!options.allRecords || nameBy->empty()))
        return cliFailure("--name-by COLUMN goes with --all"), std::nullopt;
    options.nameBy = nameBy.value_or("");
    std::optional<ClockedArguments> clocked = parseClockedArguments(rest);
    if (!clocked)
        return std::nullopt;
    if (clocked->values.size() != 2)
        return cliFailure(RenderUsage), std::nullopt;
    options.task = clocked->values[0];
    options.operatorName = clocked->values[1];
    options.clock = clocked->clock;
    return options;
}

int renderCommand(CliContext &context, const CliArguments &arguments)
{
    const std::optional<RenderOptions> options = parseRenderOptions(arguments);
    if (!options)
        return 1;
    if (options->allRecords)
        return renderAllRecords(context, *options);

    const std::unique_ptr<RegistryStore> store = openCliStore(context);
    if (!store)
        return 1;
    TemplateRendering rendering(*store, context.dataDirectory, options->clock);
    warnOfUnwrittenDefaults(rendering.tasks(), *store);
    std::string error;
    if (!rendering.load(options->task, options->operatorName, error))
        return cliFailure(error);
    const RenderedRecord rendered = rendering.render(options->record, options->line);
    if (rendered.status != RenderedRecord::Status::Spoken)
        return cliFailure(rendered.error);
    if (!exportWav(options->output, rendered.samples))
        return cliFailure("cannot write " + options->output.string());
    return 0;
}

} // namespace vorela
