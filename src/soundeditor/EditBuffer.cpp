// Edits build the new sound once from the undo copy, so undo is a swap of two buffers.
#include "soundeditor/EditBuffer.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace vorela {

EditBuffer::EditBuffer(std::vector<std::int16_t> samples) : sound(std::move(samples)) {}

std::uint32_t EditBuffer::soundSize() const
{
    return static_cast<std::uint32_t>(sound.size() * 2);
}

std::uint32_t EditBuffer::undoSize() const
{
    return static_cast<std::uint32_t>(undo.size() * 2);
}

void EditBuffer::setSamples(std::vector<std::int16_t> samples)
{
    sound = std::move(samples);
}

void EditBuffer::takeUndoCopy()
{
    undo = sound;
}

void EditBuffer::changed(const Selection &before, const Selection &after)
{
    undoSelection = before;
    redoSelection = after;
    canUndo = true;
    showsUndo = true;
}

std::optional<ByteRange> EditBuffer::beginEdit(const Selection &selection, int viewWidth)
{
    if (isMarkerOnly(selection))
        return std::nullopt;
    const ByteRange range = selectedBytes(selection, soundSize(), viewWidth);
    closeGain();
    takeUndoCopy();
    return range;
}

std::optional<Selection> EditBuffer::cut(const Selection &selection, int viewWidth)
{
    const std::optional<ByteRange> range = beginEdit(selection, viewWidth);
    if (!range)
        return std::nullopt;
    std::vector<std::int16_t> result;
    result.reserve(undo.size() - range->size() / 2);
    result.insert(result.end(), undo.begin(), undo.begin() + range->start / 2);
    result.insert(result.end(), undo.begin() + range->end / 2, undo.end());
    sound = std::move(result);
    const std::uint32_t newSize = soundSize();
    // The marker stays where the cut was.
    const int markerX =
        newSize == 0 ? 0 : static_cast<int>(viewWidth * (double(range->start) / newSize));
    const Selection after{markerX, markerX};
    changed(selection, after);
    return after;
}

std::optional<Selection> EditBuffer::crop(const Selection &selection, int viewWidth)
{
    const std::optional<ByteRange> range = beginEdit(selection, viewWidth);
    if (!range)
        return std::nullopt;
    sound.assign(undo.begin() + range->start / 2, undo.begin() + range->end / 2);
    const Selection after{0, 0};
    changed(selection, after);
    return after;
}

void EditBuffer::beginRecording()
{
    closeGain();
    takeUndoCopy();
}

Selection EditBuffer::spliceRecording(const Selection &atStart,
                                      std::span<const std::int16_t> recorded, int viewWidth)
{
    const auto oldSize = static_cast<std::uint32_t>(undo.size() * 2);
    const ByteRange range = recordTarget(atStart, oldSize, viewWidth);
    std::vector<std::int16_t> result;
    result.reserve(undo.size() - range.size() / 2 + recorded.size());
    result.insert(result.end(), undo.begin(), undo.begin() + range.start / 2);
    result.insert(result.end(), recorded.begin(), recorded.end());
    result.insert(result.end(), undo.begin() + range.end / 2, undo.end());
    sound = std::move(result);

    const std::uint32_t newSize = soundSize();
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
    changed(before, after);
    return after;
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
        gainClosed = false;
        changed(selection, selection);
        const ByteRange range =
            bytesBetween(selection.markerX, selection.selectionEndX, soundSize(), viewWidth);
        takeUndoCopy();
        gainFirst = range.start / 2;
        accumulators.assign(undo.begin() + range.start / 2, undo.begin() + range.end / 2);
        for (std::int32_t &value : accumulators)
            value *= 256;
    }
    // Each step adds to accumulators built from the unchanged copy: no error accumulates and
    // clamped samples recover when the gain comes down again.
    for (std::size_t k = 0; k < accumulators.size(); ++k) {
        accumulators[k] += std::int32_t{undo[gainFirst + k]} * 16 * direction;
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

Selection EditBuffer::undoRedo()
{
    std::swap(sound, undo);
    if (!gainClosed) {
        // A gain adjustment can be undone once, not redone.
        closeGain();
        canUndo = false;
        showsUndo = false;
    }
    const Selection shown = showsUndo ? undoSelection : redoSelection;
    showsUndo = !showsUndo;
    return shown;
}

void EditBuffer::dropUndo()
{
    closeGain();
    undo.clear();
    undo.shrink_to_fit();
    canUndo = false;
    showsUndo = true;
}

} // namespace vorela
