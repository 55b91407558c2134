// The floor of the start-up benchmarks: the least a Qt program can do to show a window of
// the main window's size, offscreen, and become idle. With a folder as its argument it
// first lists that folder once, the least any numbering of stored orders has to read.

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QWidget>
#include <QWindow>

#include <dirent.h>

#include <string>
#include <vector>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc > 1) {
        std::vector<std::string> names;
        if (DIR* dir = ::opendir(argv[1])) {
            while (const dirent* entry = ::readdir(dir))
                names.emplace_back(entry->d_name);
            ::closedir(dir);
        }
        if (names.empty())
            return 1; // the folder was not there: the measurement would be wrong
    }
    QWidget window;
    window.setFixedSize(713, 425);
    window.show();
    // Quits exactly as the benchmarks' program does (ProgramMain.cpp): at the first moment
    // the event loop has nothing to do with the window exposed (and so painted).
    QObject::connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock,
                     &app, [&window] {
                         if (window.windowHandle() && window.windowHandle()->isExposed())
                             QCoreApplication::quit();
                     });
    return app.exec();
}
