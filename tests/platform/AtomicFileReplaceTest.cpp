// AtomicFileReplace on real files: abandoned, committed, resumed after a failed rename, and a
// link left in place of the temporary file.
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

TEST_F(AtomicFileReplaceTest, ALinkLeftAsTheTemporaryFileIsReplacedNotWrittenThrough)
{
    // Someone with write access to the shared folder plants the temporary name as a link to
    // another file; the rewrite must neither truncate that file nor turn the bank into a link.
    enum class Link { Symbolic, Hard };
    for (const Link link : {Link::Symbolic, Link::Hard}) {
        const std::filesystem::path outside = dir.path() / "outside.txt";
        put(outside, "not the editor's");
        std::filesystem::remove(temporary);
        if (link == Link::Symbolic)
            std::filesystem::create_symlink(outside, temporary);
        else
            std::filesystem::create_hard_link(outside, temporary);
        AtomicFileReplace replace(target, temporary);
        ASSERT_TRUE(replace.create());
        ASSERT_TRUE(replace.append(bytesOf("new bank")));
        ASSERT_TRUE(replace.commit());
        EXPECT_EQ(contents(outside), "not the editor's");
        EXPECT_EQ(contents(target), "new bank");
        EXPECT_TRUE(std::filesystem::is_regular_file(std::filesystem::symlink_status(target)));
    }
}

} // namespace
} // namespace vorela
