// The sound being edited with its single undo copy: cut, crop, gain in steps of 6.25 %, the
// splice of a recording, and the undo/redo swap together with the selections it restores.
#pragma once

#include "soundeditor/SampleMath.h"

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
    bool opened = false;       ///< this step opened the adjustment (and took the undo copy)
    bool limitReached = false; ///< the auto-repeat must stop
};

class EditBuffer {
public:
    explicit EditBuffer(std::vector<std::int16_t> samples = {});

    [[nodiscard]] std::span<const std::int16_t> samples() const { return sound; }
    /// Length in bytes, two per sample.
    [[nodiscard]] std::uint32_t soundSize() const;
    [[nodiscard]] std::uint32_t undoSize() const;
    /// Replaces the sound without touching the undo copy (a cut-away sound saved as silence).
    void setSamples(std::vector<std::int16_t> samples);

    /// Removes the selected bytes; nullopt when only the marker is set (nothing changes).
    [[nodiscard]] std::optional<Selection> cut(const Selection &selection, int viewWidth);
    /// Keeps only the selected bytes; nullopt when only the marker is set.
    [[nodiscard]] std::optional<Selection> crop(const Selection &selection, int viewWidth);

    /// Takes the undo copy as a recording starts.
    void beginRecording();
    /// Puts recorded in place of the selection as it was when recording started (at the marker
    /// when only the marker was set) and returns the selection covering the recording.
    [[nodiscard]] Selection spliceRecording(const Selection &atStart,
                                            std::span<const std::int16_t> recorded, int viewWidth);

    /// One gain step (+1 or -1) over the selected bytes, recomputed from the undo copy.
    [[nodiscard]] GainStepResult applyGainStep(int direction, const Selection &selection,
                                               int viewWidth);
    [[nodiscard]] bool gainOpen() const { return !gainClosed; }
    [[nodiscard]] int gainSteps() const { return steps; }
    void closeGain();

    /// Swaps the sound with the undo copy and returns the selection to show. Undoing an open
    /// gain adjustment disables undo/redo until the next change.
    [[nodiscard]] Selection undoRedo();
    [[nodiscard]] bool undoAvailable() const { return canUndo; }
    [[nodiscard]] bool undoShowsUndo() const { return showsUndo; }
    /// Gives the undo copy up after a successful save.
    void dropUndo();

private:
    void takeUndoCopy();
    /// The selected bytes of a cut or crop, after taking the undo copy; nothing when none.
    [[nodiscard]] std::optional<ByteRange> beginEdit(const Selection &selection, int viewWidth);
    void changed(const Selection &before, const Selection &after);

    std::vector<std::int16_t> sound;
    std::vector<std::int16_t> undo;
    std::vector<std::int32_t> accumulators;
    Selection undoSelection;
    Selection redoSelection;
    bool canUndo = false;
    bool showsUndo = true;
    bool gainClosed = true;
    int steps = 0;
    std::size_t gainFirst = 0;
};

} // namespace vorela
