// Recordings made by independent tools (sox, flac, oggenc, lame) imported through LoadSound: the
// length and the tones they keep, what the operator is told, and the damaged ones refused.
#include "soundbank/LoadMessages.h"
#include "soundbank/SoundBank.h"

#include "soundbank/RiffBytes.h"
#include "support/ScriptedUiServices.h"
#include "support/TempDataDir.h"
#include "support/TestTone.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace vorela {
namespace {

const std::string Title = "Проигрыватель - Лексема";

bool toolsPresent()
{
    return std::system("(command -v sox && command -v flac && command -v oggenc && "
                       "command -v lame) >/dev/null 2>&1") == 0;
}

class RecordingConversionTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!toolsPresent())
            GTEST_SKIP() << "sox, flac, oggenc and lame make the recordings";
        soundBank.setWindowTitle(Title);
    }

    std::filesystem::path path(const std::string &name) const { return dir.path() / name; }

    /// Runs a shell command in the test folder; the recordings' names need no quoting.
    void shell(const std::string &command) const
    {
        const std::string line =
            "cd '" + dir.path().string() + "' && (" + command + ") >/dev/null 2>&1";
        ASSERT_EQ(std::system(line.c_str()), 0) << command;
    }

    test::TempDataDir dir;
    test::ScriptedUiServices ui;
    SoundBank soundBank{dir.dataDirectory(), ui};
};

TEST_F(RecordingConversionTest, EveryFormatRateAndChannelCountKeepsLengthAndTone)
{
    // One second at half scale: 1000 Hz in mono; 1000 Hz left and 1500 Hz right in stereo, so
    // averaging the channels leaves each at a quarter.
    const struct {
        const char *file;
        const char *make;
        const char *format;
        bool stereo;
        bool lossy = false;
    } cases[] = {
        {"u8.wav", "sox -n -r 11025 -b 8 -e unsigned u8.wav synth 1 sine 1000 vol 0.5",
         "WAV, 11025 Гц, моно, 8 бит", false},
        {"s16.wav", "sox -n -r 22050 -b 16 s16.wav synth 1 sine 1000 sine 1500 vol 0.5",
         "WAV, 22050 Гц, стерео, 16 бит", true},
        {"s24.wav", "sox -n -r 44100 -b 24 s24.wav synth 1 sine 1000 vol 0.5",
         "WAV, 44100 Гц, моно, 24 бита", false},
        {"s32.wav", "sox -n -r 48000 -b 32 s32.wav synth 1 sine 1000 sine 1500 vol 0.5",
         "WAV, 48000 Гц, стерео, 32 бита", true},
        {"f32.wav", "sox -n -r 48000 -b 32 -e floating-point f32.wav synth 1 sine 1000 vol 0.5",
         "WAV, 48000 Гц, моно, 32 бита с плавающей точкой", false},
        {"stereo8k.wav", "sox -n -r 8000 -b 16 stereo8k.wav synth 1 sine 1000 sine 1500 vol 0.5",
         "WAV, 8000 Гц, стерео, 16 бит", true},
        {"t.flac",
         "sox -n -r 44100 -b 16 t.wav synth 1 sine 1000 sine 1500 vol 0.5 && flac -s t.wav",
         "FLAC, 44100 Гц, стерео, 16 бит", true},
        {"t.ogg",
         "sox -n -r 22050 -b 16 o.wav synth 1 sine 1000 vol 0.5 && oggenc -Q o.wav -o t.ogg",
         "Ogg Vorbis, 22050 Гц, моно", false, true},
        {"t.mp3",
         "sox -n -r 44100 -b 16 m.wav synth 1 sine 1000 sine 1500 vol 0.5 && lame m.wav t.mp3",
         "MP3, 44100 Гц, стерео", true, true},
        {"m22.mp3", "sox -n -r 22050 -b 16 n.wav synth 1 sine 1000 vol 0.5 && lame n.wav m22.mp3",
         "MP3, 22050 Гц, моно", false, true},
    };
    for (const auto &entry : cases) {
        shell(entry.make);
        LoadedSound sound;
        ASSERT_TRUE(soundBank.LoadSound(path(entry.file), "data", true, sound, "0001"))
            << entry.file;
        ASSERT_TRUE(sound.convertedFrom.has_value()) << entry.file;
        EXPECT_EQ(conversionNote(path(entry.file), *sound.convertedFrom),
                  std::string("Звук из файла «") + entry.file + "» (" + entry.format +
                      ") преобразован в 8000 Гц, моно, 16 бит.");
        // Lossy coders may leave up to about 70 ms of their padding at the ends, which also
        // dilutes the tone.
        EXPECT_NEAR(static_cast<double>(sound.samples.size()), 8000.0, entry.lossy ? 600 : 4)
            << entry.file;
        const double tolerance = entry.lossy ? 0.07 : 0.02;
        EXPECT_NEAR(test::toneLevel(sound.samples, 1000), entry.stereo ? 0.25 : 0.5, tolerance)
            << entry.file;
        EXPECT_NEAR(test::toneLevel(sound.samples, 1500), entry.stereo ? 0.25 : 0.0, tolerance)
            << entry.file;
        EXPECT_LT(test::toneLevel(sound.samples, 3000), 0.02) << entry.file;
        EXPECT_EQ(sound.formatRecord, test::formatRecord()) << entry.file;
    }
    EXPECT_TRUE(ui.messages().empty());
}

TEST_F(RecordingConversionTest, AnEightKilohertzSixteenBitRecordingKeepsEverySample)
{
    shell("sox -n -r 8000 -b 16 -c 1 same.wav synth 0.5 pinknoise vol 0.7 && flac -s same.wav");
    LoadedSound plain;
    LoadedSound lossless;
    ASSERT_TRUE(soundBank.LoadSound(path("same.wav"), "data", true, plain, "0001"));
    ASSERT_TRUE(soundBank.LoadSound(path("same.flac"), "data", true, lossless, "0001"));
    EXPECT_FALSE(plain.convertedFrom.has_value());
    EXPECT_TRUE(lossless.convertedFrom.has_value());
    ASSERT_EQ(plain.samples.size(), 4000u);
    EXPECT_EQ(lossless.samples, plain.samples);
}

TEST_F(RecordingConversionTest, DamagedAndTruncatedRecordingsAreRefusedByName)
{
    shell("sox -n -r 44100 -c 2 -b 16 w.wav synth 2 sine 440 && flac -s w.wav && "
          "oggenc -Q w.wav -o w.ogg && lame w.wav w.mp3");
    for (const char *name : {"w.wav", "w.flac", "w.ogg", "w.mp3"}) {
        const std::string half = std::string("half-") + name;
        shell("head -c $(( $(stat -c %s " + std::string(name) + ") / 2 )) " + name + " > " + half);
    }
    shell("head -c 6000 /dev/urandom > noise.mp3 && printf 'RIFF' > riff.wav && "
          "head -c 3000 /dev/urandom >> riff.wav");
    const std::string cut = "» не подходит: он обрезан или повреждён — звук обрывается. (0006)";
    const std::string unknown =
        "» не подходит: это не звукозапись WAV, FLAC, Ogg или MP3, или она повреждена. (0001)";
    const std::pair<const char *, std::string> cases[] = {
        {"half-w.wav", cut}, {"half-w.flac", cut},   {"half-w.ogg", cut},
        {"half-w.mp3", cut}, {"noise.mp3", unknown}, {"riff.wav", unknown},
    };
    for (const auto &[name, ending] : cases) {
        const std::string text = std::string("Файл «") + name + ending;
        ui.expectMessage(text, MessageAnswer::Ok);
        LoadedSound sound;
        sound.samples = {42};
        EXPECT_FALSE(soundBank.LoadSound(path(name), "data", true, sound, "0001")) << name;
        EXPECT_EQ(ui.messages().back().text, text) << name;
        EXPECT_EQ(sound.samples, std::vector<std::int16_t>{42}) << name;
    }
    EXPECT_TRUE(ui.finished());
}

TEST_F(RecordingConversionTest, TheGreetingPhraseIsNeverConverted)
{
    shell("sox -n -r 8000 -b 16 -c 1 g.wav synth 1.2 sine 500 && flac -s g.wav");
    bool gateAsked = false;
    soundBank.setGreetingGate([&](std::span<const std::int16_t>) { return gateAsked = true; });
    const std::string text =
        "Файл «g.flac» не подходит: это не файл WAV. (0001) Фразу приветствия берут только из "
        "заверенного файла WAV 8000 Гц, моно, 16 бит: преобразование нарушило бы её подпись.";
    ui.expectMessage(text, MessageAnswer::Ok);
    LoadedSound sound;
    EXPECT_FALSE(soundBank.LoadSound(path("g.flac"), "data", true, sound, "PRIV"));
    EXPECT_EQ(ui.messages().back().text, text);
    EXPECT_FALSE(gateAsked);
    EXPECT_TRUE(soundBank.LoadSound(path("g.wav"), "data", true, sound, "PRIV"));
    EXPECT_TRUE(gateAsked);
}

/// A mono 8000 Hz WAV of 32-bit floats, its samples known to the bit; its data size is at 40.
test::Bytes floatWav(const std::vector<float> &values)
{
    test::Bytes data(values.size() * 4);
    std::memcpy(data.data(), values.data(), data.size());
    return test::riffWave({test::chunk("fmt ", test::formatRecord(3, 1, 8000, 32000, 4, 32)),
                           test::chunk("data", data)});
}

class ConvertedSamplesTest : public ::testing::Test {
protected:
    bool load(const test::Bytes &bytes, LoadedSound &sound)
    {
        test::writeFile(file, bytes);
        return soundBank.LoadSound(file, "data", true, sound, "0001");
    }

    test::TempDataDir dir;
    test::ScriptedUiServices ui;
    SoundBank soundBank{dir.dataDirectory(), ui};
    std::filesystem::path file = dir.path() / "r.wav";
};

TEST_F(ConvertedSamplesTest, FloatSamplesAreRoundedAndClippedInEveryBlock)
{
    const std::pair<float, std::int16_t> table[] = {
        {100.7F / 32768, 101}, {-100.7F / 32768, -101}, {100.3F / 32768, 100},
        {-0.4F / 32768, 0},    {0.5F, 16384},           {1.5F, 32767},
        {-2.0F, -32768},       {-1.0F, -32768}, // full scale itself is no clipping
    };
    std::vector<float> values; // several blocks of the decoder
    std::vector<std::int16_t> expected;
    for (std::size_t n = 0; n < 30000; ++n) {
        values.push_back(table[n % 8].first);
        expected.push_back(table[n % 8].second);
    }
    LoadedSound sound;
    ASSERT_TRUE(load(floatWav(values), sound));
    EXPECT_EQ(sound.samples, expected);
    EXPECT_TRUE(conversionNote(file, sound.convertedFrom.value())
                    .ends_with(" Отсчётов за пределом шкалы, срезанных при преобразовании: 7500."));
}

TEST_F(ConvertedSamplesTest, StreamingSizesMeanTheRestOfTheFile)
{
    // Recorders that write as they go leave 0xFFFFFFFF as the RIFF and the data size.
    const test::Bytes plain = test::riffWave(
        {test::chunk("fmt ", test::formatRecord()), test::chunk("data", test::samples(4000))});
    for (test::Bytes bytes : {floatWav(std::vector<float>(4000, 0.25F)), plain}) {
        for (const std::ptrdiff_t at : {4, 40})
            std::fill_n(bytes.begin() + at, 4, 0xFF);
        LoadedSound sound;
        ASSERT_TRUE(load(bytes, sound));
        ASSERT_EQ(sound.samples.size(), 4000U);
        EXPECT_EQ(sound.samples.back(), sound.convertedFrom ? 8192 : 4099);
    }
}

} // namespace
} // namespace vorela
