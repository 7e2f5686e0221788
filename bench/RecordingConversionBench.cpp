// Importing a 460 MB studio recording (48000 Hz stereo, 16 bits, 40 minutes): the time, and the
// peak memory of the process that imports it against the size of the file and of the result.
#include "BenchFiles.h"
#include "platform/DataDirectory.h"
#include "soundbank/FolderImport.h"

#include <benchmark/benchmark.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

namespace vorela {
namespace {

constexpr std::uint32_t StudioRate = 48000;
constexpr std::uint32_t Seconds = 2400;
constexpr std::uint64_t DataBytes = std::uint64_t{StudioRate} * 2 * 2 * Seconds;

/// The recording written a second at a time, so that making it costs no memory.
class LongRecording {
public:
    LongRecording()
    {
        std::filesystem::create_directory(folder());
        std::string second;
        for (std::uint32_t n = 0; n < StudioRate; ++n) {
            const double value = 8000 * std::sin(2 * M_PI * 440 * n / StudioRate);
            for (int channel = 0; channel < 2; ++channel)
                bench::putU16(second, static_cast<std::uint16_t>(static_cast<std::int16_t>(value)));
        }
        // The form's header and format, its size grown by the data chunk that follows.
        std::string header = bench::riffWave(2, StudioRate, {});
        std::string riffSize;
        bench::putU32(riffSize, static_cast<std::uint32_t>(header.size() + DataBytes));
        header.replace(4, 4, riffSize);
        header += "data";
        bench::putU32(header, static_cast<std::uint32_t>(DataBytes));
        std::ofstream out(file(), std::ios::binary);
        out.write(header.data(), static_cast<std::streamsize>(header.size()));
        for (std::uint32_t s = 0; s < Seconds; ++s)
            out.write(second.data(), static_cast<std::streamsize>(second.size()));
        if (!out.flush())
            std::abort();
    }

    [[nodiscard]] std::filesystem::path folder() const { return scratch.path / "recordings"; }
    [[nodiscard]] std::filesystem::path file() const { return folder() / "0001.wav"; }

    bench::ScratchFolder scratch;
};

const LongRecording &recording()
{
    static const LongRecording instance;
    return instance;
}

/// Imports the recording in a child process and returns that process's peak resident memory
/// in bytes; zero when the import failed.
std::uint64_t importedPeakBytes()
{
    const pid_t child = ::fork();
    if (child == 0) {
        const LexemeName lexeme{"0001", "Запись"};
        const std::optional<FolderImportPlan> plan =
            loadFolder(recording().folder(), std::span(&lexeme, 1),
                       DataDirectory(recording().scratch.path), {});
        const bool whole = plan && plan->sounds.size() == 1 &&
                           plan->sounds[0].samples.size() == std::size_t{8000} * Seconds;
        ::_exit(whole ? 0 : 1);
    }
    int status = 0;
    rusage usage{};
    if (child < 0 || ::wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) ||
        WEXITSTATUS(status) != 0)
        return 0;
    return static_cast<std::uint64_t>(usage.ru_maxrss) * 1024;
}

void importLongRecording(benchmark::State &state)
{
    recording();
    std::uint64_t peak = 0;
    for (auto _ : state) {
        peak = importedPeakBytes();
        if (peak == 0)
            state.SkipWithError("the import failed");
    }
    constexpr double Megabyte = 1 << 20;
    state.counters["file_mb"] = double(DataBytes + 44) / Megabyte;
    state.counters["result_mb"] = double(8000 * 2 * Seconds) / Megabyte;
    state.counters["peak_rss_mb"] = double(peak) / Megabyte;
}
BENCHMARK(importLongRecording)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2);

} // namespace
} // namespace vorela
