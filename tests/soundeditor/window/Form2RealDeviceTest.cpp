// The sound editor on the Qt sound device against a private sound server: a tone played into the
// virtual microphone is recorded, saved, and read back from the bank with its length and pitch;
// the time and the waveform grow while the recording runs.
#include "Form2Fixture.h"

#include "platform/qt/QtAudioDevice.h"
#include "soundeditor/window/WaveformView.h"
#include "support/PrivatePulseServer.h"
#include "support/TestTone.h"

#include <QElapsedTimer>
#include <QRegularExpression>
#include <QTest>

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <string>

namespace vorela::test {
namespace {

class Form2RealDeviceTest : public Form2Fixture {
protected:
    QtAudioDevice soundCard;
    SoundEditorContext realContext{soundBank, ui, soundCard, dir.dataDirectory()};

    // The editor on a new lexeme, recording from the virtual microphone; null when it did not
    // open or did not start recording.
    std::unique_ptr<Form2> recordingEditor()
    {
        std::unique_ptr<Form2> form =
            openEditorWith(realContext, SoundEditorMode::CreateInPlayer, "0002");
        if (!form)
            return nullptr;
        button(*form, "pictbttn_record")->click();
        return form->isIdle() ? nullptr : std::move(form);
    }
};

// Where the tone is loud, from its first to its last loud sample.
std::pair<std::size_t, std::size_t> loudSpan(const Samples &samples)
{
    const auto loud = [](std::int16_t sample) { return std::abs(int(sample)) > 4000; };
    const auto first = std::find_if(samples.begin(), samples.end(), loud);
    const auto last = std::find_if(samples.rbegin(), samples.rend(), loud);
    if (first == samples.end())
        return {0, 0};
    return {std::size_t(first - samples.begin()), std::size_t(samples.rend() - last)};
}

TEST_F(Form2RealDeviceTest, RecordedToneIsSavedWithItsLengthAndPitch)
{
    if (const std::optional<std::string> missing = missingSoundServer())
        GTEST_SKIP() << *missing;
    const std::unique_ptr<Form2> form = recordingEditor();
    ASSERT_TRUE(form);
    // The recording's length is timed from its first block, after the server's start-up.
    ASSERT_TRUE(QTest::qWaitFor([this] { return soundCard.recordedSamples() > 0; }, 3000));
    const double firstBlockSeconds = double(soundCard.recordedSamples()) / 8000;
    QElapsedTimer clock;
    clock.start();

    // A second device plays one second of 1000 Hz into the sink whose monitor is the microphone.
    const Samples tone = sineTone(1000, 1.0, 16000);
    QtAudioDevice speaker;
    bool toneDone = false;
    ASSERT_EQ(speaker.play(tone, {}, [&toneDone] { toneDone = true; }), AudioStart::Started);
    ASSERT_TRUE(QTest::qWaitFor([&toneDone] { return toneDone; }, 5000));
    // The tone's tail is still on its way through the monitor: let 0.3 s more arrive.
    const std::size_t afterTone = soundCard.recordedSamples();
    ASSERT_TRUE(QTest::qWaitFor(
        [this, afterTone] { return soundCard.recordedSamples() >= afterTone + 2400; }, 3000));
    button(*form, "pictbttn_stop")->click();
    ASSERT_TRUE(QTest::qWaitFor([&form] { return form->isIdle(); }, 3000));
    const double recordingSeconds = firstBlockSeconds + double(clock.elapsed()) / 1000;

    action(*form, "toolb_2_save")->trigger();
    EXPECT_TRUE(form->WasSavedAsNew());
    const Samples saved = bankSound("0002");
    EXPECT_NEAR(double(saved.size()) / 8000, recordingSeconds, 0.15);
    const auto [first, last] = loudSpan(saved);
    EXPECT_NEAR(double(last - first) / 8000, 1.0, 0.02) << "the tone keeps its length";

    const std::span<const std::int16_t> heard(saved.data() + first, last - first);
    EXPECT_GT(toneLevel(heard, 1000), 0.4); // 16000 of 32768: about 0.49
    EXPECT_LT(toneLevel(heard, 800), 0.02);
    EXPECT_LT(toneLevel(heard, 1250), 0.02);
    EXPECT_TRUE(ui.messages().empty());
}

TEST_F(Form2RealDeviceTest, TimeAndWaveformGrowBeforeTheRecordingStops)
{
    if (const std::optional<std::string> missing = missingSoundServer())
        GTEST_SKIP() << *missing;
    const std::unique_ptr<Form2> form = recordingEditor();
    ASSERT_TRUE(form);
    // What the operator sees during the first second of sound, checked as often as it can change.
    const QRegularExpression seconds(QStringLiteral("(\\d+\\.\\d) сек"));
    std::vector<double> shown;
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            const QRegularExpressionMatch match = seconds.match(pane(*form, 1));
            const double value = match.hasMatch() ? match.captured(1).toDouble() : 0;
            if (shown.empty() || shown.back() != value)
                shown.push_back(value);
            return value >= 1.0;
        },
        5000));
    const int grown = form->findChild<WaveformView *>("label_2")->drawnColumns();
    button(*form, "pictbttn_stop")->click();
    ASSERT_TRUE(QTest::qWaitFor([&form] { return form->isIdle(); }, 3000));

    EXPECT_GE(shown.size(), 7U) << "the time runs in tenths, not in jumps";
    for (std::size_t i = 1; i < shown.size(); ++i)
        EXPECT_LE(shown[i] - shown[i - 1], 0.35) << "from " << shown[i - 1];
    EXPECT_GE(grown, ViewWidth * 9 / 50) << "0.95 s and more of a 5 s span drawn before the stop";
}

} // namespace
} // namespace vorela::test
