#include "formkit/Application.h"

#include "platform/Cp1251Literal.h"
#include "platform/MessageBoxes.h"

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
