// The settings dialog over a registry file in a fresh configuration folder.
#include "settingsui/Opt.h"

#include "formkit/Language.h"
#include "platform/Files.h"
#include "settings/Options.h"

#include "support/TestSupport.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QKeySequence>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <set>

#include <cstdlib>
#include <optional>
#include <vector>

using namespace testing_support;
namespace fs = std::filesystem;

namespace {

const std::string Head = "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\Software\\Morvane\\Vantrel]\r\n";

const char* const ValueNames[] = {"BoldPlatName", "BoldPolName",    "fNDS",
                                  "fBezNDS",      "ShowCopyNumber", "ShowOneSignatureRights",
                                  "BlankLang",    "DateLang",       "SumaLang",
                                  "strNDS",       "strBezNDS",      "strNDSRus",
                                  "strBezNDSRus", "BlankKind"};

class OptFormTest : public ::testing::Test {
protected:
    void TearDown() override { platform::SetWriteFaultForTesting(nullptr); }
    void Store(const std::string& bytes) {
        fs::create_directories(File.parent_path());
        WriteFileBytes(File, bytes);
    }
    std::string Stored() const { return ReadFileBytes(File); }
    // What a fresh program would read back.
    static TOptions Reloaded() {
        TOptions o;
        o.Load();
        return o;
    }
    // On the box or the dot: a check box or radio button takes clicks only there and on
    // its text, not on the empty rest of its width.
    static void Click(QAbstractButton* b) {
        QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(6, b->height() / 2));
    }

    TScratch Scratch; // the settings in a fresh folder, as the program finds them
    const TTempDir& Dir = Scratch.Config;
    fs::path File = Dir / "Morvane" / "Vantrel.reg";
    TRecordingBoxes Boxes;
};

// Which of Edit1, Edit3, Edit2, Edit4 may be edited, as a string like "1..4".
std::string Editable(const TOptForm& f) {
    std::string s;
    s += f.Edit1->isEnabled() ? '1' : '.';
    s += f.Edit3->isEnabled() ? '3' : '.';
    s += f.Edit2->isEnabled() ? '2' : '.';
    s += f.Edit4->isEnabled() ? '4' : '.';
    return s;
}

TEST_F(OptFormTest, WithDefaultOptionsTheDialogOpensOnTheFirstPageWithNothingEditable) {
    TOptions o;
    TOptForm f(o);
    f.show();
    EXPECT_EQ(f.windowTitle(), QStringLiteral("Настройки"));
    EXPECT_EQ(f.size(), QSize(313, 473));
    EXPECT_EQ(f.PageControl1->currentIndex(), 0);
    EXPECT_EQ(f.PageControl1->tabText(0), QStringLiteral("&Общие"));
    EXPECT_EQ(f.PageControl1->tabText(1), QStringLiteral("Я&зык"));
    for (QCheckBox* c :
         {f.CheckBox1, f.CheckBox2, f.CheckBox3, f.CheckBox4, f.CheckBox5, f.CheckBox6})
        EXPECT_FALSE(c->isChecked()) << c->objectName().toStdString();
    EXPECT_EQ(f.CheckBox6->text(),
              QStringLiteral("Отображать &строку \"З правом одного підпису\""));
    EXPECT_EQ(Editable(f), "....");
    for (QLineEdit* e : {f.Edit1, f.Edit2, f.Edit3, f.Edit4}) {
        // Grey like a button face, and skipped by Tab.
        EXPECT_EQ(e->palette().color(QPalette::Base), f.palette().color(QPalette::Button));
        EXPECT_EQ(e->focusPolicy(), Qt::NoFocus);
    }
    EXPECT_EQ(f.Edit1->text(), QStringLiteral(", в т.ч. ПДВ [NDS] грн."));
    EXPECT_EQ(f.Edit4->text(), QStringLiteral(", без НДС"));
    EXPECT_EQ(f.RadioGroup1->ItemIndex(), 0);
    EXPECT_EQ(f.RadioGroup2->ItemIndex(), 0);
    EXPECT_EQ(f.RadioGroup3->ItemIndex(), 0);
    EXPECT_EQ(f.RadioGroup2->Button(0)->text(), QStringLiteral("Язык бланка"));
    EXPECT_FALSE(f.Modified);
    EXPECT_FALSE(f.ButApply->isEnabled());
    EXPECT_TRUE(f.ButOK->isDefault());
    EXPECT_TRUE(Boxes.Boxes.empty());
}

TEST_F(OptFormTest, OpeningReloadsTheStoredValuesOverTheOnesInMemory) {
    Store(Head + W("\"BoldPolName\"=dword:00000001\r\n\"strBezNDS\"=\"без ПДВ\"\r\n"
                   "\"BlankLang\"=dword:00000001\r\n"));
    TOptions o;
    o.ShowCopyNumber = true;               // not stored: memory wins
    o.BlankLang = blank::TLang::Ukrainian; // stored: the registry wins
    TOptForm f(o);
    f.show();
    EXPECT_TRUE(f.CheckBox2->isChecked());
    EXPECT_TRUE(f.CheckBox5->isChecked());
    EXPECT_EQ(f.Edit2->text(), QStringLiteral("без ПДВ"));
    EXPECT_EQ(f.RadioGroup1->ItemIndex(), 1);
    EXPECT_EQ(o.BlankLang, blank::TLang::Russian);
    EXPECT_FALSE(f.ButApply->isEnabled()) << "filling the controls is no change";
}

TEST_F(OptFormTest, OnlyTheTextOfTheAmountsLanguageIsEditable) {
    TOptions o;
    o.BlankKind = blank::TBlankKind::PaymentOrder; // the blank of two languages
    o.Save();
    TOptForm f(o);
    f.show();
    // The sequence a user goes through, by clicks.
    Click(f.CheckBox3);
    EXPECT_EQ(Editable(f), "1...");
    EXPECT_TRUE(f.ButApply->isEnabled());
    EXPECT_EQ(f.Edit1->palette().color(QPalette::Base), f.palette().color(QPalette::Base));
    EXPECT_EQ(f.Edit1->focusPolicy(), Qt::StrongFocus);
    f.PageControl1->setCurrentIndex(1);
    Click(f.RadioGroup1->Button(1)); // blank in Russian
    EXPECT_EQ(Editable(f), ".3..");
    Click(f.RadioGroup3->Button(1)); // amount in Ukrainian
    EXPECT_EQ(Editable(f), "1...");
    f.PageControl1->setCurrentIndex(0);
    Click(f.CheckBox4);
    EXPECT_EQ(Editable(f), "1.2.");
    Click(f.CheckBox3);
    EXPECT_EQ(Editable(f), "..2.");
}

// The editable texts are the ones the output appends: every kind of blank, blank language and
// amount language (indices of the radio groups; -1 selects nothing, which counts as the
// first choice), and the two flags.
TEST_F(OptFormTest, TheEditableTextsAreTheOnesTheBlankPrints) {
    TOptions o;
    TOptForm f(o);
    f.show();
    struct Case {
        int kind, blank, suma; // 0 the order, 1 the instruction; Ukr, Rus; as blank, Ukr, Rus
        bool nds, bez;
        const char* editable;
    };
    const Case cases[] = {
        {0, 0, 0, true, true, "1.2."},   {0, 0, 1, true, true, "1.2."},
        {0, 0, 2, true, true, ".3.4"},   {0, 1, 0, true, true, ".3.4"},
        {0, 1, 1, true, true, "1.2."},   {0, 1, 2, true, true, ".3.4"},
        {1, 0, 0, true, true, "1.2."},   {1, 0, 1, true, true, "1.2."},
        {1, 0, 2, true, true, ".3.4"},   {1, 1, 0, true, true, "1.2."},
        {1, 1, 1, true, true, "1.2."},   {1, 1, 2, true, true, ".3.4"},
        {-1, 1, 0, true, true, ".3.4"},  {0, -1, 0, true, true, "1.2."},
        {0, 1, -1, true, true, ".3.4"},  {1, 1, -1, true, true, "1.2."},
        {0, 1, 0, false, true, "...4"},  {1, 0, 2, true, false, ".3.."},
        {0, 0, 0, false, false, "...."},
    };
    for (const Case& c : cases) {
        f.CheckBox3->setChecked(c.nds);
        f.CheckBox4->setChecked(c.bez);
        f.RadioGroup4->SetItemIndex(c.kind);
        f.RadioGroup1->SetItemIndex(c.blank);
        f.RadioGroup3->SetItemIndex(c.suma);
        f.UpdateControls(); // clearing a group is no click, and only the program does it
        EXPECT_EQ(Editable(f), c.editable) << "kind " << c.kind << " blank " << c.blank
                                           << " amount " << c.suma << " " << c.nds << c.bez;
    }
}

TEST_F(OptFormTest, EveryControlMarksTheDialogModified) {
    TOptions o;
    TOptForm f(o);
    f.show();
    std::vector<std::function<void()>> changes = {[&] { f.CheckBox1->click(); },
                                                  [&] { f.CheckBox2->click(); },
                                                  [&] { f.CheckBox3->click(); },
                                                  [&] { f.CheckBox4->click(); },
                                                  [&] { f.CheckBox5->click(); },
                                                  [&] { f.CheckBox6->click(); },
                                                  [&] { f.Edit1->setText("x"); },
                                                  [&] { f.Edit2->setText("x"); },
                                                  [&] { f.Edit3->setText("x"); },
                                                  [&] { f.Edit4->setText("x"); },
                                                  [&] { f.RadioGroup1->Button(1)->click(); },
                                                  [&] { f.RadioGroup2->Button(2)->click(); },
                                                  [&] { f.RadioGroup3->Button(1)->click(); },
                                                  [&] { f.RadioGroup4->Button(0)->click(); },
                                                  [&] { f.RadioGroup5->Button(0)->click(); }};
    for (size_t i = 0; i < changes.size(); ++i) {
        f.Modified = false;
        f.UpdateControls();
        changes[i]();
        EXPECT_TRUE(f.ButApply->isEnabled()) << "change " << i;
    }
}

// The blank's kind and the interface language are chosen on the languages' page, stored by
// OK like the others, and read back; without a stored kind the dialog shows the payment
// instruction, without a stored language the locale's. OK puts the language in use at once.
// Every control is reached from the keyboard in either language: Alt and a letter of a
// caption opens a page or moves the focus into a group.
TEST_F(OptFormTest, MnemonicsReachThePagesAndTheGroups) {
    struct Step {
        char16_t Letter;
        int Page;                      // the page shown after the key
        TRadioGroup* TOptForm::*Group; // the group the focus is in, or none
    };
    struct Case {
        blank::TLang Lang;
        std::vector<Step> Steps;
    };
    const Case cases[] = {
        {blank::TLang::Russian,
         {{u'З', 1, nullptr},
          {u'В', 1, &TOptForm::RadioGroup4},
          {u'Б', 1, &TOptForm::RadioGroup1},
          {u'Д', 1, &TOptForm::RadioGroup2},
          {u'У', 1, &TOptForm::RadioGroup3},
          {u'П', 1, &TOptForm::RadioGroup5},
          {u'О', 0, nullptr}}},
        {blank::TLang::Ukrainian,
         {{u'М', 1, nullptr},
          {u'В', 1, &TOptForm::RadioGroup4},
          {u'Б', 1, &TOptForm::RadioGroup1},
          {u'Д', 1, &TOptForm::RadioGroup2},
          {u'У', 1, &TOptForm::RadioGroup3},
          {u'П', 1, &TOptForm::RadioGroup5},
          {u'З', 0, nullptr}}},
    };
    for (const Case& c : cases) {
        SetInterfaceLanguage(c.Lang);
        TOptions o;
        TOptForm f(o);
        f.show();
        f.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
        // No two captions that can be seen together share their letter.
        for (QWidget* page : {f.TabSheet1, f.TabSheet2}) {
            QStringList captions = {f.PageControl1->tabText(0), f.PageControl1->tabText(1),
                                    f.ButApply->text()};
            for (QAbstractButton* b : page->findChildren<QAbstractButton*>())
                captions.append(b->text());
            for (QGroupBox* g : page->findChildren<QGroupBox*>())
                captions.append(g->title());
            std::set<int> letters;
            for (const QString& caption : captions) {
                const int letter = QKeySequence::mnemonic(caption)[0].toCombined();
                if (letter != 0) {
                    EXPECT_TRUE(letters.insert(letter).second) << caption.toStdString();
                }
            }
        }
        for (const Step& step : c.Steps) {
            // A Cyrillic key, with its text: keyClick knows Latin letters only.
            QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : &f;
            for (const QTest::KeyAction action : {QTest::Press, QTest::Release})
                QTest::sendKeyEvent(action, target, static_cast<Qt::Key>(step.Letter),
                                    QString(QChar(step.Letter)), Qt::AltModifier);
            EXPECT_EQ(f.PageControl1->currentIndex(), step.Page) << static_cast<int>(step.Letter);
            if (step.Group) {
                EXPECT_TRUE((f.*step.Group)->isAncestorOf(QApplication::focusWidget()))
                    << static_cast<int>(step.Letter);
            }
        }
    }
    SetInterfaceLanguage(blank::TLang::Russian);
}

TEST_F(OptFormTest, TheKindOfBlankAndTheInterfaceLanguageAreChosenAndStored) {
    TOptions o;
    {
        TOptForm f(o);
        f.show();
        EXPECT_EQ(f.RadioGroup4->ItemIndex(), 1);
        EXPECT_EQ(f.RadioGroup5->ItemIndex(), blank::CodeOf(TOptions::DefaultUiLang));
        EXPECT_EQ(f.RadioGroup4->parentWidget(), f.TabSheet2);
        f.PageControl1->setCurrentIndex(1);
        Click(f.RadioGroup4->Button(0));
        Click(f.RadioGroup5->Button(0));
        Click(f.ButOK);
    }
    EXPECT_EQ(o.BlankKind, blank::TBlankKind::PaymentOrder);
    EXPECT_EQ(Reloaded().BlankKind, blank::TBlankKind::PaymentOrder);
    EXPECT_EQ(Reloaded().UiLang, blank::TLang::Ukrainian);
    EXPECT_EQ(InterfaceLanguage(), blank::TLang::Ukrainian);
    TOptForm again(o);
    again.show();
    EXPECT_EQ(again.RadioGroup4->ItemIndex(), 0);
    EXPECT_EQ(again.RadioGroup5->ItemIndex(), 0);
    EXPECT_EQ(again.windowTitle(), QStringLiteral("Налаштування"));
    SetInterfaceLanguage(blank::TLang::Russian);
    QCoreApplication::processEvents(); // the language change reaches the open dialog
    EXPECT_EQ(again.windowTitle(), QStringLiteral("Настройки"));
}

TEST_F(OptFormTest, ApplyStoresAndCancelKeepsWhatWasApplied) {
    TOptions o;
    {
        TOptForm f(o);
        f.show();
        Click(f.CheckBox1);
        f.PageControl1->setCurrentIndex(1);
        Click(f.RadioGroup2->Button(2));
        Click(f.ButApply);
        EXPECT_FALSE(f.ButApply->isEnabled());
        EXPECT_TRUE(f.isVisible());
        // A change after Apply is dropped by Cancel.
        f.PageControl1->setCurrentIndex(0);
        Click(f.CheckBox2);
        Click(f.ButCancel);
        EXPECT_FALSE(f.isVisible());
        EXPECT_EQ(f.result(), QDialog::Rejected);
    }
    EXPECT_TRUE(o.BoldPlatName);
    EXPECT_FALSE(o.BoldPolName);
    EXPECT_EQ(o.DateLang, blank::TLangChoice::Russian);
    const TOptions stored = Reloaded();
    EXPECT_TRUE(stored.BoldPlatName);
    EXPECT_FALSE(stored.BoldPolName);
    EXPECT_EQ(stored.DateLang, blank::TLangChoice::Russian);

    TOptions fresh;
    TOptForm again(fresh);
    again.show();
    EXPECT_TRUE(again.CheckBox1->isChecked());
    EXPECT_FALSE(again.CheckBox2->isChecked());
    EXPECT_EQ(again.RadioGroup2->ItemIndex(), 2);
}

TEST_F(OptFormTest, CancelAloneStoresNothing) {
    Store(Head + "\"fNDS\"=dword:00000001\r\n");
    const std::string before = Stored();
    TOptions o;
    for (int way = 0; way < 3; ++way) {
        TOptForm f(o);
        f.show();
        f.CheckBox3->click();
        f.Edit1->setText("changed");
        if (way == 0)
            Click(f.ButCancel);
        else if (way == 1)
            QTest::keyClick(f.Edit1, Qt::Key_Escape);
        else
            f.close(); // the title bar's close button
        EXPECT_FALSE(f.isVisible()) << way;
        EXPECT_EQ(Stored(), before) << way;
        EXPECT_TRUE(o.fNDS) << way;
        EXPECT_EQ(U(o.strNDS), ", в т.ч. ПДВ [NDS] грн.") << way;
    }
}

TEST_F(OptFormTest, OkWithoutAChangeWritesAllThirteenValuesAndCreatesTheKey) {
    ASSERT_FALSE(fs::exists(File));
    TOptions o;
    TOptForm f(o);
    f.show();
    Click(f.ButOK);
    EXPECT_FALSE(f.isVisible());
    EXPECT_EQ(f.result(), QDialog::Accepted);
    ASSERT_TRUE(fs::exists(File));
    const std::string text = Stored();
    EXPECT_NE(text.find("[HKEY_LOCAL_MACHINE\\Software\\Morvane\\Vantrel]"), std::string::npos);
    for (const char* name : ValueNames)
        EXPECT_NE(text.find("\"" + std::string(name) + "\"="), std::string::npos) << name;
    EXPECT_NE(text.find("\"DateLang\"=dword:ffffffff"), std::string::npos) << text;
    EXPECT_EQ(U(Reloaded().strNDSRus), ", в т.ч. НДС [NDS] грн.");
    EXPECT_TRUE(Boxes.Boxes.empty());
}

TEST_F(OptFormTest, EnterIsOkAndStoresTheEditedText) {
    TOptions o;
    TOptForm f(o);
    f.show();
    f.CheckBox3->click();
    f.Edit1->setText(QStringLiteral("у т.ч. ПДВ [NDS] ґрн"));
    QTest::keyClick(f.Edit1, Qt::Key_Return);
    EXPECT_FALSE(f.isVisible());
    EXPECT_EQ(U(Reloaded().strNDS), "у т.ч. ПДВ [NDS] ґрн");
    EXPECT_TRUE(Reloaded().fNDS);
}

// A value that cannot be taken (of the wrong type, or a hand-edited code that names no
// language) is named when the dialog opens; the dialog shows its default and every other
// value as stored, and OK stores what it shows.
TEST_F(OptFormTest, AValueThatCannotBeTakenOpensAsItsDefaultAndOkStoresWhatIsShown) {
    const std::pair<const char*, const char*> cases[] = {
        {"\"1\"", "неверного типа"},
        {"dword:00000007", "вне допустимых пределов"},
        {"dword:fffffffb", "вне допустимых пределов"},
        {"dword:7fffffff", "вне допустимых пределов"},
        {"dword:80000000", "вне допустимых пределов"},
    };
    for (const auto& [stored, finding] : cases) {
        SCOPED_TRACE(stored);
        Boxes.Boxes.clear();
        Store(Head + "\"BoldPolName\"=dword:00000001\r\n\"DateLang\"=" + stored +
              "\r\n\"SumaLang\"=dword:00000001\r\n");
        TOptions o;
        TOptForm f(o);
        f.show();
        EXPECT_EQ(Boxes.TextsUtf8(),
                  std::vector<std::string>{"В файле настроек значение \"DateLang\" " +
                                           std::string(finding) + "; взято значение по умолчанию"});
        EXPECT_TRUE(f.CheckBox2->isChecked());
        EXPECT_EQ(f.RadioGroup2->ItemIndex(), 0); // as the blank
        EXPECT_EQ(f.RadioGroup3->ItemIndex(), 2);
        EXPECT_FALSE(f.ButApply->isEnabled());
        Click(f.ButOK);
        for (const char* line : {"\"DateLang\"=dword:ffffffff", "\"SumaLang\"=dword:00000001",
                                 "\"BoldPolName\"=dword:00000001"})
            EXPECT_NE(Stored().find(line), std::string::npos) << Stored();
    }
}

TEST_F(OptFormTest, AStoreThatFailsOnOkKeepsTheDialogOpenAndCancelStillCloses) {
    TOptions o;
    TOptForm f(o);
    f.show();
    f.CheckBox1->click();
    platform::SetWriteFaultForTesting([](platform::TWriteStep) { return true; });
    Click(f.ButOK);
    ASSERT_EQ(Boxes.Boxes.size(), 1u);
    EXPECT_EQ(Boxes.Boxes[0].Text, "Failed to set data for 'BoldPlatName': Input/output error");
    EXPECT_EQ(U(Boxes.Boxes[0].Caption), "Ошибка");
    EXPECT_EQ(Boxes.Boxes[0].Icon, platform::TMsgIcon::Error);
    EXPECT_TRUE(f.isVisible());

    // Every further "OK" tries again; closing any other way gives up without storing.
    Click(f.ButOK);
    EXPECT_EQ(Boxes.Boxes.size(), 2u);
    EXPECT_TRUE(f.isVisible());
    Click(f.ButCancel);
    EXPECT_FALSE(f.isVisible());
    EXPECT_EQ(Boxes.Boxes.size(), 2u);
    EXPECT_FALSE(fs::exists(File));
}

TEST_F(OptFormTest, EscapeAndTheCloseButtonAlsoGiveUpAfterAFailedOk) {
    for (int way = 0; way < 2; ++way) {
        TOptions o;
        TOptForm f(o);
        f.show();
        platform::SetWriteFaultForTesting([](platform::TWriteStep) { return true; });
        Click(f.ButOK);
        EXPECT_TRUE(f.isVisible());
        if (way == 0)
            QTest::keyClick(&f, Qt::Key_Escape);
        else
            f.close();
        EXPECT_FALSE(f.isVisible()) << way;
        EXPECT_EQ(Boxes.Boxes.size(), static_cast<size_t>(way + 1));
        platform::SetWriteFaultForTesting(nullptr);
    }
}

TEST_F(OptFormTest, AnApplyThatFailsLeavesApplyEnabled) {
    TOptions o;
    TOptForm f(o);
    f.show();
    f.CheckBox5->click();
    platform::SetWriteFaultForTesting([](platform::TWriteStep) { return true; });
    Click(f.ButApply);
    ASSERT_EQ(Boxes.Boxes.size(), 1u);
    EXPECT_TRUE(f.ButApply->isEnabled());
    platform::SetWriteFaultForTesting(nullptr);
    Click(f.ButApply);
    EXPECT_FALSE(f.ButApply->isEnabled());
    EXPECT_TRUE(Reloaded().ShowCopyNumber);
}

TEST_F(OptFormTest, ShowOptionsRunsTheDialogModallyOnTheGivenOptions) {
    TOptions o;
    bool acted = false;
    QTimer::singleShot(0, [&] {
        auto* f = dynamic_cast<TOptForm*>(QApplication::activeModalWidget());
        if (!f) {
            ADD_FAILURE() << "the dialog is not the modal window";
            // Close it anyway, or the test would wait for ever.
            for (QWidget* w : QApplication::topLevelWidgets())
                if (auto* form = dynamic_cast<TOptForm*>(w); form && form->isVisible())
                    form->reject();
            return;
        }
        acted = true;
        EXPECT_EQ(f->PageControl1->currentIndex(), 0);
        f->CheckBox6->click();
        f->ButOK->click();
    });
    ShowOptions(o);
    EXPECT_TRUE(acted);
    EXPECT_TRUE(o.ShowOneSignatureRights);
    EXPECT_TRUE(Reloaded().ShowOneSignatureRights);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

// Pictures of the dialog for the documentation, only when asked for:
// VANTREL_SCREENSHOTS=<folder>.
TEST_F(OptFormTest, Screenshots) {
    const char* folder = std::getenv("VANTREL_SCREENSHOTS");
    if (!folder || !*folder)
        GTEST_SKIP() << "VANTREL_SCREENSHOTS not set";
    TOptions o;
    o.fNDS = true;
    o.BoldPlatName = true;
    TOptForm f(o);
    f.show();
    QTest::qWait(50);
    EXPECT_TRUE(f.grab().save(QString::fromLocal8Bit(folder) + "/options-general.png"));
    f.PageControl1->setCurrentIndex(1);
    QTest::qWait(50);
    EXPECT_TRUE(f.grab().save(QString::fromLocal8Bit(folder) + "/options-language.png"));
}

} // namespace
