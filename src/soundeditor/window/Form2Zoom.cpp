// The sound editor's zoom: keys and buttons zoom around the marker, Ctrl+wheel around the
// pointer, the wheel scrolls a zoomed view, and a playback keeps its cursor in sight.
#include "soundeditor/window/Form2.h"

#include "soundeditor/window/SelectionSlider.h"
#include "soundeditor/window/WaveformView.h"

namespace vorela {

// The marker when it is in sight (the place being worked on), else the middle of the view.
int Form2::keyZoomPixel() const
{
    if (zoomView.shows(markerX))
        return markerX;
    return zoomView.firstPixel() + zoomView.shownPixels() / 2;
}

void Form2::zoomIn()
{
    if (enabledControls(state, soundFacts()).zoomIn && zoomView.zoomIn(keyZoomPixel()))
        showViewChange();
}

void Form2::zoomOut()
{
    if (enabledControls(state, soundFacts()).zoomOut && zoomView.zoomOut(keyZoomPixel()))
        showViewChange();
}

void Form2::zoomToFit()
{
    if (!enabledControls(state, soundFacts()).zoomOut)
        return;
    zoomView.fit();
    showViewChange();
}

void Form2::zoomBy(int notches, int column)
{
    const int pixel = zoomView.pixelAt(column);
    bool changed = false;
    for (int notch = 0; notch < notches; ++notch) {
        if (!enabledControls(state, soundFacts()).zoomIn || !zoomView.zoomIn(pixel))
            break;
        changed = true;
    }
    for (int notch = 0; notch > notches; --notch) {
        if (!enabledControls(state, soundFacts()).zoomOut || !zoomView.zoomOut(pixel))
            break;
        changed = true;
    }
    if (changed)
        showViewChange();
}

void Form2::scrollView(int notches)
{
    // A notch moves a tenth of the view, as a text scrolls three lines of thirty.
    const int before = zoomView.firstPixel();
    zoomView.scrollBy(notches * zoomView.columns() / 10);
    if (zoomView.firstPixel() != before)
        showViewChange();
}

void Form2::followPlayback(int pixel)
{
    if (zoomView.follow(pixel))
        showViewChange();
}

void Form2::waveformResized()
{
    const WaveformZoom resized(label_2->width());
    const int newWidth = resized.selectionWidth();
    viewHeight = label_2->height();
    if (newWidth == viewWidth)
        return showViewChange();
    // Every kept position is a pixel of the old width: each is measured anew.
    zoomView = resized;
    markerX = rescaledPixel(markerX, viewWidth, newWidth);
    selectionEndX = rescaledPixel(selectionEndX, viewWidth, newWidth);
    playStartX = rescaledPixel(playStartX, viewWidth, newWidth);
    recordingSelection = rescaled(recordingSelection, viewWidth, newWidth);
    editBuffer.rescaleSelections(viewWidth, newWidth);
    viewWidth = newWidth;
    setSliderSelection(markerX, selectionEndX == NoSelectionEnd ? markerX : selectionEndX);
    showViewChange();
}

void Form2::showViewChange()
{
    redrawSound();
    setMarkerDrawn(!markerHidden);
    updateHighlight();
    if (state.idle())
        slider_1->setValue(markerX); // the new range may have clamped it
    applyControls();
}

} // namespace vorela
