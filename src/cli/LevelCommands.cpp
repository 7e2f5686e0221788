// `vorela bank normalize ID...|--all`: the bank's sounds to the library's one loudness, in one
// rewrite, with what changed per chunk on stdout.
#include "audio/Loudness.h"
#include "cli/CliTree.h"
#include "cli/LibrarySession.h"
#include "library/BankLevelling.h"
#include "soundbank/BankWriterLock.h"

#include <cstdio>
#include <iostream>

namespace vorela {

static std::string decibels(const char *format, double value)
{
    char text[32];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

static std::string peakNote(const ChunkLevelling &chunk)
{
    if (!chunk.peakLimited)
        return {};
    return " (stopped by the true peak limit of " + decibels("%.0f dBTP", LevelledPeakLimit) + ")";
}

static std::string describe(const ChunkLevelling &chunk)
{
    switch (chunk.outcome) {
    case LevelOutcome::Levelled:
        return decibels("%+.1f dB", chunk.gainDb) + '\t' +
               decibels("%.1f LUFS -> ", *chunk.loudness) +
               decibels("%.1f LUFS", *chunk.loudness + chunk.gainDb) + peakNote(chunk);
    case LevelOutcome::AlreadyLevel:
        return "unchanged\t" + decibels("already at %.1f LUFS", *chunk.loudness) + peakNote(chunk);
    case LevelOutcome::Silent:
        return "unchanged\tsilent";
    case LevelOutcome::Greeting:
        return "unchanged\tthe greeting phrase keeps the samples its certificate covers";
    }
    return "?";
}

namespace {

struct NormalizeArguments {
    std::vector<std::string> ids;
    bool all = false;
};

} // namespace

static int normalizeCommand(CliContext &context, const NormalizeArguments &arguments)
{
    if (arguments.ids.empty() && !arguments.all)
        return cliFailure("missing argument ID (or --all)");
    const std::vector<std::string> &ids = arguments.ids; // none: all of them
    // Held from reading the sounds to the rewrite: a sound another writer stored in between
    // would be overwritten by the levelled copy of the old one.
    const BankWriterLock writer(context.dataDirectory);
    if (!writer.isLocked())
        return cliFailure(writer.failure() + "; the product bank is unchanged");
    const LevellingPlan plan = planLevelling(context.dataDirectory.productBank(), ids);
    if (!plan.ok())
        return cliFailure(plan.error + "; the product bank is unchanged");
    if (!plan.replacements.empty()) {
        if (!keepVersionBefore(context, "Перед выравниванием громкости", "levelling the bank"))
            return 1;
        SoundBank soundBank(context.dataDirectory, context.ui);
        soundBank.setWindowTitle("vorela");
        if (!soundBank.SaveSounds(plan.replacements))
            return cliFailure("sounds not levelled; the product bank is unchanged");
    }
    for (const ChunkLevelling &chunk : plan.chunks)
        std::cout << chunk.chunkId << '\t' << describe(chunk) << '\n';
    std::cout << plan.replacements.size() << " of " << plan.chunks.size() << " sounds levelled to "
              << decibels("%.1f LUFS", LibraryLoudness) << '\n';
    return 0;
}

void addNormalizeCommand(CLI::App &bank, CliAction &action)
{
    const auto [command, arguments] = addCliCommand<NormalizeArguments>(
        bank, action, "normalize",
        "the sounds of chunks ID... (or of all) to the library's loudness in one rewrite",
        normalizeCommand);
    CLI::Option *ids = command.add_option("ID", arguments.ids, "the chunks to level");
    command.add_flag("--all", arguments.all, "every sound of the bank")->excludes(ids);
}

} // namespace vorela
