// Runs the benchmarks (Google Benchmark flags apply) and closes with the table of ratios:
// each measurement's median against the median of its floor from the same run, and whether
// the target holds. Repetitions of all benchmarks are interleaved at random unless the
// command line says otherwise, so that a busy moment of the machine falls on both sides of
// a ratio alike.

#include "BenchSupport.h"

#include "formkit/Application.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace {

struct TTarget {
    const char* What;
    const char* Measured;
    const char* Floor;
    const char* Counter; // nullptr: wall time per iteration
    double Limit;        // the greatest ratio to the floor; 0: none
    double Budget;       // the greatest median in seconds; 0: none
};

const TTarget Targets[] = {
    // The output command has a budget a user would feel, not a ratio: plain code may cost
    // microseconds nobody notices.
    {"Output command to a file (compose, lay out, write)", "BM_OutputToFile", "BM_OutputFloor",
     nullptr, 0, 1e-3},
    {"  the same, the window's way (~tempN.rtf, no opening)", "BM_OutputWindow", "BM_OutputFloor",
     nullptr, 0, 1e-3},
    {"One digit typed into SumaGrn, main window", "BM_KeyDigitMainForm", "BM_KeyDigitBareEdit",
     nullptr, 3.0, 0},
    {"  the same, repainted before the next key", "BM_KeyDigitPaintedMainForm",
     "BM_KeyDigitPaintedBareEdit", nullptr, 0, 0},
    {"Start-up to shown and idle, empty DataDir", "BM_StartupEmpty", "BM_StartupBare", nullptr, 1.5,
     0},
    {"Start-up, 100,000 orders in DataDir", "BM_Startup100k", "BM_StartupBareList100k", nullptr,
     2.0, 0},
    {"Open dialog filled with 100,000 orders", "BM_OpenDialog100k", "BM_ListSort100k", nullptr, 3.0,
     0},
    // The preview is felt from the press: a budget, and a ratio to the same window empty.
    {"Preview: button to the page painted", "BM_PreviewButton", "BM_PreviewEmptyPage", nullptr, 3.0,
     150e-3},
    // An invoice's code is found while the user waits for the order to fill: budgets.
    {"Invoice QR found in a one-page PDF", "BM_QrPdfInvoice", "BM_QrCodeAlone", nullptr, 0, 500e-3},
    {"Invoice QR found in a 12-megapixel photo", "BM_QrPhoto12MP", "BM_QrCodeAlone", nullptr, 0,
     1.0},
    {"Journal of 10,000 orders read and sorted", "BM_Journal10k", "BM_ListAndRead10k", nullptr, 2.0,
     0},
    // A user feels these as waits, whatever any floor: budgets alone.
    {"One key in the journal's search, 10,000 rows", "BM_SearchKey10k", nullptr, nullptr, 0, 16e-3},
    {"Journal window, 100,000 orders: longest standstill", "BM_JournalWindow100k", nullptr, nullptr,
     0, 100e-3},
    {"Peak memory, window shown", "BM_StartupEmpty", "BM_StartupBare", "maxrss_KiB", 1.3, 0},
};

double Seconds(const benchmark::BenchmarkReporter::Run& run) {
    double unit = 1;
    switch (run.time_unit) {
    case benchmark::kNanosecond:
        unit = 1e-9;
        break;
    case benchmark::kMicrosecond:
        unit = 1e-6;
        break;
    case benchmark::kMillisecond:
        unit = 1e-3;
        break;
    case benchmark::kSecond:
        break;
    }
    return run.GetAdjustedRealTime() * unit;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// Passes everything on to the usual display and keeps every repetition's values.
class TCollector final : public benchmark::BenchmarkReporter {
public:
    explicit TCollector(benchmark::BenchmarkReporter* display) : Display(display) {}

    bool ReportContext(const Context& context) override { return Display->ReportContext(context); }
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.run_type != Run::RT_Iteration || run.error_occurred)
                continue;
            auto& values = Values[run.run_name.function_name];
            values["time"].push_back(Seconds(run));
            for (const auto& [name, counter] : run.counters)
                values[name].push_back(counter.value);
        }
        Display->ReportRuns(runs);
    }
    void Finalize() override { Display->Finalize(); }

    // The median of a benchmark's repetitions, or a negative number when it did not run.
    double MedianOf(const std::string& benchmark, const std::string& value) const {
        const auto b = Values.find(benchmark);
        if (b == Values.end())
            return -1;
        const auto v = b->second.find(value);
        return v == b->second.end() || v->second.empty() ? -1 : Median(v->second);
    }

private:
    benchmark::BenchmarkReporter* Display;
    std::map<std::string, std::map<std::string, std::vector<double>>> Values;
};

std::string Amount(double value, const char* counter) {
    char text[64];
    if (counter)
        std::snprintf(text, sizeof text, "%.1f MiB", value / 1024);
    else if (value >= 1)
        std::snprintf(text, sizeof text, "%.2f s", value);
    else if (value >= 1e-3)
        std::snprintf(text, sizeof text, "%.2f ms", value * 1e3);
    else
        std::snprintf(text, sizeof text, "%.2f us", value * 1e6);
    return text;
}

// Prints the table; returns how many targets were missed.
int PrintRatios(const TCollector& collected) {
    std::printf("\n%-56s %12s %12s %8s %10s  %s\n", "Measured against its floor", "measured",
                "floor", "ratio", "target", "");
    int missed = 0;
    for (const TTarget& t : Targets) {
        const char* value = t.Counter ? t.Counter : "time";
        const double measured = collected.MedianOf(t.Measured, value);
        const double floor = t.Floor ? collected.MedianOf(t.Floor, value) : 0;
        if (measured < 0 || (t.Floor && floor <= 0))
            continue; // filtered out, or failed (the failure was reported above)
        const double ratio = t.Floor ? measured / floor : 0;
        char target[32] = "-";
        if (t.Limit > 0)
            std::snprintf(target, sizeof target, "%.1fx", t.Limit);
        else if (t.Budget > 0)
            std::snprintf(target, sizeof target, "%s", Amount(t.Budget, nullptr).c_str());
        const bool targeted = t.Limit > 0 || t.Budget > 0;
        const bool holds =
            (t.Limit == 0 || ratio <= t.Limit) && (t.Budget == 0 || measured <= t.Budget);
        missed += targeted && !holds ? 1 : 0;
        char ratioText[16] = "-";
        if (t.Floor)
            std::snprintf(ratioText, sizeof ratioText, "%.2fx", ratio);
        std::printf("%-56s %12s %12s %8s %10s  %s\n", t.What, Amount(measured, t.Counter).c_str(),
                    t.Floor ? Amount(floor, t.Counter).c_str() : "-", ratioText, target,
                    !targeted ? "(no target)"
                    : holds   ? "holds"
                              : "MISSED");
    }
    std::printf("(medians over repetitions; wall time, peak memory as ru_maxrss)\n");
    return missed;
}

bool HasFlag(int argc, char** argv, const char* flag) {
    for (int i = 1; i < argc; ++i)
        if (std::strncmp(argv[i], flag, std::strlen(flag)) == 0)
            return true;
    return false;
}

} // namespace

int main(int argc, char** argv) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    ::setenv("XDG_CONFIG_HOME", bench::ConfigDir().c_str(), 1);

    std::vector<char*> args(argv, argv + argc);
    char interleave[] = "--benchmark_enable_random_interleaving=true";
    if (!HasFlag(argc, argv, "--benchmark_enable_random_interleaving"))
        args.push_back(interleave);
    int count = static_cast<int>(args.size());
    args.push_back(nullptr);
    benchmark::Initialize(&count, args.data());
    if (benchmark::ReportUnrecognizedArguments(count, args.data()))
        return 64;

    TApplication app(count, args.data());
    QApplication::setApplicationName(QStringLiteral("Квирен"));

    TCollector collector(benchmark::CreateDefaultDisplayReporter());
    benchmark::RunSpecifiedBenchmarks(&collector);
    benchmark::Shutdown();
    PrintRatios(collector);
    return 0;
}
