// A restore killed at random moments: once the next version operation has run, the library is
// the old or the new version whole (registry, product bank and currency bank alike), and the
// history stays sound.
#include "support/ChildProcess.h"
#include "versions/LibraryFixture.h"
#include "versions/VersionRestore.h"

#include <gtest/gtest.h>

#include <random>
#include <thread>

namespace vorela {
namespace {

using namespace std::chrono_literals;
using test::LibraryVariant;

constexpr int Kills = 40;

int restoreInChild(const DataDirectory &data, const std::string &id, test::ChildProcess &self)
{
    std::string error;
    const std::unique_ptr<RegistryStore> store = RegistryStore::open(data.registry(), error);
    const std::unique_ptr<History> history = History::open(data, error);
    if (!store || !history)
        return 1;
    self.tell('o');
    const VersionOutcome outcome =
        restoreVersion(data, *store, *history, id, "child", {.wait = 5s});
    self.tell(outcome.ok() ? 'd' : 'f');
    return 0;
}

TEST(RestoreKillTest, EveryKillLeavesTheOldOrTheNewVersionWhole)
{
    test::LibraryFixture library(300, 8000);
    library.write(LibraryVariant::First);
    const test::LibraryBytes first = library.bytes();
    const std::string firstId = library.save("first");
    library.write(LibraryVariant::Second);
    const test::LibraryBytes second = library.bytes();
    const std::string secondId = library.save("second");
    const DataDirectory data = library.dir.dataDirectory();

    // How long one restore takes in a child, as the killed ones run, sets the range of the kill
    // moments.
    library.history = nullptr;
    std::chrono::microseconds span{};
    {
        test::ChildProcess child(
            [&](test::ChildProcess &self) { return restoreInChild(data, firstId, self); });
        ASSERT_EQ(child.receive(10s), 'o');
        const auto start = std::chrono::steady_clock::now();
        ASSERT_EQ(child.receive(60s), 'd');
        span = std::chrono::duration_cast<std::chrono::microseconds>(
            std::chrono::steady_clock::now() - start);
        ASSERT_EQ(child.wait(), 0);
    }
    ASSERT_TRUE(library.bytes() == first);
    std::mt19937 random(20261208);
    int landed = 0;
    for (int kill = 0; kill < Kills; ++kill) {
        const bool wasFirst = library.bytes() == first;
        const std::string target = wasFirst ? secondId : firstId;
        library.history = nullptr; // the child opens its own
        test::ChildProcess child(
            [&](test::ChildProcess &self) { return restoreInChild(data, target, self); });
        ASSERT_EQ(child.receive(10s), 'o');
        // Every other kill waits for the restore's note first, so that some come after the point
        // of no return however loaded the machine; the others fall anywhere in a restore.
        std::chrono::microseconds range = span;
        if (kill % 2 == 1) {
            const auto deadline = std::chrono::steady_clock::now() + 60s;
            while (!restoreInterrupted(data) && !child.receive(0ms) &&
                   std::chrono::steady_clock::now() < deadline)
                std::this_thread::sleep_for(20us);
            range = span / 10;
        }
        std::this_thread::sleep_for(std::chrono::microseconds(random() % (range.count() + 1)));
        child.kill();
        (void)child.wait();

        std::string error;
        library.history = History::open(data, error);
        ASSERT_TRUE(library.history) << error;
        const VersionOutcome finished =
            finishInterruptedRestore(data, *library.store, *library.history, "t", {.wait = 5s});
        ASSERT_TRUE(finished.ok()) << "kill " << kill << ": " << finished.error;
        const test::LibraryBytes now = library.bytes();
        ASSERT_TRUE(now == first || now == second) << "kill " << kill << ": torn";
        landed += (now == first) != wasFirst ? 1 : 0;
    }
    EXPECT_GT(landed, 0);
    EXPECT_LT(landed, Kills);
    library.history = nullptr;
    const std::string fsck = "git --git-dir '" + (library.dir.path() / "history.git").string() +
                             "' fsck --strict --no-dangling >/dev/null 2>&1";
    EXPECT_EQ(std::system(fsck.c_str()), 0);
}

} // namespace
} // namespace vorela
