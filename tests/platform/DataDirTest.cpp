// Tests of the choice of the data folder.
#include "platform/DataDir.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

using namespace platform;
using namespace testing_support;
namespace fs = std::filesystem;

namespace {

// Keeps XDG_DATA_HOME and HOME as the test found them.
class EnvironmentGuard {
public:
    EnvironmentGuard() {
        for (const char* name : {"XDG_DATA_HOME", "HOME"}) {
            const char* v = std::getenv(name);
            Saved.push_back({name, v ? std::optional<std::string>(v) : std::nullopt});
        }
    }
    ~EnvironmentGuard() {
        for (const auto& [name, value] : Saved) {
            if (value)
                ::setenv(name.c_str(), value->c_str(), 1);
            else
                ::unsetenv(name.c_str());
        }
    }

private:
    std::vector<std::pair<std::string, std::optional<std::string>>> Saved;
};

// Tests run as root, where permission bits stop nothing: a folder that cannot be made lies
// below a regular file, and a read-only folder is one the write check refuses.
TEST(DataDirTest, TheProgramFolderWinsWhenItCanHoldTheData) {
    enum class TProgram { Writable, HasData, UnderAFile, DataIsAFile, DataReadOnly };
    enum class TExpect { Beside, User, UserUnusable };
    struct Case {
        const char* Name;
        TProgram Program;
        bool UserFolderPossible;
        TExpect Expect;
    };
    const Case cases[] = {
        {"a writable program folder gets its Data", TProgram::Writable, true, TExpect::Beside},
        {"an existing Data is used", TProgram::HasData, true, TExpect::Beside},
        {"a read-only program folder sends the data home", TProgram::UnderAFile, true,
         TExpect::User},
        {"a file named Data is no folder", TProgram::DataIsAFile, true, TExpect::User},
        {"a read-only Data cannot take a save", TProgram::DataReadOnly, true, TExpect::User},
        {"neither folder can be had", TProgram::UnderAFile, false, TExpect::UserUnusable},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        EnvironmentGuard env;
        TTempDir dir;
        WriteFileBytes(dir / "file", "");
        fs::path program = dir / "opt";
        fs::create_directory(program);
        if (c.Program == TProgram::HasData) {
            fs::create_directory(program / "Data");
            WriteFileBytes(program / "Data" / "kept.plt", "101\r\n");
        } else if (c.Program == TProgram::UnderAFile) {
            program = dir / "file" / "bin";
        } else if (c.Program == TProgram::DataIsAFile) {
            WriteFileBytes(program / "Data", "");
        }
        const fs::path dataHome = c.UserFolderPossible ? dir / "share" : dir / "file" / "share";
        ::setenv("XDG_DATA_HOME", dataHome.c_str(), 1);
        const fs::path user = dataHome / "Morvane" / "Vantrel" / "Data";
        TFolderWriteCheck check;
        if (c.Program == TProgram::DataReadOnly) {
            fs::create_directory(program / "Data");
            check = [&](const fs::path& folder) { return folder != program / "Data"; };
        }

        const TDataDirChoice choice = ChooseDataDir(program, check);
        switch (c.Expect) {
        case TExpect::Beside:
            EXPECT_EQ(choice.Folder, program / "Data");
            EXPECT_TRUE(choice.Usable);
            EXPECT_TRUE(fs::is_directory(choice.Folder));
            EXPECT_FALSE(fs::exists(dir / "share")) << "the user's folder is made only when used";
            break;
        case TExpect::User:
            EXPECT_EQ(choice.Folder, user);
            EXPECT_TRUE(choice.Usable);
            EXPECT_TRUE(fs::is_directory(user));
            break;
        case TExpect::UserUnusable:
            EXPECT_EQ(choice.Folder, user) << "the message names the folder tried last";
            EXPECT_FALSE(choice.Usable);
            break;
        }
        if (c.Program == TProgram::HasData) {
            EXPECT_TRUE(fs::exists(program / "Data" / "kept.plt"));
        }
    }
}

// An installed program (root's, in a system folder) never keeps the data beside itself, even
// for root, who may write there: only a folder of the user's own does.
TEST(DataDirTest, DataBesideTheProgramOnlyInAFolderOfTheUsersOwn) {
    struct Case {
        const char* Folder;
        unsigned Owner, User;
        bool Beside;
    };
    const Case cases[] = {
        {"/home/buh/vantrel", 1000, 1000, true},
        {"/home/buh/vantrel", 1000, 1001, false},
        {"/root/build/src/app", 0, 0, true},
        {"/srv/library/vantrel", 1000, 1000, true},
        {"/usr/bin", 0, 0, false},
        {"/usr/local/bin", 1000, 1000, false},
        {"/opt/vantrel", 0, 0, false},
        {"/sbin", 0, 0, false},
        {"/lib64/vantrel", 0, 0, false},
        {"/var/lib/vantrel", 0, 0, false},
        {"relative/bin", 1000, 1000, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsUsersOwnFolder(c.Folder, c.Owner, c.User), c.Beside)
            << c.Folder << " of " << c.Owner << " for " << c.User;
}

TEST(DataDirTest, TheUserFolderFollowsTheXdgRules) {
    EnvironmentGuard env;
    ::setenv("HOME", "/home/buh", 1);
    ::setenv("XDG_DATA_HOME", "/srv/data", 1);
    EXPECT_EQ(UserDataFolder(), fs::path("/srv/data/Morvane/Vantrel/Data"));
    for (const char* ignored : {"", "relative/share"}) {
        ::setenv("XDG_DATA_HOME", ignored, 1);
        EXPECT_EQ(UserDataFolder(), fs::path("/home/buh/.local/share/Morvane/Vantrel/Data"))
            << "XDG_DATA_HOME=" << ignored;
    }
    ::unsetenv("XDG_DATA_HOME");
    EXPECT_EQ(UserDataFolder(), fs::path("/home/buh/.local/share/Morvane/Vantrel/Data"));
}

} // namespace
