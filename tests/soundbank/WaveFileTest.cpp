// WaveFile against banks spelled out byte by byte: opening, chunk search, reading, in-place append.
#include "soundbank/WaveFile.h"

#include "platform/FileFaults.h"
#include "soundbank/RiffBytes.h"
#include "support/TempDataDir.h"

#include <gtest/gtest.h>

namespace vorela {
namespace {

using test::bank;
using test::Bytes;
using test::chunk;
using test::samples;

class WaveFileTest : public ::testing::Test {
protected:
    std::filesystem::path write(const Bytes &bytes)
    {
        test::writeFile(path, bytes);
        return path;
    }

    test::TempDataDir dir;
    std::filesystem::path path = dir.path() / "vorela.awf";
};

TEST_F(WaveFileTest, OpenRefusesWhatIsNoWaveFormWithFormat)
{
    const Bytes good = bank({chunk("0001", samples(4))});
    Bytes otherForm = good;
    otherForm[8] = 'A';
    Bytes bigFormat = good;
    test::setU32At(bigFormat, 16, 0x7FFFFFF0);
    const struct {
        const char *name;
        Bytes bytes;
    } cases[] = {
        {"empty file", {}},
        {"form type not WAVE", otherForm},
        {"RIFF header cut", Bytes(good.begin(), good.begin() + 10)},
        {"no fmt chunk", test::riffWave({chunk("data", samples(4))})},
        {"fmt body beyond the end", bigFormat},
    };
    for (const auto &entry : cases) {
        WaveFile file;
        EXPECT_FALSE(file.Open(write(entry.bytes))) << entry.name;
        EXPECT_FALSE(file.HasChunk("0001")) << entry.name;
    }
    WaveFile missing;
    EXPECT_FALSE(missing.Open(dir.path() / "absent.awf"));
}

TEST_F(WaveFileTest, ReadChunkAppendsSoundsAndLeavesBufferForMissingOrEmpty)
{
    write(bank({chunk("0001", samples(3, 10)), chunk("0002", {}), chunk("0003", samples(2, 50)),
                chunk("0001", samples(5, 90))}));
    WaveFile file;
    ASSERT_TRUE(file.Open(path));
    std::vector<std::uint8_t> buffer;
    ASSERT_TRUE(file.ReadChunk("0003", buffer));
    ASSERT_TRUE(file.ReadChunk("0001", buffer)); // the first of two equal ids
    EXPECT_EQ(buffer, test::concat(samples(2, 50), samples(3, 10)));
    ASSERT_TRUE(file.ReadChunk("0009", buffer));
    ASSERT_TRUE(file.ReadChunk("0002", buffer));
    EXPECT_EQ(buffer.size(), 10u);
    EXPECT_TRUE(file.HasChunk("0002"));
    EXPECT_FALSE(file.HasChunk("fmt "));
}

TEST_F(WaveFileTest, AChunkWhoseDataRunsPastTheEndIsNotReadNorAllocated)
{
    Bytes bytes = bank({chunk("0001", samples(4))});
    test::setU32At(bytes, 40, 0xFFFFFFF0);
    WaveFile file;
    ASSERT_TRUE(file.Open(write(bytes)));
    std::vector<std::uint8_t> buffer{1, 2};
    EXPECT_TRUE(file.ReadChunk("0001", buffer)); // a torn chunk is no chunk
    EXPECT_FALSE(file.HasChunk("0001"));
    EXPECT_EQ(buffer, (std::vector<std::uint8_t>{1, 2}));
}

TEST_F(WaveFileTest, AppendChunkWritesTheLayoutTheNotificationApplicationReads)
{
    write(bank({chunk("0001", samples(4))}));
    const Bytes sound = samples(1600);
    WaveFile file;
    ASSERT_TRUE(file.Open(path));
    ASSERT_TRUE(file.AppendChunk("+DLR", sound));
    ASSERT_TRUE(file.AppendChunk("ab", samples(1)));     // padded with blanks
    ASSERT_TRUE(file.AppendChunk("Дол", samples(1)));    // Windows-1251 bytes
    ASSERT_TRUE(file.AppendChunk("abcdef", samples(1))); // cut to four
    EXPECT_TRUE(file.HasChunk("+DLR"));
    EXPECT_TRUE(file.HasChunk("abcdxx"));
    file.Close();
    const Bytes expected =
        bank({chunk("0001", samples(4)), chunk("+DLR", sound), chunk("ab  ", samples(1)),
              chunk("\xC4\xEE\xEB ", samples(1)), chunk("abcd", samples(1))});
    EXPECT_EQ(test::readFile(path), expected);
}

TEST_F(WaveFileTest, AppendChunkReplacesWhatACrashLeftBeyondTheForm)
{
    const Bytes whole = bank({chunk("0001", samples(4))});
    // A chunk cut short inside the form, and stray bytes beyond the declared end.
    Bytes torn = test::concat(whole, chunk("0002", samples(100)));
    torn.resize(whole.size() + 30);
    test::setU32At(torn, 4, static_cast<std::uint32_t>(whole.size() + 8 + 200 - 8));
    const Bytes stray = test::concat(whole, Bytes{'0', '0', '0', '7', 0xFF, 0xFF, 0, 0, 1, 2});
    for (const Bytes &damaged : {torn, stray}) {
        write(damaged);
        WaveFile file;
        ASSERT_TRUE(file.Open(path));
        ASSERT_TRUE(file.AppendChunk("+CNT", samples(3)));
        file.Close();
        EXPECT_EQ(test::readFile(path),
                  bank({chunk("0001", samples(4)), chunk("+CNT", samples(3))}));
    }
}

TEST_F(WaveFileTest, FailedAppendLeavesAReadableBankThatTheNextAppendRepairs)
{
    const Bytes old = bank({chunk("0001", samples(4))});
    const Bytes expected = bank({chunk("0001", samples(4)), chunk("+DLA", samples(7, 3))});
    for (const FileOperation operation : {FileOperation::Write, FileOperation::Fsync}) {
        for (int nth = 1;; ++nth) {
            write(old);
            FileFaults faults;
            faults.failNth(operation, nth);
            WaveFile file(&faults);
            ASSERT_TRUE(file.Open(path));
            if (file.AppendChunk("+DLA", samples(7, 3)))
                break;
            file.Close();
            WaveFile reader;
            ASSERT_TRUE(reader.Open(path)) << nth;
            std::vector<std::uint8_t> sound;
            ASSERT_TRUE(reader.ReadChunk("0001", sound));
            EXPECT_EQ(sound, samples(4));
            ASSERT_TRUE(reader.HasChunk("+DLA") || reader.AppendChunk("+DLA", samples(7, 3)));
            reader.Close();
            EXPECT_EQ(test::readFile(path), expected) << "failing operation " << nth;
        }
    }
}

} // namespace
} // namespace vorela
