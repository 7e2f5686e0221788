// The recording level as a bar that follows the newest block, with "Перегрузка" lit once the
// take has clipped.
#pragma once

#include <QWidget>

namespace vorela {

class LevelMeter : public QWidget {
    Q_OBJECT
public:
    explicit LevelMeter(QWidget *parent = nullptr);

    /// Lights share (0 to 1) of the bar and the clipping mark when clipped.
    void showLevel(double share, bool clipped);

    [[nodiscard]] double share() const { return litShare; }
    [[nodiscard]] bool clipped() const { return clipMark; }
    [[nodiscard]] QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    double litShare = 0;
    bool clipMark = false;
};

} // namespace vorela
