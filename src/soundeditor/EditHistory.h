// The editor session's undo and redo steps: each keeps the sound on its other side and the
// selections before and after the change, within a memory budget.
#pragma once

#include "audio/SampleMath.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <span>
#include <vector>

namespace vorela {

/// 64 MB of kept sounds: about 35 minutes of 8000 Hz speech, far more than a session's edits
/// of a phrase need, and little beside the memory of an office computer.
inline constexpr std::size_t HistoryBudgetBytes = std::size_t{64} << 20;

class EditHistory {
public:
    explicit EditHistory(std::size_t budgetBytes = HistoryBudgetBytes);

    /// A change of the sound: before is the sound it replaced. The redo steps are given up, and
    /// the oldest steps too while the history is over its budget; the newest step is always kept.
    void record(std::vector<std::int16_t> before, const Selection &selectionBefore,
                const Selection &selectionAfter);
    /// Swaps sound with the sound before the newest change and returns the selection to show;
    /// nullopt (sound untouched) when there is nothing to undo.
    [[nodiscard]] std::optional<Selection> undo(std::vector<std::int16_t> &sound);
    /// The reverse of the last undo; nullopt (sound untouched) when there is nothing to redo.
    [[nodiscard]] std::optional<Selection> redo(std::vector<std::int16_t> &sound);

    /// The steps' selections measured in a view newWidth wide instead of viewWidth.
    void rescale(int viewWidth, int newWidth);

    [[nodiscard]] bool canUndo() const { return !undoSteps.empty(); }
    [[nodiscard]] bool canRedo() const { return !redoSteps.empty(); }
    [[nodiscard]] std::size_t undoDepth() const { return undoSteps.size(); }
    /// The sound before the newest change; empty when there is none.
    [[nodiscard]] std::span<const std::int16_t> newestBefore() const;
    /// Bytes of sound the history keeps.
    [[nodiscard]] std::size_t bytes() const { return keptBytes; }

private:
    struct Step {
        std::vector<std::int16_t> sound; ///< the sound on the other side of the change
        Selection before;
        Selection after;
    };

    /// Moves the nearest step of from onto to, swapping its sound with the current one.
    void swapStep(std::deque<Step> &from, std::deque<Step> &to, std::vector<std::int16_t> &sound);
    /// Gives up the steps farthest from the sound while over budget, never the newest of movedTo.
    void keepWithinBudget(const std::deque<Step> &movedTo);

    std::size_t budget;
    std::size_t keptBytes = 0;
    std::deque<Step> undoSteps; ///< oldest first
    std::deque<Step> redoSteps; ///< farthest first
};

} // namespace vorela
