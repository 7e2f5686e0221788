// The stores shared between processes: a template waits for another process holding its mutex,
// a writer killed at any moment leaves whole chains, and two writers at once lose nothing.
#include "StoreFixtures.h"
#include "stores/Aliases.h"
#include "stores/LexItem.h"
#include "stores/RegistryPaths.h"
#include "support/ChildProcess.h"
#include "support/StoreLockHolder.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <random>
#include <sys/file.h>
#include <thread>
#include <unistd.h>

namespace vorela {

using namespace std::chrono_literals;

namespace {

void writeFixture(const test::TempDataDir &dir)
{
    const std::unique_ptr<RegistryStore> store = test::openTestStore(dir);
    test::writeLexemes(store->createKey(LexemeRootPath),
                       {test::folder("1", "Первая", {}), test::folder("2", "Вторая", {})});
    ASSERT_TRUE(store->createKey(TasksRootPath).createKey("T\\Операторы\\O\\Шаблоны").isOpen());
}

// Changes of both stores, one per call, as the editor makes them.
class Writer {
public:
    Writer(const test::TempDataDir &dir, std::string folderName)
        : store(test::openTestStore(dir)), root(*store), tasks(*store, dir.dataDirectory()),
          folder(std::move(folderName))
    {
    }

    bool step(unsigned index)
    {
        std::string name;
        const std::vector<PatternItem> items = tasks.GetTemplate("T", "O");
        switch (index % 4) {
        case 0:
            return !root.AddToChild(folder, "слово", "0001", 4, 0, 49).empty() &&
                   tasks.InsertTemplateItem("T", "O", "", PatternItem{.path = folder + "\\"}, name);
        case 1:
            return tasks.InsertTemplateItem("T", "O", items.empty() ? "" : items.front().name,
                                            PatternItem{.path = "1\\"}, name);
        case 2:
            return items.size() < 2 ||
                   tasks.MoveTemplateItem("T", "O", items.back().name, items.front().name);
        default:
            return !root.AddFolderToChild(folder, "папка", 4, 1, 58).empty() &&
                   (items.empty() || tasks.RemoveTemplateItem("T", "O", items.back().name));
        }
    }

private:
    std::unique_ptr<RegistryStore> store;
    LexItem root;
    Aliases tasks;
    std::string folder;
};

::testing::AssertionResult allChainsWhole(const test::TempDataDir &dir)
{
    const std::unique_ptr<RegistryStore> store = test::openTestStore(dir);
    const RegistryKey lexemes = store->openKey(LexemeRootPath);
    for (const RegistryKey &key :
         {lexemes, lexemes.openKey("1"), lexemes.openKey("2"),
          store->openKey(TasksRootPath).openKey("T\\Операторы\\O\\Шаблоны")}) {
        ::testing::AssertionResult whole = test::wholeChain(key);
        if (!whole)
            return whole;
    }
    return ::testing::AssertionSuccess();
}

} // namespace

TEST(StoreProcessTest, ATemplateChangeWaitsWhileAnotherProcessHoldsTheMutex)
{
    // Task "1" with operator "A1" and task "1A" with operator "1" are both locked as "1A1".
    const std::pair<const char *, const char *> pairs[] = {{"1", "A1"}, {"1A", "1"}};
    for (const auto &[task, operatorName] : pairs) {
        const test::TempDataDir dir;
        const std::unique_ptr<RegistryStore> store = test::openTestStore(dir);
        const RegistryKey tasksKey = store->createKey(TasksRootPath);
        ASSERT_TRUE(tasksKey.createKey("1\\Операторы\\A1").isOpen());
        ASSERT_TRUE(tasksKey.createKey("1A\\Операторы\\1").isOpen());
        Aliases tasks(*store, dir.dataDirectory());
        const std::filesystem::path lockFile = dir.path() / "locks" / "1A1.lock";
        std::filesystem::create_directories(lockFile.parent_path());

        test::ChildProcess holder([&](test::ChildProcess &self) {
            const int descriptor = open(lockFile.c_str(), O_RDWR | O_CREAT, 0666);
            if (descriptor < 0 || flock(descriptor, LOCK_EX) != 0)
                return 1;
            self.tell('L');
            (void)self.await();
            return 0; // exiting releases the lock
        });
        ASSERT_EQ(holder.receive(5s), 'L');
        bool inserted = false;
        std::thread change([&] {
            std::string newName;
            inserted = tasks.InsertTemplateItem(task, operatorName, "", PatternItem{.path = "1\\"},
                                                newName);
        });
        EXPECT_TRUE(test::waitForLockWaiter(lockFile, 5s)) << task;
        const RegistryKey templateKey =
            tasksKey.openKey(std::string(task) + "\\Операторы\\" + operatorName + "\\Шаблоны");
        EXPECT_TRUE(templateKey.subkeyNames().empty()) << "changed under another's lock";
        holder.send('R');
        change.join();
        EXPECT_EQ(holder.wait(), 0);
        EXPECT_TRUE(inserted);
        EXPECT_EQ(templateKey.subkeyNames(), std::vector<std::string>{"0001"});
    }
}

TEST(StoreProcessTest, AWriterKilledAtAnyMomentLeavesWholeChains)
{
    const test::TempDataDir dir;
    writeFixture(dir);
    std::mt19937 random(20261207);
    for (int round = 0; round < 6; ++round) {
        const unsigned stepsBeforeKill = 1 + random() % 24;
        test::ChildProcess writer([&](test::ChildProcess &self) {
            Writer changes(dir, round % 2 == 0 ? "1" : "2");
            for (unsigned index = 0;; ++index) {
                if (!changes.step(index))
                    return 1;
                self.tell('s');
            }
        });
        for (unsigned done = 0; done < stepsBeforeKill; ++done)
            ASSERT_EQ(writer.receive(10s), 's') << "round " << round;
        writer.kill(); // somewhere inside the next change
        EXPECT_EQ(writer.wait(), -1);
        EXPECT_TRUE(allChainsWhole(dir)) << "round " << round;
    }
}

TEST(StoreProcessTest, TwoProcessesEditingAtOnceLoseNothing)
{
    const test::TempDataDir dir;
    writeFixture(dir);
    constexpr unsigned Inserts = 25;
    auto inserter = [&](const std::string &folder) {
        return [&dir, folder](test::ChildProcess &self) {
            const std::unique_ptr<RegistryStore> store = test::openTestStore(dir);
            LexItem root(*store);
            Aliases tasks(*store, dir.dataDirectory());
            (void)self.await(); // both start together
            for (unsigned index = 0; index < Inserts; ++index) {
                std::string name;
                const std::vector<PatternItem> items = tasks.GetTemplate("T", "O");
                const std::string after = items.empty() ? "" : items[index % items.size()].name;
                if (root.AddToChild(folder, "слово", "0001", 4, 0, 49).empty() ||
                    !tasks.InsertTemplateItem("T", "O", after, PatternItem{.path = folder}, name))
                    return 1;
            }
            return 0;
        };
    };
    test::ChildProcess first(inserter("1"));
    test::ChildProcess second(inserter("2"));
    first.send('g');
    second.send('g');
    EXPECT_EQ(first.wait(), 0);
    EXPECT_EQ(second.wait(), 0);

    EXPECT_TRUE(allChainsWhole(dir));
    const std::unique_ptr<RegistryStore> store = test::openTestStore(dir);
    const LexItem root(*store);
    EXPECT_EQ(root.GetChild("1")->GetChildren().size(), Inserts);
    EXPECT_EQ(root.GetChild("2")->GetChildren().size(), Inserts);
    Aliases tasks(*store, dir.dataDirectory());
    EXPECT_EQ(tasks.GetTemplate("T", "O").size(), 2 * Inserts);
}

// A change refused while another process held the store must not keep later changes out.
TEST(StoreProcessTest, ALexemeIsAddedOnceAnotherProcessReleasesTheStore)
{
    const test::TempDataDir dir;
    writeFixture(dir);
    std::string error;
    const std::unique_ptr<RegistryStore> store =
        RegistryStore::open(dir.dataDirectory().registry(), error, 300ms);
    ASSERT_TRUE(store) << error;
    LexItem root(*store);
    {
        test::StoreLockHolder writer(store->file());
        ASSERT_TRUE(writer.held());
        EXPECT_EQ(root.AppendChild("занято", "0001", 4, 0, 49, ""), "");
        ASSERT_TRUE(writer.commit());
    }
    const std::string added = root.AppendChild("свободно", "0002", 4, 0, 49, "");
    ASSERT_FALSE(added.empty());
    const RegistryKey lexemes = store->openKey(LexemeRootPath);
    EXPECT_TRUE(test::wholeChain(lexemes));
    EXPECT_EQ(test::chainOrder(lexemes), (std::vector<std::string>{"1", "2", added}));
}

} // namespace vorela
