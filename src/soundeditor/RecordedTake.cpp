// A fresh recording made ready to keep.
#include "soundeditor/RecordedTake.h"

#include "audio/Loudness.h"
#include "audio/SilenceTrim.h"

namespace vorela {

std::optional<std::vector<std::int16_t>> preparedTake(std::span<const std::int16_t> recorded,
                                                      Levelling levelling)
{
    const SampleRange voiced = soundWithoutSilence(recorded);
    if (voiced.count == 0)
        return std::nullopt;
    const std::span<const std::int16_t> trimmed = recorded.subspan(voiced.first, voiced.count);
    if (levelling == Levelling::Off)
        return std::vector<std::int16_t>(trimmed.begin(), trimmed.end());
    const std::optional<SoundMeasure> measure = measureSound(trimmed);
    const std::optional<double> gain = measure ? levellingGain(*measure) : std::nullopt;
    if (!gain)
        return std::vector<std::int16_t>(trimmed.begin(), trimmed.end());
    return withGain(trimmed, *gain);
}

} // namespace vorela
