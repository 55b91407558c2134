#pragma once
// What the dialogs share: the look and placement of a fixed-size dialog, and the body of the
// dialogs that narrow a table of rows as one types (the journal, the directory).

#include <initializer_list>

class QDialog;
class QLineEdit;
class QPushButton;
class QTableView;
class QWidget;

// A fixed dialog border with only the close button, a client area of `width` x `height`
// pixels, the font of the main window, and a place in the middle of the screen the user
// is working on. The font is Arial of `fontPixels` pixels.
void SetUpFixedDialog(QDialog* dialog, int width, int height, int fontPixels = 12);

// Moves a window to the middle of the screen of the window that asked for it (its parent,
// else the active window), or of the primary screen.
void CentreOnScreen(QWidget* window);

// A table to choose a row from under a search field: whole rows, one at a time, read only,
// never focused (typing stays in the search field), rows one line high, the columns of
// `widths` in pixels and the last one stretched.
void SetUpSearchTable(QTableView* table, std::initializer_list<int> widths);
// The search field over the table, and under them `left` (when given, else room) and the
// `buttons`, of which only the first takes Enter.
void LayOutSearchDialog(QDialog* dialog, QLineEdit* search, QTableView* table, QWidget* left,
                        std::initializer_list<QPushButton*> buttons);
// The row selected in such a table; -1 for none.
int SelectedRow(const QTableView* table);
