// Tables written by an independent DBF writer (the python3-dbf module) read as the editor needs
// them: dBase III in code page 866 and Visual FoxPro in code page 1251 with nulls and memos.
#include "tables/DbfTaskTableQuery.h"

#include "support/TempDataDir.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

namespace vorela {
namespace {

constexpr const char *Python = "/usr/bin/python3";

// python3-dbf numbers the null bits by field position; with the nullable field first that agrees
// with the Visual FoxPro layout, whatever the convention.
constexpr const char *WriterScript = R"(
import datetime, sys, dbf
folder = sys.argv[1]
t = dbf.Table(folder + '/db3.dbf', 'NAME C(20); SUMMA N(10,2); DOLG D; PAID L',
              codepage='cp866', dbf_type='db3')
t.open(dbf.READ_WRITE)
t.append(('Удалённая', 1.5, datetime.date(2001, 1, 1), True))
t.append(('Иванов', 1234.5, datetime.date(2008, 7, 3), False))
dbf.delete(t[0])
t.close()
b = dbf.Table(folder + '/blank.dbf', 'NAME C(20); SUMMA N(10,2); DOLG D; PAID L',
              codepage='cp866', dbf_type='db3')
b.open(dbf.READ_WRITE)
b.append(('',))
b.close()
v = dbf.Table(folder + '/vfp.dbf', 'SUMMA N(8,2) NULL; NAME C(20); CNT I; NOTE M',
              codepage='cp1251', dbf_type='vfp')
v.open(dbf.READ_WRITE)
v.append((None, 'Петров', -7, 'memo text'))
v.close()
e = dbf.Table(folder + '/empty.dbf', 'NAME C(10)', codepage='cp866', dbf_type='db3')
e.open(dbf.READ_WRITE)
e.close()
)";

int runQuietly(const std::string &command)
{
    const int status = std::system((command + " >/dev/null 2>&1").c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(DbfIndependentWriter, ReadsWhatAnotherWriterMade)
{
    if (runQuietly(std::string(Python) + " -c 'import dbf'") != 0)
        GTEST_SKIP() << "python3-dbf is not installed for " << Python;
    test::TempDataDir dir;
    const std::filesystem::path script = dir.path() / "write.py";
    std::ofstream(script) << WriterScript;
    ASSERT_EQ(runQuietly(std::string(Python) + " " + script.string() + " " + dir.path().string()),
              0);

    const DbfTaskTableQuery query;
    const auto value = [&](const char *file, const char *binding) {
        const TableValue result = query.value(dir.path() / file, binding);
        EXPECT_TRUE(result.status == TableValue::Status::Found ||
                    result.status == TableValue::Status::NoRecord)
            << file << " " << binding << ": " << result.error;
        return result.text;
    };
    const std::vector<std::tuple<const char *, const char *, std::string>> cases = {
        {"db3.dbf", "NAME", "Иванов"},     {"db3.dbf", "summa", "1234.50"},
        {"db3.dbf", "DOLG", "2008-07-03"}, {"db3.dbf", "PAID", "0"},
        {"blank.dbf", "NAME", ""},         {"blank.dbf", "SUMMA", ""},
        {"blank.dbf", "DOLG", ""},         {"blank.dbf", "PAID", ""},
        {"vfp.dbf", "NAME", "Петров"},     {"vfp.dbf", "CNT", "-7"},
        {"vfp.dbf", "SUMMA", ""},          {"vfp.dbf", "NOTE", ""},
        {"empty.dbf", "NAME", ""},
    };
    for (const auto &[file, binding, text] : cases)
        EXPECT_EQ(value(file, binding), text) << file << " " << binding;

    const TableColumns vfp = query.columns(dir.path() / "vfp.dbf");
    ASSERT_TRUE(vfp.ok()) << vfp.error;
    std::vector<std::pair<std::string, SqlType>> seen;
    for (const TableColumn &column : vfp.columns)
        seen.emplace_back(column.name, column.sqlType);
    const std::vector<std::pair<std::string, SqlType>> expected = {{"SUMMA", SqlType::Decimal},
                                                                   {"NAME", SqlType::Char},
                                                                   {"CNT", SqlType::Decimal},
                                                                   {"NOTE", SqlType::LongText}};
    EXPECT_EQ(seen, expected);
}

} // namespace
} // namespace vorela
