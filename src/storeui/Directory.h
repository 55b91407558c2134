#pragma once
// The directory of counterparties: the stored requisites of payers or of recipients as rows of
// name, code, account and bank, narrowed as one types, as the journal narrows orders. Two
// suppliers of one name are told apart by their codes and accounts. For payers, one of them
// can be made our company, whose requisites every new order starts with.

#include "editor/Journal.h"
#include "store/DataFiles.h"

#include <QDialog>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

class QLineEdit;
class QPushButton;
class QTableWidget;

class TDirectoryForm : public QDialog {
public:
    // `mode` 1 payers, 2 recipients.
    TDirectoryForm(std::filesystem::path dataDir, int mode, QWidget* parent = nullptr);

    QLineEdit* SearchEdit;
    QTableWidget* Table;
    QPushButton *ButOk, *ButOurs, *ButDel, *ButCancel;

    // The result: the chosen requisites' name (Windows-1251, without extension), or empty.
    std::string FileName;
    // Told the name of the payer made our company.
    std::function<void(const std::string&)> MadeOurCompany;

    // The names of the rows shown, in their order.
    std::vector<std::string> Shown() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct TRow {
        std::string Name;
        store::TRequisites Requisites;
        std::string Searched;
    };
    void Refilter();
    void Delete();

    std::filesystem::path DataDir;
    std::string_view Ext;
    std::vector<TRow> Rows;
    std::vector<const TRow*> Visible;
};

// Shows the directory of mode 1 payers or 2 recipients; the chosen name or "" when cancelled.
std::string ChooseRequisites(const std::filesystem::path& dataDir, int mode,
                             const std::function<void(const std::string&)>& madeOurCompany);
