// The waveform area of the sound editor: the waveform drawn once into an off-screen image, the
// marker, the selection and the playback cursor laid over it by pixel inversion when painting.
#pragma once

#include <QImage>
#include <QWidget>

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace vorela {

class WaveformView : public QWidget {
    Q_OBJECT
public:
    explicit WaveformView(QWidget *parent = nullptr);

    /// Redraws the off-screen image for the samples shown, part of a sound of soundSize bytes,
    /// with grid lines at the ruler's major ticks.
    void setSound(std::span<const std::int16_t> samples, std::uint32_t soundSize,
                  std::vector<int> gridColumns);
    /// The whole of samples across the view, grid lines at the ruler's major ticks.
    void setWholeSound(std::span<const std::int16_t> samples);
    /// A take being recorded, drawn from the left over a span that widens in steps, without the
    /// marker, selection and cursor, until the next setSound or setWholeSound. The samples are
    /// drawn at once and not kept: the recording's buffer may move.
    void setGrowingTake(std::span<const std::int16_t> soFar);
    void setMarker(std::optional<int> x);
    /// Inverted columns from the smaller to the larger end; nothing when both are equal.
    void setHighlight(std::optional<std::pair<int, int>> ends);
    void setPlaybackCursor(std::optional<int> x);

    [[nodiscard]] const QImage &waveformImage() const { return image; }
    [[nodiscard]] std::optional<int> marker() const { return markerColumn; }
    [[nodiscard]] std::optional<int> playbackCursor() const { return cursorColumn; }
    /// The columns the sound's waveform reaches from the left: the whole width but while a take
    /// grows.
    [[nodiscard]] int drawnColumns() const { return soundColumns; }

signals:
    void pressed(int x);
    /// The pointer moved with exactly the left button held, after a press in the area.
    void dragged(int x);
    void released();
    /// The wheel turned with Ctrl held: notches up (positive) zoom in around column x.
    void zoomTurned(int notches, int x);
    /// The wheel turned without Ctrl (or sideways): notches to scroll, positive to the right.
    void scrollTurned(int notches);
    /// The view changed its size (the window was resized).
    void resized();

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    void redraw();
    void drawBackground(QPainter &painter);
    void drawCaptions(QPainter &painter);

    QImage image;
    std::span<const std::int16_t> sound;
    std::uint32_t wholeSize = 0;
    std::vector<int> grid;
    QPoint wheelTurn; ///< eighths of a degree not yet a whole notch
    std::optional<int> markerColumn;
    std::optional<std::pair<int, int>> highlight;
    std::optional<int> cursorColumn;
    int soundColumns = 0;
    bool growing = false;
    bool capturing = false;
};

} // namespace vorela
