// The preview from the press of its button to the page painted in its window: the checks and
// the question (answered at once), the blank composed, laid out, the window built, shown
// and painted. The floor is the same window showing an empty page of the same paper: what
// any preview costs before it draws a blank.

#include "BenchSupport.h"

#include "app/MainForm.h"
#include "editor/Fields.h"
#include "platform/MessageBoxes.h"
#include "preview/Preview.h"

#include <benchmark/benchmark.h>

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QEvent>
#include <QToolButton>

#include <chrono>
#include <functional>
#include <memory>

namespace {

using TClock = std::chrono::steady_clock;

// A question would wait for a user: every box is counted and answered Yes at once.
class TCountingBoxes final : public platform::TMessageBoxes {
public:
    TCountingBoxes() : Previous(platform::SetMessageBoxes(this)) {}
    ~TCountingBoxes() override { platform::SetMessageBoxes(Previous); }
    void Show(const std::string&, const std::string&, platform::TMsgIcon) override { ++Count; }
    platform::TAnswer Ask(const std::string&, const std::string&, platform::TMsgIcon,
                          platform::TAnswer) override {
        ++Count;
        return platform::TAnswer::Yes;
    }
    int Count = 0;

private:
    platform::TMessageBoxes* Previous;
};

// Runs `open`, which shows a preview modally, and returns the seconds until the preview's
// page has been painted and the event loop is about to wait; the preview is closed then.
double TimeToPainted(const std::function<void()>& open) {
    bool painted = false;
    TClock::time_point done;
    struct TPaintSpy : QObject {
        bool* Painted;
        bool eventFilter(QObject* watched, QEvent* event) override {
            if (event->type() == QEvent::Paint && watched->objectName() == "PageView")
                *Painted = true;
            return false;
        }
    } spy;
    spy.Painted = &painted;
    qApp->installEventFilter(&spy);
    auto* dispatcher = QAbstractEventDispatcher::instance();
    const auto hook = QObject::connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, [&] {
        auto* preview = dynamic_cast<TPreviewForm*>(QApplication::activeModalWidget());
        if (painted && preview && done == TClock::time_point()) {
            done = TClock::now();
            preview->reject();
        }
    });
    const auto start = TClock::now();
    open();
    QObject::disconnect(hook);
    qApp->removeEventFilter(&spy);
    return done == TClock::time_point() ? -1 : std::chrono::duration<double>(done - start).count();
}

void Report(benchmark::State& state, double seconds) {
    if (seconds < 0)
        state.SkipWithError("the preview was not painted");
    else
        state.SetIterationTime(seconds);
}

void BM_PreviewButton(benchmark::State& state) {
    bench::EmptyDataDir();
    TCountingBoxes boxes;
    auto form = std::make_unique<TMainForm>();
    form->ProgramDir = bench::ProgramCopy("empty").parent_path();
    form->show();
    form->Editor.SetRecord(bench::FullOrder());
    QApplication::processEvents();
    for (auto _ : state)
        Report(state, TimeToPainted([&] { form->SpeedButton11->click(); }));
    // This order's codes fail their checks: the question is asked and answered at once, as
    // a user's Yes would be after it; its text costs microseconds.
    state.counters["questions"] = double(boxes.Count) / double(state.iterations());
}

void BM_PreviewEmptyPage(benchmark::State& state) {
    bench::EmptyDataDir();
    auto form = std::make_unique<TMainForm>();
    form->ProgramDir = bench::ProgramCopy("empty").parent_path();
    form->show();
    QApplication::processEvents();
    blank::TPage page; // the paper and margins of the blank, nothing on them
    page.MarginLeftMm = page.MarginRightMm = 15;
    page.MarginTopMm = page.MarginBottomMm = 14;
    for (auto _ : state)
        Report(state, TimeToPainted([&] { ShowPreview(page, QString(), form.get()); }));
}

void Interactive(benchmark::internal::Benchmark* b) {
    b->UseManualTime()->Repetitions(9)->Iterations(10)->Unit(benchmark::kMillisecond);
}

} // namespace

BENCHMARK(BM_PreviewButton)->Apply(Interactive);
BENCHMARK(BM_PreviewEmptyPage)->Apply(Interactive);
