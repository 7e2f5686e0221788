// The 16 x 16 images of the two trees, drawn at start-up, and the two image lists in the order
// the trees address them by index.
#pragma once

#include <QIcon>
#include <QList>

namespace vorela {

enum class TreeIcon {
    SpecialRoot,
    FunctionFolderOpen,
    Function,
    FunctionFolder,
    CurrencyFolderOpen,
    Currency,
    CurrencyFolder,
    FolderOpen,
    Lexeme,
    Folder,
    TableFolderOpen,
    Table,
    TableFolder,
    SpecialNode,
    BranchClosed,
    BranchOpen,
    Document,
};

/// One image, drawn once per call.
[[nodiscard]] QIcon treeIcon(TreeIcon icon);

/// Source tree: kind 1; kinds 2, 3, 4, 6 as expanded, leaf, collapsed; kind 5.
[[nodiscard]] QList<QIcon> sourceImageList();

/// Task tree: collapsed and expanded branch, unknown item, then items of kinds 2, 3, 4, 6, 5.
[[nodiscard]] QList<QIcon> taskImageList();

} // namespace vorela
