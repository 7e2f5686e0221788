// `vorela preflight` on a table written by an independent DBF writer (python3-dbf) holding one
// record of each kind of problem among good and deleted ones: the report lists exactly those,
// numbered as the file numbers them, and the CSV reads back through Python's csv module.
#include "LexemeNodes.h"
#include "ToolProcess.h"
#include "platform/RegistryStore.h"
#include "soundbank/ChunkId.h"
#include "soundbank/RiffBytes.h"
#include "speech/SpeechVocabulary.h"
#include "stores/Aliases.h"
#include "stores/Operators.h"
#include "stores/RegistryPaths.h"
#include "support/TempDataDir.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

namespace vorela {
namespace {

constexpr const char *Python = "/usr/bin/python3";

// Deleted records carry values that would be problems: they must be skipped, yet counted.
constexpr const char *TableScript = R"(
import sys, dbf
t = dbf.Table(sys.argv[1], 'NAME C(20); SUMMA C(15); DATA C(10); RAYON C(20); FLAT C(5)',
              codepage='cp866', dbf_type='db3')
t.open(dbf.READ_WRITE)
for row in [('Иванов', '21.05', '2024-07-03', 'Северный', '12'),
            ('Удалённый', '1,2345', '2024-13-40', 'Южный', ''),
            ('Петров', '1,2345', '2024-07-03', 'Северный', '1'),
            ('Сидоров', '900', '2024-07-03', 'Северный', '2'),
            ('Козлов', '21.05', '2024-13-05', 'Северный', '3'),
            ('Удалённый', '', '', '', ''),
            ('Орлов', '21.05', '2024-07-03', 'Южный', '4'),
            ('Лебедев', '21.05', '2024-07-03', 'Северный', ''),
            ('Волков', '1234567890123', '2024-07-03', 'Северный', '5'),
            ('Соколов', '7', '2024-12-31', '  Северный', '6')]:
    t.append(row)
dbf.delete(t[1])
dbf.delete(t[5])
t.close()
)";

constexpr const char *CsvScript = R"(
import csv, sys
with open(sys.argv[1], newline='', encoding='utf-8') as f:
    for row in csv.reader(f):
        print('|'.join(row))
)";

std::string runPython(const std::filesystem::path &script, const std::string &argument)
{
    std::string output;
    FILE *pipe = ::popen(
        (std::string(Python) + " '" + script.string() + "' '" + argument + "' 2>&1").c_str(), "r");
    if (pipe == nullptr)
        return "cannot start python";
    char buffer[4096];
    for (std::size_t read = 0; (read = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        output.append(buffer, read);
    return ::pclose(pipe) == 0 ? output : "python failed: " + output;
}

class PreflightCommandTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (std::system((std::string(Python) + " -c 'import dbf' 2>/dev/null").c_str()) != 0)
            GTEST_SKIP() << "python3-dbf is not installed for " << Python;
        std::ofstream(dir.path() / "table.py") << TableScript;
        ASSERT_EQ(runPython(dir.path() / "table.py", table.string()), "");

        std::string error;
        const std::unique_ptr<RegistryStore> store =
            RegistryStore::open(dir.dataDirectory().registry(), error);
        ASSERT_TRUE(store) << error;
        test::writeLexemeNodes(*store, {{"1", "PRIV", "Приветствие"},
                                        {"2", "0012", "Ваш долг"},
                                        {"3", "@009", "Сумма (руб)"},
                                        {"4", "@003", "Дата"},
                                        {"5", "#001", "Районы"},
                                        {"6", "@012", "Квартира"},
                                        {"7", "@007", "Пени"},
                                        {"8", "0013", "Спасибо"},
                                        {"9", "_900", "девятьсот"}});
        test::writeLexemeNodes(*store, {{"5\\1", "|001", "Северный район"}});
        ASSERT_TRUE(store->openKey(std::string(LexemeRootPath) + "5\\1")
                        .writeString("keyname", "Северный"));
        const std::string task = std::string(TasksRootPath) + "Долги\\";
        ASSERT_TRUE(store->createKey(task).writeString("File", table.string()));
        (void)store->createKey(task + std::string(OperatorsKeyName) + "\\Первый");
        (void)store->createKey(task + std::string(OperatorsKeyName) + "\\Второй");
        Aliases taskConfig(*store, dir.dataDirectory());
        insertItems(taskConfig, "Первый",
                    {{.path = "1\\"},
                     {.path = "2\\"},
                     {.path = "3\\", .arg = "SUMMA"},
                     {.path = "4\\", .arg = "DATA"},
                     {.path = "5\\", .arg = "RAYON"},
                     {.path = "6\\", .arg = "FLAT"}});
        // Shared by every record: a column the table lacks, a lexeme without sound.
        insertItems(taskConfig, "Второй",
                    {{.path = "1\\"}, {.path = "7\\", .arg = "PENI"}, {.path = "8\\"}});

        std::vector<test::Bytes> chunks;
        for (const std::string &key : composableKeys()) {
            // The bank holds ids in their Windows-1251 bytes, as the editor writes them.
            const std::array<std::uint8_t, 4> id = ChunkId::fromText(key).bytes();
            if (key != "_900")
                chunks.push_back(
                    test::chunk({reinterpret_cast<const char *>(id.data()), 4}, test::samples(4)));
        }
        for (const char *id : {"PRIV", "0012", "|001"})
            chunks.push_back(test::chunk(id, test::samples(4)));
        test::writeFile(dir.dataDirectory().productBank(), test::bank(chunks));
    }

    static void insertItems(Aliases &taskConfig, const std::string &operatorName,
                            const std::vector<PatternItem> &items)
    {
        std::string after;
        for (const PatternItem &item : items)
            ASSERT_TRUE(taskConfig.InsertTemplateItem("Долги", operatorName, after, item, after));
    }

    std::string csvRows() const
    {
        std::ofstream(dir.path() / "read_rows.py") << CsvScript;
        return runPython(dir.path() / "read_rows.py", csv.string());
    }

    test::TempDataDir dir;
    std::filesystem::path table = dir.path() / "dolg.dbf";
    std::filesystem::path csv = dir.path() / "problems.csv";
};

TEST_F(PreflightCommandTest, ListsExactlyTheProblemRecordsNumberedAsInTheFile)
{
    const test::ToolRun run =
        test::runVorela(dir.path(), "preflight Долги Первый --csv '" + csv.string() + "'");
    EXPECT_EQ(run.status, 2) << run.errors;
    EXPECT_EQ(csvRows(),
              "record|task|operator|item|column|value|problem\n"
              "3|Долги|Первый|Сумма (руб)(SUMMA)|SUMMA|1,2345|значение нельзя произнести\n"
              "4|Долги|Первый|Сумма (руб)(SUMMA)|SUMMA|900|в банке нет звука «_900» "
              "(девятьсот)\n"
              "5|Долги|Первый|Дата(DATA)|DATA|2024-13-05|значение нельзя произнести\n"
              "7|Долги|Первый|Районы(RAYON)|RAYON|Южный|в таблице лексем нет ключа «Южный»\n"
              "8|Долги|Первый|Квартира(FLAT)|FLAT||пустое значение\n"
              "9|Долги|Первый|Сумма (руб)(SUMMA)|SUMMA|1234567890123|значение нельзя "
              "произнести\n");
    EXPECT_NE(run.output.find("Записей проверено: 8\nПроизносятся целиком: 2\n"), std::string::npos)
        << run.output;
    EXPECT_NE(run.output.find("значение не произносится: 3\n"
                              "  запись 3, Первый, «Сумма (руб)(SUMMA)», столбец SUMMA, значение "
                              "«1,2345»: значение нельзя произнести\n"),
              std::string::npos)
        << run.output;
}

TEST_F(PreflightCommandTest, ProblemsOfEveryRecordAreReportedOnceAndLeaveNoRecordWhole)
{
    const test::ToolRun run =
        test::runVorela(dir.path(), "preflight Долги --limit 1 --csv '" + csv.string() + "'");
    EXPECT_EQ(run.status, 2) << run.errors;
    const std::string rows = csvRows();
    EXPECT_NE(rows.find("\n|Долги|Второй|Пени(PENI)|PENI||в таблице задания нет столбца «PENI»\n"
                        "|Долги|Второй|Спасибо|||в банке нет звука «0013» (Спасибо)\n"),
              std::string::npos)
        << rows;
    EXPECT_NE(rows.find("\n9|Долги|Первый|"), std::string::npos) << rows;
    EXPECT_NE(run.output.find("Произносятся целиком: 0\n"), std::string::npos) << run.output;
    // --limit 1: one example of the three unspeakable values.
    EXPECT_NE(run.output.find("значение не произносится: 3\n  запись 3,"), std::string::npos);
    EXPECT_EQ(run.output.find("  запись 5,"), std::string::npos) << run.output;
}

TEST_F(PreflightCommandTest, WhatCannotRunFailsWithoutAReport)
{
    for (const std::string arguments :
         {"Склад", "Долги Третий", "", "Долги --limit x", "Долги --csv /nonexistent/dir/x.csv"}) {
        const test::ToolRun run = test::runVorela(dir.path(), "preflight " + arguments);
        EXPECT_EQ(run.status, 1) << arguments;
        EXPECT_EQ(run.output, "") << arguments;
        EXPECT_NE(run.errors, "") << arguments;
    }
    // A CSV file is put in place only by a check that ran: the old one stays, whole.
    std::ofstream(csv, std::ios::binary) << "old";
    EXPECT_EQ(test::runVorela(dir.path(), "preflight Склад --csv '" + csv.string() + "'").status,
              1);
    EXPECT_EQ(csvRows(), "old\n");
    std::filesystem::remove(table);
    const test::ToolRun run = test::runVorela(dir.path(), "preflight Долги");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.errors, "vorela: " + table.string() + ": no such table file\n");
}

} // namespace
} // namespace vorela
