#include "formkit/QtMessageBoxes.h"

#include "formkit/QtText.h"

#include <QApplication>
#include <QCoreApplication>
#include <QMessageBox>
#include <QPushButton>

#include <algorithm>
#include <string_view>
#include <vector>

namespace {
QMessageBox::Icon ToQt(platform::TMsgIcon icon) {
    switch (icon) {
    case platform::TMsgIcon::Error:
        return QMessageBox::Critical;
    case platform::TMsgIcon::Warning:
    case platform::TMsgIcon::Exclamation:
        return QMessageBox::Warning;
    case platform::TMsgIcon::Question:
        return QMessageBox::Question;
    case platform::TMsgIcon::Information:
        return QMessageBox::Information;
    case platform::TMsgIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

// A box grows to fit its longest line, and a line breaks only between words: one long word
// (a name of a thousand letters, a deep path) makes the box wider than the screen.
constexpr std::size_t kLongPath = 80;                    // shows only its file name beyond this
constexpr std::size_t kWordHead = 40, kWordTail = 39;    // a word of more than 80 characters
constexpr std::size_t kTextHead = 1400, kTextTail = 599; // a text of more than 2000
constexpr char kEllipsis = '\x85';                       // "…" in Windows-1251
constexpr std::size_t kLinesHead = 20, kLinesTail = 9;   // a text of more than 30 lines

void AppendCut(std::string& out, std::string_view text, std::size_t head, std::size_t tail) {
    if (text.size() <= head + 1 + tail) {
        out += text;
        return;
    }
    out += text.substr(0, head);
    out += kEllipsis;
    out += text.substr(text.size() - tail);
}

QString Caption(const std::string& caption) {
    // A box without a caption of its own carries the application's title.
    return caption.empty() ? QApplication::applicationName() : FromCp1251(caption);
}
} // namespace

std::string ReadableBoxText(std::string_view text) {
    // Files are named between double quotes; a long path says more by its file name.
    std::string named;
    named.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t open = text.find('"', i);
        const std::size_t close = open == std::string_view::npos ? open : text.find('"', open + 1);
        if (close == std::string_view::npos) {
            named += text.substr(i);
            break;
        }
        std::string_view quoted = text.substr(open + 1, close - open - 1);
        const std::size_t slash = quoted.rfind('/');
        if (quoted.size() > kLongPath && slash != std::string_view::npos &&
            slash + 1 < quoted.size())
            quoted.remove_prefix(slash + 1);
        named += text.substr(i, open + 1 - i);
        named += quoted;
        named += '"';
        i = close + 1;
    }

    std::string words;
    words.reserve(named.size());
    for (std::size_t i = 0; i < named.size();) {
        const std::size_t end = std::min(named.find_first_of(" \n", i), named.size());
        AppendCut(words, std::string_view(named).substr(i, end - i), kWordHead, kWordTail);
        if (end < named.size())
            words += named[end];
        i = end + 1;
    }

    // And a box grows with its lines: a list stays as tall as a screen.
    std::vector<std::string_view> lines;
    for (std::size_t i = 0; i <= words.size();) {
        const std::size_t end = std::min(words.find('\n', i), words.size());
        lines.push_back(std::string_view(words).substr(i, end - i));
        i = end + 1;
    }
    std::string kept;
    if (lines.size() > kLinesHead + 1 + kLinesTail) {
        for (std::size_t l = 0; l < lines.size(); ++l) {
            if (l == kLinesHead)
                kept += std::string(1, kEllipsis) + "\n";
            if (l < kLinesHead || l >= lines.size() - kLinesTail)
                kept += std::string(lines[l]) + (l + 1 < lines.size() ? "\n" : "");
        }
    } else {
        kept = words;
    }

    std::string shown;
    AppendCut(shown, kept, kTextHead, kTextTail);
    return shown;
}

void TQtMessageBoxes::Show(const std::string& text, const std::string& caption,
                           platform::TMsgIcon icon) {
    QMessageBox box(ToQt(icon), Caption(caption), FromCp1251(ReadableBoxText(text)),
                    QMessageBox::NoButton, QApplication::activeWindow());
    box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    box.exec();
}

platform::TAnswer TQtMessageBoxes::Ask(const std::string& text, const std::string& caption,
                                       platform::TMsgIcon icon, platform::TAnswer defaultAnswer) {
    QMessageBox box(ToQt(icon), Caption(caption), FromCp1251(ReadableBoxText(text)),
                    QMessageBox::NoButton, QApplication::activeWindow());
    QPushButton* yes =
        box.addButton(QCoreApplication::translate("TQtMessageBoxes", "&Да"), QMessageBox::YesRole);
    QPushButton* no =
        box.addButton(QCoreApplication::translate("TQtMessageBoxes", "&Нет"), QMessageBox::NoRole);
    // Left to itself, the box would make No its escape button, and Escape or the close
    // button would answer No: a changed order would then be dropped unsaved. A button that
    // is never shown takes Escape instead, so dismissing says neither Yes nor No.
    QPushButton* dismiss = box.addButton(QMessageBox::Cancel);
    dismiss->hide();
    box.setEscapeButton(dismiss);
    box.setDefaultButton(defaultAnswer == platform::TAnswer::No ? no : yes);
    box.exec();
    if (box.clickedButton() == yes)
        return platform::TAnswer::Yes;
    if (box.clickedButton() == no)
        return platform::TAnswer::No;
    return platform::TAnswer::Dismissed;
}
