#include "storeui/GetNZNFileName.h"

#include "formkit/DialogKit.h"

#include "formkit/Application.h"
#include "formkit/FieldEdit.h"
#include "formkit/QtText.h"
#include "platform/Cp1251Literal.h"
#include "platform/MessageBoxes.h"
#include "platform/Translate.h"
#include "store/DataFiles.h"
#include "store/FileList.h"

#include <QApplication>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QValidator>

#include <algorithm>
#include <string_view>
#include <system_error>
#include <utility>

namespace fs = std::filesystem;

namespace {

// The characters no file name of the system may hold.
bool IsForbiddenNameChar(char32_t cp) {
    return cp < 0x80 && store::IsForbiddenFileNameChar(static_cast<char>(cp));
}

} // namespace

TGetNZNFileNameForm::TGetNZNFileNameForm(QWidget* parent) : QDialog(parent) {
    setObjectName("GetNZNFileNameForm");
    SetUpFixedDialog(this, 316, 132);
    setWindowTitle(QCoreApplication::translate("TGetNZNFileName", "Сохранение"));

    Label1 = new QLabel(
        QCoreApplication::translate("TGetNZNFileName", "Сохранить назначение под &именем"), this);
    Label1->setObjectName("Label1");
    Label1->move(8, 16);
    Label1->resize(Label1->sizeHint());
    // Typing is only one way into the field: pasting, dropping and input methods bypass
    // the key handler, and a name holding "/" would be written outside the data folder.
    // Whatever arrives, a forbidden character becomes "_".
    auto* edit = new TEdit(this);
    edit->Validator()->Replace = [](char32_t cp) { return IsForbiddenNameChar(cp) ? U'_' : cp; };
    Edit1 = edit;
    Edit1->setObjectName("Edit1");
    Edit1->setGeometry(6, 40, 305, 21);
    ButOK = new QPushButton(QStringLiteral("OK"), this);
    ButOK->setObjectName("ButOK");
    ButOK->setGeometry(76, 88, 75, 25);
    ButOK->setDefault(true);
    ButCancel = new QPushButton(QCoreApplication::translate("TGetNZNFileName", "Отмена"), this);
    ButCancel->setObjectName("ButCancel");
    ButCancel->setGeometry(164, 88, 75, 25);
    Label1->setBuddy(Edit1);
    setTabOrder(Edit1, ButOK);
    setTabOrder(ButOK, ButCancel);
    Edit1->setFocus();

    auto on = [this](auto* sender, auto signal, void (TGetNZNFileNameForm::*handler)()) {
        connect(sender, signal, this, [this, handler] { RunGuarded([&] { (this->*handler)(); }); });
    };
    on(Edit1, &QLineEdit::textChanged, &TGetNZNFileNameForm::Edit1Change);
    on(ButOK, &QPushButton::clicked, &TGetNZNFileNameForm::ButOKClick);
    on(ButCancel, &QPushButton::clicked, &TGetNZNFileNameForm::ButCancelClick);
    FormCreate();
}

void TGetNZNFileNameForm::FormCreate() {
    OkPressed = false;
    // An empty field gives no change event, and an empty name cannot be confirmed.
    UpdateOkButton();
}

std::string TGetNZNFileNameForm::Name() const {
    return ToCp1251Lossy(Edit1->text());
}

void TGetNZNFileNameForm::SetName(const std::string& name) {
    Edit1->setText(FromCp1251(name));
}

void TGetNZNFileNameForm::Edit1Change() {
    UpdateOkButton();
}

void TGetNZNFileNameForm::UpdateOkButton() {
    ButOK->setEnabled(!Edit1->text().isEmpty());
}

void TGetNZNFileNameForm::ButOKClick() {
    if (Edit1->text().isEmpty())
        return;
    OkPressed = true;
    accept();
}

void TGetNZNFileNameForm::ButCancelClick() {
    reject();
}

void TGetNZNFileNameForm::reject() {
    OkPressed = false;
    QDialog::reject();
}

fs::path AskNZNFileName(const fs::path& dataDir, const std::string& purpose) {
    for (;;) {
        std::string name;
        {
            TGetNZNFileNameForm form(QApplication::activeWindow());
            form.SetName(store::ProposeNZNFileName(purpose));
            form.exec();
            if (!form.OkPressed)
                return {};
            name = form.Name(); // as the user left it, not trimmed again
        }
        fs::path path = store::DataFilePath(dataDir, name, store::PurposeExt);
        std::error_code error;
        // A dangling link is a file too: writing would replace it.
        if (!fs::exists(fs::symlink_status(path, error)))
            return path;
        switch (platform::MessageBoxes().Ask(platform::Tr("Store", "Назначение с именем <") + name +
                                                 platform::Tr("Store", "> существует. Заменить?"),
                                             platform::Tr("Store", "Сохранение"),
                                             platform::TMsgIcon::Warning)) {
        case platform::TAnswer::Yes:
            return path;
        case platform::TAnswer::No:
            break; // a fresh dialog, with the proposal again
        case platform::TAnswer::Dismissed:
            return {}; // neither replaced nor renamed: the save is abandoned
        }
    }
}
