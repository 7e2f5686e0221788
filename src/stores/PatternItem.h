// One template item as seven strings: the item's name, the referenced lexeme and the chain links.
#pragma once

#include <string>

namespace vorela {

/// A value object; build it with designated initialisers:
///   PatternItem{.path = "3\\4\\", .arg = "'125,50'"}
/// Only path and arg are written to the store; text and chunk are looked up in the lexeme store on
/// every read, prev and next are kept by the chain operations.
struct PatternItem {
    std::string name{};  // the item's subkey name ("0001"); empty while not stored
    std::string path{};  // "Path": the lexeme node's path, each component followed by '\'
    std::string text{};  // the node's "Text" (the Russian name, whatever the language setting)
    std::string chunk{}; // the node's "Chunk" ("0012", "#001", "@010")
    std::string arg{};   // "Arg": empty, a column name, or a constant in apostrophes
    std::string prev{};  // "Prev"
    std::string next{};  // "Next"

    friend bool operator==(const PatternItem &, const PatternItem &) = default;
};

} // namespace vorela
