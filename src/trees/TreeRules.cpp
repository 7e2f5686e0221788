// Decisions of the two trees that need no widget.
#include "trees/TreeRules.h"

#include "platform/TextParsing.h"

namespace vorela {

// Image list of the source tree: kind 1 at 0, then expanded / leaf / collapsed for kinds 2, 3, 4
// and 6, and kind 5 at 13.
struct KindImages {
    int expanded;
    int leaf;
    int collapsed;
};

static std::optional<KindImages> kindImages(unsigned kind)
{
    switch (kind) {
    case 1:
        return KindImages{0, 0, 0};
    case 2:
        return KindImages{1, 2, 3};
    case 3:
        return KindImages{4, 5, 6};
    case 4:
        return KindImages{7, 8, 9};
    case 5:
        return KindImages{13, 13, 13};
    case 6:
        return KindImages{10, 11, 12};
    default:
        return std::nullopt;
    }
}

int sourceItemImage(unsigned kind, bool folder)
{
    const std::optional<KindImages> images = kindImages(kind);
    if (!images)
        return 0;
    return folder ? images->collapsed : images->leaf;
}

int sourceExpandedImage(unsigned kind)
{
    const std::optional<KindImages> images = kindImages(kind);
    return images && kind != 5 ? images->expanded : 0;
}

int sourceCollapsedImage(unsigned kind)
{
    const std::optional<KindImages> images = kindImages(kind);
    return images && kind != 5 ? images->collapsed : 0;
}

int templateItemImage(std::optional<unsigned> kind)
{
    constexpr int UnknownImage = 2;
    if (!kind)
        return UnknownImage;
    switch (*kind) {
    case 2:
        return 3;
    case 3:
        return 4;
    case 6:
        return 6;
    case 5:
        return 7;
    default:
        return 5;
    }
}

bool sourceMenuEnabled(unsigned mask, int position)
{
    return position >= 0 && position < 32 && ((mask >> position) & 1U) != 0;
}

bool labelEditAllowed(unsigned mask)
{
    return mask == LexemeMask || mask == FolderMask || mask == LexemeTableMask ||
           mask == TableFolderMask;
}

std::uint64_t functionNumber(std::string_view chunk)
{
    return leadingNumber(chunk.size() > 3 ? chunk.substr(chunk.size() - 3) : chunk);
}

bool isFunctionChunk(std::string_view chunk)
{
    return chunk.starts_with('@') || chunk == BoundaryChunk;
}

std::optional<ItemBinding> bindingChoice(std::string_view chunk)
{
    if (chunk.starts_with('#'))
        return functionNumber(chunk) == 1
                   ? std::optional(ItemBinding{BindingMode::TableItem, {}, {}})
                   : std::nullopt;
    if (!chunk.starts_with('@'))
        return std::nullopt;
    switch (functionNumber(chunk)) {
    case 0:
    case 8:
    case 11:
    case 12:
        return ItemBinding{BindingMode::Number, {}, {}};
    case 7:
        return ItemBinding{BindingMode::Amount, "грн.", "коп."};
    case 9:
        return ItemBinding{BindingMode::Amount, "руб.", "коп."};
    case 10:
        return ItemBinding{BindingMode::Amount, "дол.", "цнт."};
    case 13:
        return ItemBinding{BindingMode::Amount, "евро", "цнт."};
    case 3:
    case 4:
        return ItemBinding{BindingMode::Date, {}, {}};
    default:
        return std::nullopt;
    }
}

std::optional<TaskMenuState> taskMenuState(int depth, bool stopRequested)
{
    if (depth > ItemDepth)
        return std::nullopt;
    if (depth < OperatorDepth)
        return TaskMenuState{.checkTable = depth == TaskDepth};
    const bool item = depth == ItemDepth;
    return TaskMenuState{
        stopRequested, !stopRequested, item && stopRequested, stopRequested, true, true, true};
}

bool sourceDropAccepted(const SourceDrag &drag)
{
    if (drag.draggedIsFolder)
        return false;
    if (drag.targetDepth != OperatorDepth && drag.targetDepth != ItemDepth)
        return false;
    return !(drag.templateHasBoundary && drag.draggedIsBoundary);
}

bool moveDropAccepted(int draggedDepth, MoveTarget target)
{
    return draggedDepth == ItemDepth && target != MoveTarget::Elsewhere;
}

} // namespace vorela
