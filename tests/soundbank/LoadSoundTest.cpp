// LoadSound on bank chunks and WAV files spelled out byte by byte, whole and damaged.
#include "soundbank/SoundBank.h"

#include "soundbank/RiffBytes.h"
#include "support/ScriptedUiServices.h"
#include "support/TempDataDir.h"

#include <gtest/gtest.h>

namespace vorela {
namespace {

using test::Bytes;
using test::chunk;
using test::formatRecord;
using test::samples;
using test::sampleValues;

const std::string Title = "Проигрыватель - Лексема";

class LoadSoundTest : public ::testing::Test {
protected:
    bool load(const Bytes &bytes, std::string_view chunkId = "data", bool checkFormat = true,
              std::string_view target = "0001")
    {
        test::writeFile(file, bytes);
        return soundBank.LoadSound(file, chunkId, checkFormat, sound, target);
    }

    test::TempDataDir dir;
    test::ScriptedUiServices ui;
    SoundBank soundBank{dir.dataDirectory(), ui};
    std::filesystem::path file = dir.path() / "import.wav";
    LoadedSound sound;

    void SetUp() override { soundBank.setWindowTitle(Title); }
};

TEST_F(LoadSoundTest, WavChunksAroundFormatAndDataAreSteppedOver)
{
    const Bytes wav = test::riffWave({chunk("LIST", Bytes(13, 'x')), chunk("fmt ", formatRecord()),
                                      chunk("fact", {1, 0, 0, 0}), chunk("junk", Bytes(3, 0)),
                                      chunk("data", samples(5)), chunk("LIST", Bytes(9, 'y'))});
    ASSERT_TRUE(load(wav));
    EXPECT_EQ(sound.samples, sampleValues(5));
    EXPECT_EQ(sound.formatRecord, formatRecord());
    EXPECT_TRUE(ui.messages().empty());
}

TEST_F(LoadSoundTest, BankChunkLoadsWithoutTheFormatCheck)
{
    const Bytes bank = test::bank({chunk("0001", samples(2)), chunk("0002", samples(3, -7))});
    ASSERT_TRUE(load(bank, "0002", /*checkFormat=*/false));
    EXPECT_EQ(sound.samples, sampleValues(3, -7));
}

TEST_F(LoadSoundTest, FormatCheckTakesOnlyTheBankFormat)
{
    const Bytes record = formatRecord();
    const struct {
        const char *name;
        Bytes record;
        bool accepted;
    } cases[] = {
        {"bank format", formatRecord(), true},
        {"8-bit with 2-byte blocks", formatRecord(1, 1, 8000, 16000, 2, 8), true},
        {"11025 per second", formatRecord(1, 1, 11025, 22050, 2, 16), false},
        {"stereo", formatRecord(1, 2, 8000, 32000, 4, 16), false},
        {"not PCM", formatRecord(3, 1, 8000, 16000, 2, 16), false},
        {"wrong bytes per second", formatRecord(1, 1, 8000, 8000, 2, 16), false},
        {"record cut to 8 bytes", Bytes(record.begin(), record.begin() + 8), false},
    };
    for (const auto &entry : cases) {
        if (!entry.accepted)
            ui.expectMessage(
                "Файл должен быть записан в следующем формате:      \r\n\r\n"
                "Частота дискретизации:\t8кГц\r\nМоно\r\nТип оцифровки:\t\tPCM 16 bit\r\n",
                MessageAnswer::Ok);
        const Bytes wav = test::riffWave({chunk("fmt ", entry.record), chunk("data", samples(4))});
        EXPECT_EQ(load(wav), entry.accepted) << entry.name;
        if (!entry.accepted) {
            EXPECT_EQ(ui.messages().back().caption, "Недопустимый формат файла!") << entry.name;
        }
    }
    EXPECT_TRUE(ui.finished());
}

TEST_F(LoadSoundTest, EachFailingStepShowsItsMessage)
{
    const Bytes good = test::riffWave({chunk("fmt ", formatRecord()), chunk("data", samples(4))});
    Bytes notWave = good;
    notWave[11] = 'X';
    Bytes hugeFormat = good;
    test::setU32At(hugeFormat, 16, 0xFFFFFFF0);
    Bytes hugeData = good;
    test::setU32At(hugeData, 40, 0xFFFFFFF0);
    Bytes hugeForm = good; // a form claiming more than the file is read up to the file's end
    test::setU32At(hugeForm, 4, 0xFFFFFFFF);
    const struct {
        const char *name;
        Bytes bytes;
        const char *text;
    } cases[] = {
        {"not a RIFF file", Bytes(60, 'z'), "Ошибка pаботы с файлом! (0001)"},
        {"form type not WAVE", notWave, "Ошибка pаботы с файлом! (0001)"},
        {"no fmt chunk", test::riffWave({chunk("data", samples(4))}),
         "Ошибка pаботы с файлом! (0002)"},
        {"fmt body beyond the end", hugeFormat, "Ошибка pаботы с файлом! (0003)"},
        {"no data chunk", test::riffWave({chunk("fmt ", formatRecord())}),
         "Ошибка pаботы с файлом! (0004)"},
        {"empty data chunk", test::riffWave({chunk("fmt ", formatRecord()), chunk("data", {})}),
         "Ошибка pаботы с файлом! (0005)"},
        {"data chunk of one byte",
         test::riffWave({chunk("fmt ", formatRecord()), chunk("data", {7})}),
         "Ошибка pаботы с файлом! (0005)"},
        {"data size beyond the end", hugeData, "Ошибка pаботы с файлом! (0006)"},
        {"form size beyond the end", hugeForm, nullptr},
    };
    for (const auto &entry : cases) {
        if (entry.text != nullptr)
            ui.expectMessage(entry.text, MessageAnswer::Ok);
        EXPECT_EQ(load(entry.bytes), entry.text == nullptr) << entry.name;
    }
    EXPECT_TRUE(ui.finished());
    for (const MessageRequest &message : ui.messages()) {
        EXPECT_EQ(message.caption, Title);
        EXPECT_EQ(message.icon, MessageIcon::Warning);
        EXPECT_EQ(message.buttons, MessageButtons::Ok);
    }
    ui.expectMessage("Ошибка откpытия файла!", MessageAnswer::Ok);
    EXPECT_FALSE(soundBank.LoadSound(dir.path() / "absent.wav", "data", true, sound));
}

TEST_F(LoadSoundTest, EveryTruncationFailsWithOneMessageAndKeepsTheOldSound)
{
    const Bytes wav = test::riffWave(
        {chunk("LIST", Bytes(5, 'x')), chunk("fmt ", formatRecord()), chunk("data", samples(6))});
    sound.samples = {42};
    for (std::size_t length = 0; length < wav.size(); ++length) {
        ui.expectMessage("Ошибка", MessageAnswer::Ok);
        EXPECT_FALSE(load(Bytes(wav.begin(), wav.begin() + static_cast<std::ptrdiff_t>(length))))
            << length;
        EXPECT_EQ(sound.samples, std::vector<std::int16_t>{42});
    }
    EXPECT_EQ(ui.messages().size(), wav.size());
    EXPECT_TRUE(load(wav));
}

TEST_F(LoadSoundTest, OddDataKeepsItsWholeSamples)
{
    Bytes data = samples(3);
    data.push_back(9);
    ASSERT_TRUE(load(test::riffWave({chunk("fmt ", formatRecord()), chunk("data", data)})));
    EXPECT_EQ(sound.samples, sampleValues(3));
}

TEST_F(LoadSoundTest, GreetingFromAWavFileMustPassTheGate)
{
    const Bytes wav = test::riffWave({chunk("fmt ", formatRecord()), chunk("data", samples(4))});
    EXPECT_FALSE(load(wav, "data", true, "PRIV")); // no gate: nothing certifies the sound

    std::vector<std::int16_t> checked;
    bool verdict = false;
    soundBank.setGreetingGate([&](std::span<const std::int16_t> values) {
        checked.assign(values.begin(), values.end());
        return verdict;
    });
    EXPECT_FALSE(load(wav, "data", true, "PRIV"));
    EXPECT_EQ(checked, sampleValues(4));
    verdict = true;
    EXPECT_TRUE(load(wav, "data", true, "PRIV"));

    checked.clear();
    verdict = false;
    EXPECT_TRUE(load(wav, "data", true, "0007"));
    EXPECT_TRUE(load(test::bank({chunk("PRIV", samples(4))}), "PRIV", false, "PRIV"));
    EXPECT_TRUE(checked.empty());
    EXPECT_TRUE(ui.messages().empty());
}

} // namespace
} // namespace vorela
