// `vorela render TASK OPERATOR -o OUT.wav`: a template spoken into one WAV file, lexeme after
// lexeme, exactly as the editor's player would play it, with any record of the task's table.
#include "cli/CliOptions.h"
#include "cli/CliStore.h"
#include "cli/CliTree.h"
#include "cli/RenderOptions.h"
#include "rendering/TemplateRendering.h"
#include "soundbank/WavExport.h"

#include <limits>

namespace vorela {

static int renderCommand(CliContext &context, const RenderOptions &options)
{
    if (options.allRecords)
        return renderAllRecords(context, options);

    const std::unique_ptr<RegistryStore> store = openCliStore(context);
    if (!store)
        return 1;
    TemplateRendering rendering(*store, context.dataDirectory, options.clock);
    warnOfUnwrittenDefaults(rendering.tasks(), *store);
    std::string error;
    if (!rendering.load(options.task, options.operatorName, error))
        return cliFailure(error);
    const RenderedRecord rendered = rendering.render(options.record, options.line);
    if (rendered.status != RenderedRecord::Status::Spoken)
        return cliFailure(rendered.error);
    if (!exportWav(options.output, rendered.samples))
        return cliFailure("cannot write " + options.output.string());
    return 0;
}

void addRenderCommand(CLI::App &tool, CliAction &action)
{
    const auto [render, options] = addCliCommand<RenderOptions>(
        tool, action, "render",
        "the template as the player speaks it, as one WAV file (with --all one per record)",
        renderCommand);
    render.add_option("TASK", options.task)->required();
    render.add_option("OPERATOR", options.operatorName)->required();
    render.add_option("-o", options.output, "the WAV file, or the folder with --all")
        ->required()
        ->type_name("OUT");
    CLI::Option *all =
        render.add_flag("--all", options.allRecords, "every live record of the task's table");
    render
        .add_option_function<std::uint32_t>(
            "--record", [&record = options.record](std::uint32_t number) { record = number; },
            "the record of the task's table to speak (default: the first live one)")
        ->check(CLI::Range(1U, std::numeric_limits<std::uint32_t>::max()).description(""))
        ->excludes(all)
        ->type_name("N");
    render.add_option("--name-by", options.nameBy, "with --all: the column naming the files")
        ->needs(all)
        ->type_name("COLUMN");
    render
        .add_option_function<std::string>(
            "--line",
            [&line = options.line](const std::string &coding) {
                line = coding == "alaw" ? LineCoding::ALaw : LineCoding::MuLaw;
            },
            "the sound as a telephone line carries it")
        ->check(CLI::IsMember({"alaw", "ulaw"}))
        ->type_name("alaw|ulaw");
    addClockOptions(render, options.clock);
}

} // namespace vorela
