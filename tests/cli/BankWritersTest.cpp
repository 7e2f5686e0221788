// Two `vorela` processes writing one 8 MB product bank at once. A third process holds the bank
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
using test::chunk;

class BankWritersTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string error;
        const std::unique_ptr<RegistryStore> store = RegistryStore::open(data.registry(), error);
        ASSERT_TRUE(store) << error;
        test::writeLexemeNodes(*store, {{"1", "0001", "один"}});
        // The old word is too quiet, so levelling rewrites it.
        std::vector<test::Bytes> chunks{chunk("0001", test::bytesOf(test::toneAtRms(440, 1, -35)))};
        for (int index = 100; index < 600; ++index)
            chunks.push_back(chunk("F" + std::to_string(index), test::samples(8000)));
        test::writeFile(data.productBank(), test::bank(chunks));
    }

    std::string wavFile(const std::string &name, std::size_t sampleCount)
    {
        const std::filesystem::path path = dir.path() / "in" / name;
        std::filesystem::create_directories(path.parent_path());
        test::writeFile(path, test::riffWave({chunk("fmt ", test::formatRecord()),
                                              chunk("data", test::samples(sampleCount))}));
        return path.string();
    }

    /// Runs both commands while another process holds the lock, and lets it go once both wait.
    std::pair<test::ToolRun, test::ToolRun> runTogether(const std::string &one,
                                                        const std::string &two)
    {
        test::ChildProcess holder([&](test::ChildProcess &self) {
            const BankWriterLock lock(data, 0ms);
            self.tell(lock.isLocked() ? 'L' : 'F');
            return self.await() ? 0 : 1;
        });
        EXPECT_EQ(holder.receive(5s), 'L');
        auto first =
            std::async(std::launch::async, [&] { return test::runVorela(dir.path(), one); });
        auto second =
            std::async(std::launch::async, [&] { return test::runVorela(dir.path(), two); });
        EXPECT_TRUE(test::waitForProcessesWithOpen(
            data.locks() / NamedMutex::lockFileName(BankWriterLock::MutexName), 3, 20s));
        holder.send('x');
        return {first.get(), second.get()};
    }

    std::size_t soundLength(const std::string &chunkId) const
    {
        BankSounds sounds;
        const auto sound = sounds.open(data.productBank()) ? sounds.samples(chunkId) : std::nullopt;
        return sound ? sound->size() : 0;
    }

    test::TempDataDir dir;
    DataDirectory data = dir.dataDirectory();
};

TEST_F(BankWritersTest, TwoImportsBothLand)
{
    const auto [one, two] = runTogether("bank import 0001 " + wavFile("a.wav", 1000),
                                        "bank import 0002 " + wavFile("b.wav", 1200));
    EXPECT_EQ(one.status, 0) << one.errors;
    EXPECT_EQ(two.status, 0) << two.errors;
    EXPECT_EQ(soundLength("0001"), 1000U);
    EXPECT_EQ(soundLength("0002"), 1200U);
    EXPECT_EQ(soundLength("F599"), 8000U);
}

// Levelling keeps a sound's length; the new word's differs from the old one's.
TEST_F(BankWritersTest, LevellingNeverWritesBackTheOldCopyOfAWordImportedMeanwhile)
{
    wavFile("0001.wav", 12000);
    const auto [levelled, imported] =
        runTogether("bank normalize --all", "bank import-dir " + (dir.path() / "in").string());
    EXPECT_EQ(levelled.status, 0) << levelled.errors;
    EXPECT_EQ(imported.status, 0) << imported.errors;
    EXPECT_EQ(soundLength("0001"), 12000U);
}

} // namespace
} // namespace vorela
