#include "rendering/TemplateRendering.h"

#include "soundbank/KeySequenceRender.h"
#include "speech/TemplateExpansion.h"
#include "stores/Aliases.h"
#include "stores/LexItem.h"
#include "tables/DbfTable.h"
#include "tables/DbfTaskTableQuery.h"
#include "tables/TaskTableQuery.h"

namespace vorela {

TemplateRendering::TemplateRendering(RegistryStore &registry, const DataDirectory &dataDirectory,
                                     const Clock &localClock)
    : store(registry), directory(dataDirectory), clock(localClock),
      taskConfig(std::make_unique<Aliases>(registry, dataDirectory)),
      lexemes(std::make_unique<LexItem>(registry)), verification(dataDirectory)
{
}

TemplateRendering::~TemplateRendering() = default;

bool TemplateRendering::load(const std::string &task, const std::string &operatorName,
                             std::string &error)
{
    // Names typed in any letter case are found as the registry finds them, and reported as stored.
    const std::optional<std::string> storedTask = taskConfig->storedTaskName(task);
    if (!storedTask) {
        error = "no task '" + task + "'";
        return false;
    }
    taskName = *storedTask;
    const std::optional<std::string> storedOperator =
        taskConfig->storedOperatorName(taskName, operatorName);
    bool found = false;
    if (storedOperator)
        items = taskConfig->GetTemplate(taskName, *storedOperator, found);
    if (!found) {
        error = "no operator '" + operatorName + "' of task '" + taskName + "'";
        return false;
    }
    if (const TemplateResult read = taskConfig->lastTemplateResult(); !read.ok()) {
        error = read.reason;
        return false;
    }
    if (!holdsGreeting(items)) {
        error = "the template of " + taskName + "\\" + *storedOperator +
                " holds no greeting phrase and is not spoken";
        return false;
    }
    return true;
}

std::optional<std::filesystem::path> TemplateRendering::tableFile() const
{
    return resolveTablePath(taskConfig->GetFile(taskName));
}

// Empty when the record can be read and is live.
std::string TemplateRendering::recordProblem(std::uint32_t record) const
{
    const std::optional<std::filesystem::path> file = tableFile();
    if (!file)
        return "task '" + taskName + "' has no table file";
    std::string error;
    const std::optional<DbfTable> table = DbfTable::open(*file, error);
    if (!table)
        return error;
    std::vector<std::uint8_t> bytes;
    const DbfTable::RecordState state = table->readRecord(record, bytes, error);
    if (state == DbfTable::RecordState::Deleted)
        return file->string() + ": record " + std::to_string(record) + " is deleted";
    return state == DbfTable::RecordState::Live ? std::string() : error;
}

RenderedRecord TemplateRendering::render(std::optional<std::uint32_t> record,
                                         std::optional<LineCoding> line) const
{
    RenderedRecord result;
    if (record) {
        result.error = recordProblem(*record);
        if (!result.error.empty())
            return result;
    }
    const DbfTaskTableQuery tables = record ? DbfTaskTableQuery(*record) : DbfTaskTableQuery();
    SpeechComposer composer(clock, tables);
    expandTemplate(composer, {*taskConfig, store, *lexemes}, taskName, items);
    if (!composer.keysValid) {
        result.status = RenderedRecord::Status::NotSpeakable;
        result.error = "a value of the template cannot be spoken (see vorela expand)";
        return result;
    }
    RenderedSpeech speech = renderKeySequence(directory.productBank(), composer.keySequence,
                                              [this](std::span<const std::int16_t> samples) {
                                                  return verification.VerifySound(samples);
                                              });
    if (!speech.ok()) {
        result.error = speech.error;
        return result;
    }
    if (line)
        passPhoneLine(speech.samples, *line);
    result.status = RenderedRecord::Status::Spoken;
    result.samples = std::move(speech.samples);
    return result;
}

} // namespace vorela
