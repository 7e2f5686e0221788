// The editor run in a real modal loop: a window that closes itself during its automatic
// playback (listen-only end, busy device) ends the loop instead of hanging it.
#include "Form2Fixture.h"

#include "soundeditor/window/SoundEditorCommands.h"

#include <QElapsedTimer>
#include <QTimer>

namespace vorela::test {
namespace {

// Scripted messages, but sub-dialogs really run modally.
class ModalUiServices : public WholeTextUi {
public:
    int runDialog(ModalDialog &dialog) override { return dialog.exec(); }
};

class Form2ModalTest : public Form2Fixture {
protected:
    // Runs command while the test clock moves 100 ms every 10 ms of real time; fails after 5 s.
    void runWithClock(const std::function<void()> &command)
    {
        QObject timerOwner;
        QTimer clock(&timerOwner);
        QObject::connect(&clock, &QTimer::timeout, &timerOwner, [this] { audio.advance(100); });
        clock.start(10);
        bool finished = false;
        QTimer::singleShot(5000, &timerOwner, [&finished] {
            if (!finished)
                for (QWidget *window : QApplication::topLevelWidgets())
                    window->hide(); // end a hung loop so the failure is reported
        });
        QElapsedTimer elapsed;
        elapsed.start();
        command();
        finished = true;
        EXPECT_LT(elapsed.elapsed(), 5000);
    }

    ModalUiServices modalUi;
    SoundBank modalBank{dir.dataDirectory(), modalUi};
    SoundEditorCommands commands{{modalBank, modalUi, audio, dir.dataDirectory()}, nullptr};
};

TEST_F(Form2ModalTest, ListenOnlyWindowEndsItsLoopAfterPlaying)
{
    runWithClock([this] { commands.listen("Лексема", "0001"); });
    EXPECT_EQ(audio.playedBlocks().size(), 1U);
}

TEST_F(Form2ModalTest, BusyDeviceAtOpeningEndsTheLoop)
{
    audio.failNextPlay(AudioStart::Busy);
    modalUi.expectMessage(BusyText, MessageAnswer::Ok);
    runWithClock([this] { commands.replaceInPlayer("Лексема", "0001"); });
    EXPECT_TRUE(modalUi.finished());
}

TEST_F(Form2ModalTest, ListenWithoutSoundCardEndsTheLoop)
{
    audio.setOutputAvailable(false);
    modalUi.expectMessage(NoOutputText, MessageAnswer::Ok);
    runWithClock([this] { commands.listen("Лексема", "0001"); });
    EXPECT_TRUE(modalUi.finished());
}

} // namespace
} // namespace vorela::test
