#include "formkit/DialogKit.h"

#include <QApplication>
#include <QDialog>
#include <QFont>
#include <QGuiApplication>
#include <QScreen>

void CentreOnScreen(QWidget* window) {
    QScreen* screen = nullptr;
    if (QWidget* owner = window->parentWidget())
        screen = owner->screen();
    else if (QWidget* active = QApplication::activeWindow())
        screen = active->screen();
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    // A position set here also keeps Qt from moving the window at show.
    QRect frame = window->frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    window->move(frame.topLeft());
}

void SetUpFixedDialog(QDialog* dialog, int width, int height, int fontPixels) {
    dialog->setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(fontPixels);
    dialog->setFont(font);
    dialog->setFixedSize(width, height);
    CentreOnScreen(dialog);
}
