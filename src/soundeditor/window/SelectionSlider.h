// The slider under the waveform: shows the marker or playback position and the selected range;
// it takes no input of its own.
#pragma once

#include <QSlider>

namespace vorela {

class SelectionSlider : public QSlider {
    Q_OBJECT
public:
    explicit SelectionSlider(QWidget *parent = nullptr);
    /// The selected range, in slider units; equal ends show none.
    void setSelectedRange(int from, int to);
    [[nodiscard]] int selectionStart() const { return rangeFrom; }
    [[nodiscard]] int selectionEnd() const { return rangeTo; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    int rangeFrom = 0;
    int rangeTo = 0;
};

} // namespace vorela
