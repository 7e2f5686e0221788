// Pictures of the full and the compact sound editor with a sound, a selection and the status
// line, written to the build tree for a look; the test checks that the waveform shows.
#include "Form2Fixture.h"

#include "soundeditor/window/WaveformView.h"

#include <QImage>

#include <cmath>
#include <numbers>

namespace vorela::test {
namespace {

// Three syllables of a vowel-like tone, 1.5 s.
Samples spokenLike()
{
    Samples samples(12000);
    for (std::size_t n = 0; n < samples.size(); ++n) {
        const double t = double(n) / 8000;
        const double syllable = std::fmod(t, 0.5);
        const double envelope =
            syllable < 0.35 ? std::sin(std::numbers::pi * syllable / 0.35) : 0.0;
        const double voice = std::sin(2 * std::numbers::pi * 180 * t) +
                             0.5 * std::sin(2 * std::numbers::pi * 720 * t);
        samples[n] = std::int16_t(14000 * envelope * voice);
    }
    return samples;
}

class Form2ScreenshotTest : public Form2Fixture {
protected:
    Form2ScreenshotTest()
    {
        writeFile(dir.dataDirectory().productBank(),
                  bank({chunk("0001", sampleBytes(spokenLike()))}));
        std::filesystem::create_directories(folder);
    }
    static void expectWaveformDrawn(Form2 &form)
    {
        const QImage image = form.findChild<WaveformView *>("label_2")->waveformImage();
        int bright = 0;
        for (int y = 0; y < image.height(); ++y)
            bright += qGreen(image.pixel(image.width() / 8, y)) == 255 ? 1 : 0;
        EXPECT_GT(bright, image.height() / 4); // a loud column fills much of the height
    }
    const std::filesystem::path folder = std::filesystem::path(VORELA_BINARY_DIR) / "screenshots";
};

TEST_F(Form2ScreenshotTest, FullWindow)
{
    const std::unique_ptr<Form2> form = openListened();
    drag(waveform(*form), 120, 260);
    form->markerTick();
    ASSERT_EQ(shownSelection(*form), (Selection{120, 260}));
    expectWaveformDrawn(*form);
    EXPECT_TRUE(form->grab().save(QString::fromStdString((folder / "form2-full.png").string())));
}

TEST_F(Form2ScreenshotTest, ZoomedWindow)
{
    const std::unique_ptr<Form2> form = openListened();
    click(waveform(*form), 200);
    for (int k = 0; k < 3; ++k)
        form->findChild<QAction *>("toolb_2_zoomIn")->trigger();
    drag(waveform(*form), 150, 330);
    form->markerTick();
    ASSERT_EQ(form->zoom().level(), 8);
    EXPECT_TRUE(form->grab().save(QString::fromStdString((folder / "form2-zoomed.png").string())));
}

TEST_F(Form2ScreenshotTest, CompactWindow)
{
    const std::unique_ptr<Form2> form = openEditor(SoundEditorMode::Listen);
    audio.advance(600);
    form->playTick();
    expectWaveformDrawn(*form);
    EXPECT_LT(form->height(), 200);
    EXPECT_TRUE(form->grab().save(QString::fromStdString((folder / "form2-compact.png").string())));
}

} // namespace
} // namespace vorela::test
