#include "store/forms/DialogKit.h"

#include <QApplication>
#include <QDialog>
#include <QFont>
#include <QGuiApplication>
#include <QScreen>

namespace store_forms {

void SetUpFixedDialog(QDialog* dialog, int width, int height) {
    dialog->setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(12);
    dialog->setFont(font);
    dialog->setFixedSize(width, height);

    // Centred on the screen rather than over the window that asked, as the user expects
    // of these dialogs; a position set here also keeps Qt from moving it at show.
    QScreen* screen = nullptr;
    if (QWidget* active = QApplication::activeWindow())
        screen = active->screen();
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (screen) {
        const QRect area = screen->availableGeometry();
        dialog->move(area.x() + (area.width() - width) / 2,
                     area.y() + (area.height() - height) / 2);
    }
}

} // namespace store_forms
