#include "app/Vantrel.h"

#include "app/MainForm.h"
#include "formkit/Application.h"
#include "formkit/Language.h"
#include "formkit/QtMessageBoxes.h"

int Vantrel(int argc, char** argv, const std::function<void(TMainForm&)>& shown) {
    TApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Квирен"));
    SpeakRussian();
    // The window's own language, when the settings name none, is the user's.
    TOptions::DefaultUiLang = LocaleInterfaceLanguage();
    TQtMessageBoxes boxes;
    platform::SetMessageBoxes(&boxes);
    int rc = 0;
    {
        TMainForm mainForm;
        // What is left after Qt took its own options: an order to open, "vantrel FILE.plt".
        if (argc > 1)
            mainForm.StartFile = argv[1]; // its bytes as the file system has them
        mainForm.show();
        if (shown)
            shown(mainForm);
        rc = app.exec();
    }
    platform::SetMessageBoxes(nullptr);
    return rc;
}
