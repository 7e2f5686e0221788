// The time ruler under the waveform, drawn once per change of the sound.
#pragma once

#include <QImage>
#include <QWidget>

#include <cstdint>

namespace vorela {

class RulerView : public QWidget {
    Q_OBJECT
public:
    explicit RulerView(QWidget *parent = nullptr);
    /// Redraws the ruler of a sound of soundSize bytes shown viewWidth pixels wide.
    void setSound(std::uint32_t soundSize, int viewWidth);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QImage image;
};

} // namespace vorela
