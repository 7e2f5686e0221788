// The signing tool and `vorela verify` as an operator runs them: real processes, real files.
#include "ToolProcess.h"
#include "soundbank/RiffBytes.h"
#include "support/TempDataDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace vorela {

namespace {

class VerifyCommandTest : public ::testing::Test {
protected:
    int run(const std::string &program, const std::string &arguments) const
    {
        return test::runTool(program, arguments).status;
    }
    int sign(const std::string &arguments) const
    {
        return run("/src/signtool/vorela-sign", arguments);
    }
    int verify(const std::filesystem::path &wav) const
    {
        return run("/src/cli/vorela",
                   "--data-dir " + dir.path().string() + " verify " + wav.string());
    }
    std::filesystem::path file(const std::string &name) const { return dir.path() / name; }

    test::TempDataDir dir;
};

// A WAV file written byte by byte, with a "LIST" chunk before "fmt " as recorders leave it.
void writeWav(const std::filesystem::path &path, std::size_t samples, std::uint32_t rate = 8000)
{
    test::Bytes data;
    for (std::size_t i = 0; i < samples; ++i)
        test::putU16(data, static_cast<std::uint16_t>((i * 2654435761u) >> 7));
    test::Bytes info;
    test::putText(info, "INFO");
    const test::Bytes format = test::formatRecord(1, 1, rate, rate * 2);
    test::writeFile(path, test::riffWave({test::chunk("LIST", info), test::chunk("fmt ", format),
                                          test::chunk("data", data)}));
}

} // namespace

TEST_F(VerifyCommandTest, SignedSoundVerifiesOnlyWithItsKeyTrusted)
{
    const std::string key = file("key.pem").string();
    ASSERT_EQ(sign("keygen " + key + " " + file("key.pub").string()), 0);
    EXPECT_EQ(sign("keygen " + key + " " + file("other.pub").string()),
              1); // never overwrites a key
    writeWav(file("in.wav"), 16000);
    ASSERT_EQ(sign("sign " + key + " " + file("in.wav").string() + " " + file("out.wav").string()),
              0);

    EXPECT_EQ(verify(file("out.wav")), 2); // nothing trusted yet
    std::filesystem::create_directories(dir.path() / "trusted-keys");
    std::filesystem::copy_file(file("key.pub"), dir.path() / "trusted-keys" / "key.pub");
    EXPECT_EQ(verify(file("out.wav")), 0);
    EXPECT_EQ(verify(file("in.wav")), 2);
    EXPECT_EQ(verify(file("key.pub")), 1);
    EXPECT_EQ(verify(file("missing.wav")), 1);
}

TEST_F(VerifyCommandTest, SignRefusesShortSoundsAndOtherFormats)
{
    const std::string key = file("key.pem").string();
    ASSERT_EQ(sign("keygen " + key + " " + file("key.pub").string()), 0);
    // A 2048-bit certificate takes 540 payload bytes: 8640 samples.
    writeWav(file("short.wav"), 8639);
    writeWav(file("exact.wav"), 8640);
    writeWav(file("fast.wav"), 16000, 16000);
    EXPECT_EQ(sign("sign " + key + " " + file("short.wav").string() + " " + file("a.wav").string()),
              1);
    EXPECT_EQ(sign("sign " + key + " " + file("fast.wav").string() + " " + file("b.wav").string()),
              1);
    EXPECT_FALSE(std::filesystem::exists(file("a.wav")));
    EXPECT_FALSE(std::filesystem::exists(file("b.wav")));
    EXPECT_EQ(sign("sign " + key + " " + file("exact.wav").string() + " " + file("c.wav").string()),
              0);
    EXPECT_EQ(sign("sign " + file("key.pub").string() + " " + file("exact.wav").string() + " " +
                   file("d.wav").string()),
              1);
}

} // namespace vorela
