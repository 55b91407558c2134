#pragma once
// The main window: the controls of one payment order, bound to the editor model that holds
// the order and its rules. The window builds the controls, forwards what the user does to
// the model and shows what the model says.

#include "editor/PlatEditor.h"
#include "formkit/FieldEdit.h"
#include "qr/InvoiceQr.h"

#include <QMainWindow>

#include <array>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QToolButton;

class TMainForm : public QMainWindow {
public:
    explicit TMainForm(QWidget* parent = nullptr);
    ~TMainForm() override;

    // The order, its flags and its commands.
    editor::TPlatEditor Editor;
    // Where the program file lives; the data folder is this + "/Data". Tests point it
    // elsewhere before the window is shown.
    std::filesystem::path ProgramDir;
    // An order to open at the start instead of a new one (the file manager's double click).
    std::filesystem::path StartFile;

    // Controls, named as in the window's design.
    QLabel *Label13, *Label14, *Label20;
    TEdit *Edit19, *Edit15, *Edit21, *Edit22;
    QGroupBox *GroupBox1, *GroupBox2;
    QLabel *Label11, *Label1, *Label3, *Label21, *Label2, *Label4, *Label5;
    QLabel *Label12, *Label6, *Label8, *Label22, *Label7, *Label9, *Label10;
    TEdit *Edit1, *Edit2, *Edit3, *Edit4, *Edit23, *Edit5, *Edit6, *Edit7;
    TEdit *Edit8, *Edit9, *Edit10, *Edit11, *Edit24, *Edit12, *Edit13, *Edit14;
    QLabel *Label15, *Label16, *Label17, *Label23, *Label18, *Label19;
    TEdit *Edit16, *Edit17, *Edit25, *Edit18, *Edit20;
    QComboBox* ComboBox1; // the VAT wording of this order's purpose
    QToolButton *SpeedButton1, *SpeedButton2, *SpeedButton3, *SpeedButton5, *SpeedButton8,
        *SpeedButton4, *SpeedButton6, *SpeedButton7, *SpeedButton9, *SpeedButton10, *SpeedButton11,
        *SpeedButton12;

    // The control of a field (the field table names it); the VAT choice is no edit field.
    TEdit* Edit(editor::TField field) const { return Edits[static_cast<std::size_t>(field)]; }
    QWidget* Control(editor::TField field) const;

    // A control's text in Windows-1251, and setting it as the program does (nothing fires
    // when the text is already there).
    static std::string Text(const QLineEdit* edit);
    static void SetText(QLineEdit* edit, const std::string& text);

    // The buttons' commands.
    void SpeedButton1Click();
    void SpeedButton2Click();
    void SpeedButton3Click();
    void SpeedButton4Click();
    void SpeedButton5Click();
    void SpeedButton6Click();
    void SpeedButton7Click();
    void SpeedButton8Click();
    void SpeedButton9Click();
    void SpeedButton10Click();
    void SpeedButton11Click();
    // Fills the order from an invoice's payment QR code: a picture or a PDF chosen in the file
    // dialog (SpeedButton12), the clipboard's picture or text (PasteInvoice), or what is
    // dropped onto the window.
    void SpeedButton12Click();
    void PasteInvoice();
    // The invoice file to read (the file dialog; a test answers it).
    std::function<QString()> AskInvoiceFile;

    // Every text of the window in the interface language; again on each change of it.
    void Retranslate();

protected:
    void changeEvent(QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void FormCreate();
    void FormShow();
    void BuildControls();
    void Bind();
    void AddShortcuts();
    void ShowField(editor::TField field);
    void ShowBlankKind();
    void ShowProblems();
    void UpdateSaveButtons();
    void FillFromInvoice(const qr::TFound& found);

    std::array<TEdit*, editor::FieldCount> Edits{};
    QString ShownProblem; // the problem the status bar shows, empty for none
    std::array<std::string, editor::FieldCount> ShownTips; // each field's tooltip, as bytes
    QMetaObject::Connection FocusWatch;
    bool Shown = false;
};
