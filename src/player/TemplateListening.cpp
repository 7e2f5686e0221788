#include "player/TemplateListening.h"

#include "player/Form3.h"
#include "speech/SpeechComposer.h"
#include "stores/KeySequence.h"
#include "tables/DbfTaskTableQuery.h"

namespace vorela {

static constexpr std::uint64_t CurrentTimeFunction = 2;

TemplateListening::TemplateListening(Form3 &templatePlayer, RegistryStore &registry,
                                     const TaskTableQuery &taskTables, const Clock &localClock)
    : player(templatePlayer), store(registry), tables(taskTables), clock(localClock)
{
}

bool TemplateListening::playItems(Aliases &taskConfig, const LexItem &lexemes,
                                  std::span<const ListenedItem> items, QTreeWidget &markerTree)
{
    if (player.isPlaying())
        return false;
    const DbfTaskTableQuery recordTables(record.value_or(0));
    SpeechComposer composer(clock, record ? recordTables : tables);
    const TaskSources sources{taskConfig, store, lexemes};
    for (const ListenedItem &listened : items) {
        composer.ExpandTemplateItem(sources, listened.task, listened.item,
                                    std::to_string(listened.marker));
    }
    if (!composer.keysValid)
        return false;
    return player.start(composer.keySequence, &markerTree, /*checkBankFormat=*/true);
}

bool TemplateListening::playFunctionEntry(std::uint64_t number, std::uint64_t marker,
                                          QTreeWidget &markerTree)
{
    if (player.isPlaying())
        return false;
    SpeechComposer composer(clock, tables);
    composer.keySequence.push_back(markerKey(marker));
    if (number == CurrentTimeFunction)
        composer.speakCurrentTime();
    if (!composer.keysValid)
        return false;
    return player.start(composer.keySequence, &markerTree, /*checkBankFormat=*/true);
}

void TemplateListening::stop()
{
    player.stop();
}

} // namespace vorela
