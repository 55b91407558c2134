#include "app/MainForm.h"

#include "about/About.h"
#include "editor/Procs.h"
#include "formkit/Application.h"
#include "formkit/Language.h"
#include "formkit/QtText.h"
#include "invoice/Invoice.h"
#include "platform/Desktop.h"
#include "platform/Files.h"
#include "platform/Locale.h"
#include "platform/MessageBoxes.h"
#include "platform/Translate.h"
#include "platform/Version.h"
#include "preview/Preview.h"
#include "qr/InvoiceQr.h"
#include "settingsui/Opt.h"
#include "storeui/Directory.h"
#include "storeui/GetNZNFileName.h"
#include "storeui/Journal.h"
#include "storeui/Open.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMimeData>
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
    setObjectName("MainForm");
    setWindowIcon(AppIcon());
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(12);
    setFont(font);

    auto* client = new QWidget(this);
    client->setObjectName("Client");
    setCentralWidget(client);
    statusBar()->setObjectName("StatusBar1");
    statusBar()->setFixedHeight(19);

    auto readOnlyLook = [](TEdit* e) {
        e->setReadOnly(true);
        e->setFocusPolicy(Qt::ClickFocus); // selectable and copyable, but Tab skips it
        QPalette p = e->palette();
        p.setColor(QPalette::Base, p.color(QPalette::Button));
        e->setPalette(p);
    };
    // A field of `width` pixels keeps it; one of 0 takes what its row leaves.
    auto edit = [&](QWidget* parentWidget, const char* name, int width, bool readOnly = false) {
        auto* e = new TEdit(parentWidget);
        e->setObjectName(name);
        if (width > 0)
            e->setFixedWidth(width);
        if (readOnly)
            readOnlyLook(e);
        return e;
    };
    // The captions are Retranslate's, in the interface language.
    auto label = [&](QWidget* parentWidget, const char* name) {
        auto* l = new QLabel(parentWidget);
        l->setObjectName(name);
        return l;
    };
    // Each of the style's icons is read once: it decodes every size of its picture files, a
    // good part of the program's start.
    std::map<QStyle::StandardPixmap, QIcon> icons;
    auto button = [&](QWidget* parentWidget, const char* name, QStyle::StandardPixmap pixmap) {
        auto* b = new QToolButton(parentWidget);
        b->setObjectName(name);
        b->setFixedSize(23, 22);
        b->setAutoRaise(true);
        auto icon = icons.find(pixmap);
        if (icon == icons.end())
            icon = icons.emplace(pixmap, style()->standardIcon(pixmap)).first;
        b->setIcon(icon->second);
        b->setIconSize(QSize(16, 16));
        b->setFocusPolicy(Qt::NoFocus);
        return b;
    };
    // A row of a grid's second column: the widgets side by side, a nullptr a stretch.
    auto row = [](std::initializer_list<QWidget*> widgets) {
        auto* box = new QHBoxLayout;
        box->setSpacing(6);
        for (QWidget* w : widgets) {
            if (w)
                box->addWidget(w);
            else
                box->addStretch(1);
        }
        return box;
    };
    auto grid = [](QWidget* owner) {
        auto* g = new QGridLayout(owner);
        g->setHorizontalSpacing(6);
        g->setVerticalSpacing(5);
        g->setColumnStretch(1, 1);
        return g;
    };
    auto addLabel = [](QGridLayout* g, int r, QLabel* l) {
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        g->addWidget(l, r, 0);
    };

    Label13 = label(client, "Label13");
    Edit19 = edit(client, "Edit19", 0, true);
    Label14 = label(client, "Label14");
    Edit15 = edit(client, "Edit15", 73);
    Label20 = label(client, "Label20");
    Edit21 = edit(client, "Edit21", 69);
    Edit22 = edit(client, "Edit22", 145, true);
    GroupBox1 = new QGroupBox(client);
    GroupBox1->setObjectName("GroupBox1");
    GroupBox2 = new QGroupBox(client);
    GroupBox2->setObjectName("GroupBox2");

    // The two parties' boxes, row by row alike: the file name with its load button, the
    // name, the bank on two lines with its city, the code, the MFO and the account.
    struct TPartyControls {
        QLabel *FileNameLabel, *NameLabel, *BankLabel, *CityLabel, *CodeLabel, *MFOLabel,
            *AccountLabel;
        TEdit *FileName, *Name, *Bank, *Bank2, *City, *Code, *MFO, *Account;
        QToolButton* Load;
    };
    auto party = [&](QGroupBox* box, std::array<const char*, 7> labels,
                     std::array<const char*, 8> edits, const char* load) {
        TPartyControls c{};
        c.FileNameLabel = label(box, labels[0]);
        c.NameLabel = label(box, labels[1]);
        c.BankLabel = label(box, labels[2]);
        c.CityLabel = label(box, labels[3]);
        c.CodeLabel = label(box, labels[4]);
        c.MFOLabel = label(box, labels[5]);
        c.AccountLabel = label(box, labels[6]);
        c.FileName = edit(box, edits[0], 0, true);
        c.Name = edit(box, edits[1], 0);
        c.Bank = edit(box, edits[2], 0);
        c.Bank2 = edit(box, edits[3], 0);
        c.City = edit(box, edits[4], 0);
        c.Code = edit(box, edits[5], 121);
        c.MFO = edit(box, edits[6], 121);
        c.Account = edit(box, edits[7], 0);
        c.Load = button(box, load, QStyle::SP_DirOpenIcon);
        QGridLayout* g = grid(box);
        addLabel(g, 0, c.FileNameLabel);
        g->addLayout(row({c.FileName, c.Load}), 0, 1);
        addLabel(g, 1, c.NameLabel);
        g->addWidget(c.Name, 1, 1);
        addLabel(g, 2, c.BankLabel);
        g->addWidget(c.Bank, 2, 1);
        QHBoxLayout* bank2 = row({c.Bank2, c.CityLabel, c.City});
        bank2->setStretch(0, 3);
        bank2->setStretch(2, 2);
        g->addLayout(bank2, 3, 1);
        addLabel(g, 4, c.CodeLabel);
        g->addWidget(c.Code, 4, 1, Qt::AlignLeft);
        addLabel(g, 5, c.MFOLabel);
        g->addWidget(c.MFO, 5, 1, Qt::AlignLeft);
        addLabel(g, 6, c.AccountLabel);
        g->addWidget(c.Account, 6, 1);
        g->setRowStretch(7, 1);
        return c;
    };
    const TPartyControls payer = party(
        GroupBox1, {"Label11", "Label1", "Label3", "Label21", "Label2", "Label4", "Label5"},
        {"Edit1", "Edit2", "Edit3", "Edit4", "Edit23", "Edit5", "Edit6", "Edit7"}, "SpeedButton6");
    const TPartyControls recipient =
        party(GroupBox2, {"Label12", "Label6", "Label8", "Label22", "Label7", "Label9", "Label10"},
              {"Edit8", "Edit9", "Edit10", "Edit11", "Edit24", "Edit12", "Edit13", "Edit14"},
              "SpeedButton7");
    Label11 = payer.FileNameLabel, Label1 = payer.NameLabel, Label3 = payer.BankLabel;
    Label21 = payer.CityLabel, Label2 = payer.CodeLabel, Label4 = payer.MFOLabel;
    Label5 = payer.AccountLabel;
    Label12 = recipient.FileNameLabel, Label6 = recipient.NameLabel, Label8 = recipient.BankLabel;
    Label22 = recipient.CityLabel, Label7 = recipient.CodeLabel, Label9 = recipient.MFOLabel;
    Label10 = recipient.AccountLabel;
    Edit1 = payer.FileName, Edit2 = payer.Name, Edit3 = payer.Bank, Edit4 = payer.Bank2;
    Edit23 = payer.City, Edit5 = payer.Code, Edit6 = payer.MFO, Edit7 = payer.Account;
    Edit8 = recipient.FileName, Edit9 = recipient.Name, Edit10 = recipient.Bank;
    Edit11 = recipient.Bank2, Edit24 = recipient.City, Edit12 = recipient.Code;
    Edit13 = recipient.MFO, Edit14 = recipient.Account;
    SpeedButton6 = payer.Load;
    SpeedButton7 = recipient.Load;

    Label15 = label(client, "Label15");
    Edit16 = edit(client, "Edit16", 73);
    Label16 = label(client, "Label16");
    Edit17 = edit(client, "Edit17", 34);
    Label17 = label(client, "Label17");
    Label23 = label(client, "Label23");
    Edit25 = edit(client, "Edit25", 89, true);
    Label18 = label(client, "Label18");
    Edit18 = edit(client, "Edit18", 0, true);
    ComboBox1 = new QComboBox(client);
    ComboBox1->setObjectName("ComboBox1");
    ComboBox1->setFixedWidth(200);
    for (const TVatChoiceInfo& choice : VatChoices)
        ComboBox1->addItem(QString(), QString::fromLatin1(VatChoiceCode(choice.Choice).c_str()));
    Label19 = label(client, "Label19");
    Edit20 = edit(client, "Edit20", 0);

    SpeedButton1 = button(client, "SpeedButton1", QStyle::SP_FileIcon);
    SpeedButton2 = button(client, "SpeedButton2", QStyle::SP_DialogOpenButton);
    SpeedButton3 = button(client, "SpeedButton3", QStyle::SP_DialogSaveButton);
    SpeedButton5 = button(client, "SpeedButton5", QStyle::SP_FileDialogDetailedView);
    SpeedButton8 = button(client, "SpeedButton8", QStyle::SP_FileDialogContentsView);
    SpeedButton4 = button(client, "SpeedButton4", QStyle::SP_MessageBoxInformation);
    SpeedButton11 = button(client, "SpeedButton11", QStyle::SP_ComputerIcon);
    SpeedButton12 = button(client, "SpeedButton12", QStyle::SP_FileLinkIcon);
    SpeedButton9 = button(client, "SpeedButton9", QStyle::SP_DirOpenIcon);
    SpeedButton10 = button(client, "SpeedButton10", QStyle::SP_DialogSaveButton);

    // The rows and columns of the window's design; the fields that take text of any length
    // grow with the window's width.
    QGridLayout* g = grid(client);
    g->setContentsMargins(8, 8, 8, 4);
    addLabel(g, 0, Label13);
    QHBoxLayout* top = row({Edit19, SpeedButton1, SpeedButton2, SpeedButton3, SpeedButton5,
                            SpeedButton8, SpeedButton4, SpeedButton11, SpeedButton12});
    top->setSpacing(1);
    top->insertSpacing(1, 6);
    g->addLayout(top, 0, 1);
    addLabel(g, 1, Label14);
    g->addLayout(row({Edit15, nullptr, Label20, Edit21, Edit22}), 1, 1);
    QHBoxLayout* parties = row({GroupBox1, GroupBox2});
    g->addLayout(parties, 2, 0, 1, 2);
    addLabel(g, 3, Label15);
    g->addLayout(row({Edit16, Label16, Edit17, Label17, ComboBox1, nullptr, Label23, Edit25}), 3,
                 1);
    addLabel(g, 4, Label18);
    g->addWidget(Edit18, 4, 1);
    addLabel(g, 5, Label19);
    QHBoxLayout* purpose = row({Edit20, SpeedButton9, SpeedButton10});
    purpose->setSpacing(1);
    purpose->insertSpacing(1, 6);
    g->addLayout(purpose, 5, 1);
    g->setRowStretch(2, 1);

    // An IBAN is read whole: its field never gets narrower than its 29 characters, nor a
    // file name's field than a typical name.
    const QFontMetrics metrics(font);
    auto fit = [&metrics](QLineEdit* e, const QString& sample) {
        e->setMinimumWidth(metrics.horizontalAdvance(sample) + 20);
    };
    for (QLineEdit* e : {Edit7, Edit14})
        fit(e, QStringLiteral("UA213223130000026007233566001"));
    for (QLineEdit* e : {Edit1, Edit8})
        fit(e, QStringLiteral("ТОВ \"Альфа\" (р/с UA213223130000026007233566001)"));
    fit(Edit19, QStringLiteral("№ 0001 від 08.12.2026 - ТОВ \"Промтехпостач\""));
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
        e->Pasted = [this, field, e](const QString& text) {
            RunGuarded([&] {
                const std::string data = text.trimmed().toStdString();
                if (invoice::IsPayloadText(data)) {
                    FillFromInvoice(qr::FindInvoiceInText(data));
                    return;
                }
                if (const auto insert = Editor.Paste(field, ToCp1251Lossy(text)))
                    e->insert(FromCp1251(*insert));
            });
        };
        connect(e, &QLineEdit::editingFinished, this,
                [this, field] { RunGuarded([&] { Editor.FieldLeft(field); }); });
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
    Editor.SelectDataFile = [this](int mode) {
        if (mode != 1 && mode != 2)
            return SelectDataFile(Editor.DataDir, mode);
        return ChooseRequisites(Editor.DataDir, mode, [this](const std::string& payer) {
            Editor.Options.OurCompany = payer;
            Editor.Options.Save();
        });
    };
    Editor.ChooseOrder = [this] { return ChooseOrder(Editor.DataDir, Editor.DecimalSeparator); };
    // A repeat payment differs in its amount: selected, typing replaces it.
    Editor.CopiedAsNew = [this] {
        Edit16->setFocus();
        Edit16->selectAll();
    };
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
    click(SpeedButton12, &TMainForm::SpeedButton12Click);
    // An invoice's picture, PDF or link dropped onto the window fills the order as the button
    // does.
    setAcceptDrops(true);
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
            // The field keeps its red frame while the finding lasts, with the focus or not.
            e->SetMarked(!problem.empty());
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

// A field's caption in the interface's language.
QString FieldCaption(editor::TField field) {
    return TrCp1251("Fields", editor::Info(field).Caption);
}

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
    {&TMainForm::SpeedButton12,
     QT_TRANSLATE_NOOP("TMainForm", "Заполнить из QR-кода счёта (картинка или PDF)"),
     QKeySequence(Qt::CTRL | Qt::Key_I)},
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
    // A new order made from the one shown: the next number, today's date.
    connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_N), this),
            &QShortcut::activated, this, [this] { RunGuarded([this] { Editor.CopyAsNew(); }); });
    // The clipboard's picture of an invoice's QR code, or its link.
    connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_I), this),
            &QShortcut::activated, this, [this] { RunGuarded([this] { PasteInvoice(); }); });
    for (const QKeySequence& key :
         {QKeySequence(Qt::ALT | Qt::Key_F4), QKeySequence(Qt::CTRL | Qt::Key_W),
          QKeySequence(Qt::CTRL | Qt::Key_Q)})
        connect(new QShortcut(key, this), &QShortcut::activated, this, &QWidget::close);
}

void TMainForm::Retranslate() {
    using enum editor::TField;
    Label13->setText(FieldCaption(PlatFileName));
    Label14->setText(FieldCaption(Number));
    Label20->setText(FieldCaption(Date));
    GroupBox1->setTitle(QCoreApplication::translate("TMainForm", "Реквизиты плательщика"));
    GroupBox2->setTitle(QCoreApplication::translate("TMainForm", "Реквизиты получателя"));
    Label11->setText(FieldCaption(PayerFileName));
    Label12->setText(FieldCaption(RecipientFileName));
    Label1->setText(FieldCaption(PayerName));
    Label6->setText(FieldCaption(RecipientName));
    Label4->setText(FieldCaption(PayerMFO));
    Label9->setText(FieldCaption(RecipientMFO));
    Label21->setText(FieldCaption(PayerCity));
    Label22->setText(FieldCaption(RecipientCity));
    Label15->setText(FieldCaption(SumaGrn));
    Label16->setText(QCoreApplication::translate("TMainForm", "грн."));
    Label17->setText(QCoreApplication::translate("TMainForm", "коп."));
    Label23->setText(FieldCaption(NDSAmount));
    Label18->setText(FieldCaption(SumaWords));
    Label19->setText(FieldCaption(Purpose));
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
    // The payment instruction names each party by its code and IBAN at its provider of
    // payment services, and prints no bank code: the MFO fields go out of sight, with their
    // values kept and stored.
    const bool instruction = Editor.Options.BlankKind == blank::TBlankKind::PaymentInstruction;
    const QString bank = instruction
                             ? QCoreApplication::translate("TMainForm", "Поставщик платежных услуг")
                             : FieldCaption(PayerBank);
    const QString code = instruction ? QCoreApplication::translate("TMainForm", "Код ЕДРПОУ/РНОКПП")
                                     : FieldCaption(PayerOKPO);
    const QString account = instruction ? QStringLiteral("IBAN") : FieldCaption(PayerAccount);
    Label3->setText(bank);
    Label8->setText(bank);
    Label2->setText(code);
    Label7->setText(code);
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
    SwitchInterfaceLanguage(Editor.Options.UiLang);
    ShowBlankKind();
    // What the rows need, and no narrower than the window of old.
    resize(sizeHint().expandedTo(QSize(713, 0)));
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
    // A new order starts with its number, proposed and selected as at the start.
    Edit15->setFocus();
    Edit15->selectAll();
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
    Editor.SettingsChanged();
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

void TMainForm::FillFromInvoice(const qr::TFound& found) {
    if (!found.Payment) {
        platform::MessageBoxes().Show(found.Message, platform::Tr("Editor", "Квирен"),
                                      platform::TMsgIcon::Exclamation);
        return;
    }
    statusBar()->showMessage(FromCp1251(Editor.FillFromInvoice(*found.Payment)), 15000);
}

void TMainForm::SpeedButton12Click() {
    const QString path =
        AskInvoiceFile
            ? AskInvoiceFile()
            : QFileDialog::getOpenFileName(
                  this, QCoreApplication::translate("TMainForm", "Счёт с QR-кодом платежа"),
                  QString(),
                  QCoreApplication::translate("TMainForm",
                                              "Счета (*.pdf *.png *.jpg *.jpeg);;Все файлы (*)"));
    if (path.isEmpty())
        return;
    const qr::TFound found = qr::FindInvoiceInFile(path);
    FillFromInvoice(found);
}

namespace {

// An invoice's code in what the clipboard or a drop holds: a file of this machine, a
// picture, or the text of a link or of the data.
qr::TFound InvoiceInMime(const QMimeData& data) {
    if (data.hasUrls() && data.urls().first().isLocalFile())
        return qr::FindInvoiceInFile(data.urls().first().toLocalFile());
    if (data.hasImage())
        return qr::FindInvoice(qvariant_cast<QImage>(data.imageData()));
    return qr::FindInvoiceIn(data.text().trimmed().toStdString());
}

} // namespace

void TMainForm::PasteInvoice() {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    const qr::TFound found = data ? InvoiceInMime(*data) : qr::FindInvoiceIn(std::string());
    FillFromInvoice(found);
}

void TMainForm::dragEnterEvent(QDragEnterEvent* event) {
    const QMimeData* data = event->mimeData();
    if (data->hasUrls() || data->hasImage() || data->hasText())
        event->acceptProposedAction();
}

void TMainForm::dropEvent(QDropEvent* event) {
    const QMimeData* data = event->mimeData();
    RunGuarded([&] {
        const qr::TFound found = InvoiceInMime(*data);
        FillFromInvoice(found);
    });
    event->acceptProposedAction();
}

void TMainForm::SpeedButton9Click() {
    Editor.LoadPurpose();
}

void TMainForm::SpeedButton10Click() {
    Editor.SavePurpose();
}
