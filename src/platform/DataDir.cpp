#include "platform/DataDir.h"

#include "platform/Files.h"

#include <sys/stat.h>
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

bool IsUsersOwnFolder(const fs::path& folder, unsigned owner, unsigned user) {
    if (owner != user || !folder.is_absolute())
        return false;
    auto part = folder.begin();
    if (part == folder.end() || ++part == folder.end())
        return true; // the root folder itself, owned by the user
    const std::string top = part->string();
    for (const char* system : {"usr", "bin", "sbin", "opt", "etc", "var", "boot"})
        if (top == system)
            return false;
    // lib, lib32, lib64, libx32; a "library" of the user's is no system folder.
    return !(top.starts_with("lib") &&
             top.find_first_not_of("0123456789x", 3) == std::string::npos);
}

TDataDirChoice ChooseDataDir(const fs::path& programDir, const TFolderWriteCheck& mayWrite) {
    const fs::path beside = programDir / "Data";
    struct stat st {};
    std::error_code ec;
    const fs::path real = fs::canonical(programDir, ec);
    if (!ec && ::stat(real.c_str(), &st) == 0 && IsUsersOwnFolder(real, st.st_uid, ::geteuid()) &&
        UsableFolder(beside, false, mayWrite))
        return {beside, true};
    const fs::path user = UserDataFolder();
    if (user.empty())
        return {beside, false};
    return {user, UsableFolder(user, true, mayWrite)};
}

} // namespace platform
