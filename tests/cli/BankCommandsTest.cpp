// `vorela bank ...` as an operator runs it: a real process on a bank and WAV files built here.
#include "ToolProcess.h"
#include "soundbank/RiffBytes.h"
#include "support/TempDataDir.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace vorela {
namespace {

using test::Bytes;
using test::chunk;
using test::samples;

class BankCommandsTest : public ::testing::Test {
protected:
    void SetUp() override { test::writeFile(bankPath, bank); }

    /// Runs a program of the build with arguments; its exit status, stdout in output.
    int run(const std::string &program, const std::string &arguments)
    {
        return keepOutput(test::runTool(program, arguments));
    }
    int vorela(const std::string &arguments)
    {
        return keepOutput(test::runVorela(dir.path(), arguments));
    }
    int keepOutput(test::ToolRun run)
    {
        output = std::move(run.output);
        return run.status;
    }
    std::string file(const std::string &name) const { return (dir.path() / name).string(); }

    test::TempDataDir dir;
    std::filesystem::path bankPath = dir.dataDirectory().productBank();
    const Bytes bank = test::bank({chunk("0001", samples(16000)), chunk("+DLR", samples(1500))});
    std::string output;
};

TEST_F(BankCommandsTest, ListShowsIdOffsetBytesAndSeconds)
{
    ASSERT_EQ(vorela("bank list"), 0);
    EXPECT_EQ(output, "0001\t36\t32000\t2.00\n+DLR\t32044\t3000\t0.19\n");
}

TEST_F(BankCommandsTest, ListLeavesOutAChunkCutShortByTheEndOfTheFile)
{
    // Rewrites drop such a chunk; the list must not promise it.
    Bytes torn = test::concat(bank, chunk("0003", samples(4)));
    test::setU32At(torn, 4, static_cast<std::uint32_t>(torn.size() - 8));
    torn.resize(torn.size() - 4);
    test::writeFile(bankPath, torn);
    ASSERT_EQ(vorela("bank list"), 0);
    EXPECT_EQ(output, "0001\t36\t32000\t2.00\n+DLR\t32044\t3000\t0.19\n");
}

TEST_F(BankCommandsTest, ImportedSoundExportsAsTheSameSamples)
{
    const Bytes sound = samples(300, -150);
    test::writeFile(file("in.wav"),
                    test::riffWave({chunk("LIST", Bytes(7, 'i')),
                                    chunk("fmt ", test::formatRecord()), chunk("data", sound)}));
    ASSERT_EQ(vorela("bank import 0002 " + file("in.wav")), 0);
    ASSERT_EQ(vorela("bank export 0002 " + file("out.wav")), 0);
    EXPECT_EQ(test::readFile(file("out.wav")),
              test::riffWave({chunk("fmt ", test::formatRecord()), chunk("data", sound)}));
    EXPECT_EQ(vorela("bank export 0009 " + file("none.wav")), 1);
    EXPECT_FALSE(std::filesystem::exists(file("none.wav")));
}

TEST_F(BankCommandsTest, RefusedImportsNameTheFileAndLeaveTheBank)
{
    Bytes notWave;
    test::putText(notWave, "ID3");
    notWave.resize(40, 0);
    // A stereo recording would be converted: this one ends before its sound does.
    Bytes cutStereo = test::riffWave(
        {chunk("fmt ", test::formatRecord(1, 2, 8000, 32000, 4, 16)), chunk("data", samples(80))});
    cutStereo.resize(cutStereo.size() - 40);
    const struct {
        const char *name;
        Bytes bytes;
        const char *message;
    } cases[] = {
        {"cut.wav", cutStereo,
         "Файл «cut.wav» не подходит: он обрезан или повреждён — звук "
         "обрывается. (0006)"},
        {"empty.wav", test::riffWave({chunk("fmt ", test::formatRecord()), chunk("data", {})}),
         "Файл «empty.wav» не подходит: звук в нём пустой. (0005)"},
        {"song.wav", notWave,
         "Файл «song.wav» не подходит: это не звукозапись WAV, FLAC, Ogg или MP3, или она "
         "повреждена. (0001)"},
        {"missing.wav", {}, "Не удаётся открыть файл «missing.wav»."},
    };
    for (const auto &entry : cases) {
        if (!entry.bytes.empty())
            test::writeFile(file(entry.name), entry.bytes);
        const test::ToolRun run =
            test::runVorela(dir.path(), "bank import 0002 " + file(entry.name));
        EXPECT_EQ(run.status, 1) << entry.name;
        EXPECT_EQ(run.errors, "vorela: " + std::string(entry.message) +
                                  "\nvorela: " + file(entry.name) + ": not imported\n")
            << entry.name;
    }
    EXPECT_EQ(test::readFile(bankPath), bank);
}

TEST_F(BankCommandsTest, GreetingPhraseNeedsASoundCertifiedByATrustedKey)
{
    const std::string key = file("key.pem");
    ASSERT_EQ(run("/src/signtool/vorela-sign", "keygen " + key + " " + file("key.pub")), 0);
    test::writeFile(file("plain.wav"), test::riffWave({chunk("fmt ", test::formatRecord()),
                                                       chunk("data", samples(9000, -4000))}));
    ASSERT_EQ(run("/src/signtool/vorela-sign",
                  "sign " + key + " " + file("plain.wav") + " " + file("signed.wav")),
              0);
    EXPECT_EQ(vorela("bank import PRIV " + file("signed.wav")), 1); // no trusted key yet
    EXPECT_EQ(test::readFile(bankPath), bank);
    std::filesystem::create_directories(dir.path() / "trusted-keys");
    std::filesystem::copy_file(file("key.pub"), dir.path() / "trusted-keys" / "key.pub");
    EXPECT_EQ(vorela("bank import PRIV " + file("plain.wav")), 1);
    EXPECT_EQ(vorela("bank import PRIV " + file("signed.wav")), 0);
    EXPECT_EQ(vorela("bank import 0005 " + file("plain.wav")), 0); // other lexemes need nothing
}

TEST_F(BankCommandsTest, RemoveTakesTheChunkAndAcceptsAnAbsentOne)
{
    EXPECT_EQ(vorela("bank remove 0001"), 0);
    EXPECT_EQ(vorela("bank remove 0001"), 0);
    EXPECT_EQ(test::readFile(bankPath), test::bank({chunk("+DLR", samples(1500))}));
    std::filesystem::remove(bankPath);
    EXPECT_EQ(vorela("bank remove 0001"), 1);
    EXPECT_EQ(vorela("bank list"), 1);
}

} // namespace
} // namespace vorela
