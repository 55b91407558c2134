// The options over the registry file, the way the program uses them.
#include "settings/Options.h"
#include "platform/Files.h"
#include "settings/RegClass.h"
#include "settings/RegistryFile.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <functional>
#include <future>
#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

using namespace testing_support;
using blank::TBlankKind;
using blank::TLang;
using blank::TLangChoice;
using blank::TLanguages;
namespace fs = std::filesystem;

namespace {

const std::string Head = "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\Software\\Morvane\\Vantrel]\r\n";

void ExpectDefaults(const TOptions& o) {
    EXPECT_FALSE(o.BoldPlatName);
    EXPECT_FALSE(o.BoldPolName);
    EXPECT_FALSE(o.fNDS);
    EXPECT_FALSE(o.fBezNDS);
    EXPECT_FALSE(o.ShowCopyNumber);
    EXPECT_FALSE(o.ShowOneSignatureRights);
    EXPECT_EQ(U(o.strNDS), ", в т.ч. ПДВ [NDS] грн.");
    EXPECT_EQ(U(o.strBezNDS), ", без ПДВ");
    EXPECT_EQ(U(o.strNDSRus), ", в т.ч. НДС [NDS] грн.");
    EXPECT_EQ(U(o.strBezNDSRus), ", без НДС");
    // Without a stored kind the blank is the payment instruction that has replaced 0410001.
    EXPECT_TRUE(o.Languages() == (TLanguages{TBlankKind::PaymentInstruction, TLang::Ukrainian,
                                             TLangChoice::AsBlank, TLangChoice::AsBlank}));
    // Without a stored interface language, the one the front end took from the locale.
    EXPECT_EQ(o.UiLang, TOptions::DefaultUiLang);
    const TLang before = TOptions::DefaultUiLang;
    TOptions::DefaultUiLang = TLang::Ukrainian;
    EXPECT_EQ(TOptions().UiLang, TLang::Ukrainian);
    TOptions::DefaultUiLang = before;
}

// Every field away from its default, texts with what a careless store would damage.
TOptions Unusual() {
    TOptions o;
    o.BoldPlatName = o.BoldPolName = o.fNDS = o.fBezNDS = true;
    o.ShowCopyNumber = o.ShowOneSignatureRights = true;
    o.strNDS = W("  у т.ч. ПДВ \"[NDS]\" грн. ");
    o.strBezNDS = W("C:\\без\\ПДВ\\");
    o.strNDSRus = W("\\\"НДС\"\\ ЁёЇїІіЄєҐґ №");
    o.strBezNDSRus = "";
    o.BlankLang = TLang::Russian;
    o.DateLang = TLangChoice::Ukrainian;
    o.SumaLang = TLangChoice::Russian;
    o.BlankKind = TBlankKind::PaymentOrder;
    o.UiLang = TOptions::DefaultUiLang == TLang::Russian ? TLang::Ukrainian : TLang::Russian;
    return o;
}

void ExpectSame(const TOptions& a, const TOptions& b) {
    EXPECT_EQ(a.BoldPlatName, b.BoldPlatName);
    EXPECT_EQ(a.BoldPolName, b.BoldPolName);
    EXPECT_EQ(a.fNDS, b.fNDS);
    EXPECT_EQ(a.fBezNDS, b.fBezNDS);
    EXPECT_EQ(a.UiLang, b.UiLang);
    EXPECT_EQ(a.ShowCopyNumber, b.ShowCopyNumber);
    EXPECT_EQ(a.ShowOneSignatureRights, b.ShowOneSignatureRights);
    EXPECT_EQ(U(a.strNDS), U(b.strNDS));
    EXPECT_EQ(U(a.strBezNDS), U(b.strBezNDS));
    EXPECT_EQ(U(a.strNDSRus), U(b.strNDSRus));
    EXPECT_EQ(U(a.strBezNDSRus), U(b.strBezNDSRus));
    EXPECT_TRUE(a.Languages() == b.Languages());
}

// Runs `f` as a user without privileges and returns what it returns: in a child process
// that gives up root when the tests run as root (where every access is granted), in this
// process otherwise.
std::string AsUnprivileged(const std::function<std::string()>& f) {
    if (::geteuid() != 0)
        return f();
    int out[2];
    if (::pipe(out) != 0)
        return "no pipe";
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(out[0]);
        const uid_t nobody = 65534;
        const std::string seen =
            ::setgroups(0, nullptr) == 0 && ::setgid(nobody) == 0 && ::setuid(nobody) == 0
                ? f()
                : "root kept";
        [[maybe_unused]] const auto n = ::write(out[1], seen.data(), seen.size());
        ::_exit(0);
    }
    ::close(out[1]);
    std::string seen;
    char buffer[256];
    for (ssize_t n; (n = ::read(out[0], buffer, sizeof buffer)) > 0;)
        seen.append(buffer, static_cast<size_t>(n));
    ::close(out[0]);
    ::waitpid(child, nullptr, 0);
    return seen;
}

// Loads on a thread of its own, so that a load that blocks on a FIFO fails the test rather
// than hanging it: after five seconds every open of the FIFO is given a writer that goes
// away at once, which lets it go on, until the load is over.
void LoadOrUnblock(TOptions& o, const fs::path& file) {
    auto done = std::async(std::launch::async, [&o] { o.Load(); });
    if (done.wait_for(std::chrono::seconds(5)) == std::future_status::timeout) {
        ADD_FAILURE() << "Load blocks on " << file;
        do {
            const int fd = ::open(file.c_str(), O_WRONLY | O_NONBLOCK);
            if (fd >= 0)
                ::close(fd);
        } while (done.wait_for(std::chrono::milliseconds(10)) == std::future_status::timeout);
    }
    done.get();
}

std::string ErrorOf(TOptions& o, void (TOptions::*op)()) {
    try {
        (o.*op)();
    } catch (const TRegistryError& e) {
        return e.what();
    }
    return "(no error)";
}

// The settings of each test live in a fresh configuration folder found through
// XDG_CONFIG_HOME, as the program finds them.
class OptionsTest : public ::testing::Test {
protected:
    void TearDown() override { platform::SetWriteFaultForTesting(nullptr); }
    void Store(const std::string& bytes) {
        fs::create_directories(File.parent_path());
        WriteFileBytes(File, bytes);
    }

    TScratch Scratch; // the settings in a fresh folder, as the program finds them
    const TTempDir& Dir = Scratch.Config;
    fs::path File = Dir / "Morvane" / "Vantrel.reg";
};

TEST_F(OptionsTest, CreateGivesTheDefaultsAndSetDefaultsRestoresThem) {
    TOptions o;
    ExpectDefaults(o);
    o = Unusual();
    o.SetDefaults();
    ExpectDefaults(o);
}

TEST_F(OptionsTest, WithoutStoredValuesLoadKeepsTheDefaults) {
    TOptions o;
    o.Load(); // no file, no folder
    ExpectDefaults(o);
    Store(Head);
    o.Load(); // an empty key
    ExpectDefaults(o);
    EXPECT_FALSE(fs::exists(Dir / "Morvane" / "Vantrel.reg.bak"));
    EXPECT_EQ(ReadFileBytes(File), Head) << "reading changed the file";
}

TEST_F(OptionsTest, OnlyTheStoredValuesReplaceTheirFields) {
    Store(Head + "\"SumaLang\"=dword:00000001\r\n");
    TOptions o;
    o.Load();
    EXPECT_EQ(o.SumaLang, TLangChoice::Russian);
    o.SumaLang = TLangChoice::AsBlank;
    ExpectDefaults(o);

    // Loading over changed fields keeps the ones that are not stored.
    TOptions changed = Unusual();
    changed.Load();
    EXPECT_EQ(changed.SumaLang, TLangChoice::Russian);
    changed.SumaLang = Unusual().SumaLang;
    ExpectSame(changed, Unusual());
}

TEST_F(OptionsTest, AnyNonZeroNumberIsTrueAndIsSavedAsOne) {
    Store(Head + "\"BoldPlatName\"=dword:00000005\r\n\"fNDS\"=dword:80000000\r\n");
    TOptions o;
    o.Load();
    EXPECT_TRUE(o.BoldPlatName);
    EXPECT_TRUE(o.fNDS);
    o.Save();
    const std::string text = ReadFileBytes(File);
    EXPECT_NE(text.find("\"BoldPlatName\"=dword:00000001\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\"fNDS\"=dword:00000001\r\n"), std::string::npos) << text;
}

TEST_F(OptionsTest, AnEmptyStoredTextIsReadAsEmpty) {
    Store(Head + "\"strNDS\"=\"\"\r\n\"strBezNDS\"=hex:\r\n\"strNDSRus\"=hex(2):00\r\n");
    TOptions o;
    o.Load();
    EXPECT_EQ(o.strNDS, "");
    EXPECT_EQ(o.strBezNDS, "");
    EXPECT_EQ(o.strNDSRus, "");
    EXPECT_EQ(U(o.strBezNDSRus), ", без НДС");
}

TEST_F(OptionsTest, SaveThenLoadReproducesEveryField) {
    const TOptions saved = Unusual();
    TOptions(saved).Save();
    TOptions loaded;
    loaded.Load();
    ExpectSame(loaded, saved);

    // And back to the defaults, over the values just stored.
    TOptions().Save();
    loaded.Load();
    ExpectDefaults(loaded);
}

TEST_F(OptionsTest, TheFirstSaveWritesTheWholeKeyInTheFixedOrder) {
    TOptions o;
    o.Save();
    EXPECT_EQ(ReadFileBytes(File), Head + W("\"BoldPlatName\"=dword:00000000\r\n"
                                            "\"BoldPolName\"=dword:00000000\r\n"
                                            "\"fNDS\"=dword:00000000\r\n"
                                            "\"fBezNDS\"=dword:00000000\r\n"
                                            "\"ShowCopyNumber\"=dword:00000000\r\n"
                                            "\"ShowOneSignatureRights\"=dword:00000000\r\n"
                                            "\"BlankLang\"=dword:00000000\r\n"
                                            "\"DateLang\"=dword:ffffffff\r\n"
                                            "\"SumaLang\"=dword:ffffffff\r\n"
                                            "\"strNDS\"=\", в т.ч. ПДВ [NDS] грн.\"\r\n"
                                            "\"strBezNDS\"=\", без ПДВ\"\r\n"
                                            "\"strNDSRus\"=\", в т.ч. НДС [NDS] грн.\"\r\n"
                                            "\"strBezNDSRus\"=\", без НДС\"\r\n"
                                            "\"BlankKind\"=dword:00000001\r\n"
                                            "\"UiLang\"=dword:00000001\r\n"
                                            "\"OurCompany\"=\"\"\r\n"
                                            "\r\n"));
    // Nothing but the settings file is left in the folder.
    size_t entries = 0;
    for ([[maybe_unused]] auto& e : fs::directory_iterator(File.parent_path()))
        ++entries;
    EXPECT_EQ(entries, 1u);
}

TEST_F(OptionsTest, AHandEditIsSeenByTheNextLoad) {
    TOptions o;
    o.Save();
    std::string text = ReadFileBytes(File);
    const std::string from = "\"BlankLang\"=dword:00000000";
    text.replace(text.find(from), from.size(), "\"blanklang\"=dword:00000001");
    const std::string nds = W("\"strNDS\"=\", в т.ч. ПДВ [NDS] грн.\"");
    text.replace(text.find(nds), nds.size(), W("\"STRNDS\"=\", з ПДВ [NDS]\""));
    Store(text);
    o.Load();
    EXPECT_EQ(o.BlankLang, TLang::Russian);
    EXPECT_EQ(U(o.strNDS), ", з ПДВ [NDS]");
}

TEST_F(OptionsTest, SaveIsOneRewriteAndAFailureAnywhereKeepsThePreviousFile) {
    TOptions().Save();
    const std::string before = ReadFileBytes(File);
    const TOptions o = Unusual();
    for (const auto failing : {platform::TWriteStep::Create, platform::TWriteStep::Write,
                               platform::TWriteStep::Flush, platform::TWriteStep::Rename}) {
        int renames = 0;
        platform::SetWriteFaultForTesting([&](platform::TWriteStep step) {
            renames += step == platform::TWriteStep::Rename;
            return step == failing;
        });
        TOptions saving = o;
        EXPECT_EQ(ErrorOf(saving, &TOptions::Save),
                  "Failed to set data for 'BoldPlatName': Input/output error");
        EXPECT_LE(renames, 1);
        EXPECT_EQ(ReadFileBytes(File), before);
    }
    int renames = 0;
    platform::SetWriteFaultForTesting([&](platform::TWriteStep step) {
        renames += step == platform::TWriteStep::Rename;
        return false;
    });
    TOptions(o).Save();
    EXPECT_EQ(renames, 1);
    TOptions loaded;
    loaded.Load();
    ExpectSame(loaded, o);
}

// A value that cannot be taken (of the wrong type, or a code that no language or kind has: a
// hand edit or damage) gets its default and is named in one message; every other value loads.
TEST_F(OptionsTest, AValueThatCannotBeTakenIsNamedOnceAndGetsItsDefault) {
    const std::string type = " неверного типа; взято значение по умолчанию";
    const std::string range = " вне допустимых пределов; взято значение по умолчанию";
    struct Case {
        const char* Lines; // after the others: the last one counts
        std::string Finding;
        std::vector<int> Codes; // kind, blank, date, amount
        const char* Nds;
    };
    const Case cases[] = {
        {"\"DateLang\"=\"1\"", "значение \"DateLang\"" + type, {1, 1, -1, 1}, "x"},
        {"\"DateLang\"=hex(4):01,00,00,00,00,00,00,00",
         "значение \"DateLang\"" + type,
         {1, 1, -1, 1},
         "x"},
        {"\"BlankLang\"=dword:ffffffff", "значение \"BlankLang\"" + range, {1, 0, 1, 1}, "x"},
        {"\"BlankLang\"=dword:00000002", "значение \"BlankLang\"" + range, {1, 0, 1, 1}, "x"},
        {"\"DateLang\"=dword:00000007", "значение \"DateLang\"" + range, {1, 1, -1, 1}, "x"},
        {"\"SumaLang\"=dword:80000000", "значение \"SumaLang\"" + range, {1, 1, 1, -1}, "x"},
        {"\"BlankKind\"=dword:fffffffe", "значение \"BlankKind\"" + range, {1, 1, 1, 1}, "x"},
        {"\"BlankLang\"=dword:1\r\n\"strNDS\"=\"unterminated",
         "значение \"BlankLang\" неверного типа, значение \"strNDS\" неверного типа; взяты "
         "значения по умолчанию",
         {1, 0, 1, 1},
         ", в т.ч. ПДВ [NDS] грн."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Lines);
        Store(Head +
              "\"BoldPlatName\"=dword:00000001\r\n\"BlankKind\"=dword:00000001\r\n"
              "\"BlankLang\"=dword:00000001\r\n\"DateLang\"=dword:00000001\r\n"
              "\"SumaLang\"=dword:00000001\r\n\"strNDS\"=\"x\"\r\n" +
              c.Lines + "\r\n");
        TRecordingBoxes boxes;
        TOptions o;
        o.Load();
        EXPECT_EQ(boxes.TextsUtf8(), std::vector<std::string>{"В файле настроек " + c.Finding});
        EXPECT_EQ((std::vector<int>{blank::CodeOf(o.BlankKind), blank::CodeOf(o.BlankLang),
                                    blank::CodeOf(o.DateLang), blank::CodeOf(o.SumaLang)}),
                  c.Codes);
        EXPECT_EQ(U(o.strNDS), c.Nds);
        EXPECT_TRUE(o.BoldPlatName);
    }
}

TEST_F(OptionsTest, AReadOnlySettingsFileIsReadAndAWriteThatFailsSaysWhy) {
    Store(Head + "\"BlankLang\"=dword:00000001\r\n");
    const std::string before = ReadFileBytes(File);
    // Read-only to the user, and another user's file in another user's folder when the
    // tests run as root.
    fs::permissions(File, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    fs::permissions(File.parent_path(), fs::perms::owner_read | fs::perms::owner_exec |
                                            fs::perms::group_read | fs::perms::group_exec |
                                            fs::perms::others_read | fs::perms::others_exec);
    fs::permissions(Dir.Path(), fs::perms::group_exec | fs::perms::others_exec,
                    fs::perm_options::add);
    const std::string seen = AsUnprivileged([] {
        TOptions o;
        o.Load();
        std::string out = "BlankLang " + std::to_string(blank::CodeOf(o.BlankLang)) + "; ";
        try {
            o.Save();
            out += "saved";
        } catch (const TRegistryError& e) {
            out += e.what();
        }
        return out;
    });
    EXPECT_EQ(seen, "BlankLang 1; Failed to set data for 'BoldPlatName': Permission denied");
    EXPECT_EQ(ReadFileBytes(File), before);
}

// A FIFO, a folder, a device or a huge file where the settings should be: one message, the
// defaults, and nothing written over it.
TEST_F(OptionsTest, ASettingsFileThatCannotBeReadIsReportedOnceAndTheDefaultsApply) {
    const std::string huge =
        Head + "\"BlankLang\"=dword:00000001\r\n;" + std::string(1024 * 1024, 'x') + "\r\n";
    struct Case {
        const char* What;
        std::function<void()> Make;
        const char* Problem;
    };
    const std::string path = File.string();
    const Case cases[] = {
        {"fifo", [&] { ASSERT_EQ(::mkfifo(File.c_str(), 0600), 0); }, "не является обычным файлом"},
        {"folder", [&] { fs::create_directory(File); }, "не является обычным файлом"},
        {"device", [&] { fs::create_symlink("/dev/zero", File); }, "не является обычным файлом"},
        {"huge", [&] { WriteFileBytes(File, huge); }, "больше 1 МБ"},
    };
    fs::create_directories(File.parent_path());
    for (const auto& c : cases) {
        TRecordingBoxes boxes;
        // Without a file there is nothing to say, and what comes in its place is news.
        fs::remove_all(File);
        TOptions().Load();
        c.Make();
        const fs::file_type kind = fs::symlink_status(File).type();
        TOptions o;
        LoadOrUnblock(o, File);
        ExpectDefaults(o);
        LoadOrUnblock(o, File);
        EXPECT_EQ(boxes.TextsUtf8(),
                  std::vector<std::string>{"Файл настроек \"" + path + "\" " + c.Problem +
                                           "; используются настройки по умолчанию"})
            << c.What;
        EXPECT_EQ(U(ErrorOf(o, &TOptions::Save)),
                  "Файл настроек \"" + path +
                      "\" не является файлом реестра; настройки не сохранены")
            << c.What;
        EXPECT_EQ(fs::symlink_status(File).type(), kind) << c.What;
    }
    EXPECT_TRUE(ReadFileBytes(File) == huge) << "the huge file was rewritten";
}

TEST_F(OptionsTest, OtherKeysAndHandWrittenLinesSurviveSave) {
    const std::string other = "; kept\r\n[HKEY_LOCAL_MACHINE\\Software\\Other]\r\n"
                              "\"BlankLang\"=dword:00000007\r\n\r\n";
    Store("REGEDIT4\r\n\r\n" + other +
          "[HKEY_LOCAL_MACHINE\\Software\\Morvane\\Vantrel]\r\n\"Note\"=\"mine\"\r\n"
          "\"Broken\"=dword:zz\r\n");
    TOptions().Save();
    const std::string text = ReadFileBytes(File);
    EXPECT_EQ(text.find(other), 12u) << text;
    EXPECT_NE(text.find("\"Note\"=\"mine\"\r\n\"Broken\"=dword:zz\r\n\"BoldPlatName\""),
              std::string::npos)
        << text;
    TOptions o;
    o.Load();
    ExpectDefaults(o);
}

} // namespace
