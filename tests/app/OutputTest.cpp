// The output command of the window and the command-line renderer: the same checks, the
// same document, byte for byte.

#include "app/MainForm.h"
#include "app/Print.h"
#include "platform/Clock.h"
#include "platform/Desktop.h"
#include "settings/Options.h"
#include "settings/forms/Opt.h"
#include "store/forms/Open.h"

#include "support/TestSupport.h"

#include <QApplication>
#include <QCheckBox>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <cstdlib>

using namespace testing_support;
using namespace std::chrono;
namespace fs = std::filesystem;

namespace {

int Print(std::vector<std::string> args) {
    args.insert(args.begin(), "vantrel-print");
    std::vector<char*> argv;
    for (auto& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    return VantrelPrint(static_cast<int>(args.size()), argv.data());
}

class OutputTest : public ::testing::Test {
protected:
    void SetUp() override {
        ::setenv("XDG_CONFIG_HOME", config.Path().c_str(), 1);
        const char* tmp = std::getenv("TMPDIR");
        savedTmp = tmp ? tmp : "";
        hadTmp = tmp != nullptr;
        ::setenv("TMPDIR", temp.Path().c_str(), 1);
        platform::SetTodayForTesting(year{2026} / 12 / 7);
        platform::SetDesktopOpenerForTesting([this](const std::string& p) { Opened.push_back(p); });
        form = std::make_unique<TMainForm>();
        form->ProgramDir = program.Path();
        form->show();
    }
    void TearDown() override {
        form.reset();
        platform::SetDesktopOpenerForTesting(nullptr);
        platform::SetTodayForTesting(std::nullopt);
        if (hadTmp)
            ::setenv("TMPDIR", savedTmp.c_str(), 1);
        else
            ::unsetenv("TMPDIR");
    }

    void FillRealistic() {
        auto set = [](TEdit* e, const char* utf8) { TMainForm::SetText(e, W(utf8)); };
        auto* f = form.get();
        set(f->Edit15, "125");
        set(f->Edit21, "05.01.2026");
        set(f->Edit2, "ТОВ \"Альфа\" {дужки} \\ слеш");
        set(f->Edit3, "АТ КБ «ПриватБанк»");
        set(f->Edit23, "Київ");
        set(f->Edit5, "12345678");
        set(f->Edit6, "305299");
        set(f->Edit7, "26001234567");
        set(f->Edit9, "ПП Ромашка №1");
        set(f->Edit10, "-");
        set(f->Edit12, "87654321");
        set(f->Edit13, "300465");
        set(f->Edit14, "26007654321");
        set(f->Edit16, "1500");
        set(f->Edit17, "5");
        set(f->Edit20, "Оплата за канцтовари згідно рахунку № 15 від 01.01.2026, довгий текст "
                       "призначення платежу, що переноситься в клітинці");
    }

    // Presses the output button; returns the written document ("" when nothing opened).
    std::string Output() {
        const size_t before = Opened.size();
        form->SpeedButton8->click();
        if (Opened.size() == before)
            return {};
        return ReadFileBytes(Opened.back());
    }

    TTempDir config, program, temp, out;
    TRecordingBoxes boxes;
    std::unique_ptr<TMainForm> form;
    std::vector<std::string> Opened;
    std::string savedTmp;
    bool hadTmp = false;
};

} // namespace

TEST_F(OutputTest, TheThreeChecksStopBeforeAnythingIsWritten) {
    struct Case {
        const char *number, *date, *grn, *message;
    } cases[] = {
        {"12345678901", "01.01.2026", "1", "Не задан либо задан некорректно номер платежки"},
        {"1", "31.02.2026", "1", "Некорректно задана дата"},
        {"1", "", "1", "Некорректно задана дата"},
        {"1", "01.01.2026", "-5", "Некорректно задана сумма"},
        {"1", "01.01.2026", "1e3", "Некорректно задана сумма"},
    };
    for (const auto& c : cases) {
        boxes.Boxes.clear();
        TMainForm::SetText(form->Edit15, c.number);
        TMainForm::SetText(form->Edit21, c.date);
        TMainForm::SetText(form->Edit16, c.grn);
        const bool modified = form->PlatModified;
        EXPECT_EQ(Output(), "");
        ASSERT_EQ(boxes.Boxes.size(), 1u) << c.message;
        EXPECT_EQ(U(boxes.Boxes[0].Text), c.message);
        EXPECT_EQ(U(boxes.Boxes[0].Caption), "Квирен");
        EXPECT_EQ(boxes.Boxes[0].Icon, platform::TMsgIcon::Exclamation);
        EXPECT_EQ(form->PlatModified, modified);
    }
    EXPECT_TRUE(fs::is_empty(temp.Path()));
}

TEST_F(OutputTest, TheWindowAndTheRendererWriteTheSameDocument) {
    FillRealistic();
    form->SpeedButton3->click(); // the renderer reads the stored order
    ASSERT_TRUE(boxes.Boxes.empty());
    const std::string name = W("№ 0125 от 05.01.2026 - ПП Ромашка №1");
    const fs::path plt = program / "Data" / (U(name) + ".plt");
    ASSERT_TRUE(fs::exists(plt));
    // The same order is what the window shows after loading it: a "-" field, say, comes
    // back empty from the file.
    SetSelectDataFileForTesting([&](int) { return name; });
    form->SpeedButton2->click();
    SetSelectDataFileForTesting(nullptr);
    EXPECT_EQ(TMainForm::Text(form->Edit10), "");

    struct Variant {
        int blank, date, suma;
        bool boldPlat, boldPol, copies, oneSignature, nds, bezNds;
    } variants[] = {
        {0, -1, -1, false, false, false, false, false, false},
        {1, -1, -1, true, true, true, true, true, true},
        {0, 1, 0, false, true, false, true, true, false},
        {1, 0, 1, true, false, true, false, false, true},
    };
    for (const auto& v : variants) {
        TOptions& o = *form->Options;
        o.BlankLang = v.blank;
        o.DateLang = v.date;
        o.SumaLang = v.suma;
        o.BoldPlatName = v.boldPlat;
        o.BoldPolName = v.boldPol;
        o.ShowCopyNumber = v.copies;
        o.ShowOneSignatureRights = v.oneSignature;
        o.fNDS = v.nds;
        o.fBezNDS = v.bezNds;
        o.Save();

        const std::string shown = Output();
        ASSERT_FALSE(shown.empty());
        EXPECT_EQ(Opened.back(), (temp.Path() / "~temp1.rtf").string());
        const fs::path rtf = out / "blank.rtf";
        ASSERT_EQ(Print({"-o", rtf.string(), plt.string()}), 0);
        EXPECT_EQ(ReadFileBytes(rtf), shown) << "blank " << v.blank;
    }
    EXPECT_TRUE(boxes.Boxes.empty());
    // The window and its flags are untouched by the output.
    EXPECT_FALSE(form->PlatModified);
}

TEST_F(OutputTest, TheRendererReportsWhatItCannotDoByItsExitStatus) {
    const fs::path rtf = out / "x.rtf";
    EXPECT_EQ(Print({}), 64);
    EXPECT_EQ(Print({"--bogus", "a.plt"}), 64);
    EXPECT_EQ(Print({"-o"}), 64);
    EXPECT_EQ(Print({"a.plt", "b.plt"}), 64);
    EXPECT_EQ(Print({"--help"}), 0);
    EXPECT_EQ(Print({"-o", rtf.string(), (out / "missing.plt").string()}), 2);
    WriteFileBytes(out / "new.plt", "102\r\n1\r\n01.01.2026\r\n");
    EXPECT_EQ(Print({"-o", rtf.string(), (out / "new.plt").string()}), 2);
    WriteFileBytes(out / "bad.plt", "101\r\n12345678901\r\n01.01.2026\r\n");
    EXPECT_EQ(Print({"-o", rtf.string(), (out / "bad.plt").string()}), 1);
    EXPECT_FALSE(fs::exists(rtf));

    WriteFileBytes(out / "good.plt", "101\r\n7\r\n01.01.2026\r\n");
    fs::create_directories(config / "Morvane");
    WriteFileBytes(config / "Morvane" / "Vantrel.reg",
                   "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\Software\\Morvane\\Vantrel]\r\n"
                   "\"DateLang\"=\"1\"\r\n");
    EXPECT_EQ(Print({"-o", rtf.string(), (out / "good.plt").string()}), 2);
    fs::remove(config / "Morvane" / "Vantrel.reg");
    EXPECT_EQ(Print({"-o", rtf.string(), (out / "good.plt").string()}), 0);
    EXPECT_TRUE(fs::exists(rtf));
    EXPECT_EQ(Print({"-o", (out / "no" / "such" / "x.rtf").string(), (out / "good.plt").string()}),
              3);
    // Without -o the renderer opens the document as the button does.
    EXPECT_EQ(Print({(out / "good.plt").string()}), 0);
    ASSERT_EQ(Opened.size(), 1u);
    EXPECT_EQ(Opened[0], (temp.Path() / "~temp1.rtf").string());
}

TEST_F(OutputTest, ASettingChangedInTheDialogReachesTheNextBlank) {
    FillRealistic();
    const std::string before = Output();
    ASSERT_FALSE(before.empty());
    bool acted = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = dynamic_cast<TOptForm*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        acted = true;
        dialog->CheckBox6->click(); // "З правом одного підпису"
        dialog->ButOK->click();
    });
    form->SpeedButton5->click();
    ASSERT_TRUE(acted);
    EXPECT_TRUE(form->Options->ShowOneSignatureRights);
    const std::string after = Output();
    EXPECT_NE(after, before);
    const std::string signature = "\\'ef\\'b3\\'e4\\'ef\\'e8\\'f1\\'f3"; // "підпису"
    EXPECT_EQ(before.find(signature), std::string::npos);
    EXPECT_NE(after.find(signature), std::string::npos);
}
