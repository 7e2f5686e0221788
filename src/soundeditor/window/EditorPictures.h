// Pictures of the sound editor's buttons: record, play, stop and the toolbar bitmaps.
#pragma once

#include <QIcon>

namespace vorela {

enum class EditorPicture {
    Record,
    Play,
    Stop,
    Cut,
    Crop,
    Undo,
    Redo,
    TrimSilence,
    LevelLoudness,
    ZoomIn,
    ZoomOut,
    Fit,
    Save
};

/// The picture drawn at its button size (toolbar bitmaps 26 x 17).
[[nodiscard]] QIcon editorPicture(EditorPicture picture);

} // namespace vorela
