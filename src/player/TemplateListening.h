// What the main window's listening commands need: template items and function entries turned
// into keys with the task's data, and those keys spoken by the player.
#pragma once

#include "stores/PatternItem.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>

class QTreeWidget;

namespace vorela {

class Aliases;
class Clock;
class Form3;
class LexItem;
class RegistryStore;
class TaskTableQuery;

/// One template item to speak, marked by the tree item whose handle is marker.
struct ListenedItem {
    PatternItem item;
    std::string task;
    std::uint64_t marker = 0;
};

class TemplateListening {
public:
    /// All must outlive this object.
    TemplateListening(Form3 &player, RegistryStore &store, const TaskTableQuery &tables,
                      const Clock &clock);

    /// Expands the items in order and starts the player on them, marking in markerTree; false
    /// when a value cannot be spoken or a playback runs (then nothing plays). lexemes gives the
    /// items' names as the task tree shows them.
    bool playItems(Aliases &taskConfig, const LexItem &lexemes, std::span<const ListenedItem> items,
                   QTreeWidget &markerTree);
    /// A function entry of the source tree: number 2 speaks the current time, others only mark
    /// the entry for the moment of their playback.
    bool playFunctionEntry(std::uint64_t number, std::uint64_t marker, QTreeWidget &markerTree);
    void stop();
    /// Template items read the record numbered number (1-based, deleted records counted) of
    /// their task's table from the next playback on; none reads the first live record.
    void setRecord(std::optional<std::uint32_t> number) { record = number; }

private:
    Form3 &player;
    RegistryStore &store;
    const TaskTableQuery &tables;
    const Clock &clock;
    std::optional<std::uint32_t> record;
};

} // namespace vorela
