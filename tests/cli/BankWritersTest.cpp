// Two `vorela` processes writing one large product bank at once. A third process holds the bank
// writer lock until both wait for it, so they surely overlap; both must succeed, one after the
// other, and neither may undo the other's sound.
#include "LexemeNodes.h"
#include "ToolProcess.h"
#include "soundbank/BankSounds.h"
#include "soundbank/BankWriterLock.h"
#include "soundbank/RiffBytes.h"
#include "support/ChildProcess.h"
#include "support/TempDataDir.h"
#include "support/TestTone.h"

#include <gtest/gtest.h>

#include <future>

namespace vorela {
namespace {

using namespace std::chrono_literals;
using test::Bytes;
using test::chunk;
using test::samples;

constexpr std::size_t FillerChunks = 500; // 500 s of sound, 8 MB: a rewrite takes a while

Bytes bytesOf(const std::vector<std::int16_t> &sound)
{
    Bytes bytes;
    for (const std::int16_t sample : sound)
        test::putU16(bytes, static_cast<std::uint16_t>(sample));
    return bytes;
}

Bytes wavFile(std::size_t sampleCount, std::int16_t first)
{
    return test::riffWave({chunk("fmt ", test::formatRecord()), chunk("data", samples(sampleCount, first))});
}

class BankWritersTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string error;
        const std::unique_ptr<RegistryStore> store =
            RegistryStore::open(dir.dataDirectory().registry(), error);
        ASSERT_TRUE(store) << error;
        test::writeLexemeNodes(*store, {{"1", "0001", "один"}, {"2", "0002", "два"}});
        // The old word is too quiet: levelling changes it.
        std::vector<Bytes> chunks{chunk("0001", bytesOf(test::toneAtRms(440, 1, -35)))};
        const Bytes filler = bytesOf(test::toneAtRms(300, 1, -20));
        for (std::size_t index = 100; index < 100 + FillerChunks; ++index)
            chunks.push_back(chunk("F" + std::to_string(index), filler));
        test::writeFile(dir.dataDirectory().productBank(), test::bank(chunks));
        std::filesystem::create_directories(dir.path() / "in");
    }

    /// Runs both commands while another process holds the lock, and lets it go once both wait.
    std::pair<test::ToolRun, test::ToolRun> runTogether(const std::string &first,
                                                        const std::string &second)
    {
        test::ChildProcess holder([&](test::ChildProcess &self) {
            const BankWriterLock lock(dir.dataDirectory(), 0ms);
            if (!lock.isLocked())
                return 1;
            self.tell('L');
            (void)self.await();
            return 0;
        });
        EXPECT_EQ(holder.receive(5s), 'L');
        auto one = std::async(std::launch::async, [&] { return test::runVorela(dir.path(), first); });
        auto two = std::async(std::launch::async, [&] { return test::runVorela(dir.path(), second); });
        const std::filesystem::path lockFile =
            dir.dataDirectory().locks() / NamedMutex::lockFileName(BankWriterLock::MutexName);
        EXPECT_TRUE(test::waitForProcessesWithOpen(lockFile, 3, 20s));
        holder.send('x');
        EXPECT_EQ(holder.wait(), 0);
        return {one.get(), two.get()};
    }

    std::size_t soundLength(const std::string &chunkId) const
    {
        BankSounds sounds;
        if (!sounds.open(dir.dataDirectory().productBank()))
            return 0;
        const std::optional<std::vector<std::int16_t>> sound = sounds.samples(chunkId);
        return sound ? sound->size() : 0;
    }

    test::TempDataDir dir;
};

TEST_F(BankWritersTest, TwoImportsBothLand)
{
    test::writeFile(dir.path() / "in" / "a.wav", wavFile(1000, 10));
    test::writeFile(dir.path() / "in" / "b.wav", wavFile(1200, 20));
    const auto [one, two] = runTogether("bank import 0001 " + (dir.path() / "in" / "a.wav").string(),
                                        "bank import 0002 " + (dir.path() / "in" / "b.wav").string());
    EXPECT_EQ(one.status, 0) << one.errors;
    EXPECT_EQ(two.status, 0) << two.errors;
    EXPECT_EQ(soundLength("0001"), 1000U);
    EXPECT_EQ(soundLength("0002"), 1200U);
    EXPECT_EQ(soundLength("F599"), 8000U);
}

// Levelling reads every sound before it writes: a word imported meanwhile must not be replaced
// by the levelled copy of the old one (levelling keeps a sound's length, the new word differs).
TEST_F(BankWritersTest, LevellingNeverWritesBackTheOldCopyOfAWordImportedMeanwhile)
{
    test::writeFile(dir.path() / "in" / "0001.wav", wavFile(12000, 30));
    const auto [levelled, imported] =
        runTogether("bank normalize --all", "bank import-dir " + (dir.path() / "in").string());
    EXPECT_EQ(levelled.status, 0) << levelled.errors;
    EXPECT_EQ(imported.status, 0) << imported.errors;
    EXPECT_EQ(soundLength("0001"), 12000U);
}

} // namespace
} // namespace vorela
