#include "platform/DataDir.h"

#include "platform/Files.h"

#include <unistd.h>

namespace fs = std::filesystem;

namespace platform {
namespace {

// A folder must also be searchable, or no file can be created in it.
bool MayWrite(const fs::path& folder, const TFolderWriteCheck& check) {
    return check ? check(folder) : ::access(folder.c_str(), W_OK | X_OK) == 0;
}

bool UsableFolder(const fs::path& folder, bool withParents, const TFolderWriteCheck& check) {
    std::error_code ec;
    if (!fs::is_directory(folder, ec)) {
        if (withParents)
            fs::create_directories(folder, ec);
        else
            fs::create_directory(folder, ec);
        if (ec || !fs::is_directory(folder, ec))
            return false;
    }
    return MayWrite(folder, check);
}

} // namespace

fs::path UserDataFolder() {
    const fs::path home = XdgBaseFolder("XDG_DATA_HOME", fs::path(".local") / "share");
    if (home.empty())
        return {};
    return home / "Morvane" / "Vantrel" / "Data";
}

TDataDirChoice ChooseDataDir(const fs::path& programDir, const TFolderWriteCheck& mayWrite) {
    const fs::path beside = programDir / "Data";
    if (UsableFolder(beside, false, mayWrite))
        return {beside, true};
    const fs::path user = UserDataFolder();
    if (user.empty())
        return {beside, false};
    return {user, UsableFolder(user, true, mayWrite)};
}

} // namespace platform
