// Decisions of the two trees that need no widget: images by node kind, context-menu enabling,
// label editing, the binding dialog of an item, and which drops are accepted.
#pragma once

#include "speech/FieldBinding.h"
#include "stores/ChunkIds.h"
#include "stores/LexItem.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vorela {

/// Image of a source item: the collapsed-with-children image of a folder, else the leaf image.
[[nodiscard]] int sourceItemImage(unsigned kind, bool folder);
/// Image of an expanded source item.
[[nodiscard]] int sourceExpandedImage(unsigned kind);
/// Image of a collapsed source item.
[[nodiscard]] int sourceCollapsedImage(unsigned kind);

/// Task-tree image of a template item whose node is of kind; nothing found gives the unknown image.
[[nodiscard]] int templateItemImage(std::optional<unsigned> kind);
/// Task-tree images of root, task and operator items.
constexpr int BranchCollapsedImage = 0;
constexpr int BranchExpandedImage = 1;

/// Source menu position of "Создать таблицу".
constexpr int CreateTablePosition = 7;
/// Mask of the folders the editor writes: a folder's entries and "Создать таблицу" (186). Masks
/// already stored are left as they are; the notification application does not read them.
constexpr unsigned TableFolderMask = FolderMask | (1U << CreateTablePosition);

/// Whether the source context menu's entry at position is enabled by the node's mask.
[[nodiscard]] bool sourceMenuEnabled(unsigned mask, int position);

/// Labels of the folders, lexemes and tables the editor writes only may be edited.
[[nodiscard]] bool labelEditAllowed(unsigned mask);

/// Function number of a function entry: its chunk's last three characters ("@010" -> 10).
[[nodiscard]] std::uint64_t functionNumber(std::string_view chunk);

/// True for function entries ("@…" or the boundary "____").
[[nodiscard]] bool isFunctionChunk(std::string_view chunk);

/// Which binding dialog an item opens and how.
struct ItemBinding {
    BindingMode mode = BindingMode::Number;
    std::string unitLabel;
    std::string subunitLabel;
};

/// The binding an item of this chunk needs, or nothing when it takes none.
[[nodiscard]] std::optional<ItemBinding> bindingChoice(std::string_view chunk);

/// Task-tree depths: 1 root, 2 task, 3 operator, 4 template item.
constexpr int RootDepth = 1;
constexpr int TaskDepth = 2;
constexpr int OperatorDepth = 3;
constexpr int ItemDepth = 4;

/// Enabled state of the task context menu's commands.
struct TaskMenuState {
    bool listen = false;
    bool stop = false;
    bool remove = false;
    bool clear = false;
    bool boundary = false;
    bool properties = false;
    bool checkTable = false; // the task's table through the templates, which only reads
};

/// Menu state for the selected depth; nothing (leave the menu as it is) past depth 4.
[[nodiscard]] std::optional<TaskMenuState> taskMenuState(int depth, bool stopRequested);

/// Whether a source drag may drop on a task-tree item at targetDepth (0 = no item).
struct SourceDrag {
    bool draggedIsFolder = false;
    bool draggedIsBoundary = false;
    int targetDepth = 0;
    bool templateHasBoundary = false;
};
[[nodiscard]] bool sourceDropAccepted(const SourceDrag &drag);

/// Where a template item may be moved: among its siblings or onto its own operator.
enum class MoveTarget { Sibling, OwnOperator, Elsewhere };
[[nodiscard]] bool moveDropAccepted(int draggedDepth, MoveTarget target);

} // namespace vorela
