// Builders and checks for the store tests.
#include "StoreFixtures.h"

#include "platform/RegFile.h"

#include <algorithm>
#include <set>

namespace vorela::test {

std::unique_ptr<RegistryStore> openTestStore(const TempDataDir &dir)
{
    std::string error;
    std::unique_ptr<RegistryStore> store =
        RegistryStore::open(dir.dataDirectory().registry(), error);
    EXPECT_TRUE(store) << error;
    return store;
}

NodeLayout folder(std::string name, std::string text, std::vector<NodeLayout> children)
{
    return NodeLayout{std::move(name), std::move(text), "", 4, 1, 58, std::move(children)};
}

NodeLayout lexeme(std::string name, std::string text, std::string chunk)
{
    return NodeLayout{std::move(name), std::move(text), std::move(chunk), 4, 0, 49, {}};
}

void writeLexemes(const RegistryKey &parent, const std::vector<NodeLayout> &nodes)
{
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        const NodeLayout &node = nodes[i];
        const RegistryKey key = parent.createKey(node.name);
        ASSERT_TRUE(key.writeString("text", node.text) && key.writeString("text1", node.text) &&
                    key.writeString("keyname", "") && key.writeString("chunk", node.chunk) &&
                    key.writeDword("icon", node.icon) && key.writeDword("child", node.child) &&
                    key.writeDword("mask", node.mask) &&
                    key.writeString("prev", i > 0 ? nodes[i - 1].name : "") &&
                    key.writeString("next", i + 1 < nodes.size() ? nodes[i + 1].name : ""));
        writeLexemes(key, node.children);
    }
}

void writeTemplate(const RegistryKey &templateKey,
                   const std::vector<std::array<std::string, 3>> &items)
{
    for (std::size_t i = 0; i < items.size(); ++i) {
        const RegistryKey key = templateKey.createKey(items[i][0]);
        ASSERT_TRUE(key.writeString("Prev", i > 0 ? items[i - 1][0] : "") &&
                    key.writeString("Next", i + 1 < items.size() ? items[i + 1][0] : "") &&
                    key.writeString("Path", items[i][1]) && key.writeString("Arg", items[i][2]));
    }
}

std::vector<std::string> chainOrder(const RegistryKey &key)
{
    std::string current;
    for (const RegistryKey &subkey : key.subkeys()) {
        if (subkey.readString("prev").value_or("").empty()) {
            current = subkey.name();
            break;
        }
    }
    std::vector<std::string> order;
    while (!current.empty() && std::find(order.begin(), order.end(), current) == order.end()) {
        const RegistryKey node = key.openKey(current);
        if (!node.isOpen())
            break;
        order.push_back(current);
        current = node.readString("next").value_or("");
    }
    return order;
}

::testing::AssertionResult wholeChain(const RegistryKey &key)
{
    const std::vector<RegistryKey> subkeys = key.subkeys();
    const auto heads = std::count_if(subkeys.begin(), subkeys.end(), [](const RegistryKey &subkey) {
        return subkey.readString("prev").value_or("").empty();
    });
    if (!subkeys.empty() && heads != 1)
        return ::testing::AssertionFailure() << key.name() << ": " << heads << " heads";
    const std::vector<std::string> order = chainOrder(key);
    if (order.size() != subkeys.size())
        return ::testing::AssertionFailure()
               << key.name() << ": the chain reaches " << order.size() << " of " << subkeys.size();
    for (std::size_t i = 0; i < order.size(); ++i) {
        const RegistryKey node = key.openKey(order[i]);
        const std::string expectedPrev = i > 0 ? order[i - 1] : "";
        if (node.readString("prev").value_or("") != expectedPrev)
            return ::testing::AssertionFailure() << order[i] << ": prev is not " << expectedPrev;
        if (i + 1 == order.size() && !node.readString("next").value_or("").empty())
            return ::testing::AssertionFailure() << order[i] << ": the tail has a next";
    }
    return ::testing::AssertionSuccess();
}

std::string storeSnapshot(RegistryStore &store)
{
    return exportRegText(store, "HKEY_LOCAL_MACHINE");
}

} // namespace vorela::test
