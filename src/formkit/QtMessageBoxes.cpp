#include "formkit/QtMessageBoxes.h"

#include "formkit/QtText.h"

#include <QApplication>
#include <QMessageBox>

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
    QMessageBox box(ToQt(icon), Caption(caption), FromCp1251(text), QMessageBox::Ok,
                    QApplication::activeWindow());
    box.exec();
}

bool TQtMessageBoxes::Ask(const std::string& text, const std::string& caption,
                          platform::TMsgIcon icon) {
    QMessageBox box(ToQt(icon), Caption(caption), FromCp1251(text),
                    QMessageBox::Yes | QMessageBox::No, QApplication::activeWindow());
    return box.exec() == QMessageBox::Yes;
}
