// `vorela check --sounds`: one line per sound that stands out from the library, starting with its
// chunk id, then how many were checked; with --verbose first the numbers of every sound.
#include "cli/CliCommands.h"

#include "checks/SoundHealth.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <iostream>

namespace vorela {

static std::string number(const char *format, double value)
{
    char text[32];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

static void printTable(const SoundHealthReport &report)
{
    std::cout << "ID\tSECONDS\tLUFS\tDBTP\tCLIPPED\tSTART\tEND\tLEXEME\n";
    for (const LexemeSoundHealth &sound : report.sounds) {
        const SoundMeasure &measure = sound.measure;
        std::cout << sound.chunkId << '\t' << number("%.2f", measure.seconds) << '\t'
                  << (measure.loudness ? number("%.1f", *measure.loudness) : "-") << '\t'
                  << (std::isfinite(measure.truePeak) ? number("%.1f", measure.truePeak) : "-")
                  << '\t' << measure.clippedSamples << '\t'
                  << number("%.2f", measure.leadingSilence) << '\t'
                  << number("%.2f", measure.trailingSilence) << '\t' << sound.path << '\n';
    }
}

int reportSounds(CliContext &context, RegistryStore &store, SoundTable table)
{
    const SoundHealthReport report = checkSounds(store, context.dataDirectory);
    if (!report.ok())
        return cliFailure(report.error);
    if (table == SoundTable::Shown)
        printTable(report);
    for (const LexemeSoundHealth &sound : report.sounds) {
        if (sound.reasons.empty())
            continue;
        std::string reasons;
        for (const std::string &reason : sound.reasons)
            reasons += (reasons.empty() ? "" : "; ") + reason;
        std::cout << sound.chunkId << '\t' << reasons << '\t' << sound.path << " (" << sound.text
                  << ")\n";
    }
    const auto flagged =
        std::count_if(report.sounds.begin(), report.sounds.end(),
                      [](const LexemeSoundHealth &sound) { return !sound.reasons.empty(); });
    std::cout << "Звуков проверено: " << report.sounds.size() << '\n';
    if (flagged == 0)
        std::cout << "Замечаний нет\n";
    else
        std::cout << "С замечаниями: " << flagged << '\n';
    return flagged == 0 ? 0 : 2;
}

} // namespace vorela
