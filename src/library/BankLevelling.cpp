// Levelling is planned whole before the single rewrite: a refused id or an unreadable chunk stops
// it while the bank is still untouched.
#include "library/BankLevelling.h"

#include "audio/Loudness.h"
#include "soundbank/BankSounds.h"
#include "soundbank/ChunkId.h"
#include "stores/ChunkIds.h"

#include <cmath>
#include <set>

namespace vorela {

static bool isGreeting(std::string_view id)
{
    return ChunkId::fromText(id).text() == GreetingChunkId;
}

static std::optional<std::vector<std::string>>
chosenIds(const BankSounds &sounds, std::span<const std::string> chunkIds, std::string &error)
{
    if (chunkIds.empty())
        return sounds.ids();
    std::vector<std::string> chosen;
    std::set<std::string> seen;
    for (const std::string &id : chunkIds) {
        if (isGreeting(id)) {
            error = "chunk '" + id + "' is the greeting phrase: its certificate covers its " +
                    "samples, so it is never levelled";
            return std::nullopt;
        }
        if (!sounds.contains(id)) {
            error = "chunk '" + id + "' is not in the product bank";
            return std::nullopt;
        }
        if (seen.insert(ChunkId::fromText(id).text()).second)
            chosen.push_back(id);
    }
    return chosen;
}

LevellingPlan planLevelling(const std::filesystem::path &bank,
                            std::span<const std::string> chunkIds)
{
    LevellingPlan plan;
    BankSounds sounds;
    if (!sounds.open(bank)) {
        plan.error = bank.string() + ": not a readable RIFF WAVE bank with a \"fmt \" chunk";
        return plan;
    }
    const std::optional<std::vector<std::string>> ids = chosenIds(sounds, chunkIds, plan.error);
    if (!ids)
        return plan;
    for (const std::string &id : *ids) {
        ChunkLevelling &chunk = plan.chunks.emplace_back();
        chunk.chunkId = id;
        if (isGreeting(id)) {
            chunk.outcome = LevelOutcome::Greeting;
            continue;
        }
        const std::optional<std::vector<std::int16_t>> samples = sounds.samples(id);
        const std::optional<SoundMeasure> measure = samples ? measureSound(*samples) : std::nullopt;
        if (!measure) {
            plan.error = "chunk '" + id + "' cannot be read or measured";
            return plan;
        }
        chunk.loudness = measure->loudness;
        const std::optional<double> gain = levellingGain(*measure);
        if (!gain)
            continue;
        chunk.gainDb = *gain;
        chunk.peakLimited = stopsAtPeakLimit(*measure);
        chunk.outcome =
            std::abs(*gain) < LevelTolerance ? LevelOutcome::AlreadyLevel : LevelOutcome::Levelled;
        if (chunk.outcome == LevelOutcome::Levelled)
            plan.replacements.push_back({id, withGain(*samples, *gain)});
    }
    return plan;
}

} // namespace vorela
