#include "formkit/FieldEdit.h"

#include "formkit/QtText.h"
#include "platform/Cp1251.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMenu>
#include <QPainter>

#include <algorithm>
#include <limits>

namespace {

// The character a field keeps for `cp`, 0 when it has none.
char32_t Kept(char32_t cp) {
    if (cp == 0 || QChar::isSurrogate(cp))
        return 0;
    if (IsCp1251Char(cp))
        return cp;
    return platform::Cp1251LookAlike(cp).value_or(0);
}

void Note(std::vector<char32_t>& dropped, char32_t cp) {
    if (std::find(dropped.begin(), dropped.end(), cp) == dropped.end())
        dropped.push_back(cp);
}

} // namespace

QValidator::State TFieldValidator::validate(QString& input, int& pos) const {
    QString out;
    out.reserve(input.size());
    std::vector<char32_t> dropped;
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
        // Every character a field keeps is one of Windows-1251, so one UTF-16 unit; the
        // validator runs for every keystroke and every text the program sets, so it appends
        // that unit rather than making a string of it.
        qsizetype keptUnits = 0;
        if (cp == U'\r' || cp == U'\n') {
            out += u' ';
            keptUnits = 1;
        } else if (char32_t kept = Kept(cp)) {
            if (Replace)
                kept = Replace(kept);
            if (kept > 0xFFFF) {
                out += QString::fromUcs4(&kept, 1);
                keptUnits = 2;
            } else if (kept) {
                out += QChar(static_cast<char16_t>(kept));
                keptUnits = 1;
            }
        } else if (cp != 0) {
            Note(dropped, cp);
        }
        // The cursor keeps its place among the characters that stay.
        if (i < pos)
            newPos -= static_cast<int>(units - keptUnits);
        i += units;
    }
    if (out != input) {
        input = out;
        pos = std::clamp(newPos, 0, static_cast<int>(out.size()));
    }
    if (!dropped.empty() && Dropped)
        Dropped(dropped);
    return Acceptable;
}

TEdit::TEdit(QWidget* parent) : QLineEdit(parent), FieldValidator(new TFieldValidator(this)) {
    // Qt would cut a text at 32767 characters; a loaded order must come back whole.
    setMaxLength(std::numeric_limits<int>::max());
    setValidator(FieldValidator);
}

void TEdit::contextMenuEvent(QContextMenuEvent* event) {
    QMenu* menu = createStandardContextMenu();
    if (Pasted)
        if (QAction* paste = menu->findChild<QAction*>(QStringLiteral("edit-paste"))) {
            disconnect(paste, &QAction::triggered, nullptr, nullptr);
            connect(paste, &QAction::triggered, this,
                    [this] { Pasted(QGuiApplication::clipboard()->text()); });
        }
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

void TEdit::SetMarked(bool marked) {
    if (IsMarked == marked)
        return;
    IsMarked = marked;
    update();
}

void TEdit::paintEvent(QPaintEvent* event) {
    QLineEdit::paintEvent(event);
    if (!IsMarked)
        return;
    QPainter painter(this);
    painter.setPen(QPen(QColor(208, 16, 16), 1));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void TEdit::keyPressEvent(QKeyEvent* event) {
    if (Pasted && event->matches(QKeySequence::Paste) && !isReadOnly()) {
        Pasted(QGuiApplication::clipboard()->text());
        return;
    }
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
        if (KeyFilter && KeyFilter(u'\b') == 0)
            return;
        QLineEdit::keyPressEvent(event);
        return;
    default:
        break;
    }
    QString typed;
    std::vector<char32_t> dropped;
    for (char32_t cp : event->text().toUcs4()) {
        char32_t kept = Kept(cp);
        if (!kept) {
            if (cp != 0)
                Note(dropped, cp);
            continue;
        }
        if (KeyFilter && kept <= 0xFFFF)
            kept = KeyFilter(static_cast<char16_t>(kept));
        if (kept == 0 || kept > 0xFFFF)
            return; // refused without a sound
        typed += QString::fromUcs4(&kept, 1);
    }
    if (!dropped.empty()) {
        if (FieldValidator->Dropped)
            FieldValidator->Dropped(dropped);
        return;
    }
    if (typed == event->text()) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    QKeyEvent replaced(event->type(), event->key(), event->modifiers(), typed,
                       event->isAutoRepeat(), static_cast<ushort>(event->count()));
    QLineEdit::keyPressEvent(&replaced);
}

QString DroppedCharactersMessage(const std::vector<char32_t>& dropped) {
    QStringList quoted;
    for (char32_t cp : dropped)
        quoted << QStringLiteral("«") + QString::fromUcs4(&cp, 1) + QStringLiteral("»");
    if (quoted.size() == 1)
        return QCoreApplication::translate("TEdit", "Символ %1 не поддерживается и пропущен")
            .arg(quoted.front());
    return QCoreApplication::translate("TEdit", "Символы %1 не поддерживаются и пропущены")
        .arg(quoted.join(QStringLiteral(", ")));
}
