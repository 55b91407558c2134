// The open dialog for orders, filled from a folder of 100,000 of them: created, listed,
// sorted for the reader, shown and painted. The floor lists the folder once and sorts the
// names by their bytes.

#include "BenchSupport.h"

#include "storeui/Open.h"

#include <benchmark/benchmark.h>

#include <QApplication>

#include <dirent.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace {

void BM_OpenDialog100k(benchmark::State& state) {
    const auto data = bench::OrdersDataDir();
    for (auto _ : state) {
        auto form = std::make_unique<TOpenForm>(data);
        form->Mode = 0;
        form->show();
        QApplication::processEvents();
        state.PauseTiming();
        if (form->Names().size() != static_cast<size_t>(bench::OrderCount))
            state.SkipWithError("the dialog did not list every order");
        form.reset();
        QApplication::processEvents();
        state.ResumeTiming();
    }
}

void BM_ListSort100k(benchmark::State& state) {
    const auto data = bench::OrdersDataDir();
    for (auto _ : state) {
        std::vector<std::string> names;
        DIR* dir = ::opendir(data.c_str());
        while (const dirent* entry = ::readdir(dir))
            names.emplace_back(entry->d_name);
        ::closedir(dir);
        std::sort(names.begin(), names.end());
        benchmark::DoNotOptimize(names.data());
    }
}

void InProcess(benchmark::internal::Benchmark* b) {
    b->UseRealTime()->Repetitions(9)->Unit(benchmark::kMillisecond);
}

} // namespace

BENCHMARK(BM_OpenDialog100k)->Apply(InProcess);
BENCHMARK(BM_ListSort100k)->Apply(InProcess);
