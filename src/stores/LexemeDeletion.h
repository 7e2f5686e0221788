// Deleting one node of the lexeme store with what refers to it: the template items that name
// it, the sounds of a lexeme or of a table's entries, and the node itself.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace vorela {

class Aliases;
class LexItem;

/// Removes a sound from the product bank; true when it is gone (an absent sound counts as gone).
using SoundRemoval = std::function<bool(std::string_view chunkId)>;

/// The step at which a deletion stopped.
enum class DeletionStep { None, TemplateItem, Sound, Node };

struct NodeDeletion {
    DeletionStep failedStep = DeletionStep::None;
    /// Display name of the node whose step failed.
    std::string failedText;
    /// Some template lost an item, also when a later step failed.
    bool templatesChanged = false;

    [[nodiscard]] bool ok() const { return failedStep == DeletionStep::None; }
};

/// Whether a template of config names node or, below a folder, one of its lexemes; a template
/// that cannot be read counts as naming it.
[[nodiscard]] bool lexemesInUse(Aliases &config, const LexItem &node);

/// Removes parent's child childName with its sound; a lexeme table's entries go first, each
/// with its sound. Templates are not looked at. A sound goes before its node, so a busy bank
/// stops the deletion with the node and its sound kept; a node the registry then refuses stays
/// without its sound and can be deleted again. A folder that still has children is refused.
[[nodiscard]] NodeDeletion removeNodeAndSound(LexItem &parent, const std::string &childName,
                                              const SoundRemoval &removeSound);

/// Removes every template item of config that names the node, then the node as
/// removeNodeAndSound does. A template that cannot be read, or an item that cannot be removed,
/// stops it with the node whole.
[[nodiscard]] NodeDeletion deleteLexemeNode(Aliases &config, LexItem &parent,
                                            const std::string &childName,
                                            const SoundRemoval &removeSound);

} // namespace vorela
