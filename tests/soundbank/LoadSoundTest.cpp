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

/// A format record in the extensible layout, as some programs write even plain PCM: the coding
/// tag moves into the first two bytes of the sub-format.
Bytes extensibleRecord(std::uint16_t coding, std::uint16_t channels, std::uint32_t rate,
                       std::uint16_t bits)
{
    const auto blockAlign = static_cast<std::uint16_t>(channels * bits / 8);
    Bytes record = formatRecord(0xFFFE, channels, rate, rate * blockAlign, blockAlign, bits);
    test::putU16(record, 22);   // the size of what follows
    test::putU16(record, bits); // valid bits per sample
    test::putU32(record, channels == 1 ? 4 : 3);
    test::putU16(record, coding);
    const Bytes guidTail{0, 0, 0, 0, 0x10, 0, 0x80, 0, 0, 0xAA, 0, 0x38, 0x9B, 0x71};
    record.insert(record.end(), guidTail.begin(), guidTail.end());
    return record;
}

class LoadSoundTest : public ::testing::Test {
protected:
    bool load(const Bytes &bytes, std::string_view chunkId = "data", bool checkFormat = true,
              std::string_view target = "0001")
    {
        test::writeFile(file, bytes);
        return soundBank.LoadSound(file, chunkId, checkFormat, sound, target);
    }
    bool loadBank(const Bytes &bytes, std::string_view chunkId, bool checkFormat = false)
    {
        test::writeFile(dir.dataDirectory().productBank(), bytes);
        return soundBank.LoadSound(dir.dataDirectory().productBank(), chunkId, checkFormat, sound);
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

TEST_F(LoadSoundTest, EachFaultHasItsBankTextAndItsImportText)
{
    const Bytes good = test::riffWave({chunk("fmt ", formatRecord()), chunk("data", samples(4))});
    const auto withFormat = [](const Bytes &record) {
        return test::riffWave({chunk("fmt ", record), chunk("data", samples(4))});
    };
    Bytes notWave = good;
    notWave[11] = 'X';
    Bytes hugeFormat = good;
    test::setU32At(hugeFormat, 16, 0xFFFFFFF0);
    Bytes hugeData = good;
    test::setU32At(hugeData, 40, 0xFFFFFFF0);
    Bytes hugeForm = good; // a form claiming more than the file is read up to the file's end
    test::setU32At(hugeForm, 4, 0xFFFFFFFF);
    const Bytes record = formatRecord();
    const Bytes extensible = extensibleRecord(1, 2, 44100, 16);
    Bytes mp3;
    test::putText(mp3, "ID3");
    mp3.resize(64, 0);

    const std::string bad = "Файл «Запись 1.wav» не подходит: ";
    // A file in another format is converted for any lexeme but the greeting phrase.
    const std::string greeting =
        " Фразу приветствия берут только из заверенного файла WAV 8000 Гц, моно, 16 бит: "
        "преобразование нарушило бы её подпись.";
    const std::string needed = ", а нужен 8000 Гц, моно, 16 бит." + greeting;
    // bank: the numbered text of reading the bank, nullptr when the bytes load without the
    // format check; import: the text for the operator's own file bound for the greeting phrase,
    // empty when it loads.
    const struct {
        const char *name;
        Bytes bytes;
        const char *bank;
        std::string import;
    } cases[] = {
        {"an MP3 file", mp3, "Ошибка pаботы с файлом! (0001)",
         bad + "это не файл WAV. (0001)" + greeting},
        {"form type not WAVE", notWave, "Ошибка pаботы с файлом! (0001)",
         bad + "это не файл WAV. (0001)" + greeting},
        {"no fmt chunk", test::riffWave({chunk("data", samples(4))}),
         "Ошибка pаботы с файлом! (0002)", bad + "в нём нет описания формата звука. (0002)"},
        {"fmt body beyond the end", hugeFormat, "Ошибка pаботы с файлом! (0003)",
         bad + "он обрезан или повреждён — описание формата звука обрывается. (0003)"},
        {"floating point", withFormat(formatRecord(3, 1, 8000, 32000, 4, 32)), nullptr,
         bad + "звук в нём записан числами с плавающей точкой" + needed},
        {"compressed", withFormat(formatRecord(0x55, 1, 8000, 2000, 1, 0)), nullptr,
         bad + "звук в нём сжат или записан особым способом" + needed},
        {"44100 stereo", withFormat(formatRecord(1, 2, 44100, 176400, 4, 16)), nullptr,
         bad + "в нём звук 44100 Гц, стерео, 16 бит" + needed},
        {"11025 mono", withFormat(formatRecord(1, 1, 11025, 22050, 2, 16)), nullptr,
         bad + "в нём звук 11025 Гц, моно, 16 бит" + needed},
        {"8 bits", withFormat(formatRecord(1, 1, 8000, 8000, 1, 8)), nullptr,
         bad + "в нём звук 8000 Гц, моно, 8 бит" + needed},
        {"six channels of 24 bits", withFormat(formatRecord(1, 6, 48000, 864000, 18, 24)), nullptr,
         bad + "в нём звук 48000 Гц, 6 каналов, 24 бита" + needed},
        {"three channels of 32 bits", withFormat(formatRecord(1, 3, 8000, 96000, 12, 32)), nullptr,
         bad + "в нём звук 8000 Гц, 3 канала, 32 бита" + needed},
        {"44100 stereo, extensible", withFormat(extensibleRecord(1, 2, 44100, 16)), nullptr,
         bad + "в нём звук 44100 Гц, стерео, 16 бит" + needed},
        {"floating point, extensible", withFormat(extensibleRecord(3, 1, 8000, 32)), nullptr,
         bad + "звук в нём записан числами с плавающей точкой" + needed},
        {"bank values, extensible", withFormat(extensibleRecord(1, 1, 8000, 16)), nullptr,
         bad + "формат звука описан в нём в расширенном виде, а нужен простой заголовок WAV." +
             greeting},
        {"extensible cut before its sub-format",
         withFormat(Bytes(extensible.begin(), extensible.begin() + 24)), nullptr,
         bad + "описание формата звука в нём повреждено." + greeting},
        {"wrong bytes per second", withFormat(formatRecord(1, 1, 8000, 8000, 2, 16)), nullptr,
         bad + "описание формата звука в нём повреждено." + greeting},
        {"record cut to 8 bytes", withFormat(Bytes(record.begin(), record.begin() + 8)), nullptr,
         bad + "описание формата звука в нём повреждено." + greeting},
        {"no data chunk", test::riffWave({chunk("fmt ", formatRecord())}),
         "Ошибка pаботы с файлом! (0004)", bad + "в нём нет звука. (0004)"},
        {"empty data chunk", test::riffWave({chunk("fmt ", formatRecord()), chunk("data", {})}),
         "Ошибка pаботы с файлом! (0005)", bad + "звук в нём пустой. (0005)"},
        {"data chunk of one byte",
         test::riffWave({chunk("fmt ", formatRecord()), chunk("data", {7})}),
         "Ошибка pаботы с файлом! (0005)", bad + "звук в нём пустой. (0005)"},
        {"data size beyond the end", hugeData, "Ошибка pаботы с файлом! (0006)",
         bad + "он обрезан или повреждён — звук обрывается. (0006)"},
        {"form size beyond the end", hugeForm, nullptr, {}},
        {"8-bit with 2-byte blocks",
         withFormat(formatRecord(1, 1, 8000, 16000, 2, 8)),
         nullptr,
         {}},
    };
    file = dir.path() / "Запись 1.wav";
    soundBank.setGreetingGate([](std::span<const std::int16_t>) { return true; });
    for (const auto &entry : cases) {
        if (entry.bank != nullptr)
            ui.expectMessage(entry.bank, MessageAnswer::Ok);
        EXPECT_EQ(loadBank(entry.bytes, "data"), entry.bank == nullptr) << entry.name;
        if (entry.bank != nullptr) {
            EXPECT_EQ(ui.messages().back().text, entry.bank) << entry.name;
        }

        if (!entry.import.empty())
            ui.expectMessage(entry.import, MessageAnswer::Ok);
        EXPECT_EQ(load(entry.bytes, "data", true, "PRIV"), entry.import.empty()) << entry.name;
        if (!entry.import.empty()) {
            EXPECT_EQ(ui.messages().back().text, entry.import) << entry.name;
        }
    }
    EXPECT_TRUE(ui.finished());
    for (const MessageRequest &message : ui.messages()) {
        EXPECT_EQ(message.caption, Title);
        EXPECT_EQ(message.icon, MessageIcon::Warning);
        EXPECT_EQ(message.buttons, MessageButtons::Ok);
    }
}

TEST_F(LoadSoundTest, TheBankKeepsItsUnnumberedTexts)
{
    ui.expectMessage("Ошибка откpытия файла!", MessageAnswer::Ok);
    EXPECT_FALSE(soundBank.LoadSound(dir.dataDirectory().productBank(), "0001", false, sound));
    EXPECT_EQ(ui.messages().back().text, "Ошибка откpытия файла!");
    EXPECT_EQ(ui.messages().back().caption, Title);

    const std::string wrongFormat =
        "Файл должен быть записан в следующем формате:      \r\n\r\n"
        "Частота дискретизации:\t8кГц\r\nМоно\r\nТип оцифровки:\t\tPCM 16 bit\r\n";
    ui.expectMessage(wrongFormat, MessageAnswer::Ok);
    EXPECT_FALSE(loadBank(test::riffWave({chunk("fmt ", formatRecord(1, 1, 11025, 22050, 2, 16)),
                                          chunk("0001", samples(4))}),
                          "0001", /*checkFormat=*/true));
    EXPECT_EQ(ui.messages().back().text, wrongFormat);
    EXPECT_EQ(ui.messages().back().caption, "Недопустимый формат файла!");
    EXPECT_TRUE(ui.finished());
}

TEST_F(LoadSoundTest, ImportedFileIsNamedAsItIs)
{
    // Only the file's own name: the folders of a long path would push the reason off the box.
    ui.expectMessage("Ответ.wav", MessageAnswer::Ok);
    EXPECT_FALSE(soundBank.LoadSound(dir.path() / "Звуки" / "Ответ.wav", "data", true, sound));
    EXPECT_EQ(ui.messages().back().text, "Не удаётся открыть файл «Ответ.wav».");

    file = dir.path() / "громче на 50%2.wav";
    ui.expectMessage("громче", MessageAnswer::Ok);
    EXPECT_FALSE(load(test::riffWave({chunk("fmt ", formatRecord())})));
    EXPECT_EQ(ui.messages().back().text,
              "Файл «громче на 50%2.wav» не подходит: в нём нет звука. (0004)");
    EXPECT_TRUE(ui.finished());
}

TEST_F(LoadSoundTest, EveryTruncationFailsWithOneMessageAndKeepsTheOldSound)
{
    const Bytes wav = test::riffWave(
        {chunk("LIST", Bytes(5, 'x')), chunk("fmt ", formatRecord()), chunk("data", samples(6))});
    sound.samples = {42};
    for (std::size_t length = 0; length < wav.size(); ++length) {
        ui.expectMessage("Файл «import.wav» не подходит: ", MessageAnswer::Ok);
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
