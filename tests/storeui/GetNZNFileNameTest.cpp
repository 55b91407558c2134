// The purpose-name dialog: the proposed name, what the name field lets in by typing and by
// pasting, and the question before an existing purpose is replaced.

#include "storeui/GetNZNFileName.h"
#include "store/FileList.h"

#include "ModalDriver.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

using namespace testing_support;
namespace fs = std::filesystem;

namespace {

// Typed as the keyboard types, with the character's text (Cyrillic included).
void Type(QWidget* w, const QString& text) {
    for (char32_t cp : text.toUcs4()) {
        const QString one = QString::fromUcs4(&cp, 1);
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, one);
        QApplication::sendEvent(w, &press);
        QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, one);
        QApplication::sendEvent(w, &release);
    }
}

void Press(QWidget* w, int key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QKeyEvent press(QEvent::KeyPress, key, mods);
    QApplication::sendEvent(w, &press);
    QKeyEvent release(QEvent::KeyRelease, key, mods);
    QApplication::sendEvent(w, &release);
}

std::string Utf8(const QLineEdit* e) {
    return e->text().toStdString();
}

TEST(ProposeNZNFileName, CutsFirstThenTrimsThenStrips) {
    struct Case {
        const char* Purpose;
        const char* Proposal;
    };
    const Case cases[] = {
        // 45 characters: the first 30, the trailing blank at the cut trimmed.
        {"Оплата услуг связи за январь  2002 года, сч 1", "Оплата услуг связи за январь"},
        // Leading blanks count towards the 30.
        {"     Оплата за аренду офиса согласно счету", "Оплата за аренду офиса со"},
        // Removed, not replaced; a blank left in front of a removed colon stays.
        {"Договор 15/3: оплата", "Договор 153 оплата"},
        {"Счет № 7 :", "Счет № 7 "},
        {"\t\x01 Оплата \r", "Оплата"},
        {"a!b\"c*d/e:f<g>h?i\\j|k", "abcdefghijk"},
        {"?:/", ""},
        {"   ", ""},
        {"", ""},
        {"Короткое", "Короткое"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(U(store::ProposeNZNFileName(W(c.Purpose))), c.Proposal) << c.Purpose;
}

class NameFieldTest : public ::testing::Test {
protected:
    NameFieldTest() { Form.show(); }
    TGetNZNFileNameForm Form;
};

TEST_F(NameFieldTest, TypedForbiddenCharactersBecomeUnderscores) {
    Type(Form.Edit1, QStringLiteral("Счёт:1?"));
    EXPECT_EQ(Utf8(Form.Edit1), "Счёт_1_");
    Form.Edit1->clear();
    Type(Form.Edit1, QStringLiteral("!\"*/:<>?\\|_"));
    EXPECT_EQ(Utf8(Form.Edit1), "___________");
    EXPECT_EQ(Form.Edit1->cursorPosition(), 11);
}

TEST_F(NameFieldTest, ATypedCharacterOutsideTheCodePageIsRefused) {
    Type(Form.Edit1, QStringLiteral("Оплата"));
    Form.Edit1->setSelection(0, 2);
    Type(Form.Edit1, QStringLiteral("中"));
    Type(Form.Edit1, QString::fromUcs4(U"\U0001F600"));
    EXPECT_EQ(Utf8(Form.Edit1), "Оплата");
    EXPECT_EQ(Form.Edit1->selectedText().toStdString(), "Оп"); // nothing happened at all
    Type(Form.Edit1, QStringLiteral("€№"));                    // both in the code page
    EXPECT_EQ(Utf8(Form.Edit1), "€№лата");
}

TEST_F(NameFieldTest, PastedTextIsMadeIntoAName) {
    Type(Form.Edit1, QStringLiteral("ab"));
    Form.Edit1->setCursorPosition(1);
    QApplication::clipboard()->setText(QString::fromUtf8("../etc\\x:y中\r\nz"));
    Form.Edit1->paste();
    EXPECT_EQ(Utf8(Form.Edit1), "a.._etc_x_y zb");
    EXPECT_EQ(Form.Edit1->cursorPosition(), 13); // just after the pasted text

    Form.Edit1->clear();
    QApplication::clipboard()->setText(QStringLiteral("Акт/5 \"Ромашка\""));
    Press(Form.Edit1, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Utf8(Form.Edit1), "Акт_5 _Ромашка_");
    EXPECT_EQ(Form.Name(), W("Акт_5 _Ромашка_"));
}

TEST_F(NameFieldTest, OkIsEnabledExactlyWhileTheNameIsNotEmpty) {
    EXPECT_FALSE(Form.ButOK->isEnabled()); // an empty field gives no change event
    Type(Form.Edit1, QStringLiteral("x"));
    EXPECT_TRUE(Form.ButOK->isEnabled());
    Press(Form.Edit1, Qt::Key_Backspace);
    EXPECT_FALSE(Form.ButOK->isEnabled());
    Form.SetName(W("Аренда"));
    EXPECT_TRUE(Form.ButOK->isEnabled());
}

class AskNZNFileNameTest : public ::testing::Test {
protected:
    fs::path Nzn(const std::string& utf8Name) { return Dir / (utf8Name + ".nzn"); }
    TTempDir Dir;
    TRecordingBoxes Boxes;
    TModalDriver Driver;
};

TEST_F(AskNZNFileNameTest, OkReturnsThePathOfTheProposedName) {
    Driver.Then([](QWidget* w) {
        auto* form = static_cast<TGetNZNFileNameForm*>(w);
        EXPECT_EQ(Utf8(form->Edit1), "Оплата по счету 15_3");
        EXPECT_TRUE(form->ButOK->isEnabled());
        QTest::mouseClick(form->ButOK, Qt::LeftButton);
    });
    EXPECT_EQ(AskNZNFileName(Dir.Path(), W("  Оплата по счету 15_3")), Nzn("Оплата по счету 15_3"));
    EXPECT_EQ(Driver.Driven(), 1);
    EXPECT_TRUE(Boxes.Boxes.empty());
}

TEST_F(AskNZNFileNameTest, TheNameIsTakenAsTypedWithItsCaseAndBlanks) {
    Driver.Then([](QWidget* w) {
        auto* form = static_cast<TGetNZNFileNameForm*>(w);
        form->Edit1->clear();
        Type(form->Edit1, QStringLiteral(" Аренда  ОФИСА "));
        Press(form->Edit1, Qt::Key_Return);
    });
    EXPECT_EQ(AskNZNFileName(Dir.Path(), W("Аренда")), Nzn(" Аренда  ОФИСА "));
}

TEST_F(AskNZNFileNameTest, CancelEscAndTheCloseButtonReturnNothing) {
    Driver.Then([](QWidget* w) {
        QTest::mouseClick(static_cast<TGetNZNFileNameForm*>(w)->ButCancel, Qt::LeftButton);
    });
    Driver.Then(
        [](QWidget* w) { Press(static_cast<TGetNZNFileNameForm*>(w)->Edit1, Qt::Key_Escape); });
    Driver.Then([](QWidget* w) { w->close(); });
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(AskNZNFileName(Dir.Path(), W("Аренда")), fs::path());
    EXPECT_EQ(Driver.Driven(), 3);
}

TEST_F(AskNZNFileNameTest, AnEmptyNameCannotBeConfirmed) {
    Driver.Then([](QWidget* w) {
        auto* form = static_cast<TGetNZNFileNameForm*>(w);
        // The proposal of "?:/" is empty.
        EXPECT_EQ(Utf8(form->Edit1), "");
        EXPECT_FALSE(form->ButOK->isEnabled());
        Press(form->Edit1, Qt::Key_Return);
        ASSERT_TRUE(form->isVisible());
        EXPECT_FALSE(form->OkPressed);
        Press(form->Edit1, Qt::Key_Escape);
    });
    EXPECT_EQ(AskNZNFileName(Dir.Path(), W("?:/")), fs::path());
}

TEST_F(AskNZNFileNameTest, APastedPathStaysANameInTheDataFolder) {
    Driver.Then([](QWidget* w) {
        auto* form = static_cast<TGetNZNFileNameForm*>(w);
        form->Edit1->clear();
        QApplication::clipboard()->setText(QStringLiteral("../../etc/passwd"));
        form->Edit1->paste();
        QTest::mouseClick(form->ButOK, Qt::LeftButton);
    });
    const fs::path path = AskNZNFileName(Dir.Path(), W("Аренда"));
    EXPECT_EQ(path, Nzn(".._.._etc_passwd"));
    EXPECT_EQ(path.parent_path(), Dir.Path());
}

TEST_F(AskNZNFileNameTest, AnExistingNameIsReplacedOnlyAfterYes) {
    WriteFileBytes(Nzn("Аренда"), "old\r\n");
    Driver.Then([](QWidget* w) {
        QTest::mouseClick(static_cast<TGetNZNFileNameForm*>(w)->ButOK, Qt::LeftButton);
    });
    Boxes.Answer(true);
    EXPECT_EQ(AskNZNFileName(Dir.Path(), W("Аренда")), Nzn("Аренда"));
    ASSERT_EQ(Boxes.Boxes.size(), 1u);
    EXPECT_EQ(U(Boxes.Boxes[0].Text), "Назначение с именем <Аренда> существует. Заменить?");
    EXPECT_EQ(U(Boxes.Boxes[0].Caption), "Сохранение");
    EXPECT_EQ(Boxes.Boxes[0].Icon, platform::TMsgIcon::Warning);
    EXPECT_TRUE(Boxes.Boxes[0].Question);
    EXPECT_EQ(ReadFileBytes(Nzn("Аренда")), "old\r\n"); // the caller writes, not the dialog
}

TEST_F(AskNZNFileNameTest, NoShowsAFreshDialogWithTheProposalAgain) {
    WriteFileBytes(Nzn("Мое"), "old\r\n");
    Driver.Then([](QWidget* w) {
        auto* form = static_cast<TGetNZNFileNameForm*>(w);
        form->Edit1->clear();
        Type(form->Edit1, QStringLiteral("Мое"));
        QTest::mouseClick(form->ButOK, Qt::LeftButton);
    });
    Driver.Then([](QWidget* w) {
        auto* form = static_cast<TGetNZNFileNameForm*>(w);
        EXPECT_FALSE(form->OkPressed);
        EXPECT_EQ(Utf8(form->Edit1), "Аренда"); // what the user typed is not kept
        form->Edit1->clear();
        Type(form->Edit1, QStringLiteral("Новое"));
        QTest::mouseClick(form->ButOK, Qt::LeftButton);
    });
    Boxes.Answer(false);
    EXPECT_EQ(AskNZNFileName(Dir.Path(), W("Аренда")), Nzn("Новое"));
    EXPECT_EQ(Driver.Driven(), 2);
    ASSERT_EQ(Boxes.Boxes.size(), 1u);
    EXPECT_EQ(U(Boxes.Boxes[0].Text), "Назначение с именем <Мое> существует. Заменить?");
}

} // namespace
