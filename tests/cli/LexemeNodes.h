// Writes top-level lexeme nodes straight into a registry store, for tools run on it afterwards;
// they are chained in the given order, as the tree of the store is read through its chain.
#pragma once

#include "platform/RegistryStore.h"
#include "stores/RegistryPaths.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

namespace vorela::test {

struct LexemeNode {
    const char *name;
    const char *chunk;
    const char *text;
};

inline void writeLexemeNodes(RegistryStore &store, std::initializer_list<LexemeNode> nodes)
{
    const LexemeNode *previous = nullptr;
    for (const LexemeNode *node = nodes.begin(); node != nodes.end(); previous = node++) {
        const RegistryKey key = store.createKey(std::string(LexemeRootPath) + node->name);
        const char *next = node + 1 != nodes.end() ? (node + 1)->name : "";
        ASSERT_TRUE(key.writeString("chunk", node->chunk) && key.writeString("text", node->text) &&
                    key.writeString("prev", previous != nullptr ? previous->name : "") &&
                    key.writeString("next", next));
    }
}

} // namespace vorela::test
