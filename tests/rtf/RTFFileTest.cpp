// Writing and opening the document: the temporary names, files held open by a word
// processor, names planted by someone else, and a real conversion by LibreOffice.

#include "RtfTestHelpers.h"

#include "platform/Files.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cctype>
#include <cstdio>
#include <fstream>
#include <sstream>

using namespace testing_support;
using namespace rtf_test;
using platform::TMsgIcon;
namespace fs = std::filesystem;

namespace {

TRTF& Document(TRTF& rtf, const std::string& text) {
    rtf.Font.Name = "Arial";
    rtf.AddText(text);
    return rtf;
}

std::string Expected(const std::string& text) {
    TRTF rtf;
    return Saved(Document(rtf, text));
}

// Whether a document was written and handed to the desktop.
bool Show(const std::string& text) {
    TRTF rtf;
    return Document(rtf, text).ShowDocument();
}

void Touch(const fs::path& path, const std::string& content = "old") {
    WriteFileBytes(path, content);
}

// Dates the file back, as if its viewer had had time to open it long ago.
void Age(const fs::path& path, int seconds = 121) {
    struct stat st {};
    ASSERT_EQ(::lstat(path.c_str(), &st), 0) << path;
    const timespec times[2] = {st.st_atim, {st.st_mtim.tv_sec - seconds, st.st_mtim.tv_nsec}};
    ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, AT_SYMLINK_NOFOLLOW), 0) << path;
}

// The shell command that makes LibreOffice convert blank.rtf in `dir` to `format`, with a
// profile of its own so that it never meets another running instance.
std::string Convert(const fs::path& dir, const std::string& format) {
    const std::string d = "'" + dir.string() + "'";
    return "cd " + d + " && HOME=" + d + " timeout 300 soffice -env:UserInstallation=file://" +
           (dir / "profile").string() + " --headless --convert-to " + format + " --outdir " + d +
           " blank.rtf >/dev/null 2>&1";
}

} // namespace

TEST(RtfFile, ShowDocumentWritesTheFirstFreeNameAndOpensIt) {
    TTempDir tmp;
    TTmpDirGuard env(tmp.Path().string());
    TOpenerRecorder opener;

    EXPECT_TRUE(Show("one"));
    const fs::path first = tmp / "~temp1.rtf";
    EXPECT_EQ(opener.Opened, (std::vector<std::string>{first.string()}));
    EXPECT_EQ(ReadFileBytes(first), Expected("one"));
    struct stat st {};
    ASSERT_EQ(::lstat(first.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 077, 0u) << "others may read the order";

    // A viewer takes seconds to open its file, and shows no lock file before: a file this
    // young is still on its way to the screen and keeps its name.
    Show("two");
    EXPECT_EQ(opener.Opened.back(), (tmp / "~temp2.rtf").string());
    EXPECT_EQ(ReadFileBytes(first), Expected("one"));
    EXPECT_EQ(ReadFileBytes(tmp / "~temp2.rtf"), Expected("two"));

    // Two minutes on, and not held open: the old file is deleted and its name reused.
    Age(first);
    Show("three");
    EXPECT_EQ(opener.Opened.back(), first.string());
    EXPECT_EQ(ReadFileBytes(first), Expected("three"));
    EXPECT_FALSE(fs::exists(tmp / "~temp3.rtf"));
}

TEST(RtfFile, ADocumentHeldOpenByLibreOfficeKeepsItsName) {
    TTempDir tmp;
    TTmpDirGuard env(tmp.Path().string());
    TOpenerRecorder opener;
    Touch(tmp / "~temp1.rtf", "shown");
    Touch(tmp / ".~lock.~temp1.rtf#");

    Show("next");
    EXPECT_EQ(opener.Opened, (std::vector<std::string>{(tmp / "~temp2.rtf").string()}));
    EXPECT_EQ(ReadFileBytes(tmp / "~temp1.rtf"), "shown");
    EXPECT_EQ(ReadFileBytes(tmp / "~temp2.rtf"), Expected("next"));

    // Once released, the next output returns to the first name.
    fs::remove(tmp / ".~lock.~temp1.rtf#");
    Age(tmp / "~temp1.rtf");
    Show("again");
    EXPECT_EQ(opener.Opened.back(), (tmp / "~temp1.rtf").string());
    EXPECT_EQ(ReadFileBytes(tmp / "~temp1.rtf"), Expected("again"));

    // A lock file alone (its document already gone) also keeps the name.
    Touch(tmp / ".~lock.~temp1.rtf#");
    fs::remove(tmp / "~temp1.rtf");
    Age(tmp / "~temp2.rtf");
    Show("third");
    EXPECT_EQ(opener.Opened.back(), (tmp / "~temp2.rtf").string());
    EXPECT_FALSE(fs::exists(tmp / "~temp1.rtf"));
}

TEST(RtfFile, ANameThatCannotBeDeletedIsSkipped) {
    TTempDir tmp;
    TTmpDirGuard env(tmp.Path().string());
    TOpenerRecorder opener;
    fs::create_directory(tmp / "~temp1.rtf");
    Touch(tmp / "~temp1.rtf" / "inside");

    Show("x");
    EXPECT_EQ(opener.Opened, (std::vector<std::string>{(tmp / "~temp2.rtf").string()}));
    EXPECT_TRUE(fs::is_directory(tmp / "~temp1.rtf"));
}

TEST(RtfFile, APlantedSymbolicLinkIsNeverWrittenThrough) {
    TTempDir tmp;
    TTempDir elsewhere;
    TTmpDirGuard env(tmp.Path().string());
    TOpenerRecorder opener;
    Touch(elsewhere / "victim", "precious");
    fs::create_symlink(elsewhere / "victim", tmp / "~temp1.rtf");
    fs::create_symlink(elsewhere / "created-by-us", tmp / "~temp2.rtf"); // dangling

    Show("a");
    Touch(tmp / ".~lock.~temp1.rtf#"); // "a" stays on screen: "b" takes the dangling link's name
    Show("b");
    EXPECT_EQ(opener.Opened, (std::vector<std::string>{(tmp / "~temp1.rtf").string(),
                                                       (tmp / "~temp2.rtf").string()}));
    EXPECT_EQ(ReadFileBytes(elsewhere / "victim"), "precious");
    EXPECT_FALSE(fs::exists(elsewhere / "created-by-us"));
    for (const char* name : {"~temp1.rtf", "~temp2.rtf"})
        EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(tmp / name))) << name;
    EXPECT_EQ(ReadFileBytes(tmp / "~temp1.rtf"), Expected("a"));
    EXPECT_EQ(ReadFileBytes(tmp / "~temp2.rtf"), Expected("b"));

    // A client-given path that is a link is replaced, not written through.
    TRTF rtf;
    fs::create_symlink(elsewhere / "victim", tmp / "given.rtf");
    Document(rtf, "c").SaveToFile(tmp / "given.rtf");
    EXPECT_EQ(ReadFileBytes(elsewhere / "victim"), "precious");
    EXPECT_EQ(ReadFileBytes(tmp / "given.rtf"), Expected("c"));
}

TEST(RtfFile, WhenAllNinetyNineNamesAreTakenNothingIsWritten) {
    TTempDir tmp;
    TTmpDirGuard env(tmp.Path().string());
    TOpenerRecorder opener;
    TRecordingBoxes boxes;
    for (int n = 1; n <= 99; ++n)
        Touch(tmp / (".~lock.~temp" + std::to_string(n) + ".rtf#"));

    EXPECT_FALSE(Show("x"));
    EXPECT_TRUE(opener.Opened.empty());
    ASSERT_EQ(boxes.Boxes.size(), 1u);
    EXPECT_EQ(U(boxes.Boxes[0].Text), "Ошибка создания временного файла");
    EXPECT_EQ(U(boxes.Boxes[0].Caption), "Ошибка");
    EXPECT_EQ(boxes.Boxes[0].Icon, TMsgIcon::Error);
    EXPECT_FALSE(fs::exists(tmp / "~temp100.rtf"));
    EXPECT_FALSE(fs::exists(tmp / "~temp1.rtf"));
}

TEST(RtfFile, AMissingTemporaryFolderIsCreatedOneLevelDeep) {
    TTempDir tmp;
    TOpenerRecorder opener;
    TRecordingBoxes boxes;
    {
        TTmpDirGuard env((tmp / "sub").string());
        Show("x");
    }
    EXPECT_TRUE(boxes.Boxes.empty());
    EXPECT_EQ(ReadFileBytes(tmp / "sub" / "~temp1.rtf"), Expected("x"));

    const fs::path deep = tmp / "missing" / "deeper";
    {
        TTmpDirGuard env(deep.string());
        EXPECT_FALSE(Show("y"));
    }
    EXPECT_FALSE(fs::exists(tmp / "missing"));
    EXPECT_EQ(opener.Opened.size(), 1u);
    ASSERT_EQ(boxes.Boxes.size(), 1u);
    EXPECT_EQ(U(boxes.Boxes[0].Text),
              "Ошибка создания временного каталога \"" + deep.string() + "\"");
    EXPECT_EQ(U(boxes.Boxes[0].Caption), "Ошибка");
    EXPECT_EQ(boxes.Boxes[0].Icon, TMsgIcon::Error);

    // A file where the folder should be is no folder either.
    Touch(tmp / "plain");
    {
        TTmpDirGuard env((tmp / "plain").string());
        Show("z");
    }
    EXPECT_EQ(boxes.Boxes.size(), 2u);
    EXPECT_EQ(opener.Opened.size(), 1u);
}

TEST(RtfFile, SaveToFileWritesWithoutOpeningAndSaveAndOpenOpens) {
    TTempDir dir;
    TOpenerRecorder opener;
    TRTF one;
    Touch(dir / "out.rtf", "previous content, longer than the document may be........");
    Document(one, "x").SaveToFile(dir / "out.rtf");
    EXPECT_TRUE(opener.Opened.empty());
    EXPECT_EQ(ReadFileBytes(dir / "out.rtf"), Expected("x"));

    TRTF two;
    Document(two, "y").SaveAndOpen(dir / "open.rtf");
    EXPECT_EQ(opener.Opened, (std::vector<std::string>{(dir / "open.rtf").string()}));
    EXPECT_EQ(ReadFileBytes(dir / "open.rtf"), Expected("y"));
}

TEST(RtfFile, AFileThatCannotBeWrittenIsAnErrorAndIsNotOpened) {
    TTempDir dir;
    TOpenerRecorder opener;
    TRTF rtf;
    EXPECT_THROW(rtf.SaveAndOpen(dir / "no-such-folder" / "x.rtf"), platform::TFileError);

    TWriteFault fault([](platform::TWriteStep s) { return s == platform::TWriteStep::Write; });
    TRTF other;
    EXPECT_THROW(Document(other, "x").SaveAndOpen(dir / "x.rtf"), platform::TFileError);
    EXPECT_TRUE(opener.Opened.empty());
    EXPECT_FALSE(fs::exists(dir / "x.rtf"));
}

// The blank's kind of document: a bordered, merged table with Cyrillic text and the sign No.
// LibreOffice must read it as one A4 page.
TEST(RtfLibreOffice, ATableWithCyrillicTextConvertsToOnePage) {
    if (std::system("command -v soffice >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "soffice is not installed";
    TTempDir dir;

    TRTF rtf;
    rtf.Paper.MarginLeft = 15;
    rtf.Paper.MarginRight = 15;
    rtf.Paper.MarginTop = 14;
    rtf.Paper.MarginBottom = 14;
    rtf.Font.Name = "Arial";
    for (int copy = 0; copy < 2; ++copy) {
        rtf.BeginTable({17, 33, 42, 22, 2, 40, 24});
        rtf.CellGap = 1;
        for (int row = 0; row < 21; ++row) {
            rtf.RowHeight = row == 14 ? 0 : 5;
            for (int col = 0; col < 7; ++col) {
                if (col == 0 && row == 1) {
                    rtf.Cell.HMerge = 1;
                    rtf.Font.Size = 11;
                    rtf.Font.Style = fsBold;
                    rtf.AddText(W("ПЛАТІЖНЕ ДОРУЧЕННЯ №125"));
                    rtf.Font.Size = 9;
                    rtf.Font.Style = 0;
                } else if (row == 1 && col < 4) {
                    rtf.Cell.HMerge = 2;
                } else if (row == 14 && col == 0) {
                    rtf.AddText(W("Одна тисяча двісті тридцять чотири гривні 50 копійок"));
                } else if (col == 6) {
                    rtf.AddText("0410001");
                }
                if (col == 3 || col == 6)
                    rtf.Cell.Borders.ShowAll();
                else
                    rtf.Cell.Borders.HideAll();
                if (col == 6 && row == 2)
                    rtf.Cell.VMerge = 1;
                if (col == 6 && row == 3)
                    rtf.Cell.VMerge = 2;
                if (copy == 1 && row == 20 && col == 6)
                    rtf.EndTable();
                else
                    rtf.NextCell();
            }
        }
        if (copy == 0) {
            for (int i = 0; i < 3; ++i)
                rtf.NewParagraph();
            rtf.Par.Alignment = taCenter;
            for (int i = 0; i < 3; ++i)
                rtf.AddText("-  -  -  -  -  -  -  -  -  -  -  -  -  -  -  -  -  -  ");
            rtf.AddText("-  -  -  -  -  -  -  -");
            rtf.NewParagraph();
            rtf.NewParagraph();
            rtf.NewParagraph();
        }
    }
    const fs::path file = dir / "blank.rtf";
    rtf.SaveToFile(file);

    ASSERT_EQ(std::system(Convert(dir.Path(), "pdf").c_str()), 0);
    const fs::path pdf = dir / "blank.pdf";
    ASSERT_TRUE(fs::exists(pdf)) << "LibreOffice did not convert the document";
    EXPECT_EQ(CountPdfPages(ReadFileBytes(pdf)), 1u);

    // The Cyrillic letters and the sign No., all written in hex, read back as typed.
    ASSERT_EQ(std::system(Convert(dir.Path(), "\"txt:Text (encoded):UTF8\"").c_str()), 0);
    const std::string text = ReadFileBytes(dir / "blank.txt");
    EXPECT_NE(text.find("ПЛАТІЖНЕ ДОРУЧЕННЯ №125"), std::string::npos) << text;
    EXPECT_NE(text.find("Одна тисяча двісті тридцять чотири гривні"), std::string::npos) << text;
}
