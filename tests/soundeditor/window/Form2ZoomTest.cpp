// Zoom of the waveform in a real window: selections keep their bytes at every zoom and after
// "fit", a zoomed view selects finer than the whole-sound view can, the wheel zooms around the
// pointer and scrolls, and a playback keeps its cursor in sight.
#include "Form2Fixture.h"

#include "soundeditor/window/SelectionSlider.h"
#include "soundeditor/window/WaveformView.h"

#include <QTest>
#include <QWheelEvent>

namespace vorela::test {
namespace {

class Form2ZoomTest : public Form2Fixture {
protected:
    static void wheel(Form2 &form, int x, QPoint notches, Qt::KeyboardModifiers modifiers)
    {
        QWidget *view = waveform(form);
        const QPointF at(x, 10);
        QWheelEvent event(at, view->mapToGlobal(at), QPoint(), notches * 120, Qt::NoButton,
                          modifiers, Qt::NoScrollPhase, false);
        QApplication::sendEvent(view, &event);
    }
    static void trigger(Form2 &form, const char *name) { action(form, name)->trigger(); }
};

TEST_F(Form2ZoomTest, SelectionsKeepTheirBytesAtEveryZoomAndAfterFit)
{
    const std::unique_ptr<Form2> form = openListened();
    drag(waveform(*form), 50, 150);
    ASSERT_EQ(selectedBytesIn(*form), (ByteRange{1622, 4868}));
    // Zooming around the marker keeps it in its column; the other end moves out.
    const int ends[] = {250, 450, 850};
    for (const int end : ends) {
        trigger(*form, "toolb_2_zoomIn");
        EXPECT_EQ(selectedBytesIn(*form), (ByteRange{1622, 4868}));
        EXPECT_EQ(shownSelection(*form), (Selection{50, end}));
    }
    EXPECT_EQ(form->zoom().level(), 8);

    // At 8 pixels per column, columns 100 and 300 are pixels 3600 and 5200 (the view starts at
    // 3200 - 50 * 8): bytes 1826 and 2636, which no column of the whole-sound view reaches.
    drag(waveform(*form), 100, 300);
    EXPECT_EQ(selectedBytesIn(*form), (ByteRange{1826, 2636}));
    trigger(*form, "toolb_2_fit");
    EXPECT_EQ(form->zoom().level(), 1);
    EXPECT_EQ(selectedBytesIn(*form), (ByteRange{1826, 2636}));
    EXPECT_EQ(shownSelection(*form), (Selection{56, 81}));
    action(*form, "toolb_2_cut")->trigger();
    EXPECT_EQ(current(*form), oneSecondWithout(913, 1318));

    // An undo restores its selection in the same fine pixels, at any zoom.
    trigger(*form, "toolb_2_zoomIn");
    trigger(*form, "toolb_2_zoomIn");
    action(*form, "toolb_2_undo")->trigger();
    EXPECT_EQ(selectedBytesIn(*form), (ByteRange{1826, 2636}));
    trigger(*form, "toolb_2_zoomOut");
    EXPECT_EQ(form->zoom().level(), 2);
    EXPECT_EQ(selectedBytesIn(*form), (ByteRange{1826, 2636}));
}

TEST_F(Form2ZoomTest, WheelZoomsAroundThePointerAndScrolls)
{
    const std::unique_ptr<Form2> form = openListened();
    auto *slider = form->findChild<SelectionSlider *>("slider_1");
    wheel(*form, 100, QPoint(0, 2), Qt::ControlModifier);
    EXPECT_EQ(form->zoom().level(), 4);
    EXPECT_EQ(form->zoom().pixelAt(100), 6400); // the pointer stays on the same moment
    EXPECT_EQ(slider->minimum(), form->zoom().firstPixel());
    EXPECT_EQ(slider->maximum(), form->zoom().firstPixel() + 493 * 16);

    const int first = form->zoom().firstPixel();
    wheel(*form, 100, QPoint(0, -1), Qt::NoModifier); // down: on through the sound
    EXPECT_EQ(form->zoom().firstPixel(), first + 49 * 16);
    wheel(*form, 100, QPoint(1, 0), Qt::NoModifier); // tilted left: back
    EXPECT_EQ(form->zoom().firstPixel(), first);
    EXPECT_EQ(slider->minimum(), first);

    wheel(*form, 100, QPoint(0, -5), Qt::ControlModifier); // further out than the whole sound
    EXPECT_EQ(form->zoom().level(), 1);
    wheel(*form, 100, QPoint(0, -3), Qt::NoModifier); // the whole sound shown: nothing to scroll
    EXPECT_EQ(form->zoom().firstPixel(), 0);
}

TEST_F(Form2ZoomTest, PlaybackKeepsItsCursorInSight)
{
    const std::unique_ptr<Form2> form = openListened();
    for (int k = 0; k < 4; ++k)
        trigger(*form, "toolb_2_zoomIn"); // 0.25 s of the sound in view, from the start
    ASSERT_EQ(form->zoom().shownPixels(), 493 * 4);
    button(*form, "pictbttn_play")->click();
    EXPECT_FALSE(action(*form, "toolb_2_zoomIn")->isEnabled()); // not while playing
    audio.advance(500);
    form->playTick();
    const auto *view = static_cast<WaveformView *>(waveform(*form));
    ASSERT_TRUE(view->playbackCursor());
    // 4000 samples played: pixel 15776, now the view's first column.
    EXPECT_EQ(form->zoom().firstPixel(), 15776);
    EXPECT_EQ(*view->playbackCursor(), 0);
    audio.advance(50);
    form->playTick();
    EXPECT_EQ(*view->playbackCursor(), 394); // 400 samples more: pixel 17353, in sight
    EXPECT_EQ(form->zoom().firstPixel(), 15776);
    audio.advance(100);
    form->playTick();
    EXPECT_EQ(form->zoom().firstPixel(), 20508); // pixel 20509 was out of sight: next page
    EXPECT_EQ(*view->playbackCursor(), 0);
    audio.advance(1000);
}

TEST_F(Form2ZoomTest, ZoomKeysFollowTheRules)
{
    const std::unique_ptr<Form2> empty = openEditor(SoundEditorMode::CreateInPlayer, "0002");
    empty->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(empty.get()));
    QTest::keyClick(empty->windowHandle(), Qt::Key_Equal, Qt::ControlModifier);
    EXPECT_EQ(empty->zoom().level(), 1); // nothing to zoom into
    empty->close();

    const std::unique_ptr<Form2> form = openListened();
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    EXPECT_FALSE(action(*form, "toolb_2_zoomOut")->isEnabled());
    EXPECT_FALSE(action(*form, "toolb_2_fit")->isEnabled());
    QTest::keyClick(form->windowHandle(), Qt::Key_Equal, Qt::ControlModifier);
    QTest::keyClick(form->windowHandle(), Qt::Key_Plus, Qt::ControlModifier);
    EXPECT_EQ(form->zoom().level(), 4);
    QTest::keyClick(form->windowHandle(), Qt::Key_Minus, Qt::ControlModifier);
    EXPECT_EQ(form->zoom().level(), 2);
    for (int k = 0; k < 10; ++k)
        QTest::keyClick(form->windowHandle(), Qt::Key_Equal, Qt::ControlModifier);
    EXPECT_EQ(form->zoom().level(), MaxZoom);
    EXPECT_FALSE(action(*form, "toolb_2_zoomIn")->isEnabled());
    QTest::keyClick(form->windowHandle(), Qt::Key_0, Qt::ControlModifier);
    EXPECT_EQ(form->zoom().level(), 1);
    EXPECT_FALSE(action(*form, "toolb_2_fit")->isEnabled());
}

} // namespace
} // namespace vorela::test
