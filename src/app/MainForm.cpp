#include "app/MainForm.h"

#include "about/About.h"
#include "app/Application.h"
#include "app/Procs.h"
#include "app/QtText.h"
#include "platform/Clock.h"
#include "platform/Cp1251Literal.h"
#include "platform/Files.h"
#include "platform/Locale.h"
#include "platform/MessageBoxes.h"
#include "settings/Options.h"
#include "settings/forms/Opt.h"
#include "store/DataFiles.h"
#include "store/FileList.h"
#include "store/forms/GetNZNFileName.h"
#include "store/forms/Open.h"
#include "words/BuhProc.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QToolButton>

#include <cstdio>
#include <map>

namespace {

// The program's own picture: a payment blank with a stamp.
QIcon AppIcon() {
    QIcon icon;
    for (int size : {16, 32, 48}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        const qreal u = size / 16.0;
        p.setPen(QPen(QColor(60, 60, 60), u * 0.8));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(2.5 * u, 0.5 * u, 11 * u, 15 * u));
        p.setPen(QPen(QColor(90, 90, 90), u * 0.8));
        for (qreal y : {3.0, 5.0, 7.0, 9.0})
            p.drawLine(QPointF(4.5 * u, y * u), QPointF(11.5 * u, y * u));
        p.setPen(QPen(QColor(30, 70, 170), u));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(10 * u, 12 * u), 2.6 * u, 2.6 * u);
        icon.addPixmap(pixmap);
    }
    return icon;
}

} // namespace

TMainForm::TMainForm(QWidget* parent) : QMainWindow(parent) {
    ProgramDir = platform::ProgramDirectory();
    DecimalSeparator = platform::UserDecimalSeparator();
    BuildControls();
    ConnectHandlers();
    FormCreate();
}

TMainForm::~TMainForm() {
    FormDestroy();
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
    // Each of the style's icons is read once: it decodes every size of its picture files, a
    // good part of the program's start.
    std::map<QStyle::StandardPixmap, QIcon> icons;
    auto button = [&](QWidget* parentWidget, const char* name, int left, int top,
                      QStyle::StandardPixmap pixmap, const QString& hint) {
        auto* b = new QToolButton(parentWidget);
        b->setObjectName(name);
        b->setGeometry(left, top, 23, 22);
        b->setAutoRaise(true);
        auto icon = icons.find(pixmap);
        if (icon == icons.end())
            icon = icons.emplace(pixmap, style()->standardIcon(pixmap)).first;
        b->setIcon(icon->second);
        b->setIconSize(QSize(16, 16));
        b->setToolTip(hint);
        b->setStatusTip(hint);
        b->setFocusPolicy(Qt::NoFocus);
        return b;
    };

    Label13 = label(client, "Label13", 42, 20, QStringLiteral("Имя файла"), 112);
    Edit19 = edit(client, "Edit19", 112, 16, 421, true);
    Label14 = label(client, "Label14", 67, 48, QStringLiteral("Номер"), 112);
    Edit15 = edit(client, "Edit15", 112, 44, 73);
    Label20 = label(client, "Label20", 278, 48, QStringLiteral("Дата"), 312);
    Edit21 = edit(client, "Edit21", 312, 44, 69);
    Edit22 = edit(client, "Edit22", 388, 44, 145, true);

    GroupBox1 = new QGroupBox(QStringLiteral("Реквизиты плательщика"), client);
    GroupBox1->setObjectName("GroupBox1");
    GroupBox1->setGeometry(8, 76, 345, 229);
    GroupBox2 = new QGroupBox(QStringLiteral("Реквизиты получателя"), client);
    GroupBox2->setObjectName("GroupBox2");
    GroupBox2->setGeometry(360, 76, 345, 229);

    struct Row {
        int top, labelLeft;
        const char* caption;
        int fieldLeft, width;
        const char *payerLabel, *recipientLabel, *payerEdit, *recipientEdit;
    };
    const Row rows[] = {
        {24, 34, "Имя файла", 104, 193, "Label11", "Label12", "Edit1", "Edit8"},
        {52, 12, "Наименование", 104, 225, "Label1", "Label6", "Edit2", "Edit9"},
        {80, 70, "Банк", 104, 225, "Label3", "Label8", "Edit3", "Edit10"},
        {104, 0, nullptr, 104, 121, nullptr, nullptr, "Edit4", "Edit11"},
        {104, 229, "в г.", 248, 81, "Label21", "Label22", "Edit23", "Edit24"},
        {132, 40, "Код ОКПО", 104, 121, "Label2", "Label7", "Edit5", "Edit12"},
        {160, 69, "МФО", 104, 121, "Label4", "Label9", "Edit6", "Edit13"},
        {188, 80, "р/с", 104, 121, "Label5", "Label10", "Edit7", "Edit14"},
    };
    QLabel* groupLabels[2][8] = {};
    TEdit* groupEdits[2][8] = {};
    for (int g = 0; g < 2; ++g) {
        QGroupBox* box = g == 0 ? GroupBox1 : GroupBox2;
        for (int r = 0; r < 8; ++r) {
            const Row& row = rows[r];
            if (row.caption) {
                const bool after = r == 4; // "в г." stands after its field's neighbour
                groupLabels[g][r] =
                    label(box, g == 0 ? row.payerLabel : row.recipientLabel, row.labelLeft,
                          row.top + (after ? 3 : 4), QString::fromUtf8(row.caption),
                          after ? -1 : row.fieldLeft);
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

    Label15 = label(client, "Label15", 65, 320, QStringLiteral("Сумма"), 112);
    Edit16 = edit(client, "Edit16", 112, 316, 73);
    Label16 = label(client, "Label16", 191, 320, QStringLiteral("грн."));
    Edit17 = edit(client, "Edit17", 215, 316, 34);
    Label17 = label(client, "Label17", 257, 320, QStringLiteral("коп."));
    Label23 = label(client, "Label23", 543, 320, QStringLiteral("в т.ч НДС"), 600);
    Edit25 = edit(client, "Edit25", 600, 316, 89, true);
    Label18 = label(client, "Label18", 14, 348, QStringLiteral("Сумма словами"), 112);
    Edit18 = edit(client, "Edit18", 112, 344, 577, true);
    Label19 = label(client, "Label19", 35, 376, QStringLiteral("Назначение"), 112);
    Edit20 = edit(client, "Edit20", 112, 372, 521);

    SpeedButton1 = button(client, "SpeedButton1", 540, 16, QStyle::SP_FileIcon,
                          QStringLiteral("Создать новую платежку"));
    SpeedButton2 = button(client, "SpeedButton2", 564, 16, QStyle::SP_DialogOpenButton,
                          QStringLiteral("Загрузить платежку"));
    SpeedButton3 = button(client, "SpeedButton3", 588, 16, QStyle::SP_DialogSaveButton,
                          QStringLiteral("Сохранить платежку"));
    SpeedButton5 = button(client, "SpeedButton5", 612, 16, QStyle::SP_FileDialogDetailedView,
                          QStringLiteral("Настройки"));
    SpeedButton8 = button(client, "SpeedButton8", 636, 16, QStyle::SP_FileDialogContentsView,
                          QStringLiteral("Просмотр платежки в MS Word"));
    SpeedButton4 = button(client, "SpeedButton4", 660, 16, QStyle::SP_MessageBoxInformation,
                          QStringLiteral("О программе..."));
    SpeedButton6 = button(GroupBox1, "SpeedButton6", 304, 24, QStyle::SP_DirOpenIcon,
                          QStringLiteral("Загрузить реквизиты плательщика"));
    SpeedButton7 = button(GroupBox2, "SpeedButton7", 304, 24, QStyle::SP_DirOpenIcon,
                          QStringLiteral("Загрузить реквизиты получателя"));
    SpeedButton9 = button(client, "SpeedButton9", 642, 372, QStyle::SP_DirOpenIcon,
                          QStringLiteral("Загрузить назначение"));
    SpeedButton10 = button(client, "SpeedButton10", 666, 372, QStyle::SP_DialogSaveButton,
                           QStringLiteral("Сохранить назначение"));

    // Tab visits the input fields only, in the order of the form.
    QWidget* tabOrder[] = {Edit15, Edit21, Edit2,  Edit3,  Edit4,  Edit23, Edit5,
                           Edit6,  Edit7,  Edit9,  Edit10, Edit11, Edit24, Edit12,
                           Edit13, Edit14, Edit16, Edit17, Edit20};
    for (size_t i = 0; i + 1 < std::size(tabOrder); ++i)
        setTabOrder(tabOrder[i], tabOrder[i + 1]);

    for (TEdit* e : {Edit15, Edit5, Edit6, Edit12, Edit13, Edit16})
        e->KeyFilter = DigitKeyAllowed;
    for (TEdit* e : {Edit7, Edit14})
        e->KeyFilter = AccountKeyAllowed;
    Edit17->KeyFilter = [this](char16_t c) {
        return KopKeyAllowed(c, static_cast<size_t>(Edit17->text().size()));
    };
}

void TMainForm::ConnectHandlers() {
    auto on = [this](TEdit* e, void (TMainForm::*handler)()) {
        connect(e, &QLineEdit::textChanged, this,
                [this, handler] { RunGuarded([&] { (this->*handler)(); }); });
    };
    on(Edit2, &TMainForm::Edit2Change);
    on(Edit7, &TMainForm::Edit7Change);
    for (TEdit* e : {Edit3, Edit4, Edit5, Edit6, Edit23})
        on(e, &TMainForm::PayerFieldChange);
    on(Edit9, &TMainForm::Edit9Change);
    for (TEdit* e : {Edit10, Edit11, Edit12, Edit13, Edit14, Edit24})
        on(e, &TMainForm::RecipientFieldChange);
    on(Edit8, &TMainForm::Edit8Change);
    on(Edit15, &TMainForm::Edit15Change);
    on(Edit21, &TMainForm::Edit21Change);
    on(Edit16, &TMainForm::SumaChange);
    on(Edit17, &TMainForm::SumaChange);
    on(Edit18, &TMainForm::Edit18Change);
    on(Edit19, &TMainForm::Edit19Change);
    on(Edit20, &TMainForm::Edit20Change);

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
}

void TMainForm::FormCreate() {
    Options = std::make_unique<TOptions>();
    try {
        Options->Load();
    } catch (...) {
        // The values before the failing one are loaded; the window opens all the same.
        ShowCurrentException();
    }
    setWindowTitle(QStringLiteral("Квирен, версия 1.12"));
}

void TMainForm::FormDestroy() {
    Options.reset();
}

void TMainForm::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (Shown)
        return;
    Shown = true;
    if (QScreen* s = screen())
        move(s->availableGeometry().center() - rect().center());
    try {
        FormShow();
    } catch (...) {
        ShowCurrentException();
    }
    Edit15->setFocus();
}

void TMainForm::FormShow() {
    // Dates are always written "DD.MM.YYYY" by this program (see the date functions), so
    // there is no process-wide format to set.
    FileVersion = 101;
    DataDir = ProgramDir / "Data";
    std::error_code ec;
    if (!std::filesystem::is_directory(DataDir, ec)) {
        std::filesystem::create_directory(DataDir, ec);
        if (ec || !std::filesystem::is_directory(DataDir))
            platform::ShowError("Ошибка создания рабочего каталога \""_w +
                                platform::DisplayPath(DataDir) + "\"");
    }
    NewPlat();
}

void TMainForm::closeEvent(QCloseEvent* event) {
    try {
        AskSaveChanges();
        event->accept();
    } catch (...) {
        // A save after Yes failed: the order must not be lost, so the window stays.
        ShowCurrentException();
        event->ignore();
    }
}

void TMainForm::NewPlat() {
    const auto today = platform::Today();
    const int number = store::NextPlatNumber(store::ListFiles(DataDir, store::PlatExt),
                                             static_cast<int>(today.year()));
    for (TEdit* e : {Edit1, Edit2, Edit3, Edit4, Edit5, Edit6, Edit7, Edit8, Edit9, Edit10, Edit11,
                     Edit12, Edit13, Edit14})
        SetText(e, "");
    SetText(Edit15, std::to_string(number));
    for (TEdit* e : {Edit16, Edit17, Edit18, Edit19, Edit20})
        SetText(e, "");
    char date[16];
    std::snprintf(date, sizeof date, "%02u.%02u.%04d", static_cast<unsigned>(today.day()),
                  static_cast<unsigned>(today.month()), static_cast<int>(today.year()));
    SetText(Edit21, date);
    SetText(Edit23, "");
    SetText(Edit24, "");
    UpdatePlatFileName();
    PlatModified = PayerModified = RecipientModified = PurposeModified = false;
    UpdatePayerFileName();
    UpdateSaveButtons();
}

void TMainForm::UpdatePlatFileName() {
    SetText(Edit19, PlatFileNameFor(Text(Edit15), Text(Edit21), Text(Edit8)));
}

void TMainForm::UpdatePayerFileName() {
    SetText(Edit1, PayerFileNameFor(Text(Edit2), Text(Edit7)));
}

void TMainForm::UpdateSumaWords() {
    SetText(Edit18, SumaWordsFor(Text(Edit16), Text(Edit17), DecimalSeparator));
}

void TMainForm::UpdateNDSAmount() {
    SetText(Edit25, NDSAmountFor(Text(Edit16), Text(Edit17), DecimalSeparator));
}

void TMainForm::UpdateSaveButtons() {
    const bool anyModified = PlatModified || PayerModified || RecipientModified;
    const bool anyName =
        !Edit19->text().isEmpty() || !Edit1->text().isEmpty() || !Edit8->text().isEmpty();
    SpeedButton3->setEnabled(anyModified && anyName);
    SpeedButton8->setEnabled(!Edit19->text().isEmpty());
    SpeedButton10->setEnabled(PurposeModified && !Edit20->text().isEmpty());
}

void TMainForm::Edit2Change() {
    UpdatePayerFileName();
    PayerModified = true;
    UpdateSaveButtons();
}

void TMainForm::Edit7Change() {
    PayerModified = true;
    UpdatePayerFileName();
    UpdateSaveButtons();
}

void TMainForm::PayerFieldChange() {
    PayerModified = true;
    UpdateSaveButtons();
}

void TMainForm::Edit9Change() {
    SetText(Edit8, StripFileNameChars(Text(Edit9)));
    RecipientModified = true;
    UpdateSaveButtons();
}

void TMainForm::RecipientFieldChange() {
    RecipientModified = true;
    UpdateSaveButtons();
}

void TMainForm::Edit8Change() {
    UpdatePlatFileName();
}

void TMainForm::Edit15Change() {
    PlatModified = true;
    UpdatePlatFileName();
    UpdateSaveButtons();
}

void TMainForm::Edit21Change() {
    SetText(Edit22, DateTextToWordsUkr(Text(Edit21)));
    PlatModified = true;
    UpdatePlatFileName();
    UpdateSaveButtons();
}

void TMainForm::SumaChange() {
    UpdateSumaWords();
    UpdateNDSAmount();
    PlatModified = true;
    UpdateSaveButtons();
}

void TMainForm::Edit18Change() {
    PlatModified = true;
    UpdateSaveButtons();
}

void TMainForm::Edit19Change() {
    PlatModified = true;
    UpdateSaveButtons();
}

void TMainForm::Edit20Change() {
    PlatModified = true;
    PurposeModified = true;
    UpdateSaveButtons();
}

store::TPlatRecord TMainForm::Record() const {
    store::TPlatRecord r;
    r.Number = Text(Edit15);
    r.Date = Text(Edit21);
    r.PayerName = Text(Edit2);
    r.PayerBank = Text(Edit3);
    r.PayerBank2 = Text(Edit4);
    r.PayerOKPO = Text(Edit5);
    r.PayerMFO = Text(Edit6);
    r.PayerAccount = Text(Edit7);
    r.RecipientName = Text(Edit9);
    r.RecipientBank = Text(Edit10);
    r.RecipientBank2 = Text(Edit11);
    r.RecipientOKPO = Text(Edit12);
    r.RecipientMFO = Text(Edit13);
    r.RecipientAccount = Text(Edit14);
    r.SumaGrn = Text(Edit16);
    r.SumaKop = Text(Edit17);
    r.Purpose = Text(Edit20);
    r.PayerCity = Text(Edit23);
    r.RecipientCity = Text(Edit24);
    return r;
}

void TMainForm::SetPayer(const store::TRequisites& payer) {
    SetText(Edit2, payer.Name);
    SetText(Edit3, payer.Bank);
    SetText(Edit4, payer.Bank2);
    SetText(Edit5, payer.OKPO);
    SetText(Edit6, payer.MFO);
    SetText(Edit7, payer.Account);
    SetText(Edit23, payer.City);
}

void TMainForm::SetRecipient(const store::TRequisites& recipient) {
    SetText(Edit9, recipient.Name);
    SetText(Edit10, recipient.Bank);
    SetText(Edit11, recipient.Bank2);
    SetText(Edit12, recipient.OKPO);
    SetText(Edit13, recipient.MFO);
    SetText(Edit14, recipient.Account);
    SetText(Edit24, recipient.City);
}

void TMainForm::SpeedButton1Click() {
    AskSaveChanges();
    NewPlat();
}

void TMainForm::SpeedButton2Click() {
    AskSaveChanges();
    LoadPlat();
}

void TMainForm::SpeedButton3Click() {
    SavePlat();
    SavePayer();
    SaveRecipient();
}

void TMainForm::SpeedButton4Click() {
    ShowAbout();
}

void TMainForm::SpeedButton5Click() {
    ShowOptionsDialog();
}

void TMainForm::SpeedButton6Click() {
    LoadPayer();
}

void TMainForm::SpeedButton7Click() {
    LoadRecipient();
}

void TMainForm::SpeedButton8Click() {
    auto composed = ComposePlatData(Record(), *Options, DecimalSeparator, platform::Today().year());
    if (auto* message = std::get_if<std::string>(&composed)) {
        platform::MessageBoxes().Show(*message, "Квирен"_w, platform::TMsgIcon::Exclamation);
        return;
    }
    std::get<TPlatData>(composed).BuildDocument();
}

void TMainForm::SpeedButton9Click() {
    LoadPurpose();
}

void TMainForm::SpeedButton10Click() {
    SavePurpose();
}

void TMainForm::SavePlat() {
    if (!PlatModified && !PayerModified && !RecipientModified)
        return;
    store::SavePlatFile(DataDir, Text(Edit19), Record());
    PlatModified = false;
    UpdateSaveButtons();
}

void TMainForm::SavePayer() {
    if (!PayerModified)
        return;
    store::SaveRequisitesFile(DataDir, Text(Edit1), store::PayerExt, store::PayerOf(Record()));
    PayerModified = false;
    UpdateSaveButtons();
}

void TMainForm::SaveRecipient() {
    if (!RecipientModified)
        return;
    store::SaveRequisitesFile(DataDir, Text(Edit8), store::RecipientExt,
                              store::RecipientOf(Record()));
    RecipientModified = false;
    UpdateSaveButtons();
}

void TMainForm::LoadPlat() {
    const std::string name = SelectDataFile(DataDir, 0);
    if (name.empty())
        return;
    // Read completely before touching a field: a refused file leaves the window as it was.
    const store::TPlatRecord r = store::LoadPlatFile(DataDir, name, DecimalSeparator);
    SetText(Edit15, r.Number);
    SetText(Edit21, r.Date);
    SetPayer(store::PayerOf(r));
    SetRecipient(store::RecipientOf(r));
    SetText(Edit16, r.SumaGrn);
    SetText(Edit17, r.SumaKop);
    SetText(Edit20, r.Purpose);
    PlatModified = PayerModified = RecipientModified = PurposeModified = false;
    UpdateSaveButtons();
}

void TMainForm::LoadPayer() {
    const std::string name = SelectDataFile(DataDir, 1);
    if (name.empty())
        return;
    SetPayer(store::LoadRequisitesFile(DataDir, name, store::PayerExt));
    PayerModified = false;
    UpdateSaveButtons();
}

void TMainForm::LoadRecipient() {
    const std::string name = SelectDataFile(DataDir, 2);
    if (name.empty())
        return;
    SetRecipient(store::LoadRequisitesFile(DataDir, name, store::RecipientExt));
    RecipientModified = false;
    UpdateSaveButtons();
}

void TMainForm::LoadPurpose() {
    const std::string name = SelectDataFile(DataDir, 3);
    if (name.empty())
        return;
    SetText(Edit20, store::LoadPurposeFile(DataDir, name));
    PurposeModified = false;
    UpdateSaveButtons();
}

void TMainForm::SavePurpose() {
    const std::string purpose = Text(Edit20);
    const std::filesystem::path path = AskNZNFileName(DataDir, purpose);
    if (path.empty())
        return;
    store::WritePurpose(path, purpose);
    PurposeModified = false;
    UpdateSaveButtons();
}

void TMainForm::AskSaveChanges() {
    if (!PlatModified && !PayerModified && !RecipientModified)
        return;
    if (platform::MessageBoxes().Ask("Сохранить изменения в документе \""_w + Text(Edit19) + "\"?",
                                     "Сохранение данных"_w, platform::TMsgIcon::Warning)) {
        SavePlat();
        SavePayer();
        SaveRecipient();
    }
}

void TMainForm::ShowAbout() {
    ShowAboutBox();
}

void TMainForm::ShowOptionsDialog() {
    ShowOptions(*Options);
}
