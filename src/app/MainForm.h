#pragma once
// The main window: one payment order in edit fields, the derived fields kept up to date as
// the user types, and the buttons of the file, settings, output and About commands.

#include "app/FieldEdit.h"

#include <QLineEdit>
#include <QMainWindow>

#include "store/DataFiles.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <string>

class QGroupBox;
class QLabel;
class QToolButton;
class TOptions;

class TMainForm : public QMainWindow {
public:
    explicit TMainForm(QWidget* parent = nullptr);
    ~TMainForm() override;

    // Where the program file lives; the data folder is this + "/Data". Tests point it
    // elsewhere before the window is shown.
    std::filesystem::path ProgramDir;
    std::filesystem::path DataDir;
    int FileVersion = 0;

    bool PlatModified = false;
    bool PayerModified = false;
    bool RecipientModified = false;
    bool PurposeModified = false;

    std::unique_ptr<TOptions> Options;
    char DecimalSeparator = '.';

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
    QToolButton *SpeedButton1, *SpeedButton2, *SpeedButton3, *SpeedButton5, *SpeedButton8,
        *SpeedButton4, *SpeedButton6, *SpeedButton7, *SpeedButton9, *SpeedButton10;

    // Field texts in Windows-1251, and setting them as the program does (nothing fires
    // when the text is already there).
    static std::string Text(const QLineEdit* edit);
    static void SetText(QLineEdit* edit, const std::string& text);

    // Commands.
    void NewPlat();
    void UpdatePlatFileName();
    void UpdatePayerFileName();
    void UpdateSumaWords();
    void UpdateNDSAmount();
    void UpdateSaveButtons();
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
    void AskSaveChanges();
    void SavePlat();
    void SavePayer();
    void SaveRecipient();
    void LoadPlat();
    void LoadPayer();
    void LoadRecipient();
    void LoadPurpose();
    void SavePurpose();

    // The order's stored fields as they stand in the window.
    store::TPlatRecord Record() const;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void FormCreate();
    void FormShow();
    void FormDestroy();
    void BuildControls();
    void ConnectHandlers();
    void SetPayer(const store::TRequisites& payer);
    void SetRecipient(const store::TRequisites& recipient);
    void ShowAbout();
    void ShowOptionsDialog();

    void Edit2Change();
    void Edit7Change();
    void PayerFieldChange();
    void Edit9Change();
    void RecipientFieldChange();
    void Edit8Change();
    void Edit15Change();
    void Edit21Change();
    void SumaChange();
    void Edit18Change();
    void Edit19Change();
    void Edit20Change();

    bool Shown = false;
};
