// The sound being edited with its undo history: cut, crop, gain in steps of 6.25 %, the splice
// of a recording, whole-sound replacements, and undo/redo with the selections they restore.
#pragma once

#include "audio/SampleMath.h"
#include "soundeditor/EditHistory.h"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace vorela {

/// Gain limits in steps of 1/16: silence below, 256 times louder above.
inline constexpr int MinGainSteps = -16;
inline constexpr int MaxGainSteps = 4080;

/// Outcome of one gain step for the two gain buttons.
struct GainStepResult {
    bool applied = false;      ///< false: already at a limit, nothing changed
    bool opened = false;       ///< this step opened the adjustment (one undo step)
    bool limitReached = false; ///< the auto-repeat must stop
};

class EditBuffer {
public:
    explicit EditBuffer(std::vector<std::int16_t> samples = {},
                        std::size_t historyBudget = HistoryBudgetBytes);

    [[nodiscard]] std::span<const std::int16_t> samples() const { return sound; }
    /// Length in bytes, two per sample.
    [[nodiscard]] std::uint32_t soundSize() const;
    /// Replaces the sound without an undo step (a cut-away sound saved as silence).
    void setSamples(std::vector<std::int16_t> samples);

    /// Removes the selected bytes; nullopt when only the marker is set (nothing changes).
    [[nodiscard]] std::optional<Selection> cut(const Selection &selection, int viewWidth);
    /// Keeps only the selected bytes; nullopt when only the marker is set.
    [[nodiscard]] std::optional<Selection> crop(const Selection &selection, int viewWidth);

    /// Puts recorded in place of the selection as it was when recording started (at the marker
    /// when only the marker was set) and returns the selection covering the recording.
    [[nodiscard]] Selection spliceRecording(const Selection &atStart,
                                            std::span<const std::int16_t> recorded, int viewWidth);
    /// Puts a whole new sound in place as one undo step (trim, levelling).
    void replace(std::vector<std::int16_t> samples, const Selection &before,
                 const Selection &after);

    /// One gain step (+1 or -1) over the selected bytes, recomputed from the sound as it was
    /// before the adjustment opened.
    [[nodiscard]] GainStepResult applyGainStep(int direction, const Selection &selection,
                                               int viewWidth);
    [[nodiscard]] bool gainOpen() const { return !gainClosed; }
    [[nodiscard]] int gainSteps() const { return steps; }
    void closeGain();

    /// Takes the newest change back (closing an open gain adjustment first) and returns the
    /// selection before it; nullopt leaves everything as it was.
    [[nodiscard]] std::optional<Selection> undo();
    /// Makes the last undone change again and returns the selection after it; nullopt leaves
    /// everything as it was.
    [[nodiscard]] std::optional<Selection> redo();
    /// The kept selections measured in a view newWidth wide instead of viewWidth.
    void rescaleSelections(int viewWidth, int newWidth) { history.rescale(viewWidth, newWidth); }
    [[nodiscard]] bool undoAvailable() const { return history.canUndo(); }
    [[nodiscard]] bool redoAvailable() const { return history.canRedo(); }
    [[nodiscard]] std::size_t undoDepth() const { return history.undoDepth(); }
    [[nodiscard]] std::size_t historyBytes() const { return history.bytes(); }

private:
    /// The selected bytes of a cut or crop, after closing the gain; nothing when none.
    [[nodiscard]] std::optional<ByteRange> beginEdit(const Selection &selection, int viewWidth);
    /// Makes result the sound and the old sound the newest undo step.
    void changeTo(std::vector<std::int16_t> result, const Selection &before,
                  const Selection &after);

    std::vector<std::int16_t> sound;
    EditHistory history;
    std::vector<std::int32_t> accumulators;
    bool gainClosed = true;
    int steps = 0;
    std::size_t gainFirst = 0;
};

} // namespace vorela
