// Which lexemes below a node still wait for their first recording.
#include "trees/MissingSounds.h"

#include "stores/ChunkIds.h"
#include "stores/LexItem.h"
#include "trees/TreeRules.h"

#include <memory>
#include <set>

namespace vorela {

static bool recordable(const LexItem &node, std::string_view chunk)
{
    return !node.IsFolder() && !chunk.empty() && !isFunctionChunk(chunk) &&
           chunk.front() != LexemeTableChunkId.front() && chunk != GreetingChunkId;
}

static void collect(const LexItem &node, const HasSound &hasSound, std::set<std::string> &offered,
                    std::vector<MissingSound> &out)
{
    for (const std::shared_ptr<LexItem> &child : node.GetChildren()) {
        const std::string chunk = child->GetChunk();
        if (recordable(*child, chunk) && !offered.contains(chunk) && !hasSound(chunk)) {
            offered.insert(chunk);
            out.push_back({chunk, child->GetText(), child->GetPath()});
        }
        // The entries of a lexeme table are spoken like any lexeme: they are walked too.
        collect(*child, hasSound, offered, out);
    }
}

std::vector<MissingSound> lexemesWithoutSound(const LexItem &node, const HasSound &hasSound)
{
    std::vector<MissingSound> out;
    std::set<std::string> offered;
    collect(node, hasSound, offered, out);
    return out;
}

} // namespace vorela
