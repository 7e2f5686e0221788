// Writes top-level lexeme nodes straight into a registry store, for tools run on it afterwards.
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
    for (const LexemeNode &node : nodes) {
        const RegistryKey key = store.createKey(std::string(LexemeRootPath) + node.name);
        ASSERT_TRUE(key.writeString("chunk", node.chunk) && key.writeString("text", node.text));
    }
}

} // namespace vorela::test
