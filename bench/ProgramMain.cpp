// The program as the start-up benchmarks run it: the window front end exactly as `vantrel`
// starts it, ended the first time its event loop runs out of work with the window exposed,
// that is once the window is shown, painted and idle, so that its start can be timed from
// outside. Nothing is asked and nothing is saved on that way out.

#include "app/MainForm.h"
#include "app/Vantrel.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QWindow>

int main(int argc, char** argv) {
    return Vantrel(argc, argv, [](TMainForm& mainForm) {
        QObject::connect(QAbstractEventDispatcher::instance(),
                         &QAbstractEventDispatcher::aboutToBlock, &mainForm, [&mainForm] {
                             if (mainForm.windowHandle() && mainForm.windowHandle()->isExposed()) {
                                 mainForm.Editor.PlatModified = mainForm.Editor.PayerModified =
                                     mainForm.Editor.RecipientModified = false;
                                 QCoreApplication::quit();
                             }
                         });
    });
}
