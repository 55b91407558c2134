#include "app/MainForm.h"

#include <QStatusBar>

TMainForm::TMainForm(QWidget* parent) : QMainWindow(parent) {
    setObjectName("MainForm");
    setWindowTitle(QStringLiteral("Квирен, версия 1.12"));
    setCentralWidget(new QWidget(this));
    statusBar();
    setFixedSize(713, 425);
}
