#include "app/Vantrel.h"

#include "app/MainForm.h"
#include "formkit/Application.h"
#include "formkit/QtMessageBoxes.h"

int Vantrel(int argc, char** argv, const std::function<void(TMainForm&)>& shown) {
    TApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Квирен"));
    SpeakRussian(app);
    TQtMessageBoxes boxes;
    platform::SetMessageBoxes(&boxes);
    int rc = 0;
    {
        TMainForm mainForm;
        mainForm.show();
        if (shown)
            shown(mainForm);
        rc = app.exec();
    }
    platform::SetMessageBoxes(nullptr);
    return rc;
}
