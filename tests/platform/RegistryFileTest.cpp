// Tests of the registry file backend.
#include "platform/RegistryFile.h"
#include "platform/Files.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace platform;
using namespace testing_support;
namespace fs = std::filesystem;

namespace {

const std::string KeyPath = "Software\\Morvane\\Vantrel";
const std::string Section = "[HKEY_LOCAL_MACHINE\\Software\\Morvane\\Vantrel]";

std::string Dword(std::uint32_t v) {
    std::string out(4, '\0');
    for (int i = 0; i < 4; ++i)
        out[i] = static_cast<char>((v >> (8 * i)) & 0xFF);
    return out;
}

std::string Sz(const std::string& text) {
    return text + '\0';
}

// Restores the environment variables and seams a test changes.
class RegistryFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"XDG_CONFIG_HOME", "HOME"}) {
            const char* v = std::getenv(name);
            Saved.push_back({name, v ? std::optional<std::string>(v) : std::nullopt});
        }
    }
    void TearDown() override {
        for (const auto& [name, value] : Saved) {
            if (value)
                ::setenv(name.c_str(), value->c_str(), 1);
            else
                ::unsetenv(name.c_str());
        }
        SetRegistryAccessCheckForTesting(nullptr);
        SetWriteFaultForTesting(nullptr);
    }

    // A registry over `content` stored in a fresh file.
    TRegistryFile With(const std::string& content) {
        WriteFileBytes(File, content);
        return TRegistryFile(File);
    }
    std::unique_ptr<TRegistryKey> Open(const std::string& content) {
        Reg = With(content);
        return Reg.OpenKey(KeyPath, false);
    }

    TTempDir Dir;
    fs::path File = Dir / "Vantrel.reg";
    TRegistryFile Reg{File};
    std::vector<std::pair<std::string, std::optional<std::string>>> Saved;
};

TEST_F(RegistryFileTest, ReadsEveryValueForm) {
    struct Case {
        const char* Line;
        std::uint32_t Type;
        std::string Data;
    };
    const Case cases[] = {
        {"\"v\"=dword:00000001", RegDword, Dword(1)},
        {"\"v\"=dword:ffffffff", RegDword, Dword(0xFFFFFFFF)},
        {"\"v\"=DWORD:7FFFFFFF", RegDword, Dword(0x7FFFFFFF)},
        {"\"v\"=\"plain\"", RegSz, Sz("plain")},
        {"\"v\"=\"\"", RegSz, Sz("")},
        {"\"v\"=\"a \\\\ b \\\" c\"", RegSz, Sz("a \\ b \" c")},
        {"\"v\"=\"C:\\temp\"", RegSz, Sz("C:\\temp")},
        {"\"v\"=hex:00,ff,1A", RegBinary, std::string("\0\xff\x1a", 3)},
        {"\"v\"=hex:", RegBinary, ""},
        {"\"v\"=hex(2):25,00", RegExpandSz, std::string("%\0", 2)},
        {"\"v\"=hex(4):01,00,00,00,00,00,00,00", RegDword, std::string("\1\0\0\0\0\0\0\0", 8)},
        {"\"v\"=hex(1):61,0a,62,00", RegSz, std::string("a\nb\0", 4)},
        {"\"v\"=hex(0):", RegNone, ""},
        {"\"v\"=hex(7):61,00,00", 7, std::string("a\0\0", 3)},
        {"\"v\" = dword:00000002  ", RegDword, Dword(2)},
        {"  \"v\"=hex: 01 , 02 ", RegBinary, "\1\2"},
    };
    for (const auto& c : cases) {
        auto key = Open("REGEDIT4\r\n\r\n" + Section + "\r\n" + c.Line + "\r\n");
        ASSERT_TRUE(key) << c.Line;
        auto info = key->QueryValue("v");
        auto value = key->ReadValue("v");
        ASSERT_TRUE(info && value) << c.Line;
        EXPECT_EQ(info->Type, c.Type) << c.Line;
        EXPECT_EQ(value->Type, c.Type) << c.Line;
        EXPECT_EQ(value->Data, c.Data) << c.Line;
        EXPECT_EQ(info->Size, c.Data.size()) << c.Line;
    }
}

TEST_F(RegistryFileTest, LinesThatCannotBeParsedAreValuesOfUnknownTypeWithData) {
    for (const char* line :
         {"\"v\"=dword:1", "\"v\"=dword:000000001", "\"v\"=dword:-0000001", "\"v\"=\"unterminated",
          "\"v\"=\"text\" tail", "\"v\"=hex:1,2", "\"v\"=hex:zz", "\"v\"=hex(x):00",
          "\"v\"=qword:1", "\"v\"=", "\"v\"", "\"v\"=-", "\"v\"=hex:01,"}) {
        auto key =
            Open("REGEDIT4\r\n" + Section + "\r\n" + line + "\r\n\"after\"=dword:00000003\r\n");
        ASSERT_TRUE(key) << line;
        auto info = key->QueryValue("v");
        ASSERT_TRUE(info) << line;
        EXPECT_EQ(info->Type, RegMalformed) << line;
        EXPECT_GT(info->Size, 0u) << line;
        auto after = key->ReadValue("after");
        ASSERT_TRUE(after) << line;
        EXPECT_EQ(after->Data, Dword(3)) << line;
    }
}

TEST_F(RegistryFileTest, NamesAndKeysCompareWithoutRegardToCase) {
    auto key = Open("REGEDIT4\r\n\r\n[hkey_local_machine\\SOFTWARE\\morvane\\VANTREL]\r\n"
                    "\"BoldPlatName\"=dword:00000001\r\n" +
                    W("\"Ёлка Ґ Ї\"=dword:00000002\r\n"));
    ASSERT_TRUE(key);
    EXPECT_TRUE(key->QueryValue("boldplatname"));
    EXPECT_TRUE(key->QueryValue("BOLDPLATNAME"));
    EXPECT_FALSE(key->QueryValue("BoldPlatNam"));
    auto cyr = key->ReadValue(W("ёЛКА ґ ї"));
    ASSERT_TRUE(cyr);
    EXPECT_EQ(cyr->Data, Dword(2));

    // Writing under another spelling replaces the value rather than adding a second one.
    ASSERT_TRUE(key->SetValue("BOLDPLATNAME", RegDword, Dword(0)));
    const std::string text = ReadFileBytes(File);
    EXPECT_EQ(text.find("BoldPlatName"), std::string::npos) << text;
    EXPECT_NE(text.find("\"BOLDPLATNAME\"=dword:00000000"), std::string::npos) << text;
}

TEST_F(RegistryFileTest, CommentsOtherKeysLfAndWrappedHexAreRead) {
    const std::string content = "REGEDIT4\n"
                                "; a comment \"v\"=dword:00000009\n"
                                "[HKEY_LOCAL_MACHINE\\Software\\Other]\n"
                                "\"v\"=dword:00000005\n"
                                "\n" +
                                Section +
                                "\n"
                                "; \"v\"=dword:00000007\n"
                                "\"v\"=hex:01,02,\\\n"
                                "  03,04\n"
                                "\"w\"=\"x\"\n";
    auto key = Open(content);
    ASSERT_TRUE(key);
    auto v = key->ReadValue("v");
    ASSERT_TRUE(v);
    EXPECT_EQ(v->Type, RegBinary);
    EXPECT_EQ(v->Data, "\1\2\3\4");
    auto w = key->ReadValue("w");
    ASSERT_TRUE(w);
    EXPECT_EQ(w->Data, Sz("x"));
}

// A hand-edited value left with a dangling continuation must not swallow the value written
// after it (found by fuzzing: the write reported success and the value was lost).
TEST_F(RegistryFileTest, AValueWrittenAfterADanglingContinuationReadsBack) {
    auto key = Open("REGEDIT4\r\n\r\n" + Section + "\r\n\"Blob\"=hex:00,ff,\\\r\n");
    ASSERT_TRUE(key);
    ASSERT_TRUE(key->SetValue("Lang", RegDword, Dword(1)));
    auto fresh = TRegistryFile(File).OpenKey(KeyPath, false);
    ASSERT_TRUE(fresh);
    auto lang = fresh->ReadValue("Lang");
    ASSERT_TRUE(lang);
    EXPECT_EQ(lang->Type, RegDword);
    EXPECT_EQ(lang->Data, Dword(1));
}

TEST_F(RegistryFileTest, TheLastOfRepeatedValuesAndSectionsWins) {
    auto key =
        Open("REGEDIT4\r\n" + Section + "\r\n\"v\"=dword:00000001\r\n\"v\"=dword:00000002\r\n" +
             Section + "\r\n\"v\"=dword:00000003\r\n");
    ASSERT_TRUE(key);
    EXPECT_EQ(key->ReadValue("v")->Data, Dword(3));
    ASSERT_TRUE(key->SetValue("v", RegDword, Dword(4)));
    EXPECT_EQ(ReadFileBytes(File), "REGEDIT4\r\n" + Section +
                                       "\r\n\"v\"=dword:00000001\r\n\"v\"=dword:00000002\r\n" +
                                       Section + "\r\n\"v\"=dword:00000004\r\n");
}

TEST_F(RegistryFileTest, AMissingFileOrSectionIsAMissingKeyUnlessCreated) {
    EXPECT_FALSE(Reg.OpenKey(KeyPath, false));
    EXPECT_FALSE(fs::exists(File));

    auto other = Open("REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\Software\\Other]\r\n\"v\"=\"x\"\r\n");
    EXPECT_FALSE(other);
    // Values before any section, or under a broken header, belong to no key.
    EXPECT_FALSE(Open("REGEDIT4\r\n\"v\"=\"x\"\r\n"));
    auto broken =
        Open("REGEDIT4\r\n" + Section + "\r\n[HKEY_LOCAL_MACHINE\\Software\r\n\"v\"=\"x\"\r\n");
    ASSERT_TRUE(broken);
    EXPECT_FALSE(broken->QueryValue("v"));
}

TEST_F(RegistryFileTest, CreatingTheKeyMakesTheFolderAndWritingMakesTheFile) {
    const fs::path file = Dir / "config" / "Morvane" / "Vantrel.reg";
    TRegistryFile reg(file);
    auto key = reg.OpenKey(KeyPath, true);
    ASSERT_TRUE(key);
    EXPECT_TRUE(fs::is_directory(file.parent_path()));
    ASSERT_TRUE(key->SetValue("BoldPlatName", RegDword, Dword(1)));
    ASSERT_TRUE(key->SetValue("strNDS", RegSz, Sz(W(", в т.ч. ПДВ [NDS] грн."))));
    EXPECT_EQ(ReadFileBytes(file), "REGEDIT4\r\n\r\n" + Section +
                                       "\r\n\"BoldPlatName\"=dword:00000001\r\n" +
                                       W("\"strNDS\"=\", в т.ч. ПДВ [NDS] грн.\"\r\n\r\n"));
    // The key now exists for readers, and a fresh open sees the values.
    auto again = reg.OpenKey(KeyPath, false);
    ASSERT_TRUE(again);
    EXPECT_EQ(again->ReadValue("strNDS")->Data, Sz(W(", в т.ч. ПДВ [NDS] грн.")));
}

TEST_F(RegistryFileTest, WritingKeepsEverythingElseAndRewritesOnlyTheValue) {
    const std::string before = "REGEDIT4\r\n"
                               "\r\n"
                               "[HKEY_LOCAL_MACHINE\\Software\\Other]\r\n"
                               "\"a\"=dword:00000001\r\n"
                               "\r\n" +
                               Section +
                               "\r\n"
                               "\"Old\"=DWORD:0000000A\r\n"
                               "\"Broken\"=dword:xyz\r\n"
                               "\"v\"=hex:01,02,\\\r\n"
                               "  03\r\n"
                               "garbage without a name\r\n"
                               "\r\n"
                               "; about the next key\r\n"
                               "[HKEY_LOCAL_MACHINE\\Software\\Third]\r\n"
                               "\"b\"=\"x\"";
    auto key = Open(before);
    ASSERT_TRUE(key);
    ASSERT_TRUE(key->SetValue("v", RegDword, Dword(0xFFFFFFFF)));
    ASSERT_TRUE(key->SetValue("New", RegSz, Sz("q\"\\")));
    const std::string after = "REGEDIT4\r\n"
                              "\r\n"
                              "[HKEY_LOCAL_MACHINE\\Software\\Other]\r\n"
                              "\"a\"=dword:00000001\r\n"
                              "\r\n" +
                              Section +
                              "\r\n"
                              "\"Old\"=DWORD:0000000A\r\n"
                              "\"Broken\"=dword:xyz\r\n"
                              "\"v\"=dword:ffffffff\r\n"
                              "garbage without a name\r\n"
                              "\"New\"=\"q\\\"\\\\\"\r\n"
                              "\r\n"
                              "; about the next key\r\n"
                              "[HKEY_LOCAL_MACHINE\\Software\\Third]\r\n"
                              "\"b\"=\"x\"\r\n";
    EXPECT_EQ(ReadFileBytes(File), after);
    EXPECT_EQ(key->ReadValue("New")->Data, Sz("q\"\\"));
}

TEST_F(RegistryFileTest, WrittenValuesReadBackExactly) {
    struct Case {
        std::uint32_t Type;
        std::string Data;
        const char* Line; // as stored
    };
    const Case cases[] = {
        {RegDword, Dword(0x80000000), "\"v\"=dword:80000000"},
        {RegSz, Sz(""), "\"v\"=\"\""},
        {RegSz, Sz("two\r\nlines"), "\"v\"=hex(1):74,77,6f,0d,0a,6c,69,6e,65,73,00"},
        {RegSz, std::string("a\0b\0", 4), "\"v\"=hex(1):61,00,62,00"},
        {RegSz, "no zero", "\"v\"=hex(1):6e,6f,20,7a,65,72,6f"},
        {RegExpandSz, Sz("%P%"), "\"v\"=hex(2):25,50,25,00"},
        {RegBinary, std::string("\0\xff", 2), "\"v\"=hex:00,ff"},
        {RegDword, "\1\2", "\"v\"=hex(4):01,02"},
        {0x1234, "", "\"v\"=hex(1234):"},
    };
    for (const auto& c : cases) {
        auto key = Open("REGEDIT4\r\n" + Section + "\r\n");
        ASSERT_TRUE(key);
        ASSERT_TRUE(key->SetValue("v", c.Type, c.Data));
        EXPECT_EQ(ReadFileBytes(File), "REGEDIT4\r\n" + Section + "\r\n" + c.Line + "\r\n");
        auto fresh = TRegistryFile(File).OpenKey(KeyPath, false);
        ASSERT_TRUE(fresh);
        auto value = fresh->ReadValue("v");
        ASSERT_TRUE(value);
        EXPECT_EQ(value->Type, c.Type) << c.Line;
        EXPECT_EQ(value->Data, c.Data) << c.Line;
    }
    // A name that cannot stand on one line is refused, and the file stays as it was.
    Reg = With("REGEDIT4\r\n");
    auto key = Reg.OpenKey(KeyPath, true);
    ASSERT_TRUE(key);
    EXPECT_FALSE(key->SetValue("a\nb", RegDword, Dword(1)));
    EXPECT_EQ(ReadFileBytes(File), "REGEDIT4\r\n");
}

TEST_F(RegistryFileTest, AFileThatIsNoRegistryFileReadsEmptyAndKeepsItsBytesOnWrite) {
    const std::string alien = std::string("\x89PNG\r\n\x1a\n\0\0binary", 16) + "\n" + Section +
                              "\n\"v\"=dword:00000001\n";
    for (const std::string& content : {std::string(), alien, std::string("REGEDIT5\r\n")}) {
        auto key = Open(content);
        ASSERT_TRUE(key);
        EXPECT_FALSE(key->QueryValue("v"));
        ASSERT_TRUE(key->SetValue("w", RegDword, Dword(2)));
        const std::string text = ReadFileBytes(File);
        EXPECT_EQ(text.rfind("REGEDIT4\r\n\r\n", 0), 0u) << text;
        if (content == alien) {
            // Every line of the old content is still there.
            EXPECT_NE(text.find("\x89PNG"), std::string::npos);
            EXPECT_NE(text.find(std::string("\0\0binary", 8)), std::string::npos);
        }
        auto fresh = TRegistryFile(File).OpenKey(KeyPath, false);
        ASSERT_TRUE(fresh);
        EXPECT_EQ(fresh->ReadValue("w")->Data, Dword(2));
    }
    EXPECT_EQ(ReadFileBytes(File),
              "REGEDIT4\r\n\r\nREGEDIT5\r\n\r\n" + Section + "\r\n\"w\"=dword:00000002\r\n\r\n");
}

TEST_F(RegistryFileTest, NoFullAccessMeansTheKeyCannotBeOpened) {
    std::vector<fs::path> asked;
    SetRegistryAccessCheckForTesting([&](const fs::path& p) {
        asked.push_back(p);
        return false;
    });
    // Without a file the folder is what must be writable.
    const fs::path file = Dir / "Morvane" / "Vantrel.reg";
    TRegistryFile reg(file);
    EXPECT_FALSE(reg.OpenKey(KeyPath, true));
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0], file.parent_path());
    EXPECT_FALSE(fs::exists(file));

    WriteFileBytes(file, "REGEDIT4\r\n" + Section + "\r\n\"v\"=dword:00000001\r\n");
    EXPECT_FALSE(reg.OpenKey(KeyPath, false));
    EXPECT_FALSE(reg.OpenKey(KeyPath, true));
    EXPECT_EQ(asked.back(), file);

    SetRegistryAccessCheckForTesting(nullptr);
    EXPECT_TRUE(reg.OpenKey(KeyPath, false));
}

TEST_F(RegistryFileTest, AFolderWhereTheFileShouldBeCannotBeOpened) {
    fs::create_directories(File);
    EXPECT_FALSE(Reg.OpenKey(KeyPath, false));
    EXPECT_FALSE(Reg.OpenKey(KeyPath, true));
}

TEST_F(RegistryFileTest, AnInterruptedWriteKeepsThePreviousFile) {
    const std::string before = "REGEDIT4\r\n" + Section + "\r\n\"v\"=dword:00000001\r\n";
    for (auto step :
         {TWriteStep::Create, TWriteStep::Write, TWriteStep::Flush, TWriteStep::Rename}) {
        auto key = Open(before);
        ASSERT_TRUE(key);
        SetWriteFaultForTesting([step](TWriteStep s) { return s == step; });
        EXPECT_FALSE(key->SetValue("v", RegDword, Dword(2)));
        SetWriteFaultForTesting(nullptr);
        EXPECT_EQ(ReadFileBytes(File), before);
        EXPECT_EQ(key->ReadValue("v")->Data, Dword(1));
    }
}

TEST_F(RegistryFileTest, AWriteStartsFromWhatIsOnDiskNow) {
    auto key = Open("REGEDIT4\r\n" + Section + "\r\n\"a\"=dword:00000001\r\n");
    ASSERT_TRUE(key);
    // Another copy of the program adds a value after this key was opened.
    WriteFileBytes(File, "REGEDIT4\r\n" + Section + "\r\n\"a\"=dword:00000001\r\n\"b\"=\"x\"\r\n");
    ASSERT_TRUE(key->SetValue("a", RegDword, Dword(2)));
    EXPECT_EQ(ReadFileBytes(File),
              "REGEDIT4\r\n" + Section + "\r\n\"a\"=dword:00000002\r\n\"b\"=\"x\"\r\n");
}

TEST_F(RegistryFileTest, ASymbolicLinkToTheSettingsStaysALink) {
    const fs::path target = Dir / "dotfiles" / "Vantrel.reg";
    fs::create_directories(target.parent_path());
    WriteFileBytes(target, "REGEDIT4\r\n");
    fs::create_symlink("dotfiles/Vantrel.reg", File);
    auto key = Reg.OpenKey(KeyPath, true);
    ASSERT_TRUE(key);
    ASSERT_TRUE(key->SetValue("v", RegDword, Dword(1)));
    EXPECT_TRUE(fs::is_symlink(File));
    EXPECT_EQ(ReadFileBytes(target),
              "REGEDIT4\r\n\r\n" + Section + "\r\n\"v\"=dword:00000001\r\n\r\n");
}

TEST_F(RegistryFileTest, TheDefaultLocationFollowsTheEnvironmentAtEachOpen) {
    ::setenv("XDG_CONFIG_HOME", (Dir / "xdg").c_str(), 1);
    ::setenv("HOME", (Dir / "home").c_str(), 1);
    EXPECT_EQ(DefaultRegistryFilePath(), Dir / "xdg" / "Morvane" / "Vantrel.reg");
    TRegistryFile reg;
    EXPECT_EQ(reg.Path(), Dir / "xdg" / "Morvane" / "Vantrel.reg");

    ::setenv("XDG_CONFIG_HOME", "", 1);
    EXPECT_EQ(reg.Path(), Dir / "home" / ".config" / "Morvane" / "Vantrel.reg");
    ::setenv("XDG_CONFIG_HOME", "relative/dir", 1);
    EXPECT_EQ(reg.Path(), Dir / "home" / ".config" / "Morvane" / "Vantrel.reg");
    ::unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(reg.Path(), Dir / "home" / ".config" / "Morvane" / "Vantrel.reg");

    reg.SetPath(File);
    EXPECT_EQ(reg.Path(), File);
}

TEST_F(RegistryFileTest, TheRegistryInUseCanBePointedElsewhere) {
    SetRegistryFilePath(File);
    auto key = Registry().OpenKey(KeyPath, true);
    ASSERT_TRUE(key);
    ASSERT_TRUE(key->SetValue("v", RegDword, Dword(1)));
    EXPECT_TRUE(fs::exists(File));
    SetRegistryFilePath({});
    ::setenv("XDG_CONFIG_HOME", (Dir / "xdg").c_str(), 1);
    EXPECT_FALSE(Registry().OpenKey(KeyPath, false));
}

} // namespace
