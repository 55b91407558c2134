#pragma once
// Where the orders, requisites and purposes are kept. A copy run from a folder of the user's
// own keeps them in "Data" beside the program file, as it always has; an installed copy
// (/usr/bin, /opt...) keeps them in the user's data folder instead, for root too.

#include <filesystem>
#include <functional>

namespace platform {

struct TDataDirChoice {
    std::filesystem::path Folder;
    // False when no folder could be had: Folder is then the last one tried, for the message.
    bool Usable = false;
};

// Answers whether files can be created in an existing folder; access(2) by default.
using TFolderWriteCheck = std::function<bool(const std::filesystem::path&)>;

// Whether a program started from `folder` (an absolute path whose owner is `owner`) may keep
// its data beside itself for `user`: only when the folder is the user's own, owned by the
// user and below none of the system's folders (/usr, /bin, /sbin, /lib*, /opt, /etc, /var,
// /boot), where an installed copy lives, even when root may write there.
bool IsUsersOwnFolder(const std::filesystem::path& folder, unsigned owner, unsigned user);

// programDir / "Data" when programDir is the user's own (IsUsersOwnFolder) and "Data" is a
// folder we can write, or can be made there (one level, since programDir exists); otherwise
// UserDataFolder(), made with its parents when missing.
// An existing but read-only "Data" beside the program is passed over, so that saving works:
// the orders in it stay where they are, readable with any file manager.
TDataDirChoice ChooseDataDir(const std::filesystem::path& programDir,
                             const TFolderWriteCheck& mayWrite = {});

// ${XDG_DATA_HOME:-$HOME/.local/share}/Morvane/Vantrel/Data. A relative XDG_DATA_HOME is
// ignored, as the XDG base-directory rules ask; without HOME the account's home folder is
// used. Empty when there is no home folder at all.
std::filesystem::path UserDataFolder();

} // namespace platform
