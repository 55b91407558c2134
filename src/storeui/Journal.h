#pragma once
// The journal of orders: the stored orders of the data folder as rows of number, date,
// recipient, amount and purpose, newest first, narrowed as one types into its search field,
// with the sum of what it shows. An order is opened, copied as a new order, or deleted as the
// open dialog deletes it. Typing goes to the search field, the arrows move in the list, Enter
// opens, Ctrl+Enter copies as new, Delete asks and deletes.

#include "editor/Journal.h"
#include "editor/PlatEditor.h"

#include <QDialog>

#include <filesystem>
#include <vector>

class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;
class QTimer;
class TJournalModel;

class TJournalForm : public QDialog {
public:
    TJournalForm(std::filesystem::path dataDir, char decimalSeparator, QWidget* parent = nullptr);
    ~TJournalForm() override;

    QLineEdit* SearchEdit;
    QTableView* Table;
    QLabel* SumLabel;
    QPushButton *ButOk, *ButCopy, *ButDel, *ButCancel;

    // The result: the order chosen and how, or an empty name.
    editor::TPlatEditor::TOrderChoice Choice;

    // The rows shown, in their order, and the one selected (-1 for none).
    std::vector<const editor::TJournalRow*> Shown() const;
    int SelectedRow() const;
    // Reads whatever of the folder is still unread, at once (the dialog reads it bit by bit
    // while it is shown, so that a folder of years of orders never stops the window).
    void ReadAll();

    void Choose(bool asNew);
    void Delete();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ReadSome();
    void Refilter();
    void UpdateButtons();

    std::filesystem::path DataDir;
    char Separator;
    editor::TJournalReader Reader;
    std::vector<editor::TJournalRow> Rows;
    TJournalModel* Model;
    QTimer* ReadTimer;
};

// Shows the journal; returns the order chosen, or an empty name when cancelled.
editor::TPlatEditor::TOrderChoice ChooseOrder(const std::filesystem::path& dataDir,
                                              char decimalSeparator);
