// The journal of 10,000 stored orders (years of them): read from the folder, against the floor
// of listing the folder and reading each file once; one key typed into its search, which
// must take less than a frame (16 ms); and the window on 100,000 orders, which must never
// stand still for more than 100 ms while it reads them.

#include "BenchSupport.h"

#include "editor/Journal.h"
#include "platform/Files.h"
#include "storeui/Journal.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>

#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <fstream>

namespace fs = std::filesystem;

namespace {

constexpr int JournalOrders = 10'000;
constexpr int JournalOrders100k = 100'000;

// Full orders, twelve years of them, made once and kept.
fs::path JournalDataDir(int orders = JournalOrders) {
    const fs::path data =
        bench::ScratchDir() / (orders == JournalOrders ? "journal" : "journal100k") / "Data";
    bench::MakeOnce(data, orders, [&data](int i) {
        const bench::TOrderStamp o = bench::OrderStamp(i);
        store::TPlatRecord order = bench::FullOrder();
        char date[16];
        std::snprintf(date, sizeof date, "%02d.%02d.%04d", o.Day, o.Month, o.Year);
        order[order::TField::Number] = std::to_string(o.Number);
        order[order::TField::Date] = date;
        order[order::TField::SumaGrn] = std::to_string(100 + i);
        platform::WriteFileAtomically(
            data / ("№ " + std::to_string(i) + " от " + std::string(date) + ".plt"),
            store::FormatPlat(order), platform::TDurability::NotFlushed);
    });
    return data;
}

void BM_Journal10k(benchmark::State& state) {
    const fs::path data = JournalDataDir();
    for (auto _ : state) {
        const auto rows = editor::ReadJournal(data, ',', std::chrono::year{2026});
        if (rows.size() != static_cast<std::size_t>(JournalOrders))
            state.SkipWithError("the journal did not read every order");
        benchmark::DoNotOptimize(rows.data());
    }
}

void BM_ListAndRead10k(benchmark::State& state) {
    const fs::path data = JournalDataDir();
    char buffer[65536];
    for (auto _ : state) {
        std::size_t bytes = 0;
        DIR* dir = ::opendir(data.c_str());
        while (const dirent* entry = ::readdir(dir)) {
            const int fd = ::openat(::dirfd(dir), entry->d_name, O_RDONLY | O_CLOEXEC);
            if (fd < 0)
                continue;
            for (ssize_t n; (n = ::read(fd, buffer, sizeof buffer)) > 0;)
                bytes += static_cast<std::size_t>(n);
            ::close(fd);
        }
        ::closedir(dir);
        benchmark::DoNotOptimize(bytes);
    }
}

void BM_SearchKey10k(benchmark::State& state) {
    const auto rows = editor::ReadJournal(JournalDataDir(), ',', std::chrono::year{2026});
    // The last key of a name being typed: every row is looked through.
    const std::string query = "\xd0\xee\xec\xe0\xf8"; // "Ромаш" in Windows-1251
    for (auto _ : state)
        benchmark::DoNotOptimize(editor::SearchJournal(rows, query).size());
}

// The journal's window on 100,000 orders, shown offscreen, from its opening until every order
// is read: the time is the longest the window stood still (the opening itself, or one turn of
// its event loop: a slice of reading, the search, the rows and the repaint).
void BM_JournalWindow100k(benchmark::State& state) {
    const fs::path data = JournalDataDir(JournalOrders100k);
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        TJournalForm form(data, ',');
        form.show();
        double longest = clock.nsecsElapsed() * 1e-9;
        QElapsedTimer whole;
        whole.start();
        while (form.Shown().size() < static_cast<std::size_t>(JournalOrders100k)) {
            if (whole.elapsed() > 60'000) { // an order that does not read would wait for ever
                state.SkipWithError("the window did not show every order");
                break;
            }
            clock.restart();
            QApplication::processEvents();
            longest = std::max(longest, clock.nsecsElapsed() * 1e-9);
        }
        state.SetIterationTime(longest);
    }
}

void InProcess(benchmark::internal::Benchmark* b) {
    b->UseRealTime()->Repetitions(5)->Unit(benchmark::kMillisecond);
}

} // namespace

BENCHMARK(BM_Journal10k)->Apply(InProcess);
BENCHMARK(BM_ListAndRead10k)->Apply(InProcess);
BENCHMARK(BM_SearchKey10k)->Apply(InProcess);
BENCHMARK(BM_JournalWindow100k)
    ->UseManualTime()
    ->Iterations(1)
    ->Repetitions(3)
    ->Unit(benchmark::kMillisecond);
