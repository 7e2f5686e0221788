// Drawing the waveform of a 60-second sound: the columns alone, and into the off-screen image of
// the sound editor's waveform area (when the GUI is built).
#include "soundeditor/Waveform.h"

#ifdef VORELA_BENCH_GUI
#include "soundeditor/window/WaveformView.h"

#include <QApplication>
#endif

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>
#include <numbers>
#include <vector>

namespace {

constexpr int ViewWidth = 493;
constexpr int ViewHeight = 108;

std::vector<std::int16_t> sixtySeconds()
{
    std::vector<std::int16_t> samples(60 * 8000);
    for (std::size_t n = 0; n < samples.size(); ++n)
        samples[n] = std::int16_t(12000 * std::sin(2 * std::numbers::pi * 220 * double(n) / 8000) *
                                  std::sin(std::numbers::pi * double(n % 4000) / 4000));
    return samples;
}

void WaveformColumns(benchmark::State &state)
{
    const std::vector<std::int16_t> sound = sixtySeconds();
    for (auto _ : state)
        benchmark::DoNotOptimize(vorela::waveformPolyline(sound, ViewWidth, ViewHeight));
    state.SetItemsProcessed(state.iterations() * std::int64_t(sound.size()));
}
BENCHMARK(WaveformColumns)->Unit(benchmark::kMillisecond);

#ifdef VORELA_BENCH_GUI
void WaveformImage(benchmark::State &state)
{
    ::setenv("QT_QPA_PLATFORM", "offscreen", /*overwrite=*/0);
    static int argc = 1;
    static char name[] = "bench";
    static char *argv[] = {name, nullptr};
    static QApplication application(argc, argv);
    const std::vector<std::int16_t> sound = sixtySeconds();
    vorela::WaveformView view;
    view.resize(ViewWidth, ViewHeight);
    const auto soundSize = static_cast<std::uint32_t>(sound.size() * 2);
    const std::vector<int> grid = vorela::rulerLayout(soundSize, ViewWidth, ViewWidth).majorTicks;
    for (auto _ : state) {
        view.setSound(sound, soundSize, grid);
        benchmark::DoNotOptimize(view.waveformImage().constBits());
    }
    state.SetItemsProcessed(state.iterations() * std::int64_t(sound.size()));
}
BENCHMARK(WaveformImage)->Unit(benchmark::kMillisecond);
#endif

} // namespace
