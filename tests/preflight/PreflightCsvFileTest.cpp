// The check's CSV file on real files with a failure injected at every write, fsync and rename.
#include "preflight/PreflightCsvFile.h"

#include "platform/FileFaults.h"
#include "preflight/PreflightCsv.h"
#include "support/TempDataDir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace vorela {
namespace {

std::string contents(const std::filesystem::path &path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST(PreflightCsvFileTest, AFailedStepLeavesTheOldFileAndNoHalfList)
{
    const test::TempDataDir dir;
    const std::filesystem::path file = dir.path() / "problems.csv";
    // Rows enough for several blocks, so that a lost middle block would go unseen in the size.
    std::vector<PreflightProblem> problems;
    std::string whole = preflightCsvHeader();
    for (std::uint32_t record = 1; record <= 3000; ++record) {
        problems.push_back({.record = record,
                            .task = "Долги",
                            .operatorName = "Первый",
                            .itemName = "0003",
                            .item = "Сумма",
                            .column = "SUMMA",
                            .value = std::string(40, 'x'),
                            .reason = "пусто"});
        whole += preflightCsvRow(problems.back());
    }
    for (const FileOperation operation :
         {FileOperation::Write, FileOperation::Fsync, FileOperation::Rename}) {
        for (int nth = 1;; ++nth) {
            std::ofstream(file, std::ios::binary) << "old";
            FileFaults faults;
            faults.failNth(operation, nth);
            bool committed = false;
            {
                PreflightCsvFile csv(file, &faults);
                if (csv.create()) {
                    for (const PreflightProblem &problem : problems)
                        csv.add(problem);
                    committed = csv.commit();
                }
            }
            EXPECT_FALSE(std::filesystem::exists(dir.path() / "problems.csv.tmp"));
            if (committed) {
                EXPECT_TRUE(contents(file) == whole) << "the list lacks rows";
                break;
            }
            ASSERT_TRUE(contents(file) == "old")
                << "failed operation " << static_cast<int>(operation) << " number " << nth;
        }
    }
}

} // namespace
} // namespace vorela
