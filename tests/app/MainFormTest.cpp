// The main window driven as a user drives it: real widgets, key events, pastes.

#include "app/MainForm.h"
#include "formkit/QtText.h"
#include "platform/Clock.h"
#include "settings/Options.h"
#include "store/DataFiles.h"
#include "storeui/Directory.h"
#include "storeui/Journal.h"

#include "support/TestSupport.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QStyle>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>

using namespace testing_support;
using namespace std::chrono;
namespace fs = std::filesystem;

namespace {

// Sends one typed character as the keyboard would, with its text, so that Cyrillic works.
void TypeChar(QWidget* w, QChar c) {
    int key = 0;
    if (c >= u'0' && c <= u'9')
        key = Qt::Key_0 + (c.unicode() - u'0');
    else if (c == u'/')
        key = Qt::Key_Slash;
    else if (c.isLetter() && c.unicode() < 128)
        key = Qt::Key_A + (c.toUpper().unicode() - u'A');
    else if (c == u' ')
        key = Qt::Key_Space;
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(c));
    QApplication::sendEvent(w, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, QString(c));
    QApplication::sendEvent(w, &release);
}

void Type(QWidget* w, const QString& text) {
    for (QChar c : text)
        TypeChar(w, c);
}

void Key(QWidget* w, int key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QString text;
    if (key == Qt::Key_Backspace)
        text = QStringLiteral("\b");
    QKeyEvent press(QEvent::KeyPress, key, mods, text);
    QApplication::sendEvent(w, &press);
}

QString T(const QLineEdit* e) {
    return e->text();
}

class MainFormTest : public ::testing::Test {
protected:
    std::unique_ptr<TMainForm> Open() {
        auto form = std::make_unique<TMainForm>();
        form->ProgramDir = S.Program.Path();
        form->Editor.DecimalSeparator = ',';
        form->show();
        return form;
    }

    TScratch S;
    TRecordingBoxes boxes;
};

} // namespace

TEST_F(MainFormTest, OpensOnANewOrderWithTheFocusOnTheNumber) {
    auto f = Open();
    EXPECT_EQ(f->windowTitle(), QStringLiteral("Квирен, версия 1.12"));
    EXPECT_EQ(T(f->Edit15), "1");
    EXPECT_EQ(T(f->Edit19), QStringLiteral("№ 0001 от 07.12.2026"));
    EXPECT_EQ(T(f->Edit22), QStringLiteral("7 грудня 2026 р."));
    EXPECT_FALSE(f->SpeedButton3->isEnabled());
    EXPECT_TRUE(f->SpeedButton8->isEnabled());
    EXPECT_FALSE(f->SpeedButton10->isEnabled());
    EXPECT_EQ(f->focusWidget(), f->Edit15);
    EXPECT_EQ(f->Edit15->selectedText(), "1"); // typing replaces the proposed number
    // And so does a new order, wherever the focus was.
    f->Edit20->setFocus();
    f->SpeedButton1Click();
    EXPECT_EQ(f->focusWidget(), f->Edit15);
    EXPECT_EQ(f->Edit15->selectedText(), "1");
    EXPECT_TRUE(boxes.Boxes.empty());
}

TEST_F(MainFormTest, AnOrderNamedAtTheStartIsOpenedInsteadOfANewOne) {
    TTempDir elsewhere;
    store::WritePlat(elsewhere / "order.plt", RealisticOrder());
    auto f = std::make_unique<TMainForm>();
    f->ProgramDir = S.Program.Path();
    f->StartFile = elsewhere / "order.plt";
    f->show();
    EXPECT_EQ(T(f->Edit19), QStringLiteral("№ 0012 от 05.03.2026 - Ромашка"));
    EXPECT_EQ(f->Edit19->cursorPosition(), 0);
    EXPECT_FALSE(f->SpeedButton3->isEnabled());
    EXPECT_TRUE(boxes.Boxes.empty());
}

// Whether a field shows all of `text` without scrolling it.
static bool ShowsWhole(QLineEdit* e, const QString& text) {
    const int frame = e->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, e);
    return e->fontMetrics().horizontalAdvance(text) <= e->width() - 2 * frame - 4;
}

// The window can be resized: the fields of long texts take the width, and at the size it
// opens with an IBAN and a typical file name are seen whole.
TEST_F(MainFormTest, TheFieldsShowTheirTextsWholeAndGrowWithTheWindow) {
    auto f = Open();
    QApplication::processEvents();
    EXPECT_TRUE(f->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_GE(f->width(), 713);
    const QString iban = QStringLiteral("UA213223130000026007233566001");
    const struct {
        QLineEdit* Field;
        QString Text;
    } whole[] = {
        {f->Edit7, iban},
        {f->Edit14, iban},
        {f->Edit1, QStringLiteral("ТОВ \"Альфа\" (р/с ") + iban + ")"},
        {f->Edit8, QStringLiteral("ТОВ \"Ромашка\"")},
        {f->Edit19, QStringLiteral("№ 0001 від 08.12.2026 - ТОВ \"Ромашка\"")},
    };
    for (const auto& w : whole)
        EXPECT_TRUE(ShowsWhole(w.Field, w.Text)) << w.Field->objectName().toStdString();
    // The rows keep their order, the parties side by side.
    EXPECT_LT(f->Edit19->y(), f->Edit15->y());
    EXPECT_LT(f->GroupBox1->x(), f->GroupBox2->x());
    EXPECT_EQ(f->Edit24->parentWidget(), f->GroupBox2);
    EXPECT_LT(f->Edit16->y(), f->Edit18->y());
    EXPECT_LT(f->Edit18->y(), f->Edit20->y());

    std::map<QLineEdit*, int> before;
    for (QLineEdit* e : {f->Edit19, f->Edit7, f->Edit14, f->Edit20, f->Edit18, f->Edit15})
        before[e] = e->width();
    f->resize(f->width() + 200, f->height());
    QApplication::processEvents();
    for (QLineEdit* e : {f->Edit19, f->Edit7, f->Edit14, f->Edit20, f->Edit18})
        EXPECT_GT(e->width(), before[e]) << e->objectName().toStdString();
    EXPECT_EQ(f->Edit15->width(), before[f->Edit15]); // a number has its own width
    EXPECT_EQ(f->SpeedButton8->statusTip(), QStringLiteral("Просмотр платежки в MS Word"));
    EXPECT_EQ(f->SpeedButton8->toolTip(), QStringLiteral("Просмотр платежки в MS Word (Ctrl+P)"));
    EXPECT_EQ(f->SpeedButton5->toolTip(), f->SpeedButton5->statusTip() + QStringLiteral(" (F9)"));
    for (TEdit* e : {f->Edit19, f->Edit22, f->Edit1, f->Edit8, f->Edit18, f->Edit25}) {
        EXPECT_TRUE(e->isReadOnly());
        EXPECT_FALSE(e->focusPolicy() & Qt::TabFocus);
    }
    // Tab visits the nineteen input fields and the VAT choice in the order of the form.
    std::vector<QWidget*> expected = {f->Edit15, f->Edit21, f->Edit2,  f->Edit3,     f->Edit4,
                                      f->Edit23, f->Edit5,  f->Edit6,  f->Edit7,     f->Edit9,
                                      f->Edit10, f->Edit11, f->Edit24, f->Edit12,    f->Edit13,
                                      f->Edit14, f->Edit16, f->Edit17, f->ComboBox1, f->Edit20};
    QWidget* w = f->Edit15;
    for (size_t i = 1; i < expected.size(); ++i) {
        w = w->nextInFocusChain();
        while (!(w->focusPolicy() & Qt::TabFocus) || !w->isEnabled())
            w = w->nextInFocusChain();
        EXPECT_EQ(w, expected[i]) << i;
    }
}

// The payment instruction prints no bank code: its window hides the MFO fields, and an MFO
// typed or loaded before is kept and stored all the same.
TEST_F(MainFormTest, TheWindowFollowsTheKindOfBlank) {
    const struct {
        blank::TBlankKind Kind;
        bool MFOShown;
    } cases[] = {{blank::TBlankKind::PaymentInstruction, false},
                 {blank::TBlankKind::PaymentOrder, true}};
    for (const auto& c : cases) {
        TOptions options;
        options.BlankKind = c.Kind;
        options.Save();
        auto f = Open();
        for (QWidget* w : {static_cast<QWidget*>(f->Edit6), static_cast<QWidget*>(f->Edit13),
                           static_cast<QWidget*>(f->Label4), static_cast<QWidget*>(f->Label9)})
            EXPECT_EQ(w->isVisible(), c.MFOShown) << w->objectName().toStdString();
        f->Edit6->setText(QStringLiteral("322313"));
        f->Edit7->setText(QStringLiteral("UA213223130000026007233566001"));
        f->Edit2->setText(QStringLiteral("Альфа"));
        f->Edit9->setText(QStringLiteral("Бета"));
        f->Editor.SaveOrder();
        const auto stored = store::ReadPlat(
            store::DataFilePath(f->Editor.DataDir, f->Editor.Text(editor::TField::PlatFileName),
                                store::PlatExt),
            ',');
        EXPECT_EQ(stored[editor::TField::PayerMFO], "322313");
        fs::remove_all(f->Editor.DataDir);
    }
}

TEST_F(MainFormTest, KeyRulesOfTheFields) {
    auto f = Open();
    f->Edit15->clear();
    Type(f->Edit15, QStringLiteral("1a/ б2 -3"));
    EXPECT_EQ(T(f->Edit15), "123");
    Key(f->Edit15, Qt::Key_Backspace);
    EXPECT_EQ(T(f->Edit15), "12");

    // Accounts: digits, "/" and the Latin letters of an IBAN, typed as capitals.
    Type(f->Edit7, QStringLiteral("ua26/0б0 x-1"));
    EXPECT_EQ(T(f->Edit7), "UA26/00X1");
    Type(f->Edit5, QStringLiteral("12/3"));
    EXPECT_EQ(T(f->Edit5), "123");

    // Kopecks: two characters at most, even with both selected; Backspace always works.
    Type(f->Edit17, QStringLiteral("1x23"));
    EXPECT_EQ(T(f->Edit17), "12");
    f->Edit17->selectAll();
    TypeChar(f->Edit17, u'9');
    EXPECT_EQ(T(f->Edit17), "12");
    Key(f->Edit17, Qt::Key_Backspace);
    EXPECT_EQ(T(f->Edit17), ""); // the selection went
    Type(f->Edit17, QStringLiteral("5"));
    EXPECT_EQ(T(f->Edit17), "5");

    // Free text fields take Cyrillic and Latin, refuse what Windows-1251 lacks.
    Type(f->Edit2, QStringLiteral("ТОВ «Ёж» ґ Ab ü€№"));
    EXPECT_EQ(T(f->Edit2), QStringLiteral("ТОВ «Ёж» ґ Ab €№"));
}

// Every control reaches its field of the model, and every field its control: what the user
// types and what the model computes.
TEST_F(MainFormTest, EachControlIsBoundToItsField) {
    auto f = Open();
    for (const editor::TFieldInfo& info : editor::Fields) {
        SCOPED_TRACE(std::string(info.Name));
        if (info.Keys == editor::TKeyRule::Choice) {
            f->Editor.SetText(info.Field, "2");
            EXPECT_EQ(f->ComboBox1->currentData().toString(), QStringLiteral("2"));
            f->ComboBox1->setCurrentIndex(0);
            EXPECT_EQ(f->Editor.Text(info.Field), "1");
            continue;
        }
        TEdit* e = f->Edit(info.Field);
        ASSERT_NE(e, nullptr);
        EXPECT_EQ(e->objectName().toStdString(), info.Control);
        EXPECT_EQ(e->isReadOnly(), info.Derived);
        f->Editor.SetText(info.Field, "42");
        EXPECT_EQ(T(e), "42");
        EXPECT_EQ(e->cursorPosition(), 0); // what the program puts in shows its beginning
        e->setText(QStringLiteral("Ж7"));
        EXPECT_EQ(f->Editor.Text(info.Field), W("Ж7"));
    }
    // Typing goes through the model's rules and back into the derived controls.
    f->Editor.NewPlat();
    Type(f->Edit16, QStringLiteral("120"));
    Type(f->Edit17, QStringLiteral("6"));
    EXPECT_EQ(T(f->Edit25), QStringLiteral("20,01"));
    EXPECT_EQ(T(f->Edit18), QStringLiteral("Сто двадцять грн. 06 коп.")); // the instruction's
    EXPECT_TRUE(f->SpeedButton3->isEnabled());
    f->Edit15->clear();
    EXPECT_EQ(T(f->Edit19), "");
    EXPECT_FALSE(f->SpeedButton8->isEnabled());
}

TEST_F(MainFormTest, PastedTextIsKeptToWhatTheFilesCanHold) {
    auto f = Open();
    QApplication::clipboard()->setText(QStringLiteral("Рядок 1\r\nLine 2\nx\u4E2D\u00E4y\u20B4"));
    f->Edit20->paste();
    EXPECT_EQ(T(f->Edit20), QStringLiteral("Рядок 1 Line 2 xy"));
    // Pasting is unfiltered otherwise: letters reach a digit field.
    QApplication::clipboard()->setText(QStringLiteral("12ab"));
    f->Edit16->paste();
    EXPECT_EQ(T(f->Edit16), QStringLiteral("12ab"));
    EXPECT_EQ(T(f->Edit18), "");
    // No length limit of its own: a long loaded text comes back whole.
    const std::string longText(70000, 'z');
    TMainForm::SetText(f->Edit20, longText);
    EXPECT_EQ(TMainForm::Text(f->Edit20), longText);
    // A NUL never enters a field.
    f->Edit9->setText(QString(QChar(0)) + QStringLiteral("Z"));
    EXPECT_EQ(T(f->Edit9), "Z");
}

// An IBAN pasted as printed, in groups of four, loses its blanks; what the checks find is in
// the field's tooltip, and in the status bar while the field has the focus.
TEST_F(MainFormTest, AnIbanIsPastedWholeAndItsProblemsAreShown) {
    auto f = Open();
    f->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(f.get()));
    f->Edit14->setFocus();
    QApplication::clipboard()->setText(QStringLiteral("UA21 3223 1300\u00A00002 6007 2335 6600 1"));
    f->Edit14->paste();
    EXPECT_EQ(T(f->Edit14), "UA213223130000026007233566001");
    EXPECT_EQ(T(f->Edit13), "322313");
    EXPECT_EQ(f->Edit14->toolTip(), "");

    Key(f->Edit14, Qt::Key_Backspace);
    Type(f->Edit14, QStringLiteral("2"));
    const QString wrong = QStringLiteral("IBAN получателя: неверная контрольная сумма");
    EXPECT_EQ(f->Edit14->toolTip(), wrong);
    EXPECT_EQ(f->statusBar()->currentMessage(), wrong);
    f->Edit16->setFocus(); // the status bar speaks of the field in focus only
    EXPECT_EQ(f->statusBar()->currentMessage(), "");
    EXPECT_TRUE(f->Edit14->Marked()); // its red frame stays
    EXPECT_FALSE(f->Edit13->Marked());
    f->Edit14->setFocus();
    EXPECT_EQ(f->statusBar()->currentMessage(), wrong);
    Key(f->Edit14, Qt::Key_Backspace);
    Type(f->Edit14, QStringLiteral("1"));
    EXPECT_EQ(f->Edit14->toolTip(), "");
    EXPECT_FALSE(f->Edit14->Marked());
    EXPECT_EQ(f->Edit14->font(), f->Edit13->font()); // the mark leaves the font alone
    EXPECT_EQ(f->statusBar()->currentMessage(), "");
}

// Writes the README's picture of the window when VANTREL_SCREENSHOTS names a folder.
TEST_F(MainFormTest, Screenshot) {
    const char* folder = std::getenv("VANTREL_SCREENSHOTS");
    if (!folder || !*folder)
        GTEST_SKIP() << "VANTREL_SCREENSHOTS not set";
    auto f = Open();
    Type(f->Edit2, QStringLiteral("ТОВ \"Альфа\""));
    Type(f->Edit3, QStringLiteral("АТ КБ \"ПриватБанк\""));
    Type(f->Edit23, QStringLiteral("Київ"));
    Type(f->Edit5, QStringLiteral("12345678"));
    Type(f->Edit6, QStringLiteral("305299"));
    Type(f->Edit7, QStringLiteral("26001234567"));
    Type(f->Edit9, QStringLiteral("ПП \"Ромашка\""));
    Type(f->Edit10, QStringLiteral("АТ \"Ощадбанк\""));
    Type(f->Edit24, QStringLiteral("Львів"));
    Type(f->Edit12, QStringLiteral("87654321"));
    Type(f->Edit13, QStringLiteral("300465"));
    Type(f->Edit14, QStringLiteral("26007654321"));
    Type(f->Edit16, QStringLiteral("1500"));
    Type(f->Edit17, QStringLiteral("50"));
    Type(f->Edit20, QStringLiteral("Оплата за канцтовари згідно рахунку № 15"));
    QApplication::processEvents();
    EXPECT_TRUE(f->grab().save(QString::fromLocal8Bit(folder) + "/main-window.png"));
}

// A shortcut acts as a click of its button, and does nothing while the button is disabled.
TEST_F(MainFormTest, ShortcutsClickTheirButtons) {
    auto f = Open();
    f->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(f.get()));
    std::vector<int> modes;
    f->Editor.ChooseOrder = nullptr; // the open dialog's seam answers for orders too
    f->Editor.SelectDataFile = [&](int mode) {
        modes.push_back(mode);
        return std::string();
    };
    Type(f->Edit16, QStringLiteral("5"));
    QTest::keyClick(f->Edit16, Qt::Key_S, Qt::ControlModifier);
    EXPECT_TRUE(fs::exists(S.Data() / "№ 0001 от 07.12.2026.plt"));
    EXPECT_FALSE(f->SpeedButton3->isEnabled());
    QTest::keyClick(f->Edit16, Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(modes, std::vector<int>{0});
    // The payer's, the recipient's requisites and a purpose, each with its dialog's mode.
    for (const Qt::Key key : {Qt::Key_F5, Qt::Key_F6, Qt::Key_F7})
        QTest::keyClick(f->Edit16, key);
    EXPECT_EQ(modes, (std::vector<int>{0, 1, 2, 3}));

    f->Edit15->clear(); // no number: the output button and its shortcut are off
    boxes.Boxes.clear();
    QTest::keyClick(f->Edit16, Qt::Key_P, Qt::ControlModifier);
    EXPECT_TRUE(boxes.Boxes.empty());

    boxes.Dismiss(); // the question about the changed number, closed with Escape
    QTest::keyClick(f->Edit16, Qt::Key_W, Qt::ControlModifier);
    EXPECT_TRUE(f->isVisible());
    boxes.Answer(false);
    QTest::keyClick(f->Edit16, Qt::Key_Q, Qt::ControlModifier);
    EXPECT_FALSE(f->isVisible());
}

// Two windows over one data folder, as two running copies are: both propose № 0001, and the
// second to save an order to the same recipient is asked before it replaces the first's; two
// windows that opened the same stored order each change it, and the second is asked before
// it undoes the first's change. After No every stored order is as the first window left it.
TEST_F(MainFormTest, TwoWindowsNeverReplaceEachOthersOrdersUnasked) {
    auto a = Open();
    auto b = Open();
    EXPECT_EQ(T(a->Edit15), "1");
    EXPECT_EQ(T(b->Edit15), "1");
    auto order = [](TMainForm& f, const QString& amount) {
        f.Edit9->setText(QStringLiteral("ТОВ Ромашка"));
        f.Edit16->setText(amount);
        f.SpeedButton3->click();
    };
    order(*a, QStringLiteral("100"));
    const fs::path stored = S.Data() / (U(a->Editor.Text(editor::TField::PlatFileName)) + ".plt");
    const std::string first = ReadFileBytes(stored);
    boxes.Answer(false);
    order(*b, QStringLiteral("250000"));
    ASSERT_EQ(boxes.Boxes.size(), 1u);
    EXPECT_EQ(U(boxes.Boxes[0].Caption), "Сохранение данных");
    EXPECT_NE(U(boxes.Boxes[0].Text).find("сумма 100,00"), std::string::npos);
    EXPECT_EQ(ReadFileBytes(stored), first);

    // Both open the stored order; the first changes and saves it, then the second.
    const std::string name = a->Editor.Text(editor::TField::PlatFileName);
    for (TMainForm* f : {a.get(), b.get()}) {
        f->Editor.PlatModified = f->Editor.PayerModified = f->Editor.RecipientModified = false;
        f->Editor.ChooseOrder = [name] { return editor::TPlatEditor::TOrderChoice{name}; };
        f->SpeedButton2->click();
    }
    a->Edit17->setText(QStringLiteral("50"));
    a->SpeedButton3->click();
    const std::string changed = ReadFileBytes(stored);
    EXPECT_NE(changed, first);
    boxes.Boxes.clear();
    boxes.Answer(false);
    b->Edit20->setText(QStringLiteral("Інше призначення"));
    b->SpeedButton3->click();
    ASSERT_EQ(boxes.Boxes.size(), 1u);
    EXPECT_NE(U(boxes.Boxes[0].Text).find("изменен после того, как был загружен"),
              std::string::npos);
    EXPECT_EQ(ReadFileBytes(stored), changed);
    for (TMainForm* f : {a.get(), b.get()})
        f->Editor.PlatModified = f->Editor.PayerModified = f->Editor.RecipientModified = false;
}

// A repeat payment by keyboard: the journal opens (Ctrl+O), part of the recipient's name is
// typed, Down selects, Ctrl+Enter copies the order as a new one; the amount is typed and
// Ctrl+S saves: a new file with the next number and today's date, the old one untouched.
TEST_F(MainFormTest, ARepeatPaymentInAFewKeys) {
    auto f = Open();
    f->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(f.get()));
    store::TPlatRecord old = CompleteOrder();
    old[editor::TField::Number] = "7";
    old[editor::TField::Date] = "05.11.2026";
    old[editor::TField::RecipientName] = W("ТОВ Нова Пошта");
    store::WritePlat(S.Data() / "№ 0007 от 05.11.2026 - ТОВ Нова Пошта.plt", old);
    store::TPlatRecord other = old;
    other[editor::TField::Number] = "8";
    other[editor::TField::RecipientName] = W("ПрАТ Київстар");
    store::WritePlat(S.Data() / "№ 0008 от 05.11.2026 - ПрАТ Київстар.plt", other);
    const std::string oldBytes =
        ReadFileBytes(S.Data() / "№ 0007 от 05.11.2026 - ТОВ Нова Пошта.plt");
    f->Editor.PlatModified = f->Editor.PayerModified = f->Editor.RecipientModified = false;

    bool shown = false;
    QTimer::singleShot(0, [&] {
        auto* journal = dynamic_cast<TJournalForm*>(QApplication::activeModalWidget());
        ASSERT_NE(journal, nullptr);
        shown = true;
        journal->ReadAll();
        EXPECT_EQ(journal->Shown().size(), 2u);
        Type(journal->SearchEdit, QStringLiteral("нова"));
        ASSERT_EQ(journal->Shown().size(), 1u);
        EXPECT_EQ(journal->SumLabel->text(), QStringLiteral("Платежек: 1, на сумму 1500,00"));
        QTest::keyClick(journal->SearchEdit, Qt::Key_Down);
        QTest::keyClick(journal->SearchEdit, Qt::Key_Return, Qt::ControlModifier);
    });
    QTest::keyClick(f->Edit15, Qt::Key_O, Qt::ControlModifier);
    ASSERT_TRUE(shown);
    EXPECT_EQ(T(f->Edit15), "9"); // the next of this year
    EXPECT_EQ(T(f->Edit21), QStringLiteral("07.12.2026"));
    EXPECT_EQ(T(f->Edit9), QStringLiteral("ТОВ Нова Пошта"));
    f->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(f.get()));
    // The amount is what a repeat payment changes: it has the focus, selected.
    EXPECT_TRUE(f->Edit16->hasFocus());
    EXPECT_EQ(f->Edit16->selectedText(), QStringLiteral("1500"));
    Type(f->Edit16, QStringLiteral("1750"));
    QTest::keyClick(f->Edit16, Qt::Key_S, Qt::ControlModifier);
    EXPECT_TRUE(fs::exists(S.Data() / "№ 0009 от 07.12.2026 - ТОВ Нова Пошта.plt"));
    EXPECT_EQ(ReadFileBytes(S.Data() / "№ 0007 от 05.11.2026 - ТОВ Нова Пошта.plt"), oldBytes);
    EXPECT_TRUE(boxes.Boxes.empty());
}

// The directory of payers tells two of one name apart by their codes and accounts; the one
// made our company begins every new order, after a restart too.
TEST_F(MainFormTest, OurCompanyBeginsEveryNewOrder) {
    store::TRequisites ours = order::RequisitesOf(CompleteOrder(), order::TParty::Payer);
    fs::create_directories(S.Data());
    store::WriteRequisites(S.Data() / "ТОВ Квітень (рс 1).rpl", ours);
    store::TRequisites other = ours;
    other[order::TSlot::OKPO] = "14360570";
    store::WriteRequisites(S.Data() / "ТОВ Квітень (рс 2).rpl", other);
    {
        auto f = Open();
        bool shown = false;
        QTimer::singleShot(0, [&] {
            auto* directory = dynamic_cast<TDirectoryForm*>(QApplication::activeModalWidget());
            ASSERT_NE(directory, nullptr);
            shown = true;
            Type(directory->SearchEdit, QStringLiteral("00032129"));
            EXPECT_EQ(directory->Shown(), std::vector<std::string>{W("ТОВ Квітень (рс 1)")});
            directory->ButOurs->click();
            QTest::keyClick(directory->SearchEdit, Qt::Key_Return);
        });
        f->SpeedButton6->click();
        ASSERT_TRUE(shown);
        EXPECT_EQ(T(f->Edit5), QStringLiteral("00032129"));
    }
    auto again = Open();
    EXPECT_EQ(again->Editor.Record()[editor::TField::PayerAccount], ours[order::TSlot::Account]);
    EXPECT_FALSE(again->Editor.PayerModified);
}

// An invoice's QR code fills the recipient, the amount and the purpose from a photo chosen
// with Ctrl+I or from the National Bank's link pasted into any field; the payer, the number and
// the date stay, and the status bar says what was filled.
TEST_F(MainFormTest, AnInvoicesQrCodeFillsTheOrder) {
    const fs::path cases = INVOICE_CASES;
    for (const bool link : {false, true}) {
        SCOPED_TRACE(link);
        auto f = Open();
        f->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(f.get()));
        f->Edit2->setText(QStringLiteral("ТОВ Квітень"));
        if (link) {
            QApplication::clipboard()->setText(
                QString::fromStdString(ReadFileBytes(cases / "nbu-002-dental.link")));
            f->Edit20->setFocus();
            QTest::keyClick(f->Edit20, Qt::Key_V, Qt::ControlModifier);
        } else {
            f->AskInvoiceFile = [&] {
                return QString::fromStdString((cases / "photo-turned-noisy.jpg").string());
            };
            QTest::keyClick(f->Edit15, Qt::Key_I, Qt::ControlModifier);
        }
        EXPECT_EQ(T(f->Edit9), QStringLiteral("ТОВ “Стоматологія”"));
        EXPECT_EQ(T(f->Edit12), QStringLiteral("40723824"));
        EXPECT_EQ(T(f->Edit14), QStringLiteral("UA783226690000026005012107358"));
        EXPECT_EQ(T(f->Edit16), QStringLiteral("1034"));
        EXPECT_EQ(T(f->Edit17), QStringLiteral("28"));
        EXPECT_EQ(T(f->Edit20), QStringLiteral("Стоматологічні послуги"));
        EXPECT_EQ(T(f->Edit2), QStringLiteral("ТОВ Квітень"));
        EXPECT_FALSE(f->statusBar()->currentMessage().isEmpty());
        f->Editor.PlatModified = f->Editor.PayerModified = f->Editor.RecipientModified = false;
    }
}
