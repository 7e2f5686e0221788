#include "speech/TemplateExpansion.h"

#include "stores/ChunkIds.h"

#include <algorithm>

namespace vorela {

std::string templateItemText(const PatternItem &item)
{
    return item.arg.empty() ? item.text : item.text + "(" + item.arg + ")";
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
        composer.ExpandTemplateItem(sources, taskName, item, templateItemText(item), item.name);
}

} // namespace vorela
