// One item, one value: the expansion decides what is heard and the rule of written values whether
// it is what the table holds; this reads the keys.
#include "preflight/ItemCheck.h"

#include "preflight/Preflight.h"
#include "preflight/SoundInventory.h"
#include "speech/WrittenValue.h"
#include "stores/ChunkIds.h"
#include "stores/KeySequence.h"
#include "stores/LexemeTable.h"

#include <algorithm>

namespace vorela {

static constexpr std::string_view UnspeakableReason = "значение нельзя произнести";
static constexpr std::string_view AlteredReason = "значение прозвучит не так, как записано";
static constexpr std::string_view SilentValueReason = "из значения не получилось ни одного слова";
static constexpr std::string_view EmptyReason = "пустое значение";
static constexpr std::string_view NoTableKeyReason = "в таблице лексем нет ключа «";
static constexpr std::string_view NoSoundReason = "в банке нет звука ";
static constexpr std::string_view NoSoundsReason = "в банке нет звуков ";

ItemCheck::ItemCheck(const PreflightSources &sources, SoundInventory &soundInventory,
                     Sink problemSink)
    : inventory(soundInventory), sink(std::move(problemSink)), values(sources.store),
      composer(sources.clock, unusedTables), taskSources{sources.taskConfig, sources.store,
                                                         sources.lexemes, &values}
{
}

bool ItemCheck::check(const CheckedItem &checked, const std::string &value, std::uint32_t record)
{
    const std::size_t hash =
        std::hash<std::string_view>()(value) ^ std::hash<const CheckedItem *>()(&checked);
    WholeValue &slot = wholeValues[hash % WholeValueSlots];
    if (slot.item == &checked && slot.value == value)
        return true;
    if (!speak(checked, value, record))
        return false;
    slot.item = &checked;
    slot.value.assign(value); // reuses the slot's buffer
    return true;
}

bool ItemCheck::speak(const CheckedItem &checked, const std::string &value, std::uint32_t record)
{
    const bool readsValue = SpeechComposer::readsTableValue(checked.item);
    // A lexeme table item trims its value before the lookup; a function speaks it as read.
    const bool tableItem = checked.item.chunk.starts_with(LexemeTableChunkId.front());
    const std::string_view spoken = tableItem ? tableKeyName(value) : std::string_view(value);
    composer.keySequence.clear();
    composer.keysValid = true;
    values.setValue(value);
    composer.ExpandTemplateItem(taskSources, checked.task, checked.item, checked.item.name);
    if (!composer.keysValid) {
        report(checked, ProblemKind::Unspeakable, record, value, std::string(UnspeakableReason));
        return false;
    }
    // Whatever such a value speaks names another value: it is as good as unspeakable.
    if (readsValue && !spoken.empty() && checked.mode && !saidAsWritten(*checked.mode, value)) {
        report(checked, ProblemKind::Unspeakable, record, value, std::string(AlteredReason));
        return false;
    }
    bool whole = true;
    bool silent = false;
    missing.clear();
    for (const std::string &key : composer.keySequence) {
        const KeyKind kind = keyKind(key);
        silent = silent || kind == KeyKind::Silent;
        if (kind == KeyKind::Chunk && !inventory.has(key) &&
            std::find(missing.begin(), missing.end(), key) == missing.end())
            missing.push_back(key);
    }
    // More digits than the digit groups take speak no word: the subscriber hears nothing.
    if (readsValue && !spoken.empty() && composer.keySequence.size() == 1) {
        report(checked, ProblemKind::Unspeakable, record, value, std::string(SilentValueReason));
        return false;
    }
    if (readsValue && spoken.empty()) {
        report(checked, ProblemKind::EmptyValue, record, value, std::string(EmptyReason));
        whole = false;
    } else if (tableItem && silent) {
        report(checked, ProblemKind::TableKeyMissing, record, value,
               std::string(NoTableKeyReason) + std::string(spoken) + "»");
        whole = false;
    }
    if (!missing.empty()) {
        report(checked, ProblemKind::MissingSound, record, value, missingSoundsText(missing));
        whole = false;
    }
    return whole;
}

void ItemCheck::report(const CheckedItem &checked, ProblemKind kind, std::uint32_t record,
                       std::string value, std::string reason)
{
    sink({kind, record, checked.task, checked.operatorName, checked.item.name, checked.text,
          checked.item.arg, std::move(value), std::move(reason)});
}

std::string ItemCheck::missingSoundsText(const std::vector<std::string> &keys)
{
    std::string text(keys.size() == 1 ? NoSoundReason : NoSoundsReason);
    for (std::size_t index = 0; index < keys.size(); ++index) {
        text.append(index == 0 ? "«" : ", «").append(keys[index]).append("»");
        const std::string name = inventory.lexemeName(keys[index]);
        if (!name.empty())
            text.append(" (").append(name).append(")");
    }
    return text;
}

} // namespace vorela
