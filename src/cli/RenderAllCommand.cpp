// `vorela render TASK OPERATOR --all -o DIR`: every live record of the task's table spoken into
// its own WAV file, for archiving what was said. Records are shared out to one thread per core,
// each with its own registry store connection and bank reads.
#include "cli/CliStore.h"
#include "cli/RenderOptions.h"
#include "platform/ArchiveFileNames.h"
#include "rendering/TemplateRendering.h"
#include "soundbank/WavExport.h"
#include "tables/TableRecords.h"

#include <algorithm>
#include <atomic>
#include <iostream>
#include <system_error>
#include <thread>

namespace vorela {

namespace {

struct ArchiveJob {
    const CliContext &context;
    const RenderOptions &options;
    std::vector<NumberedRecord> records;
    std::vector<std::string> fileNames; // beside records
    std::vector<std::string> problems;  // beside records; each written by one thread only
    std::atomic<std::size_t> next{0};
};

// One thread's share: takes the next record until none is left.
void renderShare(ArchiveJob &job)
{
    std::string error;
    const std::unique_ptr<RegistryStore> store =
        RegistryStore::open(job.context.dataDirectory.registry(), error);
    std::optional<TemplateRendering> rendering;
    if (store)
        rendering.emplace(*store, job.context.dataDirectory, job.options.clock);
    const bool ready =
        rendering && rendering->load(job.options.task, job.options.operatorName, error);
    for (std::size_t index = job.next++; index < job.records.size(); index = job.next++) {
        if (!ready) {
            job.problems[index] = error;
            continue;
        }
        const RenderedRecord rendered =
            rendering->render(job.records[index].number, job.options.line);
        if (rendered.status != RenderedRecord::Status::Spoken) {
            job.problems[index] = rendered.error;
            continue;
        }
        const std::filesystem::path file = job.options.output / job.fileNames[index];
        if (!exportWav(file, rendered.samples))
            job.problems[index] = "cannot write " + file.string();
    }
}

std::vector<std::string> archiveNames(const std::vector<NumberedRecord> &records, bool byColumn)
{
    std::vector<std::string> stems;
    stems.reserve(records.size());
    for (const NumberedRecord &record : records) {
        const std::string stem = byColumn ? safeFileStem(record.text) : std::string();
        stems.push_back(stem.empty() ? recordFileStem(record.number) : stem);
    }
    return uniqueFileNames(stems, ".wav");
}

} // namespace

int renderAllRecords(CliContext &context, const RenderOptions &options)
{
    const std::unique_ptr<RegistryStore> store = openCliStore(context);
    if (!store)
        return 1;
    std::optional<std::filesystem::path> table;
    {
        // The template and the table are checked once here, so a wrong name fails at once.
        TemplateRendering rendering(*store, context.dataDirectory, options.clock);
        warnOfUnwrittenDefaults(rendering.tasks(), *store);
        std::string error;
        if (!rendering.load(options.task, options.operatorName, error))
            return cliFailure(error);
        table = rendering.tableFile();
        if (!table)
            return cliFailure("task '" + rendering.task() + "' has no table file");
    }
    LiveRecords live = readLiveRecords(*table, options.nameBy);
    if (!live.ok())
        return cliFailure(live.error);
    std::error_code error;
    std::filesystem::create_directories(options.output, error);
    if (error || !std::filesystem::is_directory(options.output, error))
        return cliFailure("cannot make the folder " + options.output.string());

    ArchiveJob job{context, options, std::move(live.records), {}, {}, {}};
    job.fileNames = archiveNames(job.records, !options.nameBy.empty());
    job.problems.resize(job.records.size());
    const std::size_t threadCount = std::clamp<std::size_t>(
        std::thread::hardware_concurrency(), 1, std::max<std::size_t>(1, job.records.size()));
    {
        std::vector<std::jthread> threads;
        for (std::size_t thread = 0; thread < threadCount; ++thread)
            threads.emplace_back([&job] { renderShare(job); });
    }
    std::size_t failed = 0;
    for (std::size_t index = 0; index < job.records.size(); ++index) {
        if (job.problems[index].empty())
            continue;
        ++failed;
        std::cerr << "vorela: record " << job.records[index].number << ": " << job.problems[index]
                  << '\n';
    }
    std::cout << job.records.size() - failed << " of " << job.records.size()
              << " records written to " << options.output.string() << '\n';
    return failed == 0 ? 0 : 2;
}

} // namespace vorela
