#include "settings/forms/Cp1251Edit.h"

#include "app/QtText.h"

#include <QKeyEvent>

#include <algorithm>

QValidator::State TCp1251Validator::validate(QString& input, int& pos) const {
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
        if (cp == U'\r' || cp == U'\n')
            keep = QStringLiteral(" ");
        else if (cp != 0 && !QChar::isSurrogate(cp) && IsCp1251Char(cp))
            keep = input.mid(i, units);
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

TCp1251Edit::TCp1251Edit(QWidget* parent) : QLineEdit(parent) {
    setValidator(new TCp1251Validator(this));
}

void TCp1251Edit::keyPressEvent(QKeyEvent* event) {
    // Only printable characters are ever inserted; control characters are commands.
    for (char32_t cp : event->text().toUcs4())
        if (QChar::isPrint(cp) && !IsCp1251Char(cp)) {
            event->accept();
            return;
        }
    QLineEdit::keyPressEvent(event);
}
