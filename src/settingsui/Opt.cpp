#include "settingsui/Opt.h"

#include "formkit/Application.h"
#include "formkit/DialogKit.h"
#include "formkit/FieldEdit.h"
#include "formkit/Language.h"
#include "formkit/QtText.h"
#include "settings/Options.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCoreApplication>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QShowEvent>
#include <QTabWidget>

#include <algorithm>
#include <cstdint>
#include <vector>

// ---------------------------------------------------------------------------------------

TRadioGroup::TRadioGroup(const QString& caption, const QStringList& items, QWidget* parent)
    : QGroupBox(caption, parent), Buttons(new QButtonGroup(this)) {
    int id = 0;
    for (const QString& item : items)
        Buttons->addButton(new QRadioButton(item, this), id++);
    connect(Buttons, &QButtonGroup::idToggled, this, [this](int, bool checked) {
        // The button that loses its check says nothing; the one that gains it is the click.
        if (checked && OnClick)
            OnClick();
    });
    ArrangeButtons();
}

void TRadioGroup::SetTexts(const QString& caption, const QStringList& items) {
    setTitle(caption);
    for (int i = 0; i < Count() && i < items.size(); ++i)
        Buttons->button(i)->setText(items[i]);
}

int TRadioGroup::ItemIndex() const {
    return Buttons->checkedId();
}

int TRadioGroup::Count() const {
    return static_cast<int>(Buttons->buttons().size());
}

QAbstractButton* TRadioGroup::Button(int index) const {
    return Buttons->button(index);
}

void TRadioGroup::SetItemIndex(int index) {
    if (Count() == 0)
        return;
    if (index < 0) {
        // An exclusive group refuses to uncheck its last checked button.
        if (QAbstractButton* checked = Buttons->checkedButton()) {
            Buttons->setExclusive(false);
            checked->setChecked(false);
            Buttons->setExclusive(true);
        }
        return;
    }
    Buttons->button(std::min(index, Count() - 1))->setChecked(true);
}

void TRadioGroup::resizeEvent(QResizeEvent* event) {
    QGroupBox::resizeEvent(event);
    ArrangeButtons();
}

// The choices share the height below the caption equally, one above the other.
void TRadioGroup::ArrangeButtons() {
    const int count = Count();
    if (count == 0)
        return;
    const int textHeight = QFontMetrics(font()).height();
    const int free = height() - textHeight - 5;
    const int buttonHeight = std::max(free / count, 1);
    const int topMargin = textHeight + 1 + (free % count) / 2;
    for (int i = 0; i < count; ++i)
        Buttons->button(i)->setGeometry(8, topMargin + i * buttonHeight, width() - 10,
                                        buttonHeight);
}

// ---------------------------------------------------------------------------------------

TOptForm::TOptForm(TOptions& options, QWidget* parent) : QDialog(parent), Options(options) {
    BuildControls();
    ConnectHandlers();
    FormCreate();
}

void TOptForm::BuildControls() {
    setObjectName("OptForm");
    // Taller than the two-blank-language original by the groups that choose the blank and
    // the interface language.
    SetUpFixedDialog(this, 313, 473);

    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName("PageControl1");
    PageControl1->setGeometry(0, 0, 313, 417);
    TabSheet1 = new QWidget;
    TabSheet1->setObjectName("TabSheet1");
    TabSheet2 = new QWidget;
    TabSheet2->setObjectName("TabSheet2");
    PageControl1->addTab(TabSheet1, QString());
    PageControl1->addTab(TabSheet2, QString());

    auto checkBox = [](QWidget* parentWidget, const char* name, int left, int top, int width) {
        auto* c = new QCheckBox(parentWidget);
        c->setObjectName(name);
        c->setGeometry(left, top, width, 17);
        return c;
    };
    auto edit = [](QWidget* parentWidget, const char* name, int left, int top) {
        auto* e = new TEdit(parentWidget);
        e->setObjectName(name);
        e->setGeometry(left, top, 225, 23);
        return e;
    };

    CheckBox1 = checkBox(TabSheet1, "CheckBox1", 16, 16, 281);
    CheckBox2 = checkBox(TabSheet1, "CheckBox2", 16, 36, 281);
    CheckBox5 = checkBox(TabSheet1, "CheckBox5", 16, 56, 281);
    CheckBox6 = checkBox(TabSheet1, "CheckBox6", 16, 76, 281);
    GroupBox1 = new QGroupBox(TabSheet1);
    GroupBox1->setObjectName("GroupBox1");
    GroupBox1->setGeometry(12, 104, 281, 129);
    // Each check box sits between its Ukrainian (upper) and Russian (lower) text.
    CheckBox3 = checkBox(GroupBox1, "CheckBox3", 18, 30, 14);
    Edit1 = edit(GroupBox1, "Edit1", 40, 16);
    Edit3 = edit(GroupBox1, "Edit3", 40, 40);
    CheckBox4 = checkBox(GroupBox1, "CheckBox4", 18, 86, 14);
    Edit2 = edit(GroupBox1, "Edit2", 40, 72);
    Edit4 = edit(GroupBox1, "Edit4", 40, 96);

    // The captions are Retranslate's; each group has as many choices as it shows.
    RadioGroup4 = new TRadioGroup(QString(), {QString(), QString()}, TabSheet2);
    RadioGroup4->setObjectName("RadioGroup4");
    RadioGroup4->setGeometry(24, 8, 257, 61);
    RadioGroup1 = new TRadioGroup(QString(), {QString(), QString()}, TabSheet2);
    RadioGroup1->setObjectName("RadioGroup1");
    RadioGroup1->setGeometry(24, 74, 257, 61);
    RadioGroup2 = new TRadioGroup(QString(), {QString(), QString(), QString()}, TabSheet2);
    RadioGroup2->setObjectName("RadioGroup2");
    RadioGroup2->setGeometry(24, 140, 257, 81);
    RadioGroup3 = new TRadioGroup(QString(), {QString(), QString(), QString()}, TabSheet2);
    RadioGroup3->setObjectName("RadioGroup3");
    RadioGroup3->setGeometry(24, 226, 257, 81);
    RadioGroup5 = new TRadioGroup(QString(), {QString(), QString()}, TabSheet2);
    RadioGroup5->setObjectName("RadioGroup5");
    RadioGroup5->setGeometry(24, 312, 257, 61);

    auto button = [this](const char* name, int left) {
        auto* b = new QPushButton(this);
        b->setObjectName(name);
        b->setGeometry(left, 434, 78, 25);
        return b;
    };
    ButOK = button("ButOK", 29);
    ButApply = button("ButApply", 117);
    ButCancel = button("ButCancel", 205);
    // Enter anywhere but on another button is "OK"; Esc is "Отмена" (reject).
    ButOK->setDefault(true);

    std::vector<QWidget*> tabOrder = {ButOK,     ButApply,  ButCancel, PageControl1, CheckBox1,
                                      CheckBox2, CheckBox3, Edit1,     Edit3,        CheckBox4,
                                      Edit2,     Edit4,     CheckBox5, CheckBox6};
    for (TRadioGroup* g : {RadioGroup4, RadioGroup1, RadioGroup2, RadioGroup3, RadioGroup5})
        for (int i = 0; i < g->Count(); ++i)
            tabOrder.push_back(g->Button(i));
    for (size_t i = 0; i + 1 < tabOrder.size(); ++i)
        setTabOrder(tabOrder[i], tabOrder[i + 1]);
}

void TOptForm::ConnectHandlers() {
    for (QCheckBox* c : {CheckBox1, CheckBox2, CheckBox3, CheckBox4, CheckBox5, CheckBox6})
        connect(c, &QCheckBox::toggled, this, [this] { RunGuarded([this] { ControlChange(); }); });
    for (QLineEdit* e : {Edit1, Edit2, Edit3, Edit4})
        connect(e, &QLineEdit::textChanged, this,
                [this] { RunGuarded([this] { ControlChange(); }); });
    for (TRadioGroup* g : {RadioGroup1, RadioGroup2, RadioGroup3, RadioGroup4, RadioGroup5})
        g->OnClick = [this] { RunGuarded([this] { ControlChange(); }); };
    connect(ButOK, &QPushButton::clicked, this, [this] { RunGuarded([this] { ButOKClick(); }); });
    connect(ButApply, &QPushButton::clicked, this,
            [this] { RunGuarded([this] { ButApplyClick(); }); });
    connect(ButCancel, &QPushButton::clicked, this,
            [this] { RunGuarded([this] { ButCancelClick(); }); });
}

void TOptForm::FormCreate() {
    PageControl1->setCurrentIndex(0);
    Retranslate();
}

void TOptForm::Retranslate() {
    setWindowTitle(QCoreApplication::translate("TOptForm", "Настройки"));
    PageControl1->setTabText(0, QCoreApplication::translate("TOptForm", "&Общие"));
    PageControl1->setTabText(1, QCoreApplication::translate("TOptForm", "Я&зык"));
    CheckBox1->setText(
        QCoreApplication::translate("TOptForm", "Выделить жирным шрифтом &плательщика"));
    CheckBox2->setText(
        QCoreApplication::translate("TOptForm", "Выделить жирным шрифтом пол&учателя"));
    CheckBox5->setText(QCoreApplication::translate("TOptForm", "Отображать номер &копии"));
    CheckBox6->setText(
        QCoreApplication::translate("TOptForm", "Отображать &строку \"З правом одного підпису\""));
    GroupBox1->setTitle(QCoreApplication::translate("TOptForm", "&НДС"));
    RadioGroup4->SetTexts(QCoreApplication::translate("TOptForm", "&Вид бланка"),
                          {QCoreApplication::translate("TOptForm", "Платіжне доручення (0410001)"),
                           QCoreApplication::translate("TOptForm", "Платіжна інструкція")});
    const QStringList languages = {QCoreApplication::translate("TOptForm", "Украинский"),
                                   QCoreApplication::translate("TOptForm", "Русский")};
    const QStringList ownChoices = {QCoreApplication::translate("TOptForm", "Язык бланка"),
                                    QCoreApplication::translate("TOptForm", "Украинский"),
                                    QCoreApplication::translate("TOptForm", "Русский")};
    RadioGroup1->SetTexts(QCoreApplication::translate("TOptForm", "&Бланк"), languages);
    RadioGroup2->SetTexts(QCoreApplication::translate("TOptForm", "&Дата"), ownChoices);
    RadioGroup3->SetTexts(QCoreApplication::translate("TOptForm", "С&умма"), ownChoices);
    RadioGroup5->SetTexts(QCoreApplication::translate("TOptForm", "Язык &программы"), languages);
    ButOK->setText(QCoreApplication::translate("TOptForm", "OK"));
    ButApply->setText(QCoreApplication::translate("TOptForm", "П&рименить"));
    ButCancel->setText(QCoreApplication::translate("TOptForm", "Отмена"));
}

void TOptForm::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        Retranslate();
}

void TOptForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // A window system's show (restoring a minimised window) is not a new opening.
    if (!event->spontaneous())
        FormShow();
}

void TOptForm::FormShow() {
    // A value that cannot be read is reported; the dialog still opens, with what was read
    // before it and what was in memory for the rest.
    RunGuarded([this] { Options.Load(); });
    OptionsToControls();
    Modified = false;
    UpdateControls();
    OkPressed = false;
}

// Every change handler of the dialog does the same.
void TOptForm::ControlChange() {
    Modified = true;
    UpdateControls();
}

void TOptForm::OptionsToControls() {
    CheckBox1->setChecked(Options.BoldPlatName);
    CheckBox2->setChecked(Options.BoldPolName);
    CheckBox3->setChecked(Options.fNDS);
    CheckBox4->setChecked(Options.fBezNDS);
    CheckBox5->setChecked(Options.ShowCopyNumber);
    CheckBox6->setChecked(Options.ShowOneSignatureRights);
    Edit1->setText(FromCp1251(Options.strNDS));
    Edit2->setText(FromCp1251(Options.strBezNDS));
    Edit3->setText(FromCp1251(Options.strNDSRus));
    Edit4->setText(FromCp1251(Options.strBezNDSRus));
    // The choices are in the order of the codes; "as the blank" (-1) comes first.
    RadioGroup1->SetItemIndex(blank::CodeOf(Options.BlankLang));
    RadioGroup2->SetItemIndex(blank::CodeOf(Options.DateLang) + 1);
    RadioGroup3->SetItemIndex(blank::CodeOf(Options.SumaLang) + 1);
    RadioGroup4->SetItemIndex(blank::CodeOf(Options.BlankKind));
    RadioGroup5->SetItemIndex(blank::CodeOf(Options.UiLang));
}

void TOptForm::ControlsToOptions() {
    Options.BoldPlatName = CheckBox1->isChecked();
    Options.BoldPolName = CheckBox2->isChecked();
    Options.fNDS = CheckBox3->isChecked();
    Options.fBezNDS = CheckBox4->isChecked();
    Options.ShowCopyNumber = CheckBox5->isChecked();
    Options.ShowOneSignatureRights = CheckBox6->isChecked();
    // Disabled edits keep their texts, and these are stored too.
    Options.strNDS = ToCp1251Lossy(Edit1->text());
    Options.strBezNDS = ToCp1251Lossy(Edit2->text());
    Options.strNDSRus = ToCp1251Lossy(Edit3->text());
    Options.strBezNDSRus = ToCp1251Lossy(Edit4->text());
    const blank::TLanguages chosen = ChosenLanguages();
    Options.BlankLang = chosen.Blank;
    Options.DateLang = chosen.Date;
    Options.SumaLang = chosen.Suma;
    Options.BlankKind = chosen.Kind;
    Options.UiLang = blank::LangOf(std::max(RadioGroup5->ItemIndex(), 0)).value_or(Options.UiLang);
}

blank::TLanguages TOptForm::ChosenLanguages() const {
    // A group with nothing selected counts as its first choice.
    auto index = [](const TRadioGroup* group) { return std::max(group->ItemIndex(), 0); };
    blank::TLanguages l;
    l.Kind = blank::BlankKindOf(index(RadioGroup4)).value_or(l.Kind);
    l.Blank = blank::LangOf(index(RadioGroup1)).value_or(l.Blank);
    l.Date = blank::LangChoiceOf(index(RadioGroup2) - 1).value_or(l.Date);
    l.Suma = blank::LangChoiceOf(index(RadioGroup3) - 1).value_or(l.Suma);
    return l;
}

void TOptForm::UpdateControls() {
    ButApply->setEnabled(Modified);
    // Only the VAT texts that the output will use can be edited.
    const bool russian = blank::VatLanguage(ChosenLanguages()) == blank::TLang::Russian;
    EnableEdit(Edit1, !russian && CheckBox3->isChecked());
    EnableEdit(Edit3, russian && CheckBox3->isChecked());
    EnableEdit(Edit2, !russian && CheckBox4->isChecked());
    EnableEdit(Edit4, russian && CheckBox4->isChecked());
}

void TOptForm::EnableEdit(QLineEdit* edit, bool on) {
    edit->setEnabled(on);
    QPalette p = edit->palette();
    const QPalette& own = palette();
    p.setColor(QPalette::Base, on ? own.color(QPalette::Active, QPalette::Base)
                                  : own.color(QPalette::Active, QPalette::Button));
    edit->setPalette(p);
    edit->setFocusPolicy(on ? Qt::StrongFocus : Qt::NoFocus);
}

void TOptForm::ButApplyClick() {
    ControlsToOptions();
    Options.Save(); // on failure "Применить" stays enabled
    Modified = false;
    SwitchInterfaceLanguage(Options.UiLang);
    UpdateControls();
}

void TOptForm::ButOKClick() {
    OkPressed = true;
    accept();
}

void TOptForm::ButCancelClick() {
    reject();
}

void TOptForm::reject() {
    // Also after an "OK" whose storing failed: a store that keeps failing must not keep
    // the user in the dialog.
    OkPressed = false;
    QDialog::reject();
}

void TOptForm::done(int result) {
    if (!FormClose())
        return;
    QDialog::done(result);
}

bool TOptForm::FormClose() {
    if (!OkPressed)
        return true;
    try {
        ControlsToOptions();
        Options.Save();
    } catch (...) {
        ShowCurrentException();
        return false;
    }
    SwitchInterfaceLanguage(Options.UiLang);
    return true;
}

void ShowOptions(TOptions& options) {
    TOptForm form(options, QApplication::activeWindow());
    CentreOnScreen(&form);
    form.exec();
}
