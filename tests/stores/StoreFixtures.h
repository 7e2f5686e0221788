// Builders and checks for the store tests: lexeme nodes and template items written straight into
// a real registry store, and chain checks that read the registry without the stores' code.
#pragma once

#include "platform/RegistryStore.h"
#include "support/TempDataDir.h"

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

namespace vorela::test {

[[nodiscard]] std::unique_ptr<RegistryStore> openTestStore(const TempDataDir &dir);

struct NodeLayout {
    std::string name;
    std::string text;
    std::string chunk;
    unsigned icon = 4;
    unsigned child = 0; // 1 = folder
    unsigned mask = 49;
    std::vector<NodeLayout> children;
};

/// A folder node with the given children.
[[nodiscard]] NodeLayout folder(std::string name, std::string text,
                                std::vector<NodeLayout> children);
/// A lexeme node.
[[nodiscard]] NodeLayout lexeme(std::string name, std::string text, std::string chunk);

/// Writes the nodes under parent, chained in the given order, with their subtrees.
void writeLexemes(const RegistryKey &parent, const std::vector<NodeLayout> &nodes);
/// Writes template items (name, path, arg) under templateKey, chained in the given order.
void writeTemplate(const RegistryKey &templateKey,
                   const std::vector<std::array<std::string, 3>> &items);

/// The names along the chain of key's subkeys, from the one with an empty "prev"; stops at a
/// repeat or a missing key.
[[nodiscard]] std::vector<std::string> chainOrder(const RegistryKey &key);
/// One head, every subkey reached, each "prev" naming the node before, the tail's "next" empty.
[[nodiscard]] ::testing::AssertionResult wholeChain(const RegistryKey &key);
/// Everything in the store as .reg text, to compare a store before and after.
[[nodiscard]] std::string storeSnapshot(RegistryStore &store);

} // namespace vorela::test
