#include "formkit/QtMessageBoxes.h"

#include "formkit/QtText.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

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

QString Caption(const std::string& caption) {
    // A box without a caption of its own carries the application's title.
    return caption.empty() ? QApplication::applicationName() : FromCp1251(caption);
}
} // namespace

void TQtMessageBoxes::Show(const std::string& text, const std::string& caption,
                           platform::TMsgIcon icon) {
    QMessageBox box(ToQt(icon), Caption(caption), FromCp1251(text), QMessageBox::NoButton,
                    QApplication::activeWindow());
    box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    box.exec();
}

platform::TAnswer TQtMessageBoxes::Ask(const std::string& text, const std::string& caption,
                                       platform::TMsgIcon icon, platform::TAnswer defaultAnswer) {
    QMessageBox box(ToQt(icon), Caption(caption), FromCp1251(text), QMessageBox::NoButton,
                    QApplication::activeWindow());
    QPushButton* yes = box.addButton(QStringLiteral("Да"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(QStringLiteral("Нет"), QMessageBox::NoRole);
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
