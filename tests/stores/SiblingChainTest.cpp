// The one chain walk every store and check uses: which sibling is the head, how links written in
// another case are followed, and where damaged links end the walk.
#include "stores/SiblingChain.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vorela {
namespace {

struct WalkCase {
    const char *chain;
    std::vector<ChainLinks> siblings; // in enumeration order
    std::vector<std::string> reached;
    std::size_t heads;
    ChainEnd end;
};

TEST(SiblingChainTest, WalksFromTheFirstHeadAndStopsWhereTheLinksEnd)
{
    const WalkCase cases[] = {
        {"whole, listed out of chain order",
         {{"1", "", "3"}, {"2", "3", ""}, {"3", "1", "2"}},
         {"1", "3", "2"},
         1,
         ChainEnd::Tail},
        {"two heads: the first listed starts it",
         {{"1", "", ""}, {"2", "", "3"}, {"3", "2", ""}},
         {"1"},
         2,
         ChainEnd::Tail},
        {"two heads, the later one linked onward",
         {{"1", "", "3"}, {"2", "", ""}, {"3", "1", ""}},
         {"1", "3"},
         2,
         ChainEnd::Tail},
        {"links written in another case",
         {{"abc", "", "ЁЖ"}, {"ёж", "ABC", "CAFÉ"}, {"café", "ЁЖ", "ЯМА"}, {"яма", "Café", ""}},
         {"abc", "ёж", "café", "яма"},
         1,
         ChainEnd::Tail},
        {"loop back to the head", {{"1", "", "2"}, {"2", "1", "1"}}, {"1", "2"}, 1, ChainEnd::Loop},
        {"loop onto itself", {{"1", "", "1"}}, {"1"}, 1, ChainEnd::Loop},
        {"loop in another case", {{"a", "", "B"}, {"b", "a", "A"}}, {"a", "b"}, 1, ChainEnd::Loop},
        {"next names no sibling",
         {{"1", "", "5"}, {"2", "1", ""}},
         {"1"},
         1,
         ChainEnd::MissingNext},
        {"no head", {{"1", "2", "2"}, {"2", "1", "1"}}, {}, 0, ChainEnd::NoHead},
        {"no siblings", {}, {}, 0, ChainEnd::NoHead},
    };
    for (const WalkCase &entry : cases) {
        SCOPED_TRACE(entry.chain);
        const ChainWalk walk = walkChain(entry.siblings);
        std::vector<std::string> reached;
        for (const std::size_t index : walk.order)
            reached.push_back(entry.siblings.at(index).name);
        EXPECT_EQ(reached, entry.reached);
        EXPECT_EQ(walk.heads, entry.heads);
        EXPECT_EQ(walk.end, entry.end);
    }
}

} // namespace
} // namespace vorela
