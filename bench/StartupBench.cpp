// Start-up to the window shown and idle, and the peak memory of the program with its window
// shown: the real program and the bare Qt program are spawned alike, offscreen, and each
// run is one repetition, so the reported medians are medians over single runs.

#include "BenchSupport.h"

#include <benchmark/benchmark.h>

#include <exception>

namespace {

void RunEach(benchmark::State& state, const std::vector<std::string>& argv) {
    double rss = 0;
    for (auto _ : state) {
        try {
            const bench::TProcessRun run = bench::RunProcess(argv);
            state.SetIterationTime(run.Seconds);
            rss = static_cast<double>(run.MaxRssKiB);
        } catch (const std::exception& e) {
            state.SkipWithError(e.what());
            return;
        }
    }
    state.counters["maxrss_KiB"] = rss;
}

void BM_StartupBare(benchmark::State& state) {
    RunEach(state, {bench::BareProgram().string()});
}

void BM_StartupEmpty(benchmark::State& state) {
    bench::EmptyDataDir();
    RunEach(state, {bench::ProgramCopy("empty").string()});
}

void BM_StartupBareList100k(benchmark::State& state) {
    RunEach(state, {bench::BareProgram().string(), bench::OrdersDataDir().string()});
}

void BM_Startup100k(benchmark::State& state) {
    bench::OrdersDataDir();
    RunEach(state, {bench::ProgramCopy("orders").string()});
}

// One run per repetition: the median is taken over runs.
void Spawned(benchmark::internal::Benchmark* b) {
    b->UseManualTime()->Iterations(1)->Repetitions(21)->Unit(benchmark::kMillisecond);
}

} // namespace

BENCHMARK(BM_StartupBare)->Apply(Spawned);
BENCHMARK(BM_StartupEmpty)->Apply(Spawned);
BENCHMARK(BM_StartupBareList100k)->Apply(Spawned);
BENCHMARK(BM_Startup100k)->Apply(Spawned);
