#include "formkit/FieldEdit.h"

#include "formkit/QtText.h"

#include <QKeyEvent>
#include <QKeySequence>

#include <algorithm>
#include <limits>

QValidator::State TFieldValidator::validate(QString& input, int& pos) const {
    QString out;
    out.reserve(input.size());
    int newPos = pos;
    const auto length = input.size();
    for (qsizetype i = 0; i < length;) {
        char32_t cp = input[i].unicode();
        qsizetype units = 1;
        if (QChar::isHighSurrogate(cp) && i + 1 < length && input[i + 1].isLowSurrogate()) {
            cp = QChar::surrogateToUcs4(input[i], input[i + 1]);
            units = 2;
        } else if (cp == U'\r' && i + 1 < length && input[i + 1] == u'\n') {
            units = 2;
        }
        QString keep;
        if (cp == U'\r' || cp == U'\n') {
            keep = QStringLiteral(" ");
        } else if (cp != 0 && !QChar::isSurrogate(cp) && IsCp1251Char(cp)) {
            const char32_t kept = Replace ? Replace(cp) : cp;
            keep = QString::fromUcs4(&kept, 1);
        }
        // The cursor keeps its place among the characters that stay.
        if (i < pos)
            newPos -= static_cast<int>(units - keep.size());
        out += keep;
        i += units;
    }
    if (out != input) {
        input = out;
        pos = std::clamp(newPos, 0, static_cast<int>(out.size()));
    }
    return Acceptable;
}

TEdit::TEdit(QWidget* parent) : QLineEdit(parent), FieldValidator(new TFieldValidator(this)) {
    // Qt would cut a text at 32767 characters; a loaded order must come back whole.
    setMaxLength(std::numeric_limits<int>::max());
    setValidator(FieldValidator);
}

void TEdit::keyPressEvent(QKeyEvent* event) {
    // Clipboard and editing shortcuts are commands, not typed characters.
    static const QKeySequence::StandardKey shortcuts[] = {
        QKeySequence::Copy, QKeySequence::Cut,  QKeySequence::Paste,
        QKeySequence::Undo, QKeySequence::Redo, QKeySequence::SelectAll};
    for (auto key : shortcuts)
        if (event->matches(key)) {
            QLineEdit::keyPressEvent(event);
            return;
        }
    switch (event->key()) {
    case Qt::Key_Delete:
    case Qt::Key_Escape:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        QLineEdit::keyPressEvent(event);
        return;
    case Qt::Key_Backspace:
        if (KeyFilter && !KeyFilter(u'\b'))
            return;
        QLineEdit::keyPressEvent(event);
        return;
    default:
        break;
    }
    for (char32_t cp : event->text().toUcs4()) {
        if (cp > 0xFFFF || cp == 0 || !IsCp1251Char(cp))
            return; // refused without a sound
        if (KeyFilter && !KeyFilter(static_cast<char16_t>(cp)))
            return;
    }
    QLineEdit::keyPressEvent(event);
}
