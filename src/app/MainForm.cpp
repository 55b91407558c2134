#include "app/MainForm.h"

#include "about/About.h"
#include "editor/Procs.h"
#include "formkit/Application.h"
#include "formkit/Language.h"
#include "formkit/QtText.h"
#include "platform/Desktop.h"
#include "platform/Files.h"
#include "platform/Locale.h"
#include "platform/Version.h"
#include "preview/Preview.h"
#include "settingsui/Opt.h"
#include "storeui/GetNZNFileName.h"
#include "storeui/Open.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPointer>
#include <QScreen>
#include <QShortcut>
#include <QStatusBar>
#include <QStyle>
#include <QToolButton>

#include <map>

// The program's own picture, a payment blank with a stamp: the icons of the installed program
// (packaging/data), so that the window and the desktop's menu show the same one. Outside any
// namespace, as Q_INIT_RESOURCE asks.
static QIcon AppIcon() {
    Q_INIT_RESOURCE(icons);
    QIcon icon;
    // The sizes a window icon is shown at; each file is decoded here, at the start, and the
    // large ones would cost a fifth of it.
    for (int size : {16, 32, 48})
        icon.addFile(QStringLiteral(":/icons/vantrel-%1.png").arg(size), QSize(size, size));
    return icon;
}

TMainForm::TMainForm(QWidget* parent) : QMainWindow(parent) {
    ProgramDir = platform::ProgramDirectory();
    Editor.DecimalSeparator = platform::UserDecimalSeparator();
    BuildControls();
    Bind();
    AddShortcuts();
    Retranslate();
    FormCreate();
}

TMainForm::~TMainForm() {
    platform::SetOpenerFailureHandler(nullptr);
    // The model outlives the controls' last signals; nothing may reach them from it.
    Editor.FieldChanged = nullptr;
    Editor.ButtonsChanged = nullptr;
    // The controls go after this: their focus changes must not reach the window.
    disconnect(FocusWatch);
}

std::string TMainForm::Text(const QLineEdit* edit) {
    return ToCp1251Lossy(edit->text());
}

void TMainForm::SetText(QLineEdit* edit, const std::string& text) {
    const QString value = FromCp1251(text);
    if (edit->text() != value)
        edit->setText(value);
}
void TMainForm::BuildControls() {
    using editor::TField;
    setObjectName("MainForm");
    setWindowIcon(AppIcon());
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(12);
    setFont(font);

    auto* client = new QWidget(this);
    client->setObjectName("Client");
    setCentralWidget(client);
    statusBar()->setObjectName("StatusBar1");
    statusBar()->setSizeGripEnabled(false);
    statusBar()->setFixedHeight(19);
    setFixedSize(713, 425);

    auto readOnlyLook = [](TEdit* e) {
        e->setReadOnly(true);
        e->setFocusPolicy(Qt::ClickFocus); // selectable and copyable, but Tab skips it
        QPalette p = e->palette();
        p.setColor(QPalette::Base, p.color(QPalette::Button));
        e->setPalette(p);
    };
    auto edit = [&](QWidget* parentWidget, const char* name, int left, int top, int width,
                    bool readOnly = false) {
        auto* e = new TEdit(parentWidget);
        e->setObjectName(name);
        e->setGeometry(left, top, width, 23);
        if (readOnly)
            readOnlyLook(e);
        return e;
    };
    // A label that ends just left of its field, or (fieldLeft < 0) stands after one.
    auto label = [&](QWidget* parentWidget, const char* name, int left, int top,
                     const QString& caption, int fieldLeft = -1) {
        auto* l = new QLabel(caption, parentWidget);
        l->setObjectName(name);
        if (fieldLeft > 0) {
            l->setGeometry(left - 20, top, fieldLeft - 5 - (left - 20), 15);
            l->setAlignment(Qt::AlignRight | Qt::AlignTop);
        } else {
            l->setGeometry(left, top, l->sizeHint().width() + 2, 15);
        }
        return l;
    };
    auto caption = [](TField) { return QString(); }; // Retranslate writes every text
    // Each of the style's icons is read once: it decodes every size of its picture files, a
    // good part of the program's start.
    std::map<QStyle::StandardPixmap, QIcon> icons;
    auto button = [&](QWidget* parentWidget, const char* name, int left, int top,
                      QStyle::StandardPixmap pixmap) {
        auto* b = new QToolButton(parentWidget);
        b->setObjectName(name);
        b->setGeometry(left, top, 23, 22);
        b->setAutoRaise(true);
        auto icon = icons.find(pixmap);
        if (icon == icons.end())
            icon = icons.emplace(pixmap, style()->standardIcon(pixmap)).first;
        b->setIcon(icon->second);
        b->setIconSize(QSize(16, 16));
        b->setFocusPolicy(Qt::NoFocus);
        return b;
    };

    Label13 = label(client, "Label13", 42, 20, caption(TField::PlatFileName), 112);
    Edit19 = edit(client, "Edit19", 112, 16, 421, true);
    Label14 = label(client, "Label14", 67, 48, caption(TField::Number), 112);
    Edit15 = edit(client, "Edit15", 112, 44, 73);
    Label20 = label(client, "Label20", 278, 48, caption(TField::Date), 312);
    Edit21 = edit(client, "Edit21", 312, 44, 69);
    Edit22 = edit(client, "Edit22", 388, 44, 145, true);

    GroupBox1 = new QGroupBox(client);
    GroupBox1->setObjectName("GroupBox1");
    GroupBox1->setGeometry(8, 76, 345, 229);
    GroupBox2 = new QGroupBox(client);
    GroupBox2->setObjectName("GroupBox2");
    GroupBox2->setGeometry(360, 76, 345, 229);

    struct Row {
        int top, labelLeft;
        TField payerField; // its caption is the row's
        int fieldLeft, width;
        const char *payerLabel, *recipientLabel, *payerEdit, *recipientEdit;
    };
    using enum TField;
    const Row rows[] = {
        {24, 34, PayerFileName, 104, 193, "Label11", "Label12", "Edit1", "Edit8"},
        {52, 12, PayerName, 104, 225, "Label1", "Label6", "Edit2", "Edit9"},
        {80, 70, PayerBank, 104, 225, "Label3", "Label8", "Edit3", "Edit10"},
        {104, 0, PayerBank2, 104, 121, nullptr, nullptr, "Edit4", "Edit11"},
        {104, 229, PayerCity, 248, 81, "Label21", "Label22", "Edit23", "Edit24"},
        {132, 40, PayerOKPO, 104, 121, "Label2", "Label7", "Edit5", "Edit12"},
        {160, 69, PayerMFO, 104, 121, "Label4", "Label9", "Edit6", "Edit13"},
        {188, 80, PayerAccount, 104, 121, "Label5", "Label10", "Edit7", "Edit14"},
    };
    QLabel* groupLabels[2][8] = {};
    TEdit* groupEdits[2][8] = {};
    for (int g = 0; g < 2; ++g) {
        QGroupBox* box = g == 0 ? GroupBox1 : GroupBox2;
        for (int r = 0; r < 8; ++r) {
            const Row& row = rows[r];
            if (row.payerLabel) {
                const bool after = r == 4; // "в г." stands after its field's neighbour
                groupLabels[g][r] = label(box, g == 0 ? row.payerLabel : row.recipientLabel,
                                          row.labelLeft, row.top + (after ? 3 : 4),
                                          caption(row.payerField), after ? -1 : row.fieldLeft);
            }
            groupEdits[g][r] = edit(box, g == 0 ? row.payerEdit : row.recipientEdit, row.fieldLeft,
                                    row.top, row.width, r == 0);
        }
    }
    Label11 = groupLabels[0][0], Label1 = groupLabels[0][1], Label3 = groupLabels[0][2];
    Label21 = groupLabels[0][4], Label2 = groupLabels[0][5], Label4 = groupLabels[0][6];
    Label5 = groupLabels[0][7];
    Label12 = groupLabels[1][0], Label6 = groupLabels[1][1], Label8 = groupLabels[1][2];
    Label22 = groupLabels[1][4], Label7 = groupLabels[1][5], Label9 = groupLabels[1][6];
    Label10 = groupLabels[1][7];
    Edit1 = groupEdits[0][0], Edit2 = groupEdits[0][1], Edit3 = groupEdits[0][2];
    Edit4 = groupEdits[0][3], Edit23 = groupEdits[0][4], Edit5 = groupEdits[0][5];
    Edit6 = groupEdits[0][6], Edit7 = groupEdits[0][7];
    Edit8 = groupEdits[1][0], Edit9 = groupEdits[1][1], Edit10 = groupEdits[1][2];
    Edit11 = groupEdits[1][3], Edit24 = groupEdits[1][4], Edit12 = groupEdits[1][5];
    Edit13 = groupEdits[1][6], Edit14 = groupEdits[1][7];

    Label15 = label(client, "Label15", 65, 320, caption(TField::SumaGrn), 112);
    Edit16 = edit(client, "Edit16", 112, 316, 73);
    Label16 = label(client, "Label16", 191, 320, QString());
    Edit17 = edit(client, "Edit17", 215, 316, 34);
    Label17 = label(client, "Label17", 257, 320, QString());
    Label23 = label(client, "Label23", 543, 320, caption(TField::NDSAmount), 600);
    Edit25 = edit(client, "Edit25", 600, 316, 89, true);
    Label18 = label(client, "Label18", 14, 348, caption(TField::SumaWords), 112);
    Edit18 = edit(client, "Edit18", 112, 344, 577, true);
    ComboBox1 = new QComboBox(client);
    ComboBox1->setObjectName("ComboBox1");
    ComboBox1->setGeometry(300, 316, 200, 23);
    for (const TVatChoiceInfo& choice : VatChoices)
        ComboBox1->addItem(QString(), QString::fromLatin1(VatChoiceCode(choice.Choice).c_str()));
    Label19 = label(client, "Label19", 35, 376, caption(TField::Purpose), 112);
    Edit20 = edit(client, "Edit20", 112, 372, 521);

    SpeedButton1 = button(client, "SpeedButton1", 540, 16, QStyle::SP_FileIcon);
    SpeedButton2 = button(client, "SpeedButton2", 564, 16, QStyle::SP_DialogOpenButton);
    SpeedButton3 = button(client, "SpeedButton3", 588, 16, QStyle::SP_DialogSaveButton);
    SpeedButton5 = button(client, "SpeedButton5", 612, 16, QStyle::SP_FileDialogDetailedView);
    SpeedButton8 = button(client, "SpeedButton8", 636, 16, QStyle::SP_FileDialogContentsView);
    SpeedButton4 = button(client, "SpeedButton4", 660, 16, QStyle::SP_MessageBoxInformation);
    SpeedButton11 = button(client, "SpeedButton11", 684, 16, QStyle::SP_ComputerIcon);
    SpeedButton6 = button(GroupBox1, "SpeedButton6", 304, 24, QStyle::SP_DirOpenIcon);
    SpeedButton7 = button(GroupBox2, "SpeedButton7", 304, 24, QStyle::SP_DirOpenIcon);
    SpeedButton9 = button(client, "SpeedButton9", 642, 372, QStyle::SP_DirOpenIcon);
    SpeedButton10 = button(client, "SpeedButton10", 666, 372, QStyle::SP_DialogSaveButton);
}

void TMainForm::Bind() {
    using editor::TField;
    connect(ComboBox1, &QComboBox::currentIndexChanged, this, [this] {
        RunGuarded([&] {
            Editor.SetText(TField::NDSChoice, ComboBox1->currentData().toString().toStdString());
        });
    });
    for (const editor::TFieldInfo& info : editor::Fields) {
        if (info.Keys == editor::TKeyRule::Choice)
            continue;
        TEdit* e = findChild<TEdit*>(
            QString::fromLatin1(info.Control.data(), static_cast<qsizetype>(info.Control.size())));
        Q_ASSERT(e);
        Edits[static_cast<std::size_t>(info.Field)] = e;
        const TField field = info.Field;
        connect(e, &QLineEdit::textChanged, this,
                [this, field, e] { RunGuarded([&] { Editor.SetText(field, Text(e)); }); });
        e->Validator()->Dropped = [this](const std::vector<char32_t>& dropped) {
            statusBar()->showMessage(DroppedCharactersMessage(dropped), 10000);
        };
        if (info.Keys != editor::TKeyRule::Any) {
            e->KeyFilter = [rule = info.Keys, e](char16_t c) {
                return editor::TypedChar(rule, c, static_cast<std::size_t>(e->text().size()));
            };
            e->Validator()->Replace = [rule = info.Keys](char32_t c) {
                return editor::EnteredChar(rule, c);
            };
        }
    }
    // Tab visits the input fields only, in the order of the field table.
    QWidget* previous = nullptr;
    for (const editor::TFieldInfo& info : editor::Fields) {
        if (info.Derived)
            continue;
        if (previous)
            setTabOrder(previous, Control(info.Field));
        previous = Control(info.Field);
    }

    Editor.FieldChanged = [this](TField field) { ShowField(field); };
    // A problem of a field is in its tooltip, and in the status bar while it has the focus.
    FocusWatch = connect(qApp, &QApplication::focusChanged, this, [this] { ShowProblems(); });
    Editor.ButtonsChanged = [this] { UpdateSaveButtons(); };
    Editor.SelectDataFile = [this](int mode) { return SelectDataFile(Editor.DataDir, mode); };
    Editor.AskNZNFileName = [this](const std::string& purpose) {
        return AskNZNFileName(Editor.DataDir, purpose);
    };
    Editor.ShowPreview = [this](const blank::TPage& page, const std::string& name) {
        ShowPreview(page, FromCp1251(name), this);
    };
    // The opener tells its failure on a thread of its own; the box is the window's.
    platform::SetOpenerFailureHandler(
        [window = QPointer<TMainForm>(this)](const std::string& target) {
            QMetaObject::invokeMethod(
                qApp,
                [window, target] {
                    if (window)
                        RunGuarded([&] { window->Editor.ViewerMissing(target); });
                },
                Qt::QueuedConnection);
        });

    auto click = [this](QToolButton* b, void (TMainForm::*handler)()) {
        connect(b, &QToolButton::clicked, this,
                [this, handler] { RunGuarded([&] { (this->*handler)(); }); });
    };
    click(SpeedButton1, &TMainForm::SpeedButton1Click);
    click(SpeedButton2, &TMainForm::SpeedButton2Click);
    click(SpeedButton3, &TMainForm::SpeedButton3Click);
    click(SpeedButton4, &TMainForm::SpeedButton4Click);
    click(SpeedButton5, &TMainForm::SpeedButton5Click);
    click(SpeedButton6, &TMainForm::SpeedButton6Click);
    click(SpeedButton7, &TMainForm::SpeedButton7Click);
    click(SpeedButton8, &TMainForm::SpeedButton8Click);
    click(SpeedButton9, &TMainForm::SpeedButton9Click);
    click(SpeedButton10, &TMainForm::SpeedButton10Click);
    click(SpeedButton11, &TMainForm::SpeedButton11Click);
}

QWidget* TMainForm::Control(editor::TField field) const {
    if (field == editor::TField::NDSChoice)
        return ComboBox1;
    return Edit(field);
}

void TMainForm::ShowField(editor::TField field) {
    if (field == editor::TField::NDSChoice) {
        const int index = ComboBox1->findData(QString::fromLatin1(Editor.Text(field).c_str()));
        if (index >= 0)
            ComboBox1->setCurrentIndex(index);
        return;
    }
    TEdit* e = Edit(field);
    const QString value = FromCp1251(Editor.Text(field));
    if (e->text() == value)
        return; // the user's own typing, already there
    e->setText(value);
    // A text the program puts into a field shows its beginning: the number of a file name,
    // the first words of the amount, the country code of an account.
    e->setCursorPosition(0);
}

void TMainForm::ShowProblems() {
    // Runs after every keystroke: the tooltips are compared as the model's bytes, and only a
    // changed one is converted and set.
    QString focused;
    for (const editor::TFieldInfo& info : editor::Fields) {
        TEdit* e = Edit(info.Field);
        if (!e)
            continue;
        std::string problem = Editor.Problem(info.Field);
        std::string& shown = ShownTips[static_cast<std::size_t>(info.Field)];
        if (problem != shown) {
            e->setToolTip(FromCp1251(problem));
            shown = std::move(problem);
        }
        if (!shown.empty() && e->hasFocus())
            focused = FromCp1251(shown);
    }
    if (!focused.isEmpty())
        statusBar()->showMessage(focused);
    else if (!ShownProblem.isEmpty() && statusBar()->currentMessage() == ShownProblem)
        statusBar()->clearMessage();
    ShownProblem = focused;
}

namespace {

// The buttons' hints and keys, for the shortcuts and for every language's tooltips.
struct TButtonCommand {
    QToolButton* TMainForm::*Button;
    const char* Hint;
    QKeySequence Key;
};

const TButtonCommand ButtonCommands[] = {
    {&TMainForm::SpeedButton1, QT_TRANSLATE_NOOP("TMainForm", "Создать новую платежку"),
     QKeySequence(Qt::CTRL | Qt::Key_N)},
    {&TMainForm::SpeedButton2, QT_TRANSLATE_NOOP("TMainForm", "Загрузить платежку"),
     QKeySequence(Qt::CTRL | Qt::Key_O)},
    {&TMainForm::SpeedButton3, QT_TRANSLATE_NOOP("TMainForm", "Сохранить платежку"),
     QKeySequence(Qt::CTRL | Qt::Key_S)},
    {&TMainForm::SpeedButton5, QT_TRANSLATE_NOOP("TMainForm", "Настройки"),
     QKeySequence(Qt::Key_F9)},
    {&TMainForm::SpeedButton8, QT_TRANSLATE_NOOP("TMainForm", "Просмотр платежки в MS Word"),
     QKeySequence(Qt::CTRL | Qt::Key_P)},
    {&TMainForm::SpeedButton4, QT_TRANSLATE_NOOP("TMainForm", "О программе..."),
     QKeySequence(Qt::Key_F1)},
    {&TMainForm::SpeedButton11, QT_TRANSLATE_NOOP("TMainForm", "Предварительный просмотр"),
     QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P)},
    {&TMainForm::SpeedButton6, QT_TRANSLATE_NOOP("TMainForm", "Загрузить реквизиты плательщика"),
     QKeySequence(Qt::Key_F5)},
    {&TMainForm::SpeedButton7, QT_TRANSLATE_NOOP("TMainForm", "Загрузить реквизиты получателя"),
     QKeySequence(Qt::Key_F6)},
    {&TMainForm::SpeedButton9, QT_TRANSLATE_NOOP("TMainForm", "Загрузить назначение"),
     QKeySequence(Qt::Key_F7)},
    {&TMainForm::SpeedButton10, QT_TRANSLATE_NOOP("TMainForm", "Сохранить назначение"),
     QKeySequence(Qt::Key_F8)},
};

} // namespace

void TMainForm::AddShortcuts() {
    // A shortcut acts exactly as a click of its button, and not at all while the button is
    // disabled. The status bar keeps the bare hint; the tooltip adds the keys.
    for (const TButtonCommand& command : ButtonCommands) {
        QToolButton* b = this->*command.Button;
        connect(new QShortcut(command.Key, this), &QShortcut::activated, b, [b] {
            if (b->isEnabled())
                b->click();
        });
    }
    for (const QKeySequence& key :
         {QKeySequence(Qt::ALT | Qt::Key_F4), QKeySequence(Qt::CTRL | Qt::Key_W),
          QKeySequence(Qt::CTRL | Qt::Key_Q)})
        connect(new QShortcut(key, this), &QShortcut::activated, this, &QWidget::close);
}

void TMainForm::Retranslate() {
    using enum editor::TField;
    auto caption = [](editor::TField field) {
        return TrCp1251("Fields", editor::Info(field).Caption);
    };
    // A label that stands after its field is as wide as its text.
    auto after = [](QLabel* l, const QString& text) {
        l->setText(text);
        l->resize(l->sizeHint().width() + 2, l->height());
    };
    Label13->setText(caption(PlatFileName));
    Label14->setText(caption(Number));
    Label20->setText(caption(Date));
    GroupBox1->setTitle(QCoreApplication::translate("TMainForm", "Реквизиты плательщика"));
    GroupBox2->setTitle(QCoreApplication::translate("TMainForm", "Реквизиты получателя"));
    Label11->setText(caption(PayerFileName));
    Label12->setText(caption(RecipientFileName));
    Label1->setText(caption(PayerName));
    Label6->setText(caption(RecipientName));
    after(Label21, caption(PayerCity));
    after(Label22, caption(RecipientCity));
    Label15->setText(caption(SumaGrn));
    after(Label16, QCoreApplication::translate("TMainForm", "грн."));
    after(Label17, QCoreApplication::translate("TMainForm", "коп."));
    Label23->setText(caption(NDSAmount));
    Label18->setText(caption(SumaWords));
    Label19->setText(caption(Purpose));
    ShowBlankKind();
    for (int i = 0; i < ComboBox1->count(); ++i)
        ComboBox1->setItemText(i, TrCp1251("Vat", VatChoices[i].Caption));
    ComboBox1->setToolTip(QCoreApplication::translate("TMainForm", "НДС в назначении платежа"));
    ComboBox1->setStatusTip(ComboBox1->toolTip());
    for (const TButtonCommand& command : ButtonCommands) {
        QToolButton* b = this->*command.Button;
        const QString hint = QCoreApplication::translate("TMainForm", command.Hint);
        b->setStatusTip(hint);
        b->setToolTip(hint + QStringLiteral(" (") + command.Key.toString(QKeySequence::NativeText) +
                      QStringLiteral(")"));
    }
    setWindowTitle(QCoreApplication::translate("TMainForm", "Квирен, версия %1")
                       .arg(QString::fromLatin1(platform::ProgramVersion)));
    // The checks' findings are the model's texts, made in the language of their time.
    ShownTips = {};
    ShowProblems();
}

void TMainForm::ShowBlankKind() {
    using enum editor::TField;
    auto caption = [](editor::TField field) {
        return TrCp1251("Fields", editor::Info(field).Caption);
    };
    // The payment instruction names each party by its code and IBAN at its provider of
    // payment services, and prints no bank code: the MFO fields go out of sight, with their
    // values kept and stored.
    const bool instruction = Editor.Options.BlankKind == blank::TBlankKind::PaymentInstruction;
    const QString bank = instruction
                             ? QCoreApplication::translate("TMainForm", "Поставщик платежных услуг")
                             : caption(PayerBank);
    const QString code = instruction ? QCoreApplication::translate("TMainForm", "Код ЕДРПОУ/РНОКПП")
                                     : caption(PayerOKPO);
    const QString account = instruction ? QStringLiteral("IBAN") : caption(PayerAccount);
    Label3->setText(bank);
    Label8->setText(bank);
    Label2->setText(code);
    Label7->setText(code);
    Label4->setText(caption(PayerMFO));
    Label9->setText(caption(RecipientMFO));
    Label5->setText(account);
    Label10->setText(account);
    for (QWidget* w : {static_cast<QWidget*>(Label4), static_cast<QWidget*>(Edit6),
                       static_cast<QWidget*>(Label9), static_cast<QWidget*>(Edit13)})
        w->setVisible(!instruction);
}

void TMainForm::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        Retranslate();
}

void TMainForm::UpdateSaveButtons() {
    // Every change ends here: what the checks say may have changed with it.
    ShowProblems();
    SpeedButton3->setEnabled(Editor.SaveEnabled());
    SpeedButton8->setEnabled(Editor.OutputEnabled());
    SpeedButton11->setEnabled(Editor.OutputEnabled());
    SpeedButton10->setEnabled(Editor.SavePurposeEnabled());
}

void TMainForm::FormCreate() {
    try {
        Editor.Options.Load();
    } catch (...) {
        // The values before the failing one are loaded; the window opens all the same.
        ShowCurrentException();
    }
    if (Editor.Options.UiLang != InterfaceLanguage())
        SetInterfaceLanguage(Editor.Options.UiLang);
    ShowBlankKind();
}

void TMainForm::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (Shown)
        return;
    Shown = true;
    if (QScreen* s = screen())
        move(s->availableGeometry().center() - rect().center());
    RunGuarded([this] { FormShow(); });
    // The proposed number is selected, as Tab would select it: typing replaces it.
    Edit15->setFocus();
    Edit15->selectAll();
}

void TMainForm::FormShow() {
    Editor.FormShow(ProgramDir);
    if (!StartFile.empty())
        Editor.LoadPlatFrom(StartFile);
}

void TMainForm::closeEvent(QCloseEvent* event) {
    try {
        // Dismissing the question, or a change that could not be saved, keeps it open.
        event->setAccepted(Editor.Close());
    } catch (...) {
        // A save after Yes failed: the order must not be lost, so the window stays.
        ShowCurrentException();
        event->ignore();
    }
}

void TMainForm::SpeedButton1Click() {
    Editor.NewOrder();
}

void TMainForm::SpeedButton2Click() {
    Editor.OpenOrder();
}

void TMainForm::SpeedButton3Click() {
    Editor.SaveOrder();
}

void TMainForm::SpeedButton4Click() {
    ShowAboutBox();
}

void TMainForm::SpeedButton5Click() {
    ShowOptions(Editor.Options);
    ShowBlankKind();
    ShowSumaWords();
}

void TMainForm::ShowSumaWords() {
    // The amount in words follows the blank's language; it is derived, never stored, so a
    // new wording changes nothing the order has to save.
    const bool modified = Editor.PlatModified;
    Editor.UpdateSumaWords();
    Editor.PlatModified = modified;
    Editor.UpdateSaveButtons();
}

void TMainForm::SpeedButton6Click() {
    Editor.LoadPayer();
}

void TMainForm::SpeedButton7Click() {
    Editor.LoadRecipient();
}

void TMainForm::SpeedButton8Click() {
    Editor.Output();
}

void TMainForm::SpeedButton11Click() {
    Editor.Preview();
}

void TMainForm::SpeedButton9Click() {
    Editor.LoadPurpose();
}

void TMainForm::SpeedButton10Click() {
    Editor.SavePurpose();
}
