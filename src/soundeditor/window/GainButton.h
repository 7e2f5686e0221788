// A gain button drawn as a picture (released, pressed, disabled), reporting press, the pointer
// leaving and re-entering it while held, and release; it keeps its own enabled flag.
#pragma once

#include <QLabel>
#include <QPixmap>

namespace vorela {

class GainButton : public QLabel {
    Q_OBJECT
public:
    /// up draws the raising arrow, otherwise the lowering one.
    GainButton(bool up, QWidget *parent = nullptr);

    void setActive(bool active);
    [[nodiscard]] bool isActive() const { return active; }
    [[nodiscard]] bool isHeld() const { return held; }
    /// Ends a hold without a release from the mouse (the gain reached its limit).
    void releaseHold();

signals:
    void pressedDown();
    /// While held: whether the pointer is over the picture.
    void pointerInside(bool inside);
    void releasedUp();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void showLook(bool pressed);

    QPixmap released;
    QPixmap pressed;
    QPixmap disabled;
    bool active = true;
    bool held = false;
};

} // namespace vorela
