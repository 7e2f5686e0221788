// Edits build the new sound once from the old one and hand the old one to the history, so undo
// and redo swap buffers instead of copying sounds.
#include "soundeditor/EditBuffer.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace vorela {

EditBuffer::EditBuffer(std::vector<std::int16_t> samples, std::size_t historyBudget)
    : sound(std::move(samples)), history(historyBudget)
{
}

std::uint32_t EditBuffer::soundSize() const
{
    return static_cast<std::uint32_t>(sound.size() * 2);
}

void EditBuffer::setSamples(std::vector<std::int16_t> samples)
{
    sound = std::move(samples);
}

void EditBuffer::changeTo(std::vector<std::int16_t> result, const Selection &before,
                          const Selection &after)
{
    closeGain();
    history.record(std::move(sound), before, after);
    sound = std::move(result);
}

std::optional<ByteRange> EditBuffer::beginEdit(const Selection &selection, int viewWidth)
{
    if (isMarkerOnly(selection))
        return std::nullopt;
    closeGain();
    return selectedBytes(selection, soundSize(), viewWidth);
}

std::optional<Selection> EditBuffer::cut(const Selection &selection, int viewWidth)
{
    const std::optional<ByteRange> range = beginEdit(selection, viewWidth);
    if (!range)
        return std::nullopt;
    std::vector<std::int16_t> result;
    result.reserve(sound.size() - range->size() / 2);
    result.insert(result.end(), sound.begin(), sound.begin() + range->start / 2);
    result.insert(result.end(), sound.begin() + range->end / 2, sound.end());
    const auto newSize = static_cast<std::uint32_t>(result.size() * 2);
    // The marker stays where the cut was.
    const int markerX =
        newSize == 0 ? 0 : static_cast<int>(viewWidth * (double(range->start) / newSize));
    const Selection after{markerX, markerX};
    changeTo(std::move(result), selection, after);
    return after;
}

std::optional<Selection> EditBuffer::crop(const Selection &selection, int viewWidth)
{
    const std::optional<ByteRange> range = beginEdit(selection, viewWidth);
    if (!range)
        return std::nullopt;
    std::vector<std::int16_t> result(sound.begin() + range->start / 2,
                                     sound.begin() + range->end / 2);
    const Selection after{0, 0};
    changeTo(std::move(result), selection, after);
    return after;
}

Selection EditBuffer::spliceRecording(const Selection &atStart,
                                      std::span<const std::int16_t> recorded, int viewWidth)
{
    const std::uint32_t oldSize = soundSize();
    const ByteRange range = recordTarget(atStart, oldSize, viewWidth);
    std::vector<std::int16_t> result;
    result.reserve(sound.size() - range.size() / 2 + recorded.size());
    result.insert(result.end(), sound.begin(), sound.begin() + range.start / 2);
    result.insert(result.end(), recorded.begin(), recorded.end());
    result.insert(result.end(), sound.begin() + range.end / 2, sound.end());

    const auto newSize = static_cast<std::uint32_t>(result.size() * 2);
    const Selection before = atStart.selectionEndX == NoSelectionEnd ? Selection{0, 0} : atStart;
    Selection after{0, 0};
    if (newSize > 0) {
        const int oldLeft = isReversed(atStart) ? atStart.selectionEndX : atStart.markerX;
        const auto recordedBytes = static_cast<std::uint64_t>(recorded.size() * 2);
        after.selectionEndX =
            static_cast<int>(std::floor(double(oldLeft) * oldSize / newSize + 0.5));
        after.markerX =
            static_cast<int>((recordedBytes + range.start) * std::uint64_t(viewWidth) / newSize);
    }
    changeTo(std::move(result), before, after);
    return after;
}

void EditBuffer::replace(std::vector<std::int16_t> samples, const Selection &before,
                         const Selection &after)
{
    changeTo(std::move(samples), before, after);
}

GainStepResult EditBuffer::applyGainStep(int direction, const Selection &selection, int viewWidth)
{
    GainStepResult result;
    if (isMarkerOnly(selection))
        return result;
    if (gainClosed)
        steps = 0;
    steps += direction;
    if (steps > MaxGainSteps || steps < MinGainSteps) {
        steps = std::clamp(steps, MinGainSteps, MaxGainSteps);
        result.limitReached = true;
        return result;
    }
    result.applied = true;
    result.limitReached = steps == MaxGainSteps || steps == MinGainSteps;
    if (gainClosed) {
        result.opened = true;
        const ByteRange range =
            bytesBetween(selection.markerX, selection.selectionEndX, soundSize(), viewWidth);
        history.record(sound, selection, selection);
        gainClosed = false;
        gainFirst = range.start / 2;
        accumulators.assign(sound.begin() + range.start / 2, sound.begin() + range.end / 2);
        for (std::int32_t &value : accumulators)
            value *= 256;
    }
    // Each step adds to accumulators built from the unchanged sound: no error accumulates and
    // clamped samples recover when the gain comes down again.
    const std::span<const std::int16_t> unchanged = history.newestBefore();
    for (std::size_t k = 0; k < accumulators.size(); ++k) {
        accumulators[k] += std::int32_t{unchanged[gainFirst + k]} * 16 * direction;
        sound[gainFirst + k] =
            static_cast<std::int16_t>(std::clamp(accumulators[k] / 256, -32768, 32767));
    }
    return result;
}

void EditBuffer::closeGain()
{
    gainClosed = true;
    accumulators.clear();
    accumulators.shrink_to_fit();
}

std::optional<Selection> EditBuffer::undo()
{
    closeGain();
    return history.undo(sound);
}

std::optional<Selection> EditBuffer::redo()
{
    closeGain();
    return history.redo(sound);
}

} // namespace vorela
