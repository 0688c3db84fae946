// How fast the headless driver runs the device, and how long the device takes from the
// window's creation to its first picture.
#include "hardware/keys.hpp"
#include "shell/shell.hpp"
#include <benchmark/benchmark.h>
#include <memory>

namespace {

constexpr std::uint64_t HOUR_MS = 3'600'000;

// One hour at 100 km/h on the trip screen, every timer delivered: the counter is simulated
// seconds per second of wall time.
void HeadlessHourAt100Kph(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        auto shell = std::make_unique<ql::Shell>();
        ql::shell_paint(*shell);
        for (int i = 0; i < 10; ++i)
            ql::shell_key_down(*shell, ql::KEY_UP);
        state.ResumeTiming();
        ql::shell_advance_to(*shell, HOUR_MS);
        benchmark::DoNotOptimize(shell->dev.lcd.frame_memory.data());
        state.PauseTiming();
        shell.reset();
        state.ResumeTiming();
    }
    state.counters["x_real_time"] = benchmark::Counter(
        static_cast<double>(state.iterations()) * HOUR_MS / 1000.0, benchmark::Counter::kIsRate);
}
BENCHMARK(HeadlessHourAt100Kph)->Unit(benchmark::kMillisecond)->UseRealTime();

// Window creation (faceplate, timers, hardware reset) and the first paint with power-on.
void StartUpToFirstPicture(benchmark::State& state) {
    for (auto _ : state) {
        auto shell = std::make_unique<ql::Shell>();
        ql::shell_paint(*shell);
        benchmark::DoNotOptimize(shell->window.rgb.data());
    }
}
BENCHMARK(StartUpToFirstPicture)->Unit(benchmark::kMicrosecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
