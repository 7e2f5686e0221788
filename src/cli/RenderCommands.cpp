// `vorela render TASK OPERATOR -o OUT.wav`: a template spoken into one WAV file, lexeme after
// lexeme, exactly as the editor's player would play it.
#include "cli/CliCommands.h"
#include "cli/CliStore.h"
#include "platform/DbfTaskTableQuery.h"
#include "soundbank/KeySequenceRender.h"
#include "soundbank/WavExport.h"
#include "speech/TemplateExpansion.h"
#include "stores/Aliases.h"
#include "stores/LexItem.h"
#include "verification/Verification.h"

namespace vorela {

static constexpr const char *RenderUsage =
    "usage: vorela render TASK OPERATOR -o OUT.wav [--today YYYY-MM-DD] [--now HH:MM]";

// Takes "-o FILE" out of arguments; empty when it is missing or has no file.
static std::optional<std::filesystem::path> takeOutput(CliArguments &arguments)
{
    std::optional<std::filesystem::path> output;
    for (std::size_t index = 0; index < arguments.size(); ++index) {
        if (arguments[index] != "-o")
            continue;
        if (index + 1 >= arguments.size())
            return std::nullopt;
        output = arguments[index + 1];
        arguments.erase(arguments.begin() + static_cast<std::ptrdiff_t>(index),
                        arguments.begin() + static_cast<std::ptrdiff_t>(index + 2));
        --index;
    }
    return output;
}

int renderCommand(CliContext &context, const CliArguments &arguments)
{
    CliArguments rest = arguments;
    const std::optional<std::filesystem::path> output = takeOutput(rest);
    if (!output)
        return cliFailure(RenderUsage);
    const std::optional<ClockedArguments> options = parseClockedArguments(rest);
    if (!options)
        return 1;
    if (options->values.size() != 2)
        return cliFailure(RenderUsage);
    const std::string &task = options->values[0];
    const std::string &operatorName = options->values[1];

    const std::unique_ptr<RegistryStore> store = openCliStore(context);
    if (!store)
        return 1;
    Aliases taskConfig(*store, context.dataDirectory);
    warnOfUnwrittenDefaults(taskConfig, *store);
    bool found = false;
    const std::vector<PatternItem> items = taskConfig.GetTemplate(task, operatorName, found);
    if (!found)
        return cliFailure("no operator '" + operatorName + "' of task '" + task + "'");
    if (!holdsGreeting(items))
        return cliFailure("the template of " + task + "\\" + operatorName +
                          " holds no greeting phrase and is not spoken");

    const DbfTaskTableQuery tables;
    SpeechComposer composer(options->clock, tables);
    const LexItem lexemes(*store);
    expandTemplate(composer, {taskConfig, *store, lexemes}, task, items);
    if (!composer.keysValid)
        return cliFailure("a value of the template cannot be spoken (see vorela expand)");

    const Verification verification(context.dataDirectory);
    const RenderedSpeech speech =
        renderKeySequence(context.dataDirectory.productBank(), composer.keySequence,
                          [&verification](std::span<const std::int16_t> samples) {
                              return verification.VerifySound(samples);
                          });
    if (!speech.ok())
        return cliFailure(speech.error);
    if (!exportWav(*output, speech.samples))
        return cliFailure("cannot write " + output->string());
    return 0;
}

} // namespace vorela
