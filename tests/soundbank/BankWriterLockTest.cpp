// A rewrite of the bank while another process writes it: after its bounded wait it names that
// writer and leaves the bank as it was; once the writer is done the same rewrite goes through.
#include "soundbank/BankWriterLock.h"

#include "soundbank/BankFileTest.h"
#include "support/ChildProcess.h"

#include <functional>

namespace vorela {
namespace {

using namespace std::chrono_literals;
using test::sampleValues;

class BankWriterLockTest : public test::BankFileTest {};

TEST_F(BankWriterLockTest, AWriterThatWaitsInVainNamesTheHolderAndChangesNothing)
{
    writeBank(test::bank({test::chunk("0001", test::samples(3))}));
    const test::Bytes before = bankBytes();
    test::ChildProcess holder([&](test::ChildProcess &self) {
        const BankWriterLock lock(dir.dataDirectory(), 0ms);
        self.tell(lock.isLocked() ? 'L' : 'F');
        return self.await() ? 0 : 1;
    });
    ASSERT_EQ(holder.receive(5s), 'L');
    soundBank.setWriterWait(50ms);
    const std::vector<SoundReplacement> batch{{"0002", sampleValues(2)}};
    // Each answers "failed" its own way: SaveSounds false, SaveSound and RemoveSound true.
    const std::vector<std::function<bool()>> writers{
        [&] { return soundBank.SaveSound("0001", sampleValues(4)); },
        [&] { return !soundBank.SaveSounds(batch); },
        [&] { return soundBank.RemoveSound("0001"); },
    };
    for (const std::function<bool()> &write : writers) {
        ui.expectMessage("test_soundbank (процесс " + std::to_string(holder.processId()) + ")",
                         MessageAnswer::Ok);
        EXPECT_TRUE(write());
        EXPECT_TRUE(ui.finished());
        EXPECT_EQ(bankBytes(), before);
        EXPECT_FALSE(temporaryLeft());
    }

    holder.send('x');
    ASSERT_EQ(holder.wait(), 0);
    EXPECT_FALSE(soundBank.SaveSound("0001", sampleValues(4)));
    EXPECT_EQ(bankBytes(), test::bank({test::chunk("0001", test::samples(4))}));
}

} // namespace
} // namespace vorela
