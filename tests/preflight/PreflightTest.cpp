// The check before a mailing at its seam: a real registry store, bank and DBF table. A record is
// whole only when the subscriber would hear every value as the table holds it.
#include "preflight/Preflight.h"
#include "cli/LexemeNodes.h"
#include "installation/DbfWriter.h"
#include "platform/Clock.h"
#include "soundbank/ChunkId.h"
#include "soundbank/RiffBytes.h"
#include "speech/SpeechVocabulary.h"
#include "stores/Aliases.h"
#include "stores/LexItem.h"
#include "stores/RegistryPaths.h"
#include "support/TempDataDir.h"
#include "tables/DbfBuilder.h"

#include <gtest/gtest.h>

#include <memory>
#include <utility>
#include <vector>

namespace vorela {
namespace {

using Found = std::pair<std::uint32_t, ProblemKind>; // record, kind

class PreflightTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string error;
        store = RegistryStore::open(dir.dataDirectory().registry(), error);
        ASSERT_TRUE(store) << error;
        test::writeLexemeNodes(*store, {{"1", "PRIV", "Приветствие"},
                                        {"2", "@009", "Сумма"},
                                        {"3", "@003", "Дата"},
                                        {"4", "@011", "Дом"},
                                        {"5", "@012", "Квартира"}});
        ASSERT_TRUE(store->createKey(std::string(TasksRootPath) + "Долги\\")
                        .writeString("File", table().string()));
        std::vector<test::Bytes> chunks = {test::chunk("PRIV", test::samples(4))};
        for (const std::string &key : composableKeys()) {
            const std::array<std::uint8_t, 4> id = ChunkId::fromText(key).bytes();
            chunks.push_back(
                test::chunk({reinterpret_cast<const char *>(id.data()), 4}, test::samples(4)));
        }
        test::writeFile(dir.dataDirectory().productBank(), test::bank(chunks));
    }

    [[nodiscard]] std::filesystem::path table() const { return dir.path() / "dolg.dbf"; }

    /// Checks the template of a new operator made of items, keeping what the check finds.
    PreflightSummary check(const std::string &operatorName, const std::vector<PatternItem> &items,
                           PreflightRequest request = {})
    {
        (void)store->createKey(std::string(TasksRootPath) + "Долги\\" +
                               std::string(OperatorsKeyName) + "\\" + operatorName);
        Aliases taskConfig(*store, dir.dataDirectory());
        std::string after;
        for (const PatternItem &item : items)
            EXPECT_TRUE(taskConfig.InsertTemplateItem("Долги", operatorName, after, item, after));
        const LexItem lexemes(*store);
        const FixedClock clock({2026, 12, 7}, {9, 5});
        request.task = "Долги";
        request.operatorName = operatorName;
        request.onProblem = [this](const PreflightProblem &problem) {
            found.emplace_back(problem.record, problem.kind);
        };
        return runPreflight({taskConfig, *store, lexemes, dir.dataDirectory(), clock}, request);
    }

    test::TempDataDir dir;
    std::unique_ptr<RegistryStore> store;
    std::vector<Found> found;
};

// Each record but the last holds one value heard otherwise; the house column is also read as an
// amount, so a value one item speaks whole is refused by another.
TEST_F(PreflightTest, ValuesHeardOtherwiseLeaveTheirRecordsUnwhole)
{
    test::DbfBuilder builder({{"SUMMA", 'C', 15},
                              {"NUMI", 'I', 4},
                              {"DATA", 'D', 8},
                              {"DATC", 'C', 10},
                              {"HOUSE", 'C', 6}});
    const std::string five("\x05\0\0\0", 4);
    const std::string minusFive("\xFB\xFF\xFF\xFF", 4);
    for (const std::vector<std::string> &record : std::vector<std::vector<std::string>>{
             {"12.50", five, "20240229", "2024-07-03", "12/2"}, // 1
             {"-5", five, "20240703", "2024-07-03", "1"},
             {"1x2", five, "20240703", "2024-07-03", "1"},
             {"1.234,56", five, "20240703", "2024-07-03", "1"},
             {"1234567890.50", five, "20240703", "2024-07-03", "1"}, // 5
             {"1", minusFive, "20240703", "2024-07-03", "1"},
             {"1", five, "20240231", "2024-07-03", "1"},
             {"1", five, "20240703", "2024-02-30", "1"},
             {"1", five, "20240703", "2024-07-03", utf8ToCp866("ЖЖ")},
             {"1", five, "20240703", "2024-07-03", "-"}, // 10
             {"12.50", five, "20240229", "2024-07-03", "12"}})
        builder.record(record);
    builder.write(table());
    const PreflightSummary summary = check("Оп", {{.path = "1\\"},
                                                  {.path = "2\\", .arg = "SUMMA"},
                                                  {.path = "2\\", .arg = "NUMI"},
                                                  {.path = "5\\", .arg = "NUMI"},
                                                  {.path = "3\\", .arg = "DATA"},
                                                  {.path = "3\\", .arg = "DATC"},
                                                  {.path = "4\\", .arg = "HOUSE"},
                                                  {.path = "2\\", .arg = "HOUSE"}});
    EXPECT_EQ(summary.recordsChecked, 11U);
    EXPECT_EQ(summary.recordsWhole, 1U);
    std::vector<Found> expected;
    for (const std::uint32_t record : {1, 2, 3, 4, 5, 6, 6, 7, 8, 9, 9, 10, 10})
        expected.emplace_back(record, ProblemKind::Unspeakable);
    EXPECT_EQ(found, expected);
}

// A missing or unreadable column and a template without the greeting are found once, yet every
// record shares them: none is whole.
TEST_F(PreflightTest, ProblemsOfTheWholeTemplateLeaveNoRecordWhole)
{
    test::DbfBuilder builder({{"SUMMA", 'C', 10}, {"NOTE", 'M', 10}});
    builder.record({"12.50", "0000000001"}).record({"3", "0000000002"});
    builder.write(table());
    const struct {
        const char *operatorName;
        std::vector<PatternItem> items;
        ProblemKind kind;
    } cases[] = {
        {"А", {{.path = "1\\"}, {.path = "2\\", .arg = "PENI"}}, ProblemKind::MissingColumn},
        {"Б", {{.path = "1\\"}, {.path = "2\\", .arg = "NOTE"}}, ProblemKind::UnreadableColumn},
        {"В", {{.path = "2\\", .arg = "SUMMA"}}, ProblemKind::NoGreeting},
        {"Г", {}, ProblemKind::NoGreeting},
    };
    for (const auto &[operatorName, items, kind] : cases) {
        SCOPED_TRACE(operatorName);
        found.clear();
        const PreflightSummary summary = check(operatorName, items);
        EXPECT_EQ(summary.outcome, PreflightOutcome::Checked);
        EXPECT_EQ(summary.recordsChecked, 2U);
        EXPECT_EQ(summary.recordsWhole, 0U);
        EXPECT_EQ(found, (std::vector<Found>{{EveryRecord, kind}}));
    }
}

TEST_F(PreflightTest, ATableCutShortWhileCheckedIsNotReportedAsChecked)
{
    // Records wide enough that the table is read in several blocks.
    test::DbfBuilder builder({{"SUMMA", 'C', 100}});
    for (std::uint32_t record = 0; record < 3 * PreflightProgressStep; ++record)
        builder.record({"12.50"});
    builder.write(table());
    PreflightRequest request;
    request.onProgress = [this](std::uint32_t read, std::uint32_t) {
        if (read < PreflightProgressStep)
            return;
        std::error_code error;
        std::filesystem::resize_file(table(), 2048, error);
        ASSERT_FALSE(error) << error.message();
    };
    const PreflightSummary summary =
        check("Оп", {{.path = "1\\"}, {.path = "2\\", .arg = "SUMMA"}}, request);
    EXPECT_EQ(summary.outcome, PreflightOutcome::Failed);
    EXPECT_EQ(summary.failure, PreflightFailure::UnreadableTable);
    EXPECT_FALSE(summary.speaksWhole());
}

} // namespace
} // namespace vorela
