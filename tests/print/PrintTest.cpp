// The command-line renderer: what it reports by its exit status, and that it writes exactly
// the document the window's output command writes for the same stored order.

#include "print/Print.h"
#include "editor/PlatEditor.h"
#include "platform/Desktop.h"
#include "settings/Options.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace testing_support;
using editor::TField;
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

class PrintTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::SetDesktopOpenerForTesting([this](const std::string& p) { Opened.push_back(p); });
    }
    void TearDown() override { platform::SetDesktopOpenerForTesting(nullptr); }

    TScratch S;
    TTempDir out;
    TRecordingBoxes boxes;
    std::vector<std::string> Opened;
};

} // namespace

TEST_F(PrintTest, TheWindowAndTheRendererWriteTheSameDocument) {
    editor::TPlatEditor window;
    window.FormShow(S.Program.Path());
    window.SelectDataFile = [](int) { return std::string(); };
    for (const auto& f : editor::RecordFields)
        window.SetText(f.Field, RealisticOrder().*f.Member);
    window.SaveOrder(); // the renderer reads the stored order
    const fs::path plt = S.Data() / (U(window.Text(TField::PlatFileName)) + ".plt");
    ASSERT_TRUE(fs::exists(plt));
    // The same order is what the window shows after loading it: a "-" field comes back
    // empty from the file.
    window.SelectDataFile = [&](int) { return window.Text(TField::PlatFileName); };
    window.LoadPlat();

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
        TOptions& o = window.Options;
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

        Opened.clear();
        boxes.Answer(true); // the order's recipient code fails its check: print all the same
        window.Output();
        ASSERT_EQ(Opened.size(), 1u);
        EXPECT_EQ(Opened.back(), (S.Temp.Path() / "~temp1.rtf").string());
        const fs::path rtf = out / "blank.rtf";
        ASSERT_EQ(Print({"-o", rtf.string(), plt.string()}), 0);
        EXPECT_EQ(ReadFileBytes(rtf), ReadFileBytes(Opened.back())) << "blank " << v.blank;
    }
    for (const auto& box : boxes.Boxes)
        EXPECT_EQ(U(box.Text), "Перед печатью проверьте платежку:\n"
                               "– Код ЄДРПОУ получателя: неверная контрольная цифра\n\n"
                               "Печатать как есть?");
    EXPECT_FALSE(window.PlatModified); // the output changes nothing in the window
}

TEST_F(PrintTest, TheRendererReportsWhatItCannotDoByItsExitStatus) {
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
    fs::create_directories(S.Config / "Morvane");
    WriteFileBytes(S.Config / "Morvane" / "Vantrel.reg",
                   "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\Software\\Morvane\\Vantrel]\r\n"
                   "\"DateLang\"=\"1\"\r\n");
    EXPECT_EQ(Print({"-o", rtf.string(), (out / "good.plt").string()}), 2);
    fs::remove(S.Config / "Morvane" / "Vantrel.reg");
    EXPECT_EQ(Print({"-o", rtf.string(), (out / "good.plt").string()}), 0);
    EXPECT_TRUE(fs::exists(rtf));
    EXPECT_EQ(Print({"-o", (out / "no" / "such" / "x.rtf").string(), (out / "good.plt").string()}),
              3);
    // Without -o the renderer opens the document as the button does.
    EXPECT_EQ(Print({(out / "good.plt").string()}), 0);
    ASSERT_EQ(Opened.size(), 1u);
    EXPECT_EQ(Opened[0], (S.Temp.Path() / "~temp1.rtf").string());
}

// What the window would ask about is listed on standard error, and the document is written
// all the same.
TEST_F(PrintTest, TheRendererListsWhatIsWrongOrWillNotShowAndPrints) {
    store::TPlatRecord order = RealisticOrder();
    order.RecipientOKPO = "14360570";
    order.PayerName = W("ТОВ \"Альфа\"");
    order.Purpose = W("Оплата за товар");
    struct Case {
        const char* What;
        std::function<void(store::TPlatRecord&)> Change;
        std::string Listed;
    };
    const Case cases[] = {
        {"short texts", [](store::TPlatRecord&) {}, ""},
        {"a long bank",
         [](store::TPlatRecord& r) {
             r.RecipientBank = W("АТ \"Державний ощадний банк України\"");
             r.RecipientBank2 = W("Київське обласне управління");
         },
         "vantrel-print: Банк получателя, вторая строка: не виден на бланке целиком\n"},
        {"a purpose of eight lines",
         [](store::TPlatRecord& r) { r.Purpose = W(std::string(8 * 70, 'x') + " end"); },
         "vantrel-print: Назначение платежа: не виден на бланке целиком\n"},
        {"a wrong IBAN",
         [](store::TPlatRecord& r) { r.PayerAccount = "UA213223130000026007233566002"; },
         "vantrel-print: МФО плательщика не совпадает с кодом банка в IBAN (322313)\n"
         "vantrel-print: IBAN плательщика: неверная контрольная сумма\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.What);
        store::TPlatRecord r = order;
        c.Change(r);
        store::WritePlat(out / "order.plt", r);
        const fs::path rtf = out / "order.rtf";
        fs::remove(rtf);
        testing::internal::CaptureStderr();
        EXPECT_EQ(Print({"-o", rtf.string(), (out / "order.plt").string()}), 0);
        EXPECT_EQ(testing::internal::GetCapturedStderr(), c.Listed);
        EXPECT_TRUE(fs::exists(rtf));
    }
}
