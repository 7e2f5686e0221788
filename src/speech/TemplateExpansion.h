// A whole template turned into the key sequence the player speaks, as listening to it does.
#pragma once

#include "speech/SpeechComposer.h"
#include "stores/PatternItem.h"

#include <span>
#include <string>

namespace vorela {

class LexItem;

/// The text the task tree shows for an item: its lexeme's name in the editor's language, then
/// "(" binding ")" when bound.
[[nodiscard]] std::string templateItemText(const LexItem &lexemes, const PatternItem &item);

/// True when one of items is the greeting phrase, without which a template is not spoken.
[[nodiscard]] bool holdsGreeting(std::span<const PatternItem> items);

/// Sets keysValid, then expands the items in order, each after the marker "----" + its name.
void expandTemplate(SpeechComposer &composer, const TaskSources &sources,
                    const std::string &taskName, std::span<const PatternItem> items);

} // namespace vorela
