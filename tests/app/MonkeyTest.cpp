// A monkey at the keyboard: thousands of random keys, pastes and button presses, every
// question answered at random. Afterwards (and along the way) every field holds what the
// files can hold and every derived field equals its recomputation. Seeded: a failure names
// its seed, and VANTREL_MONKEY_SEED / VANTREL_MONKEY_EVENTS replay or lengthen a run.

#include "app/MainForm.h"
#include "editor/Procs.h"
#include "formkit/QtText.h"
#include "platform/Clock.h"
#include "platform/Desktop.h"
#include "store/DataFiles.h"
#include "store/FileList.h"
#include "storeui/GetNZNFileName.h"
#include "storeui/Open.h"
#include "words/BuhProc.h"

#include "support/TestSupport.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QToolButton>

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>

using namespace testing_support;
namespace fs = std::filesystem;

namespace {

unsigned long EnvNumber(const char* name, unsigned long fallback) {
    const char* v = std::getenv(name);
    return v && *v ? std::strtoul(v, nullptr, 10) : fallback;
}

class TRandomBoxes final : public platform::TMessageBoxes {
public:
    explicit TRandomBoxes(std::mt19937& rng)
        : Rng(rng), Previous(platform::SetMessageBoxes(this)) {}
    ~TRandomBoxes() override { platform::SetMessageBoxes(Previous); }
    void Show(const std::string&, const std::string&, platform::TMsgIcon) override { ++Shown; }
    platform::TAnswer Ask(const std::string&, const std::string&, platform::TMsgIcon,
                          platform::TAnswer = platform::TAnswer::Yes) override {
        return static_cast<platform::TAnswer>(Rng() % 3);
    }
    int Shown = 0;

private:
    std::mt19937& Rng;
    platform::TMessageBoxes* Previous;
};

const QString Alphabet =
    QStringLiteral("0123456789/0123456789 абвгґдеєжзиіїйклмнопрстуфхцчшщьюяАБВГҐДЕЄЖЗИІЇЙЯ"
                   "abcXYZ.,-:;!?\"*<>|\\'()№«»€—\u00E4\u4E2D\u20B4\u0101");

QString RandomText(std::mt19937& rng, int maxLength) {
    QString s;
    const int n = static_cast<int>(rng() % (maxLength + 1));
    for (int i = 0; i < n; ++i) {
        switch (rng() % 12) {
        case 0:
            s += QStringLiteral("\r\n");
            break;
        case 1:
            s += QChar(u'\n');
            break;
        case 2:
            s += QChar(0);
            break;
        case 3:
            s += QString::fromUcs4(U"\U0001F600", 1);
            break;
        default:
            s += Alphabet[static_cast<qsizetype>(rng() % Alphabet.size())];
        }
    }
    return s;
}

void CheckInvariants(TMainForm& f, unsigned seed, unsigned long step) {
    SCOPED_TRACE("seed " + std::to_string(seed) + ", step " + std::to_string(step));
    for (auto* e : f.findChildren<TEdit*>()) {
        const QString text = e->text();
        ASSERT_TRUE(ToCp1251(text).has_value()) << e->objectName().toStdString();
        EXPECT_FALSE(text.contains(QChar(u'\r')) || text.contains(QChar(u'\n')) ||
                     text.contains(QChar(0)))
            << e->objectName().toStdString();
    }
    auto T = [](const QLineEdit* e) { return TMainForm::Text(e); };
    const char sep = f.Editor.DecimalSeparator;
    EXPECT_EQ(T(f.Edit1), PayerFileNameFor(T(f.Edit2), T(f.Edit7)));
    EXPECT_EQ(T(f.Edit8), StripFileNameChars(T(f.Edit9)));
    EXPECT_EQ(T(f.Edit19), PlatFileNameFor(T(f.Edit15), T(f.Edit21), T(f.Edit8)));
    EXPECT_EQ(T(f.Edit22), DateTextToWordsUkr(T(f.Edit21)));
    EXPECT_EQ(T(f.Edit18), SumaWordsFor(T(f.Edit16), T(f.Edit17), sep,
                                        blank::AmountLanguage(f.Editor.Options.Languages())));
    EXPECT_EQ(T(f.Edit25), NDSAmountFor(T(f.Edit16), T(f.Edit17), sep));
    const bool anyName = !T(f.Edit19).empty() || !T(f.Edit1).empty() || !T(f.Edit8).empty();
    EXPECT_EQ(f.SpeedButton3->isEnabled(),
              (f.Editor.PlatModified || f.Editor.PayerModified || f.Editor.RecipientModified) &&
                  anyName);
    EXPECT_EQ(f.SpeedButton8->isEnabled(), !T(f.Edit19).empty());
    EXPECT_EQ(f.SpeedButton10->isEnabled(), f.Editor.PurposeModified && !T(f.Edit20).empty());
}

} // namespace

TEST(Monkey, RandomUseKeepsEveryFieldSoundAndEveryDerivedFieldTrue) {
    const unsigned seed = static_cast<unsigned>(EnvNumber("VANTREL_MONKEY_SEED", 20261207));
    const unsigned long events = EnvNumber("VANTREL_MONKEY_EVENTS", 3000);
    std::mt19937 rng(seed);

    TScratch scratch;
    TRandomBoxes boxes(rng);
    int opened = 0;
    platform::SetDesktopOpenerForTesting([&](const std::string&) { ++opened; });

    TMainForm f;
    f.ProgramDir = scratch.Program.Path();
    f.show();

    f.Editor.ChooseOrder = nullptr; // the open dialog's seam answers for orders too
    f.Editor.SelectDataFile = [&](int mode) -> std::string {
        static const std::string_view exts[] = {store::PlatExt, store::PayerExt,
                                                store::RecipientExt, store::PurposeExt};
        auto names = store::ListFileNames(f.Editor.DataDir, exts[mode]);
        if (names.empty() || rng() % 4 == 0)
            return {};
        return names[rng() % names.size()];
    };
    f.Editor.AskNZNFileName = [&](const std::string& purpose) -> fs::path {
        if (rng() % 4 == 0)
            return {};
        const std::string name = store::ProposeNZNFileName(purpose);
        return name.empty() ? fs::path()
                            : store::DataFilePath(f.Editor.DataDir, name, store::PurposeExt);
    };

    std::vector<TEdit*> inputs;
    for (const editor::TFieldInfo& info : editor::Fields)
        if (!info.Derived && f.Edit(info.Field))
            inputs.push_back(f.Edit(info.Field));
    std::vector<QToolButton*> buttons = {f.SpeedButton1, f.SpeedButton2, f.SpeedButton3,
                                         f.SpeedButton6, f.SpeedButton7, f.SpeedButton8,
                                         f.SpeedButton9, f.SpeedButton10};
    const int keys[] = {Qt::Key_Backspace, Qt::Key_Delete, Qt::Key_Left,  Qt::Key_Right,
                        Qt::Key_Home,      Qt::Key_End,    Qt::Key_Return};

    for (unsigned long step = 0; step < events; ++step) {
        TEdit* e = inputs[rng() % inputs.size()];
        switch (rng() % 10) {
        case 0:
        case 1:
        case 2:
        case 3: { // a typed character
            const QString c = RandomText(rng, 1);
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, c);
            QApplication::sendEvent(e, &press);
            break;
        }
        case 4: { // an editing key, sometimes with Shift to select
            const auto mods = rng() % 3 == 0 ? Qt::ShiftModifier : Qt::NoModifier;
            const int key = keys[rng() % std::size(keys)];
            QKeyEvent press(QEvent::KeyPress, key, mods,
                            key == Qt::Key_Backspace ? QStringLiteral("\b") : QString());
            QApplication::sendEvent(e, &press);
            break;
        }
        case 5: // a paste
            QApplication::clipboard()->setText(RandomText(rng, 12));
            e->paste();
            break;
        case 6:
            e->selectAll();
            break;
        case 7: // the program sets a text (as loading does)
            e->setText(RandomText(rng, 8));
            break;
        default:
            buttons[rng() % buttons.size()]->click();
            break;
        }
        if (step % 250 == 0)
            CheckInvariants(f, seed, step);
        if (::testing::Test::HasFailure())
            break;
    }
    CheckInvariants(f, seed, events);

    // Whatever was saved on the way reads back.
    for (const auto& name : store::ListFileNames(f.Editor.DataDir, store::PlatExt))
        EXPECT_NO_THROW(store::ReadPlat(store::DataFilePath(f.Editor.DataDir, name, store::PlatExt),
                                        f.Editor.DecimalSeparator))
            << U(name);

    platform::SetDesktopOpenerForTesting(nullptr);
    f.Editor.PlatModified = f.Editor.PayerModified = f.Editor.RecipientModified = false;
    std::printf("monkey: seed %u, %lu events, %d boxes, %d documents\n", seed, events, boxes.Shown,
                opened);
}
