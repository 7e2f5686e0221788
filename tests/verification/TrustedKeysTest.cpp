// TrustedKeys: which presented key blobs count as trusted, and what load() reads from the folder.
#include "verification/TrustedKeys.h"

#include "support/TempDataDir.h"

#include <gtest/gtest.h>

#include <fstream>

namespace vorela {
namespace {

using Blob = std::vector<std::uint8_t>;

TEST(TrustedKeysTest, OnlyAnEqualBlobIsTrusted)
{
    const Blob trusted{6, 2, 0, 0, 0, 0x24, 0, 0, 'R', 'S', 'A', '1', 1, 2, 3};
    const Blob longer = [&] {
        Blob blob = trusted;
        blob.push_back(4);
        return blob;
    }();
    const Blob shorter(trusted.begin(), trusted.end() - 1);
    const Blob lastByteOther = [&] {
        Blob blob = trusted;
        blob.back() ^= 1;
        return blob;
    }();
    const TrustedKeys keys({trusted});
    EXPECT_TRUE(keys.contains(trusted));
    const struct {
        const char *what;
        Blob presented;
    } refused[] = {
        {"trusted key is a prefix of it", longer},
        {"it is a prefix of the trusted key", shorter},
        {"last byte differs", lastByteOther},
        {"empty", {}},
    };
    for (const auto &entry : refused)
        EXPECT_FALSE(keys.contains(entry.presented)) << entry.what;
    // Several trusted keys: each matches only itself.
    const TrustedKeys several({shorter, longer});
    EXPECT_FALSE(several.contains(trusted));
    EXPECT_TRUE(several.contains(longer));
}

TEST(TrustedKeysTest, LoadReadsTheFolderAndTrustsNothingWithoutIt)
{
    test::TempDataDir dir;
    const std::filesystem::path folder = dir.path() / "trusted-keys";
    EXPECT_TRUE(TrustedKeys::load(folder).empty());
    std::filesystem::create_directories(folder / "not-a-key");
    std::ofstream(folder / "a.pub", std::ios::binary) << "key-a";
    std::ofstream(folder / "empty.pub", std::ios::binary).flush();
    const TrustedKeys keys = TrustedKeys::load(folder);
    EXPECT_TRUE(keys.contains(Blob{'k', 'e', 'y', '-', 'a'}));
    EXPECT_FALSE(keys.contains(Blob{}));
    EXPECT_FALSE(keys.contains(Blob{'k', 'e', 'y'}));
}

} // namespace
} // namespace vorela
