// One digit typed into the amount (SumaGrn, Edit16) of the real main window, shown
// offscreen: the key event with the field's key rules and validator, every change handler,
// the amount and the VAT in words and digits, the file names and the buttons. The floor is
// the same key event into a bare QLineEdit, of the same size and font, in a window of the
// same size, with no handler at all. The "Painted" pair also lets the event loop repaint
// what changed before the next key.

#include "BenchSupport.h"

#include "app/MainForm.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>

#include <memory>

namespace fs = std::filesystem;

namespace {

void TypeDigit(QWidget* w, int digit) {
    const auto key = static_cast<Qt::Key>(Qt::Key_0 + digit);
    const QString text(QChar(u'0' + digit));
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(w, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(w, &release);
}

// Types "1234567" over and over; emptying the field between rounds is not measured.
void TypeDigits(benchmark::State& state, QLineEdit* edit, bool paint) {
    int typed = 0;
    for (auto _ : state) {
        if (typed == 7) {
            state.PauseTiming();
            edit->clear();
            QApplication::processEvents();
            typed = 0;
            state.ResumeTiming();
        }
        TypeDigit(edit, ++typed);
        if (paint)
            QApplication::processEvents();
    }
    if (edit->text().size() != typed)
        state.SkipWithError("the field did not take the digits");
}

std::unique_ptr<TMainForm> ShownMainForm() {
    bench::EmptyDataDir();
    auto form = std::make_unique<TMainForm>();
    form->ProgramDir = bench::ProgramCopy("empty").parent_path();
    form->show();
    QApplication::processEvents();
    return form;
}

struct TBareWindow {
    QWidget Window;
    QLineEdit* Edit;
    TBareWindow() : Edit(new QLineEdit(&Window)) {
        QFont font(QStringLiteral("Arial"));
        font.setPixelSize(12);
        Window.setFont(font);
        Window.setFixedSize(713, 425);
        Edit->setGeometry(112, 316, 73, 23);
        Window.show();
        QApplication::processEvents();
    }
};

void BM_KeyDigitMainForm(benchmark::State& state) {
    auto form = ShownMainForm();
    TypeDigits(state, form->Edit16, false);
}

void BM_KeyDigitBareEdit(benchmark::State& state) {
    TBareWindow bare;
    TypeDigits(state, bare.Edit, false);
}

void BM_KeyDigitPaintedMainForm(benchmark::State& state) {
    auto form = ShownMainForm();
    TypeDigits(state, form->Edit16, true);
}

void BM_KeyDigitPaintedBareEdit(benchmark::State& state) {
    TBareWindow bare;
    TypeDigits(state, bare.Edit, true);
}

void InProcess(benchmark::internal::Benchmark* b) {
    b->UseRealTime()->Repetitions(9)->Unit(benchmark::kMicrosecond);
}

} // namespace

BENCHMARK(BM_KeyDigitMainForm)->Apply(InProcess);
BENCHMARK(BM_KeyDigitBareEdit)->Apply(InProcess);
BENCHMARK(BM_KeyDigitPaintedMainForm)->Apply(InProcess);
BENCHMARK(BM_KeyDigitPaintedBareEdit)->Apply(InProcess);
