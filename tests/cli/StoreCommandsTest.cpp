// `vorela reg`, `lexemes`, `tasks` and `templates` as a real process on the sample registry.
#include "ToolProcess.h"
#include "platform/NamedMutex.h"
#include "platform/RegistryStore.h"
#include "stores/RegistryPaths.h"
#include "support/StoreLockHolder.h"
#include "support/TempDataDir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <utility>

namespace vorela {
namespace {

class StoreCommandsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(vorela("reg import " + std::string(VORELA_SOURCE_DIR) + "/resources/sample.reg"),
                  0);
    }

    /// The tool's exit status; its stdout in output.
    int vorela(const std::string &arguments)
    {
        test::ToolRun run = test::runVorela(dir.path(), arguments);
        output = std::move(run.output);
        return run.status;
    }

    std::string path(const std::string &name) const { return (dir.path() / name).string(); }

    std::string readFile(const std::string &name) const
    {
        std::ifstream input(dir.path() / name, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(input), std::istreambuf_iterator<char>());
    }

    test::TempDataDir dir;
    std::string output;
};

TEST_F(StoreCommandsTest, LexemesListTheTreeDepthFirstInChainOrder)
{
    ASSERT_EQ(vorela("lexemes"), 0);
    // Folder 2's chain is 2, 1, 3: the sub-folder 2 and its lexeme come first.
    EXPECT_NE(output.find("2\\\t\t4\t1\t58\t\tФразы\n"
                          "2\\2\\\t\t4\t1\t58\t\tДолг\n"
                          "2\\2\\1\\\t0004\t4\t0\t49\t\tПросим погасить до\n"
                          "2\\1\\\t0002\t4\t0\t49\t\tВаша задолженность составляет\n"),
              std::string::npos)
        << output;
    EXPECT_NE(output.find("3\\1\\\t|  !\t0\t0\t0\t1\tянваря\n"), std::string::npos) << output;
    EXPECT_EQ(output.rfind("1\\\t\t4\t1\t58\t\tПриветствие\n", 0), 0u) << output;
}

TEST_F(StoreCommandsTest, TasksAndTemplatesInLoadAndChainOrder)
{
    ASSERT_EQ(vorela("tasks"), 0);
    EXPECT_EQ(output, "Долги\tОператор1\n");
    ASSERT_EQ(vorela("templates Долги Оператор1"), 0);
    EXPECT_EQ(output, "0001\t1\\2\\\tPRIV\t\tПриветствие компании\n"
                      "0002\t2\\1\\\t0002\t\tВаша задолженность составляет\n"
                      "0003\t4\\4\\\t@007\t'125,50'\tСумма в гривнах\n"
                      "0004\t2\\3\\\t0003\t\tДо свидания\n");
    EXPECT_EQ(vorela("templates Долги Нет"), 1);
    EXPECT_EQ(vorela("templates Долги"), 1);
    EXPECT_EQ(vorela("reg import /nonexistent.reg"), 1);
}

TEST_F(StoreCommandsTest, ExportThenImportIntoAnEmptyStoreGivesTheSameExport)
{
    ASSERT_EQ(vorela("reg export -o " + path("first.reg")), 0);
    const std::string first = readFile("first.reg");
    ASSERT_EQ(first.substr(0, 2), "\xFF\xFE");
    std::filesystem::remove(dir.path() / "registry.sqlite");
    std::filesystem::remove(dir.path() / "registry.sqlite-wal");
    std::filesystem::remove(dir.path() / "registry.sqlite-shm");
    ASSERT_EQ(vorela("reg import " + path("first.reg")), 0);
    ASSERT_EQ(
        vorela("reg export HKEY_LOCAL_MACHINE\\\\Software\\\\vorela -o " + path("second.reg")), 0);
    EXPECT_EQ(readFile("second.reg"), first);
    EXPECT_EQ(vorela("reg export HKEY_LOCAL_MACHINE\\\\Nowhere"), 1);
}

// A template whose lock cannot be taken is no empty template: the commands that read it fail,
// naming the lock file. A long name brought in by an import gets a lock file it can have.
TEST_F(StoreCommandsTest, ATemplateThatCannotBeLockedIsNotReadAsEmpty)
{
    const std::filesystem::path lock =
        dir.path() / "locks" / NamedMutex::lockFileName("ДолгиОператор1");
    std::filesystem::create_directories(lock.parent_path());
    std::filesystem::create_symlink("/nonexistent/lock", lock); // unusable even for root
    for (const char *command : {"templates Долги Оператор1", "expand Долги Оператор1"}) {
        const test::ToolRun run = test::runVorela(dir.path(), command);
        EXPECT_EQ(run.status, 1) << command << run.output;
        EXPECT_NE(run.errors.find(lock.string()), std::string::npos) << command << run.errors;
    }
    std::filesystem::remove(lock);

    std::string task;
    for (int letter = 0; letter < 100; ++letter)
        task += "Ж"; // 200 bytes, 600 once escaped
    std::ofstream(dir.path() / "long.reg")
        << "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\Software\\vorela\\Tasks\\" << task
        << "\\Операторы\\О\\Шаблоны\\0001]\n\"Path\"=\"1\\\\2\\\\\"\n";
    ASSERT_EQ(vorela("reg import " + path("long.reg")), 0);
    ASSERT_EQ(vorela("templates " + task + " О"), 0);
    EXPECT_EQ(output, "0001\t1\\2\\\tPRIV\t\tПриветствие компании\n");
}

// Another process holds the store while a task lacks its default values: the tasks are listed
// as stored, with a warning that the defaults could not be written.
TEST_F(StoreCommandsTest, TasksWhoseDefaultsCannotBeWrittenAreListedWithAWarning)
{
    const std::filesystem::path registry = dir.dataDirectory().registry();
    {
        std::string error;
        const std::unique_ptr<RegistryStore> store = RegistryStore::open(registry, error);
        ASSERT_TRUE(store) << error;
        ASSERT_TRUE(store->createKey(std::string(TasksRootPath) + "Новое").isOpen());
    }
    test::StoreLockHolder writer(registry);
    ASSERT_TRUE(writer.held());
    const test::ToolRun run = test::runVorela(dir.path(), "tasks");
    ASSERT_TRUE(writer.commit());
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.output, "Долги\tОператор1\n");
    EXPECT_EQ(run.errors, "vorela: warning: " + registry.string() +
                              ": default values of the tasks could not be written; "
                              "they read as empty\n");
}

} // namespace
} // namespace vorela
