// One walk of the lexeme tree in chain order, one read of the bank, then the median and flags.
#include "checks/SoundHealth.h"

#include "checks/ConsistencyCheck.h"
#include "platform/DataDirectory.h"
#include "soundbank/BankSounds.h"
#include "soundbank/ChunkId.h"
#include "stores/ChunkIds.h"
#include "stores/RegistryPaths.h"
#include "stores/RegistrySnapshot.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <set>

namespace vorela {

namespace {

// The pause the speech composition puts between groups is silence by design.
constexpr std::string_view PauseChunkId = "__PS";

std::string formatted(const char *format, double value)
{
    char text[96];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

struct SoundOwner {
    std::string chunkId;
    std::string path;
    std::string text;
};

void collectOwners(const SnapshotKey &node, const std::string &path, std::set<std::string> &seen,
                   std::vector<SoundOwner> &owners)
{
    std::vector<const SnapshotKey *> order;
    // Damaged chains are the plain check's business; every child is still visited.
    [[maybe_unused]] const std::vector<ChainDamage> damages = checkChain(node, order);
    for (const SnapshotKey *child : order) {
        const std::string childPath = path + child->name + "\\";
        const std::string chunk = child->value("chunk");
        if (namesSound(chunk) && seen.insert(ChunkId::fromText(chunk).text()).second)
            owners.push_back({ChunkId::fromText(chunk).text(), childPath, child->value("text")});
        collectOwners(*child, childPath, seen, owners);
    }
}

std::optional<double> median(std::vector<double> values)
{
    if (values.empty())
        return std::nullopt;
    const std::size_t middle = values.size() / 2;
    std::nth_element(values.begin(), values.begin() + std::ptrdiff_t(middle), values.end());
    if (values.size() % 2 == 1)
        return values[middle];
    const double upper = values[middle];
    return (*std::max_element(values.begin(), values.begin() + std::ptrdiff_t(middle)) + upper) / 2;
}

// Said where levelling cannot help: `bank normalize` would leave the sound short of the
// library's loudness.
std::string peakLimitHint(const SoundMeasure &measure)
{
    if (!stopsAtPeakLimit(measure))
        return {};
    return formatted(", выравнивание поднимет его лишь до %.1f LUFS",
                     *measure.loudness + *levellingGain(measure)) +
           formatted(" из-за предела пиков %.0f dBTP", LevelledPeakLimit);
}

} // namespace

bool SoundHealthReport::clean() const
{
    return std::all_of(sounds.begin(), sounds.end(),
                       [](const LexemeSoundHealth &sound) { return sound.reasons.empty(); });
}

std::vector<std::string> soundProblems(const SoundMeasure &measure,
                                       std::optional<double> medianLoudness)
{
    if (measure.seconds == 0)
        return {"пустой: в нём нет ни одного отсчёта"};
    if (!measure.loudness)
        return {"пустой: в нём одна тишина"};
    std::vector<std::string> problems;
    const double offMedian = medianLoudness ? *measure.loudness - *medianLoudness : 0;
    if (std::abs(offMedian) > LoudnessSpread)
        problems.push_back(formatted(offMedian < 0 ? "на %.1f LU тише" : "на %.1f LU громче",
                                     std::abs(offMedian)) +
                           formatted(" середины библиотеки (%.1f LUFS)", *medianLoudness) +
                           peakLimitHint(measure));
    if (measure.clippedSamples > 0)
        problems.push_back("обрезанных отсчётов: " + std::to_string(measure.clippedSamples));
    if (measure.leadingSilence > SilenceLimit)
        problems.push_back(formatted("тишина в начале: %.2f с", measure.leadingSilence));
    if (measure.trailingSilence > SilenceLimit)
        problems.push_back(formatted("тишина в конце: %.2f с", measure.trailingSilence));
    return problems;
}

SoundHealthReport checkSounds(RegistryStore &store, const DataDirectory &dataDirectory)
{
    SoundHealthReport report;
    BankSounds bank;
    if (!bank.open(dataDirectory.productBank())) {
        report.error = dataDirectory.productBank().string() + ": cannot be read as a sound bank";
        return report;
    }
    std::set<std::string> seen;
    std::vector<SoundOwner> owners;
    collectOwners(loadSnapshot(store, LexemeRootPath), "", seen, owners);
    std::vector<double> loudnesses;
    for (SoundOwner &owner : owners) {
        if (!bank.contains(owner.chunkId))
            continue;
        const std::optional<std::vector<std::int16_t>> samples = bank.samples(owner.chunkId);
        const std::optional<SoundMeasure> measure = samples ? measureSound(*samples) : std::nullopt;
        LexemeSoundHealth &sound = report.sounds.emplace_back();
        sound.chunkId = std::move(owner.chunkId);
        sound.path = std::move(owner.path);
        sound.text = std::move(owner.text);
        if (!measure) {
            sound.reasons.push_back("звук не удаётся прочитать или измерить");
            continue;
        }
        sound.measure = *measure;
        if (measure->loudness)
            loudnesses.push_back(*measure->loudness);
    }
    report.medianLoudness = median(std::move(loudnesses));
    for (LexemeSoundHealth &sound : report.sounds) {
        if (sound.reasons.empty() && sound.chunkId != PauseChunkId)
            sound.reasons = soundProblems(sound.measure, report.medianLoudness);
    }
    return report;
}

} // namespace vorela
