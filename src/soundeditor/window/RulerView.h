// The time ruler under the waveform, drawn once per change of the sound or of the zoom.
#pragma once

#include <QImage>
#include <QWidget>

namespace vorela {

struct RulerLayout;

class RulerView : public QWidget {
    Q_OBJECT
public:
    explicit RulerView(QWidget *parent = nullptr);
    /// Redraws the ruler with these ticks and labels.
    void setRuler(const RulerLayout &ruler);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QImage image;
};

} // namespace vorela
