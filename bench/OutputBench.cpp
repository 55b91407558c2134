// The output command to a file: the order composed from the window's fields and the
// options, the blank laid out and the RTF written (nothing opened). The floor writes the
// same bytes into the same folder with one write call.

#include "BenchSupport.h"

#include "editor/Procs.h"
#include "platform/Clock.h"
#include "platform/Cp1251.h"
#include "platform/Files.h"
#include "rtf/RTF.h"
#include "settings/Options.h"

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <optional>
#include <string>

namespace fs = std::filesystem;

namespace {

std::string W(const char* utf8) {
    return platform::Utf8ToCp1251Lossy(utf8);
}

} // namespace

namespace bench {

// A full order as an accountant types it: every requisite filled, a purpose of two lines'
// worth, an amount with kopecks.
store::TPlatRecord FullOrder() {
    store::TPlatRecord r;
    r[order::TField::Number] = "1234";
    r[order::TField::Date] = "05.03.2026";
    r[order::TField::PayerName] = W("ТОВ \"Ромашка-Агро\" (Київська філія)");
    r[order::TField::PayerBank] = W("АТ КБ \"ПриватБанк\"");
    r[order::TField::PayerBank2] = W("філія \"Київське ГРУ\"");
    r[order::TField::PayerOKPO] = "32145678";
    r[order::TField::PayerMFO] = "320649";
    r[order::TField::PayerAccount] = "26002012345678";
    r[order::TField::PayerCity] = W("Київ");
    r[order::TField::RecipientName] = W("ФОП Іваненко Їжак Євгенович");
    r[order::TField::RecipientBank] = W("АТ \"Ощадбанк\"");
    r[order::TField::RecipientBank2] = W("Полтавське обласне управління");
    r[order::TField::RecipientOKPO] = "2345678901";
    r[order::TField::RecipientMFO] = "331467";
    r[order::TField::RecipientAccount] = "26009876543210";
    r[order::TField::RecipientCity] = W("Полтава");
    r[order::TField::SumaGrn] = "1234567";
    r[order::TField::SumaKop] = "89";
    r[order::TField::Purpose] =
        W("Оплата за послуги з технічного обслуговування обладнання згідно з "
          "договором № 15/03 від 01.02.2026, рахунок № 245 від 28.02.2026");
    return r;
}

} // namespace bench

namespace {

fs::path OutputDir() {
    const fs::path dir = bench::ScratchDir() / "output";
    fs::create_directories(dir);
    return dir;
}

TPlatData Compose(const store::TPlatRecord& order, const TOptions& options) {
    auto composed = ComposePlatData(order, options, ',', platform::Today().year());
    if (auto* message = std::get_if<std::string>(&composed))
        throw std::runtime_error(platform::Cp1251ToUtf8(*message));
    return std::get<TPlatData>(std::move(composed));
}

// The very bytes that the output command writes.
std::string DocumentBytes() {
    return rtf::Document(Compose(bench::FullOrder(), TOptions()).Blank());
}

void BM_OutputToFile(benchmark::State& state) {
    const store::TPlatRecord order = bench::FullOrder();
    TOptions options;
    const fs::path path = OutputDir() / "order.rtf";
    for (auto _ : state)
        platform::WriteFileAtomically(path, rtf::Document(Compose(order, options).Blank()),
                                      platform::TDurability::NotFlushed);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(fs::file_size(path)));
}

// The window's own way: the temporary "~tempN.rtf" claimed and written (the first name free,
// as for a user's first blank of the last two minutes); nothing opened.
void BM_OutputWindow(benchmark::State& state) {
    const store::TPlatRecord order = bench::FullOrder();
    TOptions options;
    const fs::path tmp = OutputDir() / "tmp";
    fs::create_directories(tmp);
    const char* oldTmp = std::getenv("TMPDIR");
    const std::optional<std::string> saved = oldTmp ? std::optional(oldTmp) : std::nullopt;
    ::setenv("TMPDIR", tmp.c_str(), 1);
    for (auto _ : state) {
        if (!platform::WriteTempDocument(rtf::Document(Compose(order, options).Blank()))
                 .Error.empty()) {
            state.SkipWithError("no document was written");
            break;
        }
        // A document written moments ago keeps its name while its viewer starts: without
        // this, the run would soon measure the search through 99 names held.
        state.PauseTiming();
        for (const auto& entry : fs::directory_iterator(tmp))
            fs::remove(entry.path());
        state.ResumeTiming();
    }
    if (saved)
        ::setenv("TMPDIR", saved->c_str(), 1);
    else
        ::unsetenv("TMPDIR");
}

// Where the time of the output command goes: the order composed; composed and laid out;
// composed, laid out and turned into the file's bytes (no file).
void BM_OutputCompose(benchmark::State& state) {
    const store::TPlatRecord order = bench::FullOrder();
    TOptions options;
    for (auto _ : state)
        benchmark::DoNotOptimize(Compose(order, options));
}

void BM_OutputLayout(benchmark::State& state) {
    const store::TPlatRecord order = bench::FullOrder();
    TOptions options;
    for (auto _ : state)
        benchmark::DoNotOptimize(Compose(order, options).Blank());
}

void BM_OutputText(benchmark::State& state) {
    const store::TPlatRecord order = bench::FullOrder();
    TOptions options;
    for (auto _ : state)
        benchmark::DoNotOptimize(rtf::Document(Compose(order, options).Blank()));
}

// The floors' writing: a new file, one write.
bool WriteNewFile(const fs::path& path, const std::string& bytes) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0)
        return false;
    const bool written =
        ::write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
    ::close(fd);
    return written;
}

void BM_OutputFloor(benchmark::State& state) {
    const std::string bytes = DocumentBytes();
    // Both measured commands put their document in place of the one they wrote the time
    // before, so the floor does too, the cheapest way there is: the old file removed, a new
    // one written. Truncating the old file instead makes ext4 write it out at close (its
    // guard for programs that replace files that way), which would be no floor.
    const fs::path path = OutputDir() / "floor.rtf";
    for (auto _ : state) {
        ::unlink(path.c_str());
        if (!WriteNewFile(path, bytes)) {
            state.SkipWithError("cannot write the floor's file");
            break;
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(bytes.size()));
}

// For comparison only: the bytes written to a file that is not there, the old one removed
// outside the measurement.
void BM_OutputFloorNewFile(benchmark::State& state) {
    const std::string bytes = DocumentBytes();
    const fs::path path = OutputDir() / "floor-new.rtf";
    for (auto _ : state) {
        state.PauseTiming();
        ::unlink(path.c_str());
        state.ResumeTiming();
        if (!WriteNewFile(path, bytes)) {
            state.SkipWithError("cannot write the floor's file");
            break;
        }
    }
}

void InProcess(benchmark::internal::Benchmark* b) {
    b->UseRealTime()->Repetitions(9)->Unit(benchmark::kMicrosecond);
}

} // namespace

BENCHMARK(BM_OutputToFile)->Apply(InProcess);
BENCHMARK(BM_OutputWindow)->Apply(InProcess);
BENCHMARK(BM_OutputFloor)->Apply(InProcess);
BENCHMARK(BM_OutputFloorNewFile)->Apply(InProcess);
BENCHMARK(BM_OutputCompose)->Apply(InProcess);
BENCHMARK(BM_OutputLayout)->Apply(InProcess);
BENCHMARK(BM_OutputText)->Apply(InProcess);
