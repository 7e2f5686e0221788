#include "speech/TemplateExpansion.h"

#include "stores/ChunkIds.h"
#include "stores/LexItem.h"

#include <algorithm>

namespace vorela {

std::string templateItemText(const LexItem &lexemes, const PatternItem &item)
{
    bool found = false;
    std::string text = lexemes.GetTextAt(item.path, found);
    if (!item.arg.empty())
        text.append("(").append(item.arg).append(")");
    return text;
}

bool holdsGreeting(std::span<const PatternItem> items)
{
    return std::any_of(items.begin(), items.end(),
                       [](const PatternItem &item) { return item.chunk == GreetingChunkId; });
}

void expandTemplate(SpeechComposer &composer, const TaskSources &sources,
                    const std::string &taskName, std::span<const PatternItem> items)
{
    composer.keysValid = true;
    for (const PatternItem &item : items)
        composer.ExpandTemplateItem(sources, taskName, item, item.name);
}

} // namespace vorela
