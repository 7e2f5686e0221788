// The sound editor's selection with the mouse, the marker, and the edits: cut, crop, undo/redo
// and gain with auto-repeat.
#include "soundeditor/window/Form2.h"

#include "platform/qt/QtText.h"
#include "soundeditor/window/EditorPictures.h"
#include "soundeditor/window/GainButton.h"
#include "soundeditor/window/RulerView.h"
#include "soundeditor/window/SelectionSlider.h"
#include "soundeditor/window/WaveformView.h"

#include <QAction>
#include <QLabel>
#include <QTimer>
#include <QToolButton>

#include <algorithm>

namespace vorela {

static constexpr int MarkerBlinkMs = 100;
static constexpr int GainRepeatMs = 100;

void Form2::redrawSound()
{
    label_2->setSound(editBuffer.samples());
    label_3->setSound(soundSize(), viewWidth);
}

void Form2::setPane(int pane, const std::string &text)
{
    panes[pane]->setText(toQString(text));
}

void Form2::showStatus(const StatusPanes &status)
{
    setPane(0, status.start);
    setPane(1, status.length);
}

void Form2::showStartText(bool zeroStart)
{
    showStatus(startText(markerX, zeroStart, soundSize(), viewWidth));
}

void Form2::showSelectionText()
{
    showStatus(selectionText({markerX, selectionEndX}, soundSize(), viewWidth));
}

void Form2::setMarkerDrawn(bool drawn)
{
    markerHidden = !drawn;
    label_2->setMarker(drawn ? std::optional<int>(markerX) : std::nullopt);
}

void Form2::restartMarkerBlink()
{
    setMarkerDrawn(false);
    markerBlink = true;
    markerTimer->start(MarkerBlinkMs);
}

void Form2::markerTick()
{
    setMarkerDrawn(markerHidden);
    if (markerHidden && markerBlink)
        markerTimer->start(MarkerBlinkMs);
}

void Form2::updateHighlight()
{
    if (selectionEndX == NoSelectionEnd || selectionEndX == markerX) {
        label_2->setHighlight(std::nullopt);
        return;
    }
    label_2->setHighlight(std::make_pair(markerX, selectionEndX));
}

void Form2::setSliderSelection(int from, int to)
{
    slider_1->setSelectedRange(from, to);
}

void Form2::enableEditing(bool enable)
{
    cutAction->setEnabled(enable);
    cropAction->setEnabled(enable);
    label_up->setActive(enable);
    label_dn->setActive(enable);
}

void Form2::showUndoPicture()
{
    undoAction->setIcon(
        editorPicture(editBuffer.undoShowsUndo() ? EditorPicture::Undo : EditorPicture::Redo));
}

void Form2::closeGainAdjustment()
{
    editBuffer.closeGain();
    setPane(2, "");
}

void Form2::waveformPressed(int x)
{
    if (!editable || !idle)
        return;
    dragging = true;
    closeGainAdjustment();
    setMarkerDrawn(false);
    markerX = snapToSample(x, soundSize(), viewWidth);
    showStartText(/*zeroStart=*/false);
    markerX = std::clamp(markerX, 0, viewWidth);
    markerBlink = true;
    selectionEndX = markerX;
    updateHighlight();
    markerTimer->start(MarkerBlinkMs);
    hasSelection = false;
    enableEditing(false);
    slider_1->setValue(markerX);
    setSliderSelection(0, 0);
}

void Form2::waveformDragged(int x)
{
    if (!dragging || !idle)
        return;
    const int snapped = snapToSample(std::clamp(x, 0, viewWidth), soundSize(), viewWidth);
    selectionEndX = dragEnd(markerX, snapped);
    updateHighlight();
    hasSelection = selectionEndX != markerX;
    enableEditing(hasSelection);
    setSliderSelection(markerX, selectionEndX);
    showSelectionText();
}

void Form2::cutSelection()
{
    const std::optional<Selection> after = editBuffer.cut({markerX, selectionEndX}, viewWidth);
    if (!after)
        return;
    markerTimer->stop();
    setMarkerDrawn(false);
    redrawSound();
    markerX = after->markerX;
    showStartText(/*zeroStart=*/false);
    selectionEndX = markerX;
    updateHighlight();
    restartMarkerBlink();
    slider_1->setValue(markerX);
    setSliderSelection(markerX, markerX);
    selectionEdited();
}

void Form2::selectionEdited()
{
    hasSelection = false;
    enableEditing(false);
    pictbttn_play->setEnabled(soundSize() > 0);
    modified = true;
    saveAction->setEnabled(true);
    setPane(2, "");
    undoAction->setEnabled(true);
    showUndoPicture();
}

void Form2::cropSelection()
{
    const std::optional<Selection> after = editBuffer.crop({markerX, selectionEndX}, viewWidth);
    if (!after)
        return;
    markerTimer->stop();
    setMarkerDrawn(false);
    showStartText(/*zeroStart=*/true);
    redrawSound();
    markerX = after->markerX;
    selectionEndX = after->selectionEndX;
    updateHighlight();
    restartMarkerBlink();
    slider_1->setValue(0);
    setSliderSelection(0, 0);
    selectionEdited();
}

void Form2::undoOrRedo()
{
    if (!idle || !editBuffer.undoAvailable())
        return;
    pictbttn_record->setEnabled(true);
    pictbttn_play->setEnabled(editBuffer.undoSize() > 0);
    pictbttn_stop->setEnabled(false);
    const bool gainWasOpen = editBuffer.gainOpen();
    setMarkerDrawn(false);
    const Selection shown = editBuffer.undoRedo();
    redrawSound();
    if (gainWasOpen)
        setPane(2, "");
    showUndoPicture();
    undoAction->setEnabled(editBuffer.undoAvailable());
    markerX = shown.markerX;
    selectionEndX = shown.selectionEndX;
    hasSelection = selectionEndX != markerX;
    modified = true;
    saveAction->setEnabled(true);
    enableEditing(hasSelection && soundSize() > 0);
    setSliderSelection(markerX, selectionEndX);
    showSelectionText();
    slider_1->setValue(markerX);
    updateHighlight();
    restartMarkerBlink();
}

void Form2::gainPressed(int direction)
{
    if (!idle)
        return;
    gainStep = direction;
    applyGainStep(direction);
    if (gainStep != 0)
        gainTimer->start(GainRepeatMs);
}

void Form2::gainTick()
{
    if (gainStep != 0)
        applyGainStep(gainStep);
}

void Form2::gainPointerInside(int direction, bool inside)
{
    // Leaving the button pauses the repeat without ending it.
    gainStep = inside ? direction : 0;
}

void Form2::gainReleased()
{
    gainTimer->stop();
    gainStep = 0;
}

void Form2::applyGainStep(int direction)
{
    const GainStepResult result =
        editBuffer.applyGainStep(direction, {markerX, selectionEndX}, viewWidth);
    label_up->setActive(result.upEnabled);
    label_dn->setActive(result.downEnabled);
    if (result.limitReached) {
        gainTimer->stop();
        gainStep = 0;
        label_up->releaseHold();
        label_dn->releaseHold();
    }
    if (!result.applied)
        return;
    setPane(2, gainText(editBuffer.gainSteps()));
    if (result.opened) {
        modified = true;
        undoAction->setEnabled(true);
        saveAction->setEnabled(true);
        showUndoPicture();
    }
    redrawSound();
    updateHighlight();
    restartMarkerBlink();
}

} // namespace vorela
