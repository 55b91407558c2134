#pragma once
// The small dialog that names a purpose of payment before it is stored, and the procedure
// around it that proposes a name and asks before an existing purpose is replaced.

#include <QDialog>

#include <filesystem>
#include <string>

class QLabel;
class QLineEdit;
class QPushButton;

class TGetNZNFileNameForm : public QDialog {
public:
    explicit TGetNZNFileNameForm(QWidget* parent = nullptr);

    // The dialog was closed with "OK".
    bool OkPressed = false;

    QLabel* Label1;
    // Never holds a character that cannot stand in a name: the ten characters of
    // StripFileNameChars become "_" whether typed or pasted, characters outside
    // Windows-1251 are refused when typed and dropped when pasted, a line break becomes
    // a blank.
    QLineEdit* Edit1;
    QPushButton* ButOK;
    QPushButton* ButCancel;

    // The name in Edit1, Windows-1251.
    std::string Name() const;
    void SetName(const std::string& name);

    void Edit1Change();
    void UpdateOkButton();
    void ButOKClick();
    void ButCancelClick();

    // Esc and the title-bar close button end here too.
    void reject() override;

private:
    void FormCreate();
};

// Returns the full path of the purpose file to write, or an empty path when cancelled.
// The name first proposed is store::ProposeNZNFileName of the purpose.
// Asks before an existing file is replaced; "No" starts again with a fresh proposal.
std::filesystem::path AskNZNFileName(const std::filesystem::path& dataDir,
                                     const std::string& purpose);
