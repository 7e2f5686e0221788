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
    // Rows for several blocks: a list with a block lost in the middle must never appear.
    std::vector<PreflightProblem> problems(3000);
    std::string whole = preflightCsvHeader();
    for (std::uint32_t record = 1; record <= problems.size(); ++record) {
        PreflightProblem &problem = problems[record - 1];
        problem.record = record;
        problem.value = std::string(40, 'x');
        whole += preflightCsvRow(problem);
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
