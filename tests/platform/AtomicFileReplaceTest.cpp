// AtomicFileReplace on real files: abandoned, committed, resumed after a failed rename.
#include "platform/AtomicFileReplace.h"

#include "support/TempDataDir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

namespace vorela {
namespace {

std::string contents(const std::filesystem::path &path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void put(const std::filesystem::path &path, const std::string &text)
{
    std::ofstream(path, std::ios::binary) << text;
}

std::span<const std::uint8_t> bytesOf(const std::string &text)
{
    return {reinterpret_cast<const std::uint8_t *>(text.data()), text.size()};
}

class AtomicFileReplaceTest : public ::testing::Test {
protected:
    void SetUp() override { put(target, "old bank"); }

    test::TempDataDir dir;
    std::filesystem::path target = dir.path() / "vorela.awf";
    std::filesystem::path temporary = dir.path() / "vorela.tmp";
};

TEST_F(AtomicFileReplaceTest, CommitSwapsWholeFilesAndOpenReadersKeepTheOld)
{
    put(temporary, "a much longer stale file left by a crash");
    std::ifstream reader(target, std::ios::binary);
    BinaryFile source;
    ASSERT_TRUE(source.open(target, BinaryFile::Access::Read));
    AtomicFileReplace replace(target, temporary);
    ASSERT_TRUE(replace.create());
    ASSERT_TRUE(replace.append(bytesOf("new ")));
    ASSERT_TRUE(replace.appendFrom(source, 4, 4));
    ASSERT_TRUE(replace.commit());
    EXPECT_EQ(contents(target), "new bank");
    EXPECT_FALSE(std::filesystem::exists(temporary));
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(reader), {}), "old bank");
}

} // namespace
} // namespace vorela
