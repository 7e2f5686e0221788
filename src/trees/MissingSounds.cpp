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

// A lexeme whose sound the operator can still record and the bank lacks.
static bool waitsForSound(const LexItem &node, std::string_view chunk, const HasSound &hasSound)
{
    return recordable(node, chunk) && !hasSound(chunk);
}

static void collect(const LexItem &node, const HasSound &hasSound, std::set<std::string> &offered,
                    std::vector<MissingSound> &out)
{
    for (const std::shared_ptr<LexItem> &child : node.GetChildren()) {
        const std::string chunk = child->GetChunk();
        if (!offered.contains(chunk) && waitsForSound(*child, chunk, hasSound)) {
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

std::size_t SoundGaps::missingBelow(const LexItem &node) const
{
    const auto found = counts.find(&node);
    return found != counts.end() ? found->second : 0;
}

// The chunks missing below node, gathered bottom-up so each node is visited once.
static std::set<std::string> collectGaps(const LexItem &node, const HasSound &hasSound,
                                         SoundGaps &gaps)
{
    std::set<std::string> missing;
    for (const std::shared_ptr<LexItem> &child : node.GetChildren()) {
        const std::string chunk = child->GetChunk();
        if (waitsForSound(*child, chunk, hasSound)) {
            gaps.silent.insert(child.get());
            missing.insert(chunk);
        }
        missing.merge(collectGaps(*child, hasSound, gaps));
    }
    if (!missing.empty())
        gaps.counts[&node] = missing.size();
    return missing;
}

SoundGaps soundGaps(const LexItem &root, const HasSound &hasSound)
{
    SoundGaps gaps;
    // The root's own missing chunks are counted in gaps like every folder's; the set is not needed.
    (void)collectGaps(root, hasSound, gaps);
    return gaps;
}

} // namespace vorela
