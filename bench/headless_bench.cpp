// How fast the device runs in simulated time inside one process, and how long the device
// takes from the window's creation to its first picture. The drives report simulated hours
// per wall second and the ratio to real time, so that they read the same on any machine.
#include "device/hardware/keys.hpp"
#include "sim/host/shell.hpp"
#include "sim/picture/faceplate.hpp"
#include <benchmark/benchmark.h>
#include <memory>

namespace {

constexpr std::uint64_t HOUR_MS = 3'600'000;

// Hours at 100 km/h on the trip screen, every timer delivered, nothing looking at the window.
void DriveAt100Kph(benchmark::State& state) {
    const auto hours = static_cast<std::uint64_t>(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        auto shell = std::make_unique<ql::Shell>(ql::ShellConfig{});
        for (int i = 0; i < 10; ++i)
            ql::shell_key_down(*shell, ql::KEY_UP);
        state.ResumeTiming();
        ql::shell_advance_to(*shell, hours * HOUR_MS);
        benchmark::DoNotOptimize(shell->dev.lcd.frame_memory.data());
        state.PauseTiming();
        shell.reset();
        state.ResumeTiming();
    }
    const double simulated_hours = static_cast<double>(state.iterations() * hours);
    state.counters["sim_h_per_s"] =
        benchmark::Counter(simulated_hours, benchmark::Counter::kIsRate);
    state.counters["x_real_time"] =
        benchmark::Counter(simulated_hours * 3600.0, benchmark::Counter::kIsRate);
}
BENCHMARK(DriveAt100Kph)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond)->UseRealTime();

// Window creation (timers, hardware reset), the first paint with power-on and the window
// picture made for it; the faceplate is drawn by the first run only.
void StartUpToFirstPicture(benchmark::State& state) {
    for (auto _ : state) {
        auto shell = std::make_unique<ql::Shell>(ql::ShellConfig{});
        benchmark::DoNotOptimize(ql::shell_picture(*shell).rgb.data());
    }
}
BENCHMARK(StartUpToFirstPicture)->Unit(benchmark::kMicrosecond)->UseRealTime();

// Drawing the faceplate, which a process does once, when it first shows or saves the window.
void FaceplateDrawing(benchmark::State& state) {
    for (auto _ : state) {
        const ql::RgbImage faceplate = ql::make_faceplate();
        benchmark::DoNotOptimize(faceplate.rgb.data());
    }
}
BENCHMARK(FaceplateDrawing)->Unit(benchmark::kMicrosecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
