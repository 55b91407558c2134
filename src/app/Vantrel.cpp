// The program entry: the window front end.

#include "app/Application.h"
#include "app/MainForm.h"
#include "app/QtMessageBoxes.h"

#include <QAbstractEventDispatcher>
#include <QWindow>

#include <cstdlib>
#include <cstring>

int Vantrel(int argc, char** argv) {
    TApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Квирен"));
    TQtMessageBoxes boxes;
    platform::SetMessageBoxes(&boxes);
    TMainForm mainForm;
    mainForm.show();
    // For the start-up benchmarks only (bench/): VANTREL_QUIT_WHEN_IDLE=1 ends the program
    // the first time its event loop runs out of work with the window exposed, that is once
    // the window is shown, painted and idle, so that its start can be timed from outside.
    // Nothing is asked and nothing is saved on that way out.
    if (const char* quit = std::getenv("VANTREL_QUIT_WHEN_IDLE");
        quit && std::strcmp(quit, "1") == 0)
        QObject::connect(QAbstractEventDispatcher::instance(),
                         &QAbstractEventDispatcher::aboutToBlock, &app, [&mainForm] {
                             if (mainForm.windowHandle() && mainForm.windowHandle()->isExposed())
                                 QCoreApplication::quit();
                         });
    const int rc = app.exec();
    platform::SetMessageBoxes(nullptr);
    return rc;
}

int main(int argc, char** argv) {
    return Vantrel(argc, argv);
}
