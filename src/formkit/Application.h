#pragma once
// The one application-wide error handler: Qt does not let an exception cross its event
// loop, so every event is delivered inside a try block, and an error that a command did
// not handle ends that command with the error box while the window stays as it was.

#include <QApplication>

class TApplication : public QApplication {
public:
    TApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

// Makes Qt's own texts Russian (the context menu of every edit field, the buttons of its
// dialogs) from its translation in QLibraryInfo::TranslationsPath, and gives message boxes
// and tooltips the window's font. False when no translation was found.
bool SpeakRussian();

// Shows the error box for the exception being handled (call inside a catch block).
void ShowCurrentException();

// Runs a command so that an error it does not handle ends it with the error box, also
// where Qt calls it outside an event (a signal emitted by the program itself).
template <class F> void RunGuarded(F&& command) {
    try {
        command();
    } catch (...) {
        ShowCurrentException();
    }
}
