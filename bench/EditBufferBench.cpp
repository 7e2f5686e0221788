// Edits of a 60-second sound with its undo history: a cut builds the new sound once and keeps
// the old one, an undo with its redo only swaps buffers, whatever the sound's length.
#include "soundeditor/EditBuffer.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace {

constexpr int ViewWidth = 493 * 64;

std::vector<std::int16_t> sixtySeconds()
{
    std::vector<std::int16_t> samples(60 * 8000);
    for (std::size_t n = 0; n < samples.size(); ++n)
        samples[n] = std::int16_t((int(n % 80) - 40) * 300);
    return samples;
}

void CutWithHistory(benchmark::State &state)
{
    vorela::EditBuffer buffer(sixtySeconds());
    for (auto _ : state) {
        // A one-sample cut near the start: the whole rest of the sound is copied.
        benchmark::DoNotOptimize(buffer.cut({0, 64}, ViewWidth));
        state.PauseTiming();
        if (buffer.soundSize() < 600000)
            buffer = vorela::EditBuffer(sixtySeconds());
        state.ResumeTiming();
    }
}
BENCHMARK(CutWithHistory)->Unit(benchmark::kMillisecond);

void UndoAndRedo(benchmark::State &state)
{
    vorela::EditBuffer buffer(sixtySeconds());
    for (int k = 0; k < 50; ++k)
        benchmark::DoNotOptimize(buffer.cut({0, 64}, ViewWidth));
    for (auto _ : state) {
        benchmark::DoNotOptimize(buffer.undo());
        benchmark::DoNotOptimize(buffer.redo());
    }
}
BENCHMARK(UndoAndRedo)->Unit(benchmark::kMicrosecond);

} // namespace
