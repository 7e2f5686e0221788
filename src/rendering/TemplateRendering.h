// One operator's template spoken into samples with a chosen record of its task's table, as the
// player speaks it, optionally through the telephone line; the tool's render command uses it.
#pragma once

#include "audio/PhoneLine.h"
#include "platform/DataDirectory.h"
#include "stores/PatternItem.h"
#include "verification/Verification.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace vorela {

class Aliases;
class Clock;
class LexItem;
class RegistryStore;

struct RenderedRecord {
    enum class Status { Spoken, NotSpeakable, Failed };
    Status status = Status::Failed;
    std::vector<std::int16_t> samples; // only when Spoken
    std::string error;                 // why not, naming the record, key or file
};

/// Not shared between threads: each thread makes its own over its own store.
class TemplateRendering {
public:
    /// store, dataDirectory and clock must outlive this object.
    TemplateRendering(RegistryStore &store, const DataDirectory &dataDirectory, const Clock &clock);
    ~TemplateRendering();
    TemplateRendering(const TemplateRendering &) = delete;
    TemplateRendering &operator=(const TemplateRendering &) = delete;

    /// Reads the template of task\operatorName (named in any letter case); false with error, which
    /// names them as stored, when there is no such task or operator or the template lacks the
    /// greeting phrase.
    [[nodiscard]] bool load(const std::string &task, const std::string &operatorName,
                            std::string &error);
    /// The loaded task's name as stored.
    [[nodiscard]] const std::string &task() const { return taskName; }
    /// The task's table file as resolved for expansion; empty when it names no file.
    [[nodiscard]] std::optional<std::filesystem::path> tableFile() const;
    /// The task configuration as loaded (its missing defaults written where they could be).
    [[nodiscard]] const Aliases &tasks() const { return *taskConfig; }

    /// The loaded template spoken with the values of record (1-based, deleted records counted;
    /// the first live record when empty), through line when given. A deleted or missing record
    /// fails before anything is spoken.
    [[nodiscard]] RenderedRecord render(std::optional<std::uint32_t> record,
                                        std::optional<LineCoding> line) const;

private:
    [[nodiscard]] std::string recordProblem(std::uint32_t record) const;

    RegistryStore &store;
    DataDirectory directory;
    const Clock &clock;
    std::unique_ptr<Aliases> taskConfig;
    std::unique_ptr<LexItem> lexemes;
    Verification verification;
    std::string taskName;
    std::vector<PatternItem> items;
};

} // namespace vorela
