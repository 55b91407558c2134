#pragma once
// Drives modal dialogs from inside their own exec(): each dialog that comes up gets the
// next action, so the real dialogs are tested the way the program shows them. A dialog
// left open, or one for which no action was queued, fails the test and is closed, so a
// test never hangs on a dialog.

#include <QElapsedTimer>
#include <QTimer>

#include <deque>
#include <functional>

class QWidget;

namespace testing_support {

class TModalDriver {
public:
    TModalDriver();
    ~TModalDriver();
    TModalDriver(const TModalDriver&) = delete;
    TModalDriver& operator=(const TModalDriver&) = delete;

    // The action for the next dialog shown; it receives the dialog.
    void Then(std::function<void(QWidget*)> action);
    // How many dialogs have been acted on.
    int Driven() const { return Count; }

private:
    void Tick();

    QTimer Timer;
    QElapsedTimer SinceLastAction;
    std::deque<std::function<void(QWidget*)>> Actions;
    int Count = 0;
};

} // namespace testing_support
