#include "formkit/DialogKit.h"

#include <QApplication>
#include <QDialog>
#include <QFont>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTableView>
#include <QVBoxLayout>

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

void SetUpSearchTable(QTableView* table, std::initializer_list<int> widths) {
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setFocusPolicy(Qt::NoFocus);
    table->verticalHeader()->hide();
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 6);
    table->horizontalHeader()->setStretchLastSection(true);
    int column = 0;
    for (const int width : widths)
        table->setColumnWidth(column++, width);
}

void LayOutSearchDialog(QDialog* dialog, QLineEdit* search, QTableView* table, QWidget* left,
                        std::initializer_list<QPushButton*> buttons) {
    auto* row = new QHBoxLayout;
    if (left)
        row->addWidget(left, 1);
    else
        row->addStretch(1);
    for (QPushButton* b : buttons) {
        b->setAutoDefault(false);
        row->addWidget(b);
    }
    (*buttons.begin())->setDefault(true);
    auto* layout = new QVBoxLayout(dialog);
    layout->addWidget(search);
    layout->addWidget(table, 1);
    layout->addLayout(row);
}

int SelectedRow(const QTableView* table) {
    const QModelIndexList rows = table->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}
