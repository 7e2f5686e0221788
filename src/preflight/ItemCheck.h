// Speaks one template item with one value, as the notification application would, and reports
// what a subscriber would not hear.
#pragma once

#include "preflight/PreflightProblem.h"
#include "preflight/RecordValues.h"
#include "speech/FieldBinding.h"
#include "speech/SpeechComposer.h"
#include "stores/PatternItem.h"
#include "tables/DbfTaskTableQuery.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vorela {

struct PreflightSources;
class SoundInventory;

/// A template item with what a report names it by.
struct CheckedItem {
    std::string task;
    std::string operatorName;
    PatternItem item;
    std::string text;                // as the task tree shows it
    std::optional<BindingMode> mode; // how its value is spoken; none for a fixed lexeme
};

class ItemCheck {
public:
    using Sink = std::function<void(PreflightProblem &&problem)>;

    /// sources and inventory must outlive this; every problem found goes to sink.
    ItemCheck(const PreflightSources &sources, SoundInventory &inventory, Sink sink);

    /// Expands item reading value, for record; false when a problem was reported.
    [[nodiscard]] bool check(const CheckedItem &item, const std::string &value,
                             std::uint32_t record);
    /// Reports a problem found without speaking the item.
    void report(const CheckedItem &item, ProblemKind kind, std::uint32_t record, std::string value,
                std::string reason);

private:
    // An item that spoke a value whole speaks it whole again: values repeat down a table (dates,
    // houses, districts), so the last few whole ones are remembered in a fixed number of slots.
    struct WholeValue {
        const CheckedItem *item = nullptr;
        std::string value;
    };
    static constexpr std::size_t WholeValueSlots = 16384;

    [[nodiscard]] bool speak(const CheckedItem &item, const std::string &value,
                             std::uint32_t record);
    [[nodiscard]] std::string missingSoundsText(const std::vector<std::string> &keys);

    SoundInventory &inventory;
    Sink sink;
    RecordValues values;
    DbfTaskTableQuery unusedTables; // the composer's own reads are replaced by values
    SpeechComposer composer;
    TaskSources taskSources;
    std::vector<std::string> missing; // kept between calls: no allocation per record
    std::vector<WholeValue> wholeValues{WholeValueSlots};
};

} // namespace vorela
