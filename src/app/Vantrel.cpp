// The program entry: the window front end.

#include "app/Application.h"
#include "app/MainForm.h"
#include "app/QtMessageBoxes.h"

int Vantrel(int argc, char** argv) {
    TApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Квирен"));
    TQtMessageBoxes boxes;
    platform::SetMessageBoxes(&boxes);
    TMainForm mainForm;
    mainForm.show();
    const int rc = app.exec();
    platform::SetMessageBoxes(nullptr);
    return rc;
}

int main(int argc, char** argv) { return Vantrel(argc, argv); }
