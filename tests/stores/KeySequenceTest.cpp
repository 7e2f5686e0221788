#include "stores/KeySequence.h"

#include <gtest/gtest.h>

namespace vorela {

TEST(KeySequence, EntriesAreToldApart)
{
    EXPECT_EQ(keyKind("----42"), KeyKind::Marker);
    EXPECT_EQ(keyKind("NULL"), KeyKind::Silent);
    EXPECT_EQ(keyKind("null"), KeyKind::Chunk);
    EXPECT_EQ(keyKind("____"), KeyKind::Chunk);
    EXPECT_EQ(markerHandle(markerKey(18446744073709551615u)), 18446744073709551615u);
    EXPECT_EQ(markerHandle("----"), std::nullopt);
    EXPECT_EQ(markerHandle("----12x"), std::nullopt);
    EXPECT_EQ(markerHandle("0001"), std::nullopt);
}

} // namespace vorela
