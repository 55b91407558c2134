#pragma once
// The dialog in which the user picks a stored file of one kind to load, or deletes stored
// files of that kind. It only lists and deletes; the caller reads the chosen file.

#include <QDialog>

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

class QListWidget;
class QPushButton;
class QShowEvent;

class TOpenForm : public QDialog {
public:
    // `dataDir`: the folder whose files are listed and deleted.
    explicit TOpenForm(std::filesystem::path dataDir, QWidget* parent = nullptr);

    // 0 payment orders, 1 payer requisites, 2 recipient requisites, 3 purposes; set before
    // the dialog is shown. Another value makes the showing fail with std::out_of_range.
    std::uint8_t Mode = 0;
    // The mode's file mask ("*.plt"), set when the dialog is shown.
    std::string Mask;
    // The result: the chosen name (Windows-1251, without extension), or empty.
    std::string FileName;
    std::filesystem::path DataDir;

    QListWidget* ListBox1;
    QWidget* Panel1;
    QPushButton* ButOk;
    QPushButton* ButDel;
    QPushButton* ButCancel;

    // The names shown, in the order of the list (Windows-1251).
    const std::vector<std::string>& Names() const { return Entries; }
    // The row of the selected entry, -1 when none is selected.
    int SelectedIndex() const;
    void SelectIndex(int index);

    void FillList();
    void UpdateButtons();

    void ListBox1Click();
    void ListBox1DblClick();
    void ButOkClick();
    void ButDelClick();
    void ButCancelClick();

    // Esc and the title-bar close button end here too: they leave no name behind.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormShow();

    std::vector<std::string> Entries;
};

// Shows the open dialog for mode 0 orders, 1 payer requisites, 2 recipient requisites,
// 3 purposes; returns the chosen name (Windows-1251, without extension) or "" when
// cancelled. A mode outside 0..3 throws std::out_of_range.
std::string SelectDataFile(const std::filesystem::path& dataDir, int mode);

// Deletes the stored file `name` (Windows-1251, without extension) of the kind `ext` from
// `dataDir` after the user's Yes to the question for its kind. A deletion the system refuses,
// or of a file that vanished meanwhile, is said in a box with the file's full path.
enum class TDeleted { Kept, Failed, Deleted };
TDeleted DeleteDataFile(const std::filesystem::path& dataDir, const std::string& name,
                        std::string_view ext);
