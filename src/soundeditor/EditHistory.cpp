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
    keepWithinBudget(undoSteps);
}

void EditHistory::swapStep(std::deque<Step> &from, std::deque<Step> &to,
                           std::vector<std::int16_t> &sound)
{
    Step step = std::move(from.back());
    from.pop_back();
    keptBytes = keptBytes - byteCount(step.sound) + byteCount(sound);
    std::swap(step.sound, sound);
    to.push_back(std::move(step));
    keepWithinBudget(to);
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

void EditHistory::keepWithinBudget(const std::deque<Step> &movedTo)
{
    // The steps farthest from the sound as it stands go first: the oldest undo, then the
    // farthest redo, then the newest undo. The step just moved always stays: an undo that made
    // the sound longer must still be redoable, and the last change can be taken back.
    const auto spare = [&movedTo](const std::deque<Step> &steps) {
        return steps.size() - (&steps == &movedTo ? 1 : 0);
    };
    while (keptBytes > budget) {
        std::deque<Step> &steps =
            undoSteps.size() > 1 || spare(redoSteps) == 0 ? undoSteps : redoSteps;
        if (spare(steps) == 0)
            return;
        keptBytes -= byteCount(steps.front().sound);
        steps.pop_front();
    }
}

void EditHistory::rescale(int viewWidth, int newWidth)
{
    for (std::deque<Step> *steps : {&undoSteps, &redoSteps}) {
        for (Step &step : *steps) {
            step.before = rescaled(step.before, viewWidth, newWidth);
            step.after = rescaled(step.after, viewWidth, newWidth);
        }
    }
}

} // namespace vorela
