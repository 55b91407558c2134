// Every edit field holds only what Windows-1251 can store, on one line.
#include "formkit/FieldEdit.h"
#include "formkit/Application.h"

#include <QApplication>
#include <QClipboard>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <string_view>

namespace {

// A key press that produces `text`, as the keyboard layout of the user would send it.
void Type(QWidget* w, const QString& text) {
    for (QChar c : text)
        QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

TEST(FieldValidatorTest, DropsWhatTheCodePageLacksAndFlattensLineBreaks) {
    using namespace std::literals;
    struct Case {
        std::u16string_view input;
        int pos;
        std::u16string_view output;
        int outPos;
    };
    const Case cases[] = {
        {u"ПДВ ґ Ї № € «»"sv, 3, u"ПДВ ґ Ї № € «»"sv, 3}, // all in the code page
        {u"a\u0101b"sv, 3, u"ab"sv, 2},                   // ā has no byte
        {u"a\r\nb"sv, 4, u"a b"sv, 3},                    // CR LF is one blank
        {u"a\rb\nc"sv, 5, u"a b c"sv, 5},
        {u"a\0b"sv, 3, u"ab"sv, 2},       // NUL
        {u"\U0001F600x"sv, 3, u"x"sv, 1}, // a surrogate pair, dropped whole
        {u"x\xD800y"sv, 1, u"xy"sv, 1},   // an unpaired surrogate
        {u"\u4E2D\u6587"sv, 1, u""sv, 0},
        // Look-alikes the code page has: the apostrophe of Ukrainian registries, hyphens, spaces.
        {u"Кам\u02BCянець"sv, 4, u"Кам\u2019янець"sv, 4},
        {u"1\u20112\u20123"sv, 5, u"1-2-3"sv, 5},
        {u"1\u2007000\u202F000"sv, 0, u"1 000 000"sv, 0},
    };
    TFieldValidator v;
    for (const Case& c : cases) {
        QString text(reinterpret_cast<const QChar*>(c.input.data()), c.input.size());
        const std::string shown = text.toStdString();
        int pos = c.pos;
        EXPECT_EQ(v.validate(text, pos), QValidator::Acceptable);
        EXPECT_EQ(text, QString(reinterpret_cast<const QChar*>(c.output.data()), c.output.size()))
            << shown;
        EXPECT_EQ(pos, c.outPos) << shown;
    }
}

TEST(FieldEditTest, ATypedCharacterWithoutAByteIsRefusedAndChangesNothing) {
    TEdit e;
    e.show();
    QSignalSpy changes(&e, &QLineEdit::textChanged);
    Type(&e, QStringLiteral("ПДВ"));
    EXPECT_EQ(e.text(), QStringLiteral("ПДВ"));
    changes.clear();
    std::vector<char32_t> dropped;
    e.Validator()->Dropped = [&](const std::vector<char32_t>& d) { dropped = d; };
    Type(&e, QStringLiteral("\u0101\u4E2D"));
    EXPECT_EQ(e.text(), QStringLiteral("ПДВ"));
    EXPECT_EQ(changes.count(), 0);
    EXPECT_EQ(dropped, std::vector<char32_t>{U'\u4E2D'});
    EXPECT_EQ(DroppedCharactersMessage(dropped),
              QStringLiteral("Символ «\u4E2D» не поддерживается и пропущен"));
    Type(&e, QStringLiteral("\u02BC"));
    EXPECT_EQ(e.text(), QStringLiteral("ПДВ\u2019"));
    QTest::keyClick(&e, Qt::Key_Backspace);
    QTest::keyClick(&e, Qt::Key_Backspace);
    EXPECT_EQ(e.text(), QStringLiteral("ПД"));
}

TEST(FieldEditTest, PastedTextLosesForeignCharactersAndLineBreaks) {
    TEdit e;
    e.show();
    e.setText(QStringLiteral("[]"));
    e.setCursorPosition(1);
    QApplication::clipboard()->setText(QStringLiteral("без\r\nПДВ \u4E2D!"));
    e.paste();
    EXPECT_EQ(e.text(), QStringLiteral("[без ПДВ !]"));
    EXPECT_EQ(e.cursorPosition(), 10); // after the "!"
    // The program's own texts pass the same rule.
    e.setText(QStringLiteral("a\nb"));
    EXPECT_EQ(e.text(), QStringLiteral("a b"));
}

// Qt's own texts (the edit fields' context menu, its dialogs' buttons) come from its Russian
// translation, which the program loads at start.
TEST(FormKitTest, QtSpeaksRussian) {
    EXPECT_TRUE(SpeakRussian());
    EXPECT_EQ(QCoreApplication::translate("QLineEdit", "&Undo"),
              QStringLiteral("&Отменить действие"));
}

} // namespace
