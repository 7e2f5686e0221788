// Deleting a node of the lexeme store: template items, sounds, then the node.
#include "stores/LexemeDeletion.h"

#include "stores/Aliases.h"
#include "stores/LexItem.h"

#include <memory>
#include <unordered_set>

namespace vorela {

// Paths of node and, below folders, of every lexeme: what a template item can name.
static void collectLexemePaths(const LexItem &node, std::unordered_set<std::string> &paths)
{
    if (!node.IsFolder()) {
        paths.insert(node.GetPath());
        return;
    }
    for (const std::shared_ptr<LexItem> &child : node.GetChildren())
        collectLexemePaths(*child, paths);
}

bool lexemesInUse(Aliases &config, const LexItem &node)
{
    std::unordered_set<std::string> paths;
    collectLexemePaths(node, paths);
    for (const std::string &task : config.GetTaskNames()) {
        for (const std::string &operatorName : config.GetOperatorNames(task)) {
            const std::vector<PatternItem> items = config.GetTemplate(task, operatorName);
            // A template that cannot be read may name the node: it counts as a use.
            if (!config.lastTemplateResult().ok())
                return true;
            for (const PatternItem &item : items) {
                if (paths.contains(item.path))
                    return true;
            }
        }
    }
    return false;
}

// Every template of the configuration, not only those a window shows: none may keep naming a
// lexeme that is going away.
static bool removeTemplateItems(Aliases &config, const std::string &path, bool &changed)
{
    for (const std::string &task : config.GetTaskNames()) {
        for (const std::string &operatorName : config.GetOperatorNames(task)) {
            const std::vector<PatternItem> items = config.GetTemplate(task, operatorName);
            if (!config.lastTemplateResult().ok())
                return false;
            for (const PatternItem &item : items) {
                if (item.path != path)
                    continue;
                if (!config.RemoveTemplateItem(task, operatorName, item.name))
                    return false;
                changed = true;
            }
        }
    }
    return true;
}

static NodeDeletion failure(DeletionStep step, const LexItem &node)
{
    return {step, node.GetText(), false};
}

// A lexeme's own sound, or every entry of a table with its sound.
static NodeDeletion removeSounds(LexItem &node, const SoundRemoval &removeSound)
{
    if (!node.GetChunk().starts_with('#'))
        return removeSound(node.GetChunk()) ? NodeDeletion{} : failure(DeletionStep::Sound, node);
    for (const std::shared_ptr<LexItem> &entry : node.GetChildren()) {
        const NodeDeletion removed = removeNodeAndSound(node, entry->GetName(), removeSound);
        if (!removed.ok())
            return removed;
    }
    return {};
}

NodeDeletion removeNodeAndSound(LexItem &parent, const std::string &childName,
                                const SoundRemoval &removeSound)
{
    // Held here: RemoveChild frees the node while its text may still be needed.
    const std::shared_ptr<LexItem> node = parent.GetChild(childName);
    if (!node)
        return {DeletionStep::Node, {}, false};
    if (node->IsFolder() && !node->GetChildren().empty())
        return failure(DeletionStep::Node, *node);
    if (!node->IsFolder()) {
        const NodeDeletion sounds = removeSounds(*node, removeSound);
        if (!sounds.ok())
            return sounds;
    }
    if (!parent.RemoveChild(childName))
        return failure(DeletionStep::Node, *node);
    return {};
}

NodeDeletion deleteLexemeNode(Aliases &config, LexItem &parent, const std::string &childName,
                              const SoundRemoval &removeSound)
{
    const std::shared_ptr<LexItem> node = parent.GetChild(childName);
    if (!node)
        return {DeletionStep::Node, {}, false};
    bool changed = false;
    NodeDeletion result = removeTemplateItems(config, node->GetPath(), changed)
                              ? removeNodeAndSound(parent, childName, removeSound)
                              : failure(DeletionStep::TemplateItem, *node);
    result.templatesChanged = changed;
    return result;
}

} // namespace vorela
