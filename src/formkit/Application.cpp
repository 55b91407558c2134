#include "formkit/Application.h"

#include "platform/Cp1251Literal.h"
#include "platform/MessageBoxes.h"

#include <QLibraryInfo>
#include <QLocale>
#include <QToolTip>
#include <QTranslator>

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
        platform::ShowError(std::string("Ошибка проверки диапазона: "_w) + e.what());
    } catch (const std::exception& e) {
        platform::ShowError(e.what());
    } catch (...) {
        platform::ShowError("Неизвестная ошибка"_w);
    }
}

bool SpeakRussian(QApplication& app) {
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(12);
    QApplication::setFont(font, "QMessageBox");
    QToolTip::setFont(font);
    auto* translator = new QTranslator(&app);
    if (!translator->load(QLocale(QLocale::Russian, QLocale::Russia), QStringLiteral("qtbase"),
                          QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    QApplication::installTranslator(translator);
    return true;
}
