// Recording shown as it arrives, on the virtual sound card: time in tenths, a moving meter,
// clipping and a growing waveform; the input named, chosen and kept; and a Space meant to stop
// that never answers a message which appeared meanwhile.
#include "Form2Fixture.h"

#include "platform/RegistryStore.h"
#include "platform/qt/QtUiServices.h"
#include "soundeditor/window/GuidedRecording.h"
#include "soundeditor/window/LevelMeter.h"
#include "soundeditor/window/RecordingInputSetting.h"
#include "soundeditor/window/WaveformView.h"

#include <QComboBox>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <set>

namespace vorela::test {
namespace {

class RecordingLiveTest : public Form2Fixture {
protected:
    static LevelMeter *meter(QWidget &window) { return window.findChild<LevelMeter *>(); }
    static int grownColumns(QWidget &window, const char *view)
    {
        return window.findChild<WaveformView *>(view)->drawnColumns();
    }
};

TEST_F(RecordingLiveTest, TimeMeterClippingAndWaveformFollowTheTakeAsItArrives)
{
    // A 100 Hz square wave: quiet for half a second, loud for the next, then clipping.
    audio.setMicrophone([](std::size_t n) {
        const int amplitude = n < 4000 ? 1000 : n < 8000 ? 16000 : 32767;
        return std::int16_t((n / 40) % 2 == 0 ? amplitude : -amplitude);
    });
    const std::unique_ptr<Form2> form = openListened();
    button(*form, "pictbttn_record")->click();
    EXPECT_TRUE(pane(*form, 1).contains(QStringLiteral(" 0.0 "))) << "the time shows at once";
    std::set<QString> times;
    std::vector<int> columns;
    std::vector<double> shares;
    std::vector<bool> clipped;
    for (int tick = 1; tick <= 26; ++tick) { // 1.3 s in steps of the window's 50 ms timer
        audio.advance(50);
        form->recordTick();
        times.insert(pane(*form, 1));
        columns.push_back(grownColumns(*form, "label_2"));
        shares.push_back(meter(*form)->share());
        clipped.push_back(meter(*form)->clipped());
    }
    EXPECT_EQ(times.size(), 13U) << "every tenth from 0.1 to 1.3 s";
    EXPECT_TRUE(pane(*form, 1).contains(QStringLiteral(" 1.3 ")));
    EXPECT_TRUE(std::is_sorted(columns.begin(), columns.end()));
    EXPECT_EQ(columns[9], ViewWidth * 4000 / 40000) << "half a second of a 5 s span";
    EXPECT_NEAR(shares[5], 0.5, 0.01);  // 1000 of 32768: -30 dBFS
    EXPECT_NEAR(shares[15], 0.9, 0.01); // 16000: -6 dBFS
    EXPECT_FALSE(clipped[19]);
    EXPECT_TRUE(clipped[20]) << "lit in the first block that clips";

    action(*form, "playOrStopKey")->trigger();
    audio.advance(0);
    ASSERT_TRUE(form->isIdle());
    EXPECT_EQ(meter(*form)->share(), 0);
    EXPECT_TRUE(meter(*form)->clipped()) << "the take clipped: still shown after it";
    EXPECT_EQ(grownColumns(*form, "label_2"), ViewWidth) << "the whole sound again";
}

TEST_F(RecordingLiveTest, MissingInputIsNamedAndAnotherChosenIsKept)
{
    std::string error;
    const std::unique_ptr<RegistryStore> store =
        RegistryStore::open(dir.dataDirectory().registry(), error);
    ASSERT_TRUE(store) << error;
    const RecordingInputSetting setting(*store);
    audio.setInputs({"Built-in", "Headset"});
    audio.chooseInput("USB Mic");
    context.inputSetting = &setting;
    const std::unique_ptr<Form2> form = openListened();

    ui.expectMessage(
        RecordOpenFailedText +
            "Устройство записи «USB Mic» не найдено. Подключите его или выберите другое.",
        MessageAnswer::Ok);
    button(*form, "pictbttn_record")->click();
    EXPECT_TRUE(form->isIdle());
    auto *inputs = form->findChild<QComboBox *>("cb_input");
    ASSERT_EQ(inputs->count(), 3);
    EXPECT_EQ(inputs->currentText(), QStringLiteral("USB Mic (не найдено)"));

    emit inputs->activated(inputs->findText(QStringLiteral("Headset")));
    EXPECT_EQ(audio.inputName(), "Headset");
    EXPECT_EQ(RecordingInputSetting(*store).chosenInput(), "Headset");
    EXPECT_EQ(inputs->count(), 2); // the missing one is no longer in use
    button(*form, "pictbttn_record")->click();
    EXPECT_FALSE(form->isIdle());
    EXPECT_FALSE(inputs->isEnabled()) << "the input stays as it is during a take";
    EXPECT_TRUE(ui.finished());
}

// The take reaches its longest length by itself and its "silence" message appears just as the
// operator presses Space to stop it.
TEST_F(RecordingLiveTest, SpaceMeantToStopDoesNotAnswerAMessageThatAppearedMeanwhile)
{
    QtUiServices qtUi;
    const SoundEditorContext withQt{soundBank, qtUi, audio, dir.dataDirectory()};
    GuidedRecording window(withQt, {{"0002", "Слово", "Папка"}});
    window.show();
    window.startRecording();
    audio.advance(1000);
    window.recordTick();
    EXPECT_GT(grownColumns(window, "label_wave"), 0);

    bool stayedAfterSpace = false;
    bool messageShown = false;
    QTimer::singleShot(0, &window, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        ASSERT_TRUE(box);
        messageShown = true;
        QTest::keyClick(box->focusWidget(), Qt::Key_Space);
        stayedAfterSpace = box->isVisible();
        QTest::keyClick(box->focusWidget(), Qt::Key_Return);
    });
    audio.advance(59000);
    EXPECT_TRUE(messageShown);
    EXPECT_TRUE(stayedAfterSpace);
    EXPECT_TRUE(window.isIdle());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

} // namespace
} // namespace vorela::test
