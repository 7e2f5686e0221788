// The sound editor's keys: each does what its button does, and only while that button is enabled.
#include "soundeditor/window/Form2.h"

#include <QAction>
#include <QKeySequence>
#include <QStringList>
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
