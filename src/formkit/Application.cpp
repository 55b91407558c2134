#include "formkit/Application.h"

#include "formkit/Language.h"

#include "platform/MessageBoxes.h"
#include "platform/Translate.h"

#include <QToolTip>

#include <exception>
#include <stdexcept>

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool TApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        ShowCurrentException();
        return false;
    }
}

void ShowCurrentException() {
    try {
        throw;
    } catch (const std::out_of_range& e) {
        // An index check of the core: the text is a programmer's, not a user's.
        platform::ShowError(std::string(platform::Tr("Messages", "Ошибка проверки диапазона: ")) +
                            e.what());
    } catch (const std::exception& e) {
        platform::ShowError(e.what());
    } catch (...) {
        platform::ShowError(platform::Tr("Messages", "Неизвестная ошибка"));
    }
}

bool SpeakRussian() {
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(12);
    QApplication::setFont(font, "QMessageBox");
    QToolTip::setFont(font);
    return SetInterfaceLanguage(blank::TLang::Russian);
}
