// Undo and redo move one step between two stacks, swapping buffers: no sound is copied.
#include "soundeditor/EditHistory.h"

#include <utility>

namespace vorela {

static std::size_t byteCount(const std::vector<std::int16_t> &sound)
{
    return sound.size() * sizeof(std::int16_t);
}

EditHistory::EditHistory(std::size_t budgetBytes) : budget(budgetBytes) {}

void EditHistory::record(std::vector<std::int16_t> before, const Selection &selectionBefore,
                         const Selection &selectionAfter)
{
    for (const Step &step : redoSteps)
        keptBytes -= byteCount(step.sound);
    redoSteps.clear();
    keptBytes += byteCount(before);
    undoSteps.push_back({std::move(before), selectionBefore, selectionAfter});
    keepWithinBudget();
}

void EditHistory::swapStep(std::deque<Step> &from, std::deque<Step> &to,
                           std::vector<std::int16_t> &sound)
{
    Step step = std::move(from.back());
    from.pop_back();
    keptBytes = keptBytes - byteCount(step.sound) + byteCount(sound);
    std::swap(step.sound, sound);
    to.push_back(std::move(step));
    keepWithinBudget();
}

std::optional<Selection> EditHistory::undo(std::vector<std::int16_t> &sound)
{
    if (undoSteps.empty())
        return std::nullopt;
    swapStep(undoSteps, redoSteps, sound);
    return redoSteps.back().before;
}

std::optional<Selection> EditHistory::redo(std::vector<std::int16_t> &sound)
{
    if (redoSteps.empty())
        return std::nullopt;
    swapStep(redoSteps, undoSteps, sound);
    return undoSteps.back().after;
}

std::span<const std::int16_t> EditHistory::newestBefore() const
{
    if (undoSteps.empty())
        return {};
    return undoSteps.back().sound;
}

void EditHistory::keepWithinBudget()
{
    // The steps farthest from the sound as it stands go first: the oldest undo, then the
    // farthest redo. The newest undo always stays, so the last change can be taken back.
    while (keptBytes > budget && undoSteps.size() + redoSteps.size() > 1) {
        std::deque<Step> &steps = undoSteps.size() > 1 || redoSteps.empty() ? undoSteps : redoSteps;
        keptBytes -= byteCount(steps.front().sound);
        steps.pop_front();
    }
}

} // namespace vorela
