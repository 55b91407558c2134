// Tests of the registry file: where it is, when a key exists, and how it is rewritten.
#include "settings/RegistryFile.h"
#include "platform/Files.h"

#include "RegistryTestHelpers.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sys/stat.h>

using namespace platform;
using namespace settings;
using namespace testing_support;
namespace fs = std::filesystem;

namespace {

using namespace registry_test;

// One value written by itself.
bool Set(TRegistryKey& key, const std::string& name, std::uint32_t type, const std::string& data) {
    return !key.SetValues({{name, {type, data}}});
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

TEST_F(RegistryFileTest, AMissingFileOrSectionIsAMissingKeyUnlessCreated) {
    EXPECT_FALSE(Reg.OpenKey(KeyPath, false));
    EXPECT_FALSE(fs::exists(File));
    EXPECT_FALSE(Open("REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\Software\\Other]\r\n\"v\"=\"x\"\r\n"));
    EXPECT_TRUE(Reg.OpenKey(KeyPath, true));

    // A file that is no registry file at all is a key without values, and writing keeps it.
    auto alien = Open("no registry\n");
    ASSERT_TRUE(alien);
    EXPECT_FALSE(alien->ReadValue("v"));
    ASSERT_TRUE(Set(*alien, "v", RegDword, Dword(1)));
    EXPECT_EQ(ReadFileBytes(File),
              "REGEDIT4\r\n\r\nno registry\r\n\r\n" + Section + "\r\n\"v\"=dword:00000001\r\n\r\n");
}

TEST_F(RegistryFileTest, TheFirstValueWrittenMakesTheFolderAndTheFile) {
    const fs::path file = Dir / "config" / "Morvane" / "Vantrel.reg";
    TRegistryFile reg(file);
    auto key = reg.OpenKey(KeyPath, true);
    ASSERT_TRUE(key);
    ASSERT_FALSE(key->SetValues({{"BoldPlatName", {RegDword, Dword(1)}},
                                 {"strNDS", {RegSz, Sz(W(", в т.ч. ПДВ [NDS] грн."))}}}));
    EXPECT_EQ(ReadFileBytes(file), "REGEDIT4\r\n\r\n" + Section +
                                       "\r\n\"BoldPlatName\"=dword:00000001\r\n" +
                                       W("\"strNDS\"=\", в т.ч. ПДВ [NDS] грн.\"\r\n\r\n"));
    // The key now exists for readers, and a fresh open sees the values.
    auto again = reg.OpenKey(KeyPath, false);
    ASSERT_TRUE(again);
    EXPECT_EQ(again->ReadValue("strNDS")->Data, Sz(W(", в т.ч. ПДВ [NDS] грн.")));
}

TEST_F(RegistryFileTest, AnInterruptedWriteKeepsThePreviousFile) {
    const std::string before = "REGEDIT4\r\n" + Section + "\r\n\"v\"=dword:00000001\r\n";
    for (auto step :
         {TWriteStep::Create, TWriteStep::Write, TWriteStep::Flush, TWriteStep::Rename}) {
        auto key = Open(before);
        ASSERT_TRUE(key);
        SetWriteFaultForTesting([step](TWriteStep s) { return s == step; });
        EXPECT_THROW(Set(*key, "v", RegDword, Dword(2)), TFileError);
        SetWriteFaultForTesting(nullptr);
        EXPECT_EQ(ReadFileBytes(File), before);
        EXPECT_EQ(key->ReadValue("v")->Data, Dword(1));
    }
    // A value that cannot be written keeps the whole batch out.
    auto key = Open(before);
    EXPECT_EQ(key->SetValues({{"v", {RegDword, Dword(2)}}, {"a\nb", {RegDword, Dword(3)}}}), 1u);
    EXPECT_EQ(ReadFileBytes(File), before);
}

TEST_F(RegistryFileTest, AWriteStartsFromWhatIsOnDiskNow) {
    auto key = Open("REGEDIT4\r\n" + Section + "\r\n\"a\"=dword:00000001\r\n");
    ASSERT_TRUE(key);
    // Another copy of the program adds a value after this key was opened.
    WriteFileBytes(File, "REGEDIT4\r\n" + Section + "\r\n\"a\"=dword:00000001\r\n\"b\"=\"x\"\r\n");
    ASSERT_TRUE(Set(*key, "a", RegDword, Dword(2)));
    EXPECT_EQ(ReadFileBytes(File),
              "REGEDIT4\r\n" + Section + "\r\n\"a\"=dword:00000002\r\n\"b\"=\"x\"\r\n");
}

// A link to the settings (kept with the user's other configuration files) stays a link, and
// the file it leads to is rewritten, but only when that is a registry file already or a name
// yet to be made beside the link: a link must not turn the settings into a way of writing
// over anything else.
TEST_F(RegistryFileTest, ALinkIsFollowedOnlyToARegistryFileOrANewNameBesideIt) {
    const std::string passwd = "root:x:0:0:root:/root:/bin/bash\ndaemon:x:1:1::/:/bin/false\n";
    fs::create_directories(Dir / "dotfiles");
    WriteFileBytes(Dir / "dotfiles" / "Vantrel.reg", "REGEDIT4\r\n");
    WriteFileBytes(Dir / "dotfiles" / "passwd", passwd);
    ASSERT_EQ(::mkfifo((Dir / "dotfiles" / "fifo").c_str(), 0600), 0);
    struct Case {
        const char* Target;
        const char* Written; // the file that takes the value; nullptr: refused
    };
    const Case cases[] = {
        {"dotfiles/Vantrel.reg", "dotfiles/Vantrel.reg"},
        {"Vantrel.reg.new", "Vantrel.reg.new"},
        {"dotfiles/passwd", nullptr},
        {"dotfiles/missing.reg", nullptr},
        {"nowhere/deep/Vantrel.reg", nullptr},
        {"dotfiles", nullptr},
        {"dotfiles/fifo", nullptr},
        {"Vantrel.reg", nullptr},
    };
    for (const auto& c : cases) {
        fs::remove(File);
        fs::create_symlink(c.Target, File);
        std::string error;
        try {
            auto key = Reg.OpenKey(KeyPath, true);
            if (!key || !Set(*key, "v", RegDword, Dword(1)))
                error = "not written";
        } catch (const TRegistryError& e) {
            error = U(e.what());
        }
        EXPECT_TRUE(fs::is_symlink(File)) << c.Target;
        if (c.Written) {
            EXPECT_EQ(error, "") << c.Target;
            EXPECT_EQ(ReadFileBytes(Dir / c.Written),
                      "REGEDIT4\r\n\r\n" + Section + "\r\n\"v\"=dword:00000001\r\n\r\n")
                << c.Target;
        } else {
            EXPECT_EQ(error, "Файл настроек \"" + File.string() +
                                 "\" не является файлом реестра; настройки не сохранены")
                << c.Target;
        }
    }
    EXPECT_EQ(ReadFileBytes(Dir / "dotfiles" / "passwd"), passwd);
    EXPECT_TRUE(fs::is_fifo(Dir / "dotfiles" / "fifo"));
    EXPECT_FALSE(fs::exists(Dir / "dotfiles" / "missing.reg"));
    EXPECT_FALSE(fs::exists(Dir / "nowhere"));
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
    ASSERT_TRUE(Set(*key, "v", RegDword, Dword(1)));
    EXPECT_TRUE(fs::exists(File));
    SetRegistryFilePath({});
    ::setenv("XDG_CONFIG_HOME", (Dir / "xdg").c_str(), 1);
    EXPECT_FALSE(Registry().OpenKey(KeyPath, false));
}

} // namespace
