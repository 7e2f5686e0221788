// The sound editor's toolbar and keys: each key does what its button does, and only while that
// button is enabled.
#include "soundeditor/window/Form2.h"

#include "soundeditor/window/EditorPictures.h"

#include <QAction>
#include <QKeySequence>
#include <QStringList>
#include <QToolBar>
#include <QToolButton>

namespace vorela {

static const QString SpaceKeyName = QStringLiteral("Пробел");

// The hint followed by the keys in brackets, as the operator sees them on his keyboard.
static QString hintWithKeys(const QString &hint, const QStringList &keys)
{
    return hint + QStringLiteral(" (") + keys.join(QStringLiteral(", ")) + QStringLiteral(")");
}

static void addKeysToHint(QWidget *widget, const QStringList &keys)
{
    widget->setToolTip(hintWithKeys(widget->toolTip(), keys));
}

static void setActionKeys(QAction *action, const QList<QKeySequence> &keys)
{
    action->setShortcuts(keys);
    action->setShortcutContext(Qt::WindowShortcut);
    QStringList names;
    for (const QKeySequence &key : keys)
        names << key.toString(QKeySequence::NativeText);
    action->setToolTip(hintWithKeys(action->toolTip(), names));
}

void Form2::buildToolbar()
{
    const auto addItem = [this](const char *hint, EditorPicture picture, const char *name,
                                void (Form2::*slot)()) {
        QAction *action = toolb_2->addAction(editorPicture(picture), QString::fromUtf8(hint));
        action->setObjectName(name);
        action->setToolTip(QString::fromUtf8(hint));
        action->setEnabled(false);
        connect(action, &QAction::triggered, this, slot);
        return action;
    };
    cutAction = addItem("Вырезать", EditorPicture::Cut, "toolb_2_cut", &Form2::cutSelection);
    cropAction = addItem("Обрезать", EditorPicture::Crop, "toolb_2_crop", &Form2::cropSelection);
    undoAction = addItem("Отменить", EditorPicture::Undo, "toolb_2_undo", &Form2::undoEdit);
    redoAction = addItem("Повторить", EditorPicture::Redo, "toolb_2_redo", &Form2::redoEdit);
    toolb_2->addSeparator();
    trimAction =
        addItem("Обрезать тишину", EditorPicture::TrimSilence, "toolb_2_trim", &Form2::trimSilence);
    levelAction = addItem("Выровнять громкость", EditorPicture::LevelLoudness, "toolb_2_level",
                          &Form2::levelLoudness);
    toolb_2->addSeparator();
    zoomInAction = addItem("Крупнее", EditorPicture::ZoomIn, "toolb_2_zoomIn", &Form2::zoomIn);
    zoomOutAction = addItem("Мельче", EditorPicture::ZoomOut, "toolb_2_zoomOut", &Form2::zoomOut);
    fitAction = addItem("По размеру окна", EditorPicture::Fit, "toolb_2_fit", &Form2::zoomToFit);
    toolb_2->addSeparator();
    saveAction = addItem("Сохранить", EditorPicture::Save, "toolb_2_save", &Form2::saveSound);
}

void Form2::buildKeys()
{
    const auto addKey = [this](const char *name, const QKeySequence &key, void (Form2::*slot)()) {
        auto *action = new QAction(this);
        action->setObjectName(name);
        action->setShortcut(key);
        action->setShortcutContext(Qt::WindowShortcut);
        addAction(action);
        connect(action, &QAction::triggered, this, slot);
        return action;
    };
    // Space belongs to the window, never to a focused button: on the record button it would
    // start a recording over the selection.
    playOrStopKey = addKey("playOrStopKey", QKeySequence(Qt::Key_Space), &Form2::playOrStop);
    recordKey = addKey("recordKey", QKeySequence(Qt::Key_R), &Form2::startRecording);
    selectAllKey = addKey("selectAllKey", QKeySequence(Qt::CTRL | Qt::Key_A), &Form2::selectAll);
    setActionKeys(cutAction, {QKeySequence(Qt::Key_Delete), QKeySequence(Qt::CTRL | Qt::Key_X)});
    setActionKeys(undoAction, {QKeySequence(Qt::CTRL | Qt::Key_Z)});
    setActionKeys(redoAction, {QKeySequence(Qt::CTRL | Qt::Key_Y),
                               QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    // "+" shares its key with "=" on most keyboards; Ctrl++ is the same key with Shift.
    setActionKeys(zoomInAction,
                  {QKeySequence(Qt::CTRL | Qt::Key_Equal), QKeySequence(Qt::CTRL | Qt::Key_Plus)});
    setActionKeys(zoomOutAction, {QKeySequence(Qt::CTRL | Qt::Key_Minus)});
    setActionKeys(fitAction, {QKeySequence(Qt::CTRL | Qt::Key_0)});
    setActionKeys(saveAction, {QKeySequence(Qt::CTRL | Qt::Key_S)});

    for (QToolButton *button : {pictbttn_record, pictbttn_play, pictbttn_stop})
        button->setFocusPolicy(Qt::NoFocus);
    addKeysToHint(pictbttn_record, {recordKey->shortcut().toString(QKeySequence::NativeText)});
    addKeysToHint(pictbttn_play, {SpaceKeyName});
    addKeysToHint(pictbttn_stop, {SpaceKeyName});
}

void Form2::playOrStop()
{
    const EditorControls enabled = enabledControls(state, soundFacts());
    if (enabled.stop) {
        stopAudio();
        return;
    }
    if (enabled.play)
        startPlayback();
}

} // namespace vorela
