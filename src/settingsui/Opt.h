#pragma once
// The settings dialog: the options on two pages, reloaded from the registry when the dialog
// opens, stored on "Применить" and on "OK". It works on the caller's one TOptions object,
// so the main window sees every applied change at its next output command.

#include "doc/Languages.h"

#include <QDialog>
#include <QGroupBox>

#include <functional>

class QAbstractButton;
class QButtonGroup;
class QCheckBox;
class QLineEdit;
class QPushButton;
class QTabWidget;
class TOptions;

// A captioned group of mutually exclusive choices with an index, -1 for none. An index
// beyond the last choice selects the last one, any negative index clears the group.
class TRadioGroup : public QGroupBox {
public:
    TRadioGroup(const QString& caption, const QStringList& items, QWidget* parent);
    // The caption and the choices' texts (as many as there are choices).
    void SetTexts(const QString& caption, const QStringList& items);
    int ItemIndex() const;
    void SetItemIndex(int index);
    int Count() const;
    QAbstractButton* Button(int index) const;
    // Runs when a choice becomes selected, by the user or by SetItemIndex.
    std::function<void()> OnClick;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void ArrangeButtons();
    QButtonGroup* Buttons;
};

class TOptForm : public QDialog {
public:
    explicit TOptForm(TOptions& options, QWidget* parent = nullptr);

    TOptions& Options;
    bool Modified = false;  // changed since shown or since the last Apply
    bool OkPressed = false; // closing through "OK"

    QTabWidget* PageControl1;
    QWidget *TabSheet1, *TabSheet2;
    QCheckBox *CheckBox1, *CheckBox2, *CheckBox3, *CheckBox4, *CheckBox5, *CheckBox6;
    QGroupBox* GroupBox1;
    QLineEdit *Edit1, *Edit2, *Edit3, *Edit4;
    TRadioGroup *RadioGroup1, *RadioGroup2, *RadioGroup3, *RadioGroup4;
    TRadioGroup* RadioGroup5; // the interface language, in the order of the codes
    QPushButton *ButOK, *ButApply, *ButCancel;

    void OptionsToControls();
    void ControlsToOptions();
    void UpdateControls();
    // The languages and the kind of blank as the radio groups choose them.
    blank::TLanguages ChosenLanguages() const;
    void EnableEdit(QLineEdit* edit, bool on);

    // Every text of the dialog in the interface language.
    void Retranslate();
    void ButOKClick();
    void ButApplyClick();
    void ButCancelClick();

    // Every way of closing ends here; a close that would store and cannot keeps the
    // dialog open.
    void done(int result) override;
    // Esc and the title bar's close button: a cancel, whatever an earlier "OK" attempt left.
    void reject() override;

protected:
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void BuildControls();
    void ConnectHandlers();
    void FormCreate();
    void FormShow();
    bool FormClose();
    void ControlChange();
};

// Shows a fresh settings dialog modally for `options` and returns when it is closed.
void ShowOptions(TOptions& options);
