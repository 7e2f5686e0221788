#include "platform/NamedMutex.h"

#include "support/ChildProcess.h"
#include "support/TempDataDir.h"

#include <gtest/gtest.h>

#include <set>

#include <fcntl.h>
#include <fstream>
#include <sys/file.h>
#include <thread>
#include <unistd.h>

namespace vorela {

using namespace std::chrono_literals;

TEST(NamedMutex, LockFileNamesEscapeEveryByteOutsideThePortableSet)
{
    const struct {
        std::string_view name;
        std::string_view file;
    } cases[] = {
        {"VEZEVOREZIDI", "VEZEVOREZIDI.lock"},
        {"a-b_c.9", "a-b_c.9.lock"},
        {"1A1", "1A1.lock"},
        {"Долги/Оп 1", "%D0%94%D0%BE%D0%BB%D0%B3%D0%B8%2F%D0%9E%D0%BF%201.lock"},
        {"..", "...lock"},
        {"%", "%25.lock"},
    };
    for (const auto &entry : cases)
        EXPECT_EQ(NamedMutex::lockFileName(entry.name), entry.file) << entry.name;
    // Names too long for a file keep within 255 bytes, apart from each other and whole escapes.
    std::set<std::string> files;
    std::string name;
    for (int letters = 0; letters < 80; ++letters) {
        name += "Ж";
        for (const std::string_view tail : {"", "%", "z", "zz"}) {
            const std::string file = NamedMutex::lockFileName(name + std::string(tail));
            EXPECT_LE(file.size(), 255u) << letters;
            EXPECT_TRUE(files.insert(file).second) << file;
            if (const std::size_t hash = file.find('~'); hash != std::string::npos) {
                EXPECT_LE(file.rfind('%') + 3, hash) << file;
            }
        }
    }
}

TEST(NamedMutex, ReentrantInOneThreadExclusiveAcrossThreads)
{
    const test::TempDataDir dir;
    NamedMutex first(dir.dataDirectory(), "m");
    NamedMutex second(dir.dataDirectory(), "m"); // same name: the same lock
    ASSERT_TRUE(first.lock());
    ASSERT_TRUE(second.lock());
    EXPECT_TRUE(second.isHeld());
    bool otherThreadGotIt = true;
    std::thread([&] { otherThreadGotIt = first.tryLock(); }).join();
    EXPECT_FALSE(otherThreadGotIt);
    first.unlock();
    EXPECT_TRUE(first.isHeld()); // one level still held
    second.unlock();
    EXPECT_FALSE(first.isHeld());
    std::thread([&] {
        otherThreadGotIt = first.tryLock();
        first.unlock();
    }).join();
    EXPECT_TRUE(otherThreadGotIt);
    EXPECT_TRUE(std::filesystem::exists(dir.path() / "locks" / "m.lock"));
}

// The other process uses bare flock on the agreed file, as the notification application does.
TEST(NamedMutex, AnotherProcessHoldingTheNameKeepsItUntilItDies)
{
    const test::TempDataDir dir;
    NamedMutex guard(dir.dataDirectory(), "VEZEVOREZIDI");
    ASSERT_TRUE(guard.tryLock());
    guard.unlock();
    const std::filesystem::path file = dir.path() / "locks" / "VEZEVOREZIDI.lock";
    test::ChildProcess holder([&](test::ChildProcess &self) {
        const int descriptor = open(file.c_str(), O_RDWR);
        if (descriptor < 0 || flock(descriptor, LOCK_EX) != 0)
            return 1;
        self.tell('L');
        (void)self.await();
        return 0;
    });
    ASSERT_EQ(holder.receive(5s), 'L');
    EXPECT_FALSE(guard.tryLock());
    EXPECT_FALSE(guard.lockFor(50ms)); // a bounded wait gives up, and says nothing is broken
    EXPECT_EQ(guard.lastError(), "");

    std::thread waiter([&] {
        if (guard.lock())
            guard.unlock();
    });
    EXPECT_TRUE(test::waitForLockWaiter(file, 5s)); // lock() really waits on the file
    holder.kill();                                  // the kernel releases a dead holder's lock
    waiter.join();
    EXPECT_TRUE(guard.lockFor(5s));
    guard.unlock();
}

TEST(NamedMutex, AMissingLocksFolderIsCreatedAndAnUnusableOneFails)
{
    const test::TempDataDir dir;
    {
        std::ofstream blocker(dir.path() / "locks"); // a file where the folder should be
    }
    NamedMutex mutex(dir.dataDirectory(), "x");
    EXPECT_FALSE(mutex.lock());
    EXPECT_FALSE(mutex.isHeld());
    EXPECT_EQ(mutex.lastError(), (dir.path() / "locks" / "x.lock").string() +
                                     ": cannot be opened for writing (Not a directory) nor for "
                                     "reading (Not a directory)");
    const NamedMutexLock lock(mutex);
    EXPECT_FALSE(lock.isLocked());
}

// The notification application may create a lock file under another user, so that the editor
// can only read it; flock needs no more. Root ignores file modes, so when the tests run as root the
// editor's side drops to the unprivileged user "nobody".
TEST(NamedMutex, ALockFileOnlyReadableToUsStillLocksAcrossProcesses)
{
    const test::TempDataDir dir;
    const std::filesystem::path file = dir.path() / "locks" / "m.lock";
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file).close();
    using std::filesystem::perms;
    for (const std::filesystem::path &folder : {dir.path(), file.parent_path()})
        std::filesystem::permissions(folder, perms::owner_all | perms::others_exec);
    std::filesystem::permissions(file, perms::owner_read | perms::others_read);
    const int other = open(file.c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_GE(other, 0);
    ASSERT_EQ(flock(other, LOCK_EX), 0);

    test::ChildProcess editor([&](test::ChildProcess &self) {
        constexpr uid_t Nobody = 65534;
        if (geteuid() == 0 && (setgid(Nobody) != 0 || setuid(Nobody) != 0))
            return 2;
        NamedMutex mutex(DataDirectory(dir.path()), "m");
        self.tell(mutex.tryLock() ? 'Y' : 'N');
        (void)self.await();
        self.tell(mutex.tryLock() ? 'Y' : 'N');
        (void)self.await();
        return 0;
    });
    EXPECT_EQ(editor.receive(5s), 'N'); // the other application holds it
    ASSERT_EQ(flock(other, LOCK_UN), 0);
    editor.send('.');
    EXPECT_EQ(editor.receive(5s), 'Y');
    EXPECT_NE(flock(other, LOCK_EX | LOCK_NB), 0); // and now the editor holds it
    editor.send('.');
    EXPECT_EQ(editor.wait(), 0);
    close(other);
}

} // namespace vorela
