// `vorela check --sounds` and `vorela bank normalize` on a small library with the faults an
// operator's recordings have: a word too quiet (made by sox), one clipped, one after a long pause,
// one empty, one silent.
#include "LexemeNodes.h"
#include "ToolProcess.h"
#include "audio/Loudness.h"
#include "soundbank/BankSounds.h"
#include "soundbank/RiffBytes.h"
#include "support/TempDataDir.h"
#include "support/TestTone.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <sstream>

namespace vorela {
namespace {

using test::bytesOf;
using test::joined;
using test::silence;
using test::toneAtRms;

// The tab-separated lines of an output, keyed by their first field.
std::map<std::string, std::vector<std::string>> linesById(const std::string &output)
{
    std::map<std::string, std::vector<std::string>> lines;
    std::istringstream stream(output);
    for (std::string line; std::getline(stream, line);) {
        std::vector<std::string> fields;
        std::istringstream fieldStream(line);
        for (std::string field; std::getline(fieldStream, field, '\t');)
            fields.push_back(field);
        lines[fields.at(0)] = fields;
    }
    return lines;
}

class LevelCommandsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (std::system("command -v sox >/dev/null 2>&1") != 0)
            GTEST_SKIP() << "sox is needed for an independently made recording";
        std::string error;
        const std::unique_ptr<RegistryStore> store =
            RegistryStore::open(dir.dataDirectory().registry(), error);
        ASSERT_TRUE(store) << error;
        test::writeLexemeNodes(*store, {{"1", "PRIV", "Приветствие"},
                                        {"2", "0001", "один"},
                                        {"3", "0002", "два"},
                                        {"4", "0003", "три"},
                                        {"5", "0004", "тихо"},
                                        {"6", "0005", "громко"},
                                        {"7", "0006", "после паузы"},
                                        {"8", "0007", "пусто"},
                                        {"9", "0008", "тишина"},
                                        {"10", "__PS", "Пауза"},
                                        {"11", "@009", "Сумма (руб)"}});
        const std::vector<std::int16_t> clipped = withGain(toneAtRms(997, 0.9, -9), 8);
        test::writeFile(
            bank,
            test::bank({
                test::chunk("PRIV", bytesOf(toneAtRms(600, 1.2, -28))),
                test::chunk("0001", bytesOf(toneAtRms(440, 0.8, -20))),
                test::chunk("0002", bytesOf(toneAtRms(520, 0.6, -19))),
                test::chunk("0003", bytesOf(toneAtRms(330, 0.3, -21))),
                test::chunk("0005", bytesOf(clipped)),
                test::chunk("0006", bytesOf(joined({silence(0.8), toneAtRms(700, 0.7, -20)}))),
                test::chunk("0007", {}),
                test::chunk("0008", bytesOf(test::whiteNoise(1, -66))),
                test::chunk("__PS", bytesOf(silence(0.3))),
            }));
        // RMS of a sine is 3 dB under its peak: -26 dBFS, 6 LU under the others.
        const std::string quiet = (dir.path() / "quiet.wav").string();
        ASSERT_EQ(
            std::system(
                ("sox -n -r 8000 -b 16 -c 1 " + quiet + " synth 1 sine 1000 gain -23").c_str()),
            0);
        ASSERT_EQ(vorela("bank import 0004 " + quiet).status, 0);
    }

    test::ToolRun vorela(const std::string &arguments) const
    {
        return test::runVorela(dir.path(), arguments);
    }

    SoundMeasure measured(std::string_view id) const
    {
        BankSounds sounds;
        EXPECT_TRUE(sounds.open(bank));
        const std::optional<std::vector<std::int16_t>> samples = sounds.samples(id);
        EXPECT_TRUE(samples.has_value()) << id;
        return measureSound(samples.value_or(std::vector<std::int16_t>{})).value();
    }

    test::TempDataDir dir;
    std::filesystem::path bank = dir.dataDirectory().productBank();
};

TEST_F(LevelCommandsTest, CheckFlagsWhatStandsOutFromTheLibrary)
{
    const test::ToolRun check = vorela("check --sounds");
    EXPECT_EQ(check.status, 2) << check.errors;
    const std::map<std::string, std::vector<std::string>> lines = linesById(check.output);
    const std::map<std::string, std::string> expected = {
        {"PRIV", "LU тише середины библиотеки"}, // only told: never levelled
        {"0004", "LU тише середины библиотеки"}, {"0005", "LU громче середины библиотеки"},
        {"0006", "тишина в начале: 0.80 с"},     {"0007", "пустой: в нём нет ни одного отсчёта"},
        {"0008", "пустой: в нём одна тишина"},
    };
    ASSERT_EQ(lines.size(), expected.size() + 2) << check.output;
    EXPECT_TRUE(check.output.ends_with("\nЗвуков проверено: 10\nС замечаниями: 6\n"))
        << check.output;
    for (const auto &[id, reason] : expected) {
        ASSERT_TRUE(lines.contains(id)) << id << '\n' << check.output;
        EXPECT_NE(lines.at(id).at(1).find(reason), std::string::npos) << lines.at(id).at(1);
    }
    EXPECT_NE(lines.at("0005").at(1).find("обрезанных отсчётов: "), std::string::npos);
    EXPECT_EQ(lines.at("0004").at(2), "5\\ (тихо)");
    // Tones under 1 kHz read a little under their RMS level: the median is about -20.5 LUFS.
    EXPECT_NEAR(std::stod(lines.at("0004").at(1).substr(std::string("на ").size())), 5.5, 0.3);

    const test::ToolRun verbose = vorela("check --sounds --verbose");
    EXPECT_EQ(verbose.status, 2);
    const auto table = linesById(verbose.output);
    EXPECT_EQ(table.at("ID").at(2), "LUFS");
    // Header, 10 sounds and the two summary lines; flagged lines share ids.
    EXPECT_EQ(table.size(), 1 + 10 + 2U) << verbose.output;
}

TEST_F(LevelCommandsTest, NormalizeLevelsEverySoundButTheGreetingInOneRewrite)
{
    const test::Bytes before = test::readFile(bank);
    BankSounds original;
    ASSERT_TRUE(original.open(bank));
    const test::ToolRun run = vorela("bank normalize --all");
    ASSERT_EQ(run.status, 0) << run.errors;
    const std::map<std::string, std::vector<std::string>> lines = linesById(run.output);
    EXPECT_NEAR(std::stod(lines.at("0004").at(1)), 6.0, 0.3); // "+6.0 dB"
    EXPECT_EQ(lines.at("PRIV").at(1), "unchanged");
    EXPECT_EQ(lines.at("0008").at(2), "silent");
    for (const char *id : {"0001", "0002", "0003", "0004", "0005", "0006"}) {
        const SoundMeasure measure = measured(id);
        ASSERT_TRUE(measure.loudness.has_value()) << id;
        EXPECT_NEAR(*measure.loudness, LibraryLoudness, 0.15) << id;
        EXPECT_LE(measure.truePeak, LevelledPeakLimit + 0.05) << id;
    }
    BankSounds levelled;
    ASSERT_TRUE(levelled.open(bank));
    for (const char *id : {"PRIV", "0007", "0008", "__PS"})
        EXPECT_EQ(levelled.samples(id), original.samples(id)) << id;
    EXPECT_EQ(levelled.ids(), original.ids());

    // The bank as it was before is kept as a version to go back to.
    const std::string log = vorela("library log").output;
    ASSERT_NE(log.find("\tПеред выравниванием громкости\n"), std::string::npos) << log;
    const std::string diff = vorela("library diff " + log.substr(0, 40)).output;
    EXPECT_NE(diff.find("0004"), std::string::npos) << diff;

    // Levelled once, the library stays as it is, and no version is made for nothing.
    const test::Bytes once = test::readFile(bank);
    EXPECT_NE(once, before);
    const test::ToolRun again = vorela("bank normalize --all");
    EXPECT_EQ(again.status, 0);
    EXPECT_EQ(vorela("library log").output, log);
    EXPECT_NE(again.output.find("\n0 of 10 sounds levelled"), std::string::npos) << again.output;
    EXPECT_EQ(test::readFile(bank), once);
    const test::ToolRun check = vorela("check --sounds");
    EXPECT_FALSE(linesById(check.output).contains("0004")) << check.output;
}

TEST_F(LevelCommandsTest, NormalizeNamedSoundsAndRefusalsThatChangeNothing)
{
    const std::optional<double> unnamed = measured("0002").loudness;
    ASSERT_EQ(vorela("bank normalize 0004 0004").status, 0);
    EXPECT_NEAR(*measured("0004").loudness, LibraryLoudness, 0.15);
    EXPECT_EQ(measured("0002").loudness, unnamed);

    const test::Bytes bytes = test::readFile(bank);
    const struct {
        const char *arguments;
        const char *error;
    } refusals[] = {
        {"bank normalize 0001 PRIV",
         "vorela: chunk 'PRIV' is the greeting phrase: its certificate covers its samples, so it "
         "is never levelled; the product bank is unchanged\n"},
        {"bank normalize 0001 0099",
         "vorela: chunk '0099' is not in the product bank; the product bank is unchanged\n"},
        {"bank normalize", "vorela: missing argument ID (or --all)\n"},
        {"bank normalize --all 0001", "vorela: ID excludes --all\n"},
    };
    for (const auto &refusal : refusals) {
        const test::ToolRun run = vorela(refusal.arguments);
        EXPECT_EQ(run.status, 1) << refusal.arguments;
        EXPECT_EQ(run.errors, refusal.error);
        EXPECT_EQ(run.output, "");
    }
    EXPECT_EQ(test::readFile(bank), bytes);

    // Without a version to go back to, nothing is levelled.
    std::filesystem::remove_all(bank.parent_path() / "history.git");
    test::writeFile(bank.parent_path() / "history.git", test::Bytes{'x'});
    const test::ToolRun unkept = vorela("bank normalize 0002");
    EXPECT_EQ(unkept.status, 1);
    EXPECT_NE(unkept.errors.find("no version could be kept before levelling the bank"),
              std::string::npos)
        << unkept.errors;
    EXPECT_EQ(test::readFile(bank), bytes);

    std::filesystem::remove(bank);
    EXPECT_EQ(vorela("check --sounds").status, 1);
    EXPECT_EQ(vorela("bank normalize --all").status, 1);
}

TEST_F(LevelCommandsTest, LevellingHeldByThePeakLimitIsSaidPerSound)
{
    // Clicks have high peaks and little loudness: raising them stops at -1 dBTP near -22 LUFS.
    std::vector<std::int16_t> clicks(8000);
    for (std::size_t n = 0; n < clicks.size(); n += 400)
        clicks[n] = 16000;
    test::writeFile(bank, test::bank({test::chunk("0001", bytesOf(toneAtRms(440, 0.8, -26))),
                                      test::chunk("0002", bytesOf(clicks))}));
    const std::string held = " (stopped by the true peak limit of -1 dBTP)";
    const auto first = linesById(vorela("bank normalize --all").output);
    EXPECT_TRUE(first.at("0002").at(2).ends_with(held)) << first.at("0002").at(2);
    EXPECT_FALSE(first.at("0001").at(2).ends_with(held)) << first.at("0001").at(2);
    const auto again = linesById(vorela("bank normalize 0002").output);
    EXPECT_EQ(again.at("0002").at(1), "unchanged");
    EXPECT_TRUE(again.at("0002").at(2).ends_with(held)) << again.at("0002").at(2);
}

} // namespace
} // namespace vorela
