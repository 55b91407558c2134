// The command-line renderer: what it reports by its exit status, and that it writes exactly
// the document the window's output command writes for the same stored order.

#include "print/Print.h"
#include "editor/PlatEditor.h"
#include "platform/Desktop.h"

#include "editor/Fields.h"
#include "editor/Procs.h"
#include "platform/Clock.h"
#include "platform/Locale.h"
#include "settings/Options.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <iostream>
#include <map>
#include <sstream>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

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
        // These orders are laid out on the blank 0410001, which lists the empty bank codes.
        TOptions o;
        o.BlankKind = blank::TBlankKind::PaymentOrder;
        o.UiLang = blank::TLang::Russian; // the messages below, whatever the locale
        o.Save();
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
    window.SetRecord(RealisticOrder());
    // Both VAT wordings, stored with the order: their language follows the options.
    window.SetText(TField::NDSChoice, "3");
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
    int shown = 0;
    for (const auto& v : variants) {
        TOptions& o = window.Options;
        o.BlankKind = blank::TBlankKind::PaymentOrder;
        o.UiLang = blank::TLang::Russian;
        o.BlankLang = *blank::LangOf(v.blank);
        o.DateLang = *blank::LangChoiceOf(v.date);
        o.SumaLang = *blank::LangChoiceOf(v.suma);
        o.BoldPlatName = v.boldPlat;
        o.BoldPolName = v.boldPol;
        o.ShowCopyNumber = v.copies;
        o.ShowOneSignatureRights = v.oneSignature;
        o.fNDS = v.nds;
        o.fBezNDS = v.bezNds;
        o.Save();

        Opened.clear();
        boxes.Answer(true); // the order's recipient code fails its check, its bank is empty: print
                            // all the same
        window.Output();
        ASSERT_EQ(Opened.size(), 1u);
        // Each blank keeps its own file while its viewer may still be starting.
        EXPECT_EQ(
            Opened.back(),
            (platform::TempDirectory() / ("~temp" + std::to_string(++shown) + ".rtf")).string());
        const fs::path rtf = out / "blank.rtf";
        ASSERT_EQ(Print({"-o", rtf.string(), plt.string()}), 0);
        EXPECT_EQ(ReadFileBytes(rtf), ReadFileBytes(Opened.back())) << "blank " << v.blank;
    }
    for (const auto& box : boxes.Boxes)
        EXPECT_EQ(U(box.Text), "Перед печатью проверьте платежку:\n"
                               "– Банк получателя: не заполнено\n"
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

    // A FIFO given as the order is refused at once, never waited on.
    ASSERT_EQ(::mkfifo((out / "fifo.plt").c_str(), 0600), 0);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(Print({"-o", rtf.string(), (out / "fifo.plt").string()}), 2);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));

    // A settings value of the wrong type is a finding: named, and the blank is written.
    store::TPlatRecord good = CompleteOrder();
    good[order::TField::Number] = "7";
    good[order::TField::Date] = "01.01.2026";
    store::WritePlat(out / "good.plt", good);
    fs::create_directories(S.Config / "Morvane");
    WriteFileBytes(S.Config / "Morvane" / "Vantrel.reg",
                   "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\Software\\Morvane\\Vantrel]\r\n"
                   "\"DateLang\"=\"1\"\r\n");
    EXPECT_EQ(Print({"-o", rtf.string(), (out / "good.plt").string()}), 0);
    EXPECT_EQ(boxes.TextsUtf8(), std::vector<std::string>{"В файле настроек значение "
                                                          "\"DateLang\" неверного типа; взято "
                                                          "значение по умолчанию"});
    EXPECT_TRUE(fs::exists(rtf));
    fs::remove(S.Config / "Morvane" / "Vantrel.reg");
    EXPECT_EQ(Print({"-o", (out / "no" / "such" / "x.rtf").string(), (out / "good.plt").string()}),
              3);
    // Without -o the renderer opens the document as the button does.
    EXPECT_EQ(Print({(out / "good.plt").string()}), 0);
    ASSERT_EQ(Opened.size(), 1u);
    EXPECT_EQ(Opened[0], (platform::TempDirectory() / "~temp1.rtf").string());
}

// With no application for RTF documents (an xdg-open that fails), the renderer says where
// the document is and fails; with one, it succeeds without waiting for the word processor.
TEST_F(PrintTest, ADocumentNobodyCanOpenIsReportedWithItsFile) {
    platform::SetDesktopOpenerForTesting(nullptr);
    const std::string oldPath = std::getenv("PATH") ? std::getenv("PATH") : "";
    store::TPlatRecord good = CompleteOrder();
    good[order::TField::Number] = "7";
    good[order::TField::Date] = "01.01.2026";
    store::WritePlat(out / "good.plt", good);
    struct Case {
        const char* Opener;
        int Status;
    } cases[] = {
        {"#!/bin/sh\nexit 3\n", 3}, {"#!/bin/sh\nexit 0\n", 0}, {"#!/bin/sh\nsleep 5\n", 0}};
    for (const Case& c : cases) {
        TTempDir bin;
        WriteFileBytes(bin / "xdg-open", c.Opener);
        fs::permissions(bin / "xdg-open", fs::perms::owner_all);
        ::setenv("PATH", (bin.Path().string() + ":" + oldPath).c_str(), 1);
        testing::internal::CaptureStderr();
        const auto start = std::chrono::steady_clock::now();
        EXPECT_EQ(Print({(out / "good.plt").string()}), c.Status) << c.Opener;
        EXPECT_LT(std::chrono::steady_clock::now() - start, platform::OpenerVerdict * 2);
        const std::string err = testing::internal::GetCapturedStderr();
        ::setenv("PATH", oldPath.c_str(), 1);
        if (c.Status == 3)
            EXPECT_EQ(err, "vantrel-print: Не найдена программа для просмотра документов RTF. "
                           "Документ сохранён в файле \"" +
                               (platform::TempDirectory() / "~temp1.rtf").string() +
                               "\". Установите текстовый процессор, например LibreOffice "
                               "Writer.\n");
        else
            EXPECT_EQ(err, "");
    }
}

TEST_F(PrintTest, EachRunWithoutOHandsItsOwnFileToTheViewerOrFailsWithStatus3) {
    WriteFileBytes(out / "a.plt", "101\r\n1\r\n01.01.2026\r\n");
    WriteFileBytes(out / "b.plt", "101\r\n2\r\n01.01.2026\r\n");
    // The second run comes before the first viewer has opened its file.
    ASSERT_EQ(Print({(out / "a.plt").string()}), 0);
    ASSERT_EQ(Print({(out / "b.plt").string()}), 0);
    ASSERT_EQ(Opened.size(), 2u);
    EXPECT_NE(Opened[0], Opened[1]);
    EXPECT_NE(ReadFileBytes(Opened[0]), ReadFileBytes(Opened[1]));

    for (int n = 1; n <= 99; ++n)
        WriteFileBytes(platform::TempDirectory() / (".~lock.~temp" + std::to_string(n) + ".rtf#"),
                       "");
    boxes.Boxes.clear();
    EXPECT_EQ(Print({(out / "a.plt").string()}), 3);
    EXPECT_EQ(Opened.size(), 2u);
    EXPECT_EQ(boxes.Boxes.size(), 1u);

    WriteFileBytes(out / "plain", "");
    ::setenv("TMPDIR", (out / "plain").c_str(), 1); // a file where the folder should be
    EXPECT_EQ(Print({(out / "a.plt").string()}), 3);
    EXPECT_EQ(Opened.size(), 2u);
}

// -o (and --pdf, which writes the same way) never changes what kind of thing its target is:
// a pipe or a device is written into, a file is replaced whole, the order itself and a
// write-protected file never; and what killed writes left beside the target goes.
TEST_F(PrintTest, EachKindOfTargetGetsTheDocumentOrIsLeftAsItWas) {
    store::TPlatRecord good = CompleteOrder();
    good[order::TField::Number] = "7";
    good[order::TField::Date] = "01.01.2026";
    store::WritePlat(out / "good.plt", good);
    const fs::path order = out / "good.plt";
    const std::string orderBytes = ReadFileBytes(order);
    enum TKind { Regular, Missing, Stdout, Fifo, DevNull, DevFull, Link, ReadOnly, Order, Folder };
    const std::pair<TKind, int> cases[] = {{Regular, 0}, {Missing, 0}, {Stdout, 0}, {Fifo, 0},
                                           {DevNull, 0}, {DevFull, 3}, {Link, 0},   {ReadOnly, 3},
                                           {Order, 64},  {Folder, 3}};
    for (const auto& [kind, status] : cases) {
        SCOPED_TRACE(kind);
        TTempDir dir;
        const fs::path target = kind == Stdout ? fs::path("-") : dir / "out.rtf";
        const fs::path real = dir / "real.rtf", stale = dir / ".vantrel~Ab12Cd";
        WriteFileBytes(real, "old");
        WriteFileBytes(stale, "");
        fs::last_write_time(stale, fs::file_time_type::clock::now() - std::chrono::hours(2));
        if (kind == Regular || kind == ReadOnly)
            WriteFileBytes(target, "old");
        if (kind == ReadOnly)
            fs::permissions(target, fs::perms::owner_read | fs::perms::others_read);
        if (kind == Fifo) {
            ASSERT_EQ(::mkfifo(target.c_str(), 0600), 0);
        }
        if ((kind == DevNull || kind == DevFull) &&
            ::mknod(target.c_str(), S_IFCHR | 0666, makedev(1, kind == DevNull ? 3 : 7)) != 0) {
            std::cout << "no device can be made here\n";
            continue;
        }
        if (kind == Link || kind == Order)
            fs::create_symlink(kind == Link ? real : order, target);
        if (kind == Folder)
            fs::create_directory(target);
        const auto type = fs::symlink_status(target).type();

        std::string streamed;
        std::thread reader;
        if (kind == Fifo)
            reader = std::thread([&] { streamed = ReadFileBytes(target); });
        if (kind == Stdout)
            testing::internal::CaptureStdout();
        testing::internal::CaptureStderr();
        EXPECT_EQ(Print({"-o", target.string(), order.string()}), status);
        const std::string err = testing::internal::GetCapturedStderr();
        if (kind == Stdout)
            streamed = testing::internal::GetCapturedStdout();
        if (reader.joinable()) {
            // Should the run never have opened the FIFO, its reader is let go.
            const int fd = ::open(target.c_str(), O_WRONLY | O_NONBLOCK);
            if (fd >= 0)
                ::close(fd);
            reader.join();
        }

        EXPECT_EQ(err.empty(), status == 0) << err;
        if (kind != Missing) {
            EXPECT_EQ(fs::symlink_status(target).type(), type) << "the target changed its kind";
        }
        const std::string written = kind == Stdout || kind == Fifo ? streamed
                                    : kind == Link                 ? ReadFileBytes(real)
                                    : fs::is_regular_file(target)  ? ReadFileBytes(target)
                                                                   : "";
        EXPECT_EQ(written.starts_with("{\\rtf1"), status == 0 && kind != DevNull);
        if (kind == ReadOnly) {
            EXPECT_EQ(written, "old");
            EXPECT_NE(err.find("Permission denied"), std::string::npos) << err;
        }
        EXPECT_EQ(ReadFileBytes(order), orderBytes);
        EXPECT_EQ(fs::exists(stale), kind == Stdout || kind == Order);
    }
}

// What the window would ask about is listed on standard error, and the document is written
// all the same.
TEST_F(PrintTest, TheRendererListsWhatIsWrongOrWillNotShowAndPrints) {
    store::TPlatRecord order = RealisticOrder();
    order[order::TField::RecipientOKPO] = "14360570";
    order[order::TField::RecipientBank] = W("АТ \"Ощадбанк\"");
    order[order::TField::PayerName] = W("ТОВ \"Альфа\"");
    order[order::TField::Purpose] = W("Оплата за товар");
    struct Case {
        const char* What;
        std::function<void(store::TPlatRecord&)> Change;
        std::string Listed;
    };
    const Case cases[] = {
        {"short texts", [](store::TPlatRecord&) {}, ""},
        {"a long bank",
         [](store::TPlatRecord& r) {
             r[order::TField::RecipientBank] = W("АТ \"Державний ощадний банк України\"");
             r[order::TField::RecipientBank2] = W("Київське обласне управління");
         },
         "vantrel-print: Банк получателя, вторая строка: не видно на бланке целиком\n"},
        {"a purpose of eight lines",
         [](store::TPlatRecord& r) {
             r[order::TField::Purpose] = W(std::string(8 * 70, 'x') + " end");
         },
         "vantrel-print: Назначение платежа: не видно на бланке целиком\n"},
        {"a wrong IBAN",
         [](store::TPlatRecord& r) {
             r[order::TField::PayerAccount] = "UA213223130000026007233566002";
         },
         "vantrel-print: Банк плательщика не совпадает с банком IBAN (АТ \"Укрексімбанк\")\n"
         "vantrel-print: МФО плательщика не совпадает с кодом банка в IBAN (322313)\n"
         "vantrel-print: IBAN плательщика: неверная контрольная сумма\n"},
        {"an empty name and a tax purpose",
         [](store::TPlatRecord& r) {
             r[order::TField::RecipientName] = "";
             r[order::TField::Purpose] = W("*;101;1234;Податок на прибуток;;");
         },
         "vantrel-print: Наименование получателя: не заполнено\n"
         "vantrel-print: Назначение платежа: код «1234» должен содержать 8 или 10 цифр\n"},
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

// Every golden order of the blank's tests, stored and printed to a PDF by the renderer: one
// page of A4 that shows each field of the order and every text of its blank, the amount in
// words and in digits among them. A case's values that only the layout's own callers set
// (copies, margins, second accounts) are left to the command's defaults.
TEST_F(PrintTest, APdfOfEveryGoldenOrderIsOneA4PageWithAllItsTexts) {
    // Compared without blanks: a text broken over lines reads as it is printed.
    auto bare = [](std::string text) {
        std::erase_if(text, [](char c) { return c == ' ' || c == '\n' || c == '\f'; });
        for (std::size_t at; (at = text.find("\xC2\xA0")) != std::string::npos;)
            text.erase(at, 2); // a non-breaking space
        return text;
    };
    int cases = 0;
    for (const auto& file : fs::directory_iterator(PRINT_TEST_CASES)) {
        SCOPED_TRACE(file.path().filename().string());
        ++cases;
        std::map<std::string, std::string> values; // UTF-8; the lines of a purpose joined
        for (const auto& [name, value] : ReadCaseFile(file.path()))
            values[name] += (values.count(name) ? " " : "") + value;
        store::TPlatRecord order;
        for (const auto& info : editor::Fields)
            if (info.Stored != order::TStored::No && values.count(std::string(info.Name)))
                order[info.Field] = W(values[std::string(info.Name)]);
        const std::string date = values["Date"]; // YYYY-MM-DD
        order[order::TField::Date] =
            date.substr(8, 2) + "." + date.substr(5, 2) + "." + date.substr(0, 4);
        const long long kopecks = std::stoll(values["Kopecks"]);
        order[order::TField::SumaGrn] = std::to_string(kopecks / 100);
        order[order::TField::SumaKop] = std::to_string(kopecks % 100);
        TOptions options;
        // The stored codes of the options, as the case gives them.
        auto code = [&](const char* name, int absent) {
            return values.count(name) ? std::stoi(values[name]) : absent;
        };
        options.BlankLang = *blank::LangOf(code("BlankLang", 0));
        options.DateLang = *blank::LangChoiceOf(code("DateLang", -1));
        options.SumaLang = *blank::LangChoiceOf(code("SumaLang", -1));
        options.ShowCopyNumber = values["ShowCopyNumber"] == "1";
        options.ShowOneSignatureRights = values["ShowOneSignatureRights"] == "1";
        options.BoldPlatName = values["BoldPlatName"] == "1";
        options.BoldPolName = values["BoldPolName"] == "1";
        options.BlankKind = *blank::BlankKindOf(code("Kind", 0));
        options.fNDS = options.fBezNDS = false;
        options.Save();
        store::WritePlat(out / "order.plt", order);

        testing::internal::CaptureStderr(); // what the checks find is not the question here
        ASSERT_EQ(Print({"--pdf", (out / "order.pdf").string(), (out / "order.plt").string()}), 0);
        testing::internal::GetCapturedStderr();
        const std::string pdf = ReadFileBytes(out / "order.pdf");
        EXPECT_EQ(CountPdfPages(pdf), 1u);
        const std::size_t box = pdf.find("/MediaBox");
        ASSERT_NE(box, std::string::npos);
        double width = 0, height = 0;
        std::istringstream(pdf.substr(pdf.find('[', box) + 1, 60)) >> std::skipws >> width >>
            width >> width >> height;
        EXPECT_NEAR(width, 595.3, 0.5) << "not an A4 page";
        EXPECT_NEAR(height, 841.9, 0.5) << "not an A4 page";

        const std::optional<std::string> text = PdfText(pdf);
        if (!text)
            GTEST_SKIP() << "pdftotext is not installed";
        std::vector<std::string> expected;
        for (const auto& info : editor::Fields) {
            const TField field = info.Field;
            if (info.Stored != order::TStored::No && field != TField::Date &&
                field != TField::SumaGrn && field != TField::SumaKop &&
                !(options.BlankKind == blank::TBlankKind::PaymentInstruction &&
                  (field == TField::PayerMFO || field == TField::RecipientMFO)))
                expected.push_back(U(order[field]));
        }
        const auto composed = ComposePlatData(order, options, platform::UserDecimalSeparator(),
                                              platform::Today().year());
        const TPlatData& data = std::get<TPlatData>(composed);
        auto add = [&](const blank::TParagraph& paragraph) {
            std::string runs;
            for (const blank::TRun& run : paragraph.Runs)
                runs += run.Text;
            expected.push_back(U(runs));
        };
        for (const blank::TItem& item : data.Blank().Items)
            if (const auto* table = std::get_if<blank::TTable>(&item)) {
                for (const blank::TRow& row : table->Rows)
                    for (const blank::TCell& cell : row.Cells)
                        std::for_each(cell.Paragraphs.begin(), cell.Paragraphs.end(), add);
            } else {
                add(std::get<blank::TParagraph>(item));
            }
        const std::string printed = bare(*text);
        for (const std::string& e : expected) {
            // The cut line, hyphens only, puts its last one on a line of its own (as the word
            // processor does), which the text reads somewhere else.
            if (e.find_first_not_of("- ") != std::string::npos) {
                EXPECT_NE(printed.find(bare(e)), std::string::npos) << e << "\nin\n" << *text;
            }
        }
    }
    EXPECT_GE(cases, 7);
}
