// `vorela bank normalize ID...|--all`: the bank's sounds to the library's one loudness, in one
// rewrite, with what changed per chunk on stdout.
#include "cli/CliCommands.h"

#include "setup/BankLevelling.h"
#include "soundeditor/Loudness.h"

#include <algorithm>
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

int normalizeCommand(CliContext &context, const CliArguments &arguments)
{
    const bool all = arguments.size() == 1 && arguments[0] == "--all";
    if (arguments.empty() ||
        (!all && std::find(arguments.begin(), arguments.end(), "--all") != arguments.end()))
        return cliFailure("usage: vorela bank normalize ID... | bank normalize --all");
    const CliArguments ids = all ? CliArguments() : arguments;
    const LevellingPlan plan = planLevelling(context.dataDirectory.productBank(), ids);
    if (!plan.ok())
        return cliFailure(plan.error + "; the product bank is unchanged");
    if (!plan.replacements.empty()) {
        SoundBank soundBank(context.dataDirectory, context.ui);
        soundBank.setWindowTitle("vorela");
        if (!soundBank.SaveSounds(plan.replacements))
            return cliFailure("sounds not levelled; the product bank is unchanged");
    }
    for (const ChunkLevelling &chunk : plan.chunks)
        std::cout << chunk.chunkId << '\t' << describe(chunk) << '\n';
    std::cout << plan.replacements.size() << " of " << plan.chunks.size() << " sounds levelled to "
              << decibels("%.1f LUFS", LibraryLoudness) << '\n';
    std::cout.flush();
    return std::cout ? 0 : cliFailure("cannot write to standard output");
}

} // namespace vorela
