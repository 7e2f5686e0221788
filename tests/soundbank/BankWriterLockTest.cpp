// A rewrite of the bank while another process writes it: after its bounded wait it names that
// writer and leaves the bank as it was; once the writer is done the same rewrite goes through.
#include "soundbank/BankWriterLock.h"

#include "soundbank/BankFileTest.h"
#include "support/ChildProcess.h"

#include <functional>

namespace vorela {
namespace {

using namespace std::chrono_literals;
using test::chunk;
using test::samples;
using test::sampleValues;

class BankWriterLockTest : public test::BankFileTest {
protected:
    void SetUp() override { writeBank(test::bank({chunk("0001", samples(3, 10))})); }

    std::filesystem::path lockFile() const
    {
        return dir.dataDirectory().locks() / NamedMutex::lockFileName(BankWriterLock::MutexName);
    }
};

TEST_F(BankWriterLockTest, AWriterThatWaitsInVainNamesTheHolderAndChangesNothing)
{
    test::ChildProcess holder([&](test::ChildProcess &self) {
        const BankWriterLock lock(dir.dataDirectory(), 0ms);
        if (!lock.isLocked())
            return 1;
        self.tell('L');
        (void)self.await();
        return 0;
    });
    ASSERT_EQ(holder.receive(5s), 'L');
    soundBank.setWriterWait(50ms);
    const test::Bytes before = bankBytes();
    const std::vector<SoundReplacement> batch{{"0002", sampleValues(2)}};
    // Each rewrite answers "failed" in its own way: SaveSounds false, the other two true.
    const std::vector<std::pair<const char *, std::function<bool()>>> writers{
        {"SaveSound", [&] { return soundBank.SaveSound("0001", sampleValues(4)); }},
        {"SaveSounds", [&] { return !soundBank.SaveSounds(batch); }},
        {"RemoveSound", [&] { return soundBank.RemoveSound("0001"); }},
    };
    const std::string holderName =
        "test_soundbank (процесс " + std::to_string(holder.processId()) + ")";
    for (const auto &[name, write] : writers) {
        ui.expectMessage(holderName, MessageAnswer::Ok);
        EXPECT_TRUE(write()) << name;
        EXPECT_TRUE(ui.finished()) << name;
        EXPECT_EQ(bankBytes(), before) << name;
        EXPECT_FALSE(temporaryLeft()) << name;
    }

    holder.send('x');
    ASSERT_EQ(holder.wait(), 0);
    // The holder's record went with it; the rewrite goes through without a word.
    EXPECT_EQ(std::filesystem::file_size(lockFile()), 0U);
    EXPECT_FALSE(soundBank.SaveSound("0001", sampleValues(4)));
    EXPECT_EQ(bankBytes(), test::bank({chunk("0001", samples(4))}));
    EXPECT_TRUE(ui.messages().size() == writers.size());
}

} // namespace
} // namespace vorela
