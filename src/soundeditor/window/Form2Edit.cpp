// The sound editor's selection with the mouse, the marker, and the edits: cut, crop, undo, redo
// and gain with auto-repeat. Every position is a pixel of the zoom's selection width; only the
// drawing turns it into a screen column.
#include "soundeditor/window/Form2.h"

#include "platform/qt/QtText.h"
#include "soundeditor/Waveform.h"
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
    const ByteRange shown = zoomView.shownBytes(soundSize());
    const RulerLayout ruler = rulerLayout(soundSize(), zoomView, label_3->width());
    label_2->setSound(editBuffer.samples().subspan(shown.start / 2, shown.size() / 2), soundSize(),
                      ruler.majorTicks);
    label_3->setRuler(ruler);
    slider_1->setRange(zoomView.firstPixel(), zoomView.firstPixel() + zoomView.shownPixels());
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
    label_2->setMarker(drawn ? std::optional<int>(shownColumn(markerX)) : std::nullopt);
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
    label_2->setHighlight(std::make_pair(shownColumn(markerX), shownColumn(selectionEndX)));
}

void Form2::setSliderSelection(int from, int to)
{
    slider_1->setSelectedRange(from, to);
}

void Form2::closeGainAdjustment()
{
    editBuffer.closeGain();
    setPane(2, "");
}

void Form2::waveformPressed(int x)
{
    if (!state.editable || !state.idle())
        return;
    dragging = true;
    closeGainAdjustment();
    setMarkerDrawn(false);
    markerX = snapToSample(zoomView.pixelAt(x), soundSize(), viewWidth, zoomView.pixelsPerColumn());
    showStartText(/*zeroStart=*/false);
    markerX = std::clamp(markerX, 0, viewWidth);
    markerBlink = true;
    selectionEndX = markerX;
    updateHighlight();
    markerTimer->start(MarkerBlinkMs);
    state.hasSelection = false;
    applyControls();
    slider_1->setValue(markerX);
    setSliderSelection(0, 0);
}

void Form2::waveformDragged(int x)
{
    if (!dragging || !state.idle())
        return;
    const int snapped =
        snapToSample(zoomView.pixelAt(x), soundSize(), viewWidth, zoomView.pixelsPerColumn());
    selectionEndX = dragEnd(markerX, snapped, zoomView.pixelsPerColumn());
    updateHighlight();
    state.hasSelection = selectionEndX != markerX;
    applyControls();
    setSliderSelection(markerX, selectionEndX);
    showSelectionText();
}

void Form2::selectAll()
{
    if (!enabledControls(state, soundFacts()).selectAll)
        return;
    closeGainAdjustment();
    markerX = 0;
    selectionEndX = viewWidth;
    state.hasSelection = true;
    updateHighlight();
    restartMarkerBlink();
    applyControls();
    slider_1->setValue(markerX);
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
    state.hasSelection = false;
    state.modified = true;
    setPane(2, "");
    applyControls();
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

void Form2::undoEdit()
{
    if (!enabledControls(state, soundFacts()).undo)
        return;
    const std::optional<Selection> shown = editBuffer.undo();
    if (shown)
        showRestored(*shown);
}

void Form2::redoEdit()
{
    if (!enabledControls(state, soundFacts()).redo)
        return;
    const std::optional<Selection> shown = editBuffer.redo();
    if (shown)
        showRestored(*shown);
}

void Form2::showRestored(const Selection &shown)
{
    markerTimer->stop();
    setMarkerDrawn(false);
    redrawSound();
    setPane(2, ""); // an open gain adjustment was closed
    markerX = shown.markerX;
    selectionEndX = shown.selectionEndX;
    state.hasSelection = selectionEndX != markerX;
    // Also after a save: the sound shown differs from the bank's again.
    state.modified = true;
    applyControls();
    setSliderSelection(markerX, selectionEndX);
    showSelectionText();
    slider_1->setValue(markerX);
    updateHighlight();
    restartMarkerBlink();
}

void Form2::gainPressed(int direction)
{
    if (!state.idle())
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
    if (result.limitReached) {
        gainTimer->stop();
        gainStep = 0;
        label_up->releaseHold();
        label_dn->releaseHold();
    }
    if (result.opened)
        state.modified = true;
    applyControls();
    if (!result.applied)
        return;
    setPane(2, gainText(editBuffer.gainSteps()));
    redrawSound();
    updateHighlight();
    restartMarkerBlink();
}

} // namespace vorela
