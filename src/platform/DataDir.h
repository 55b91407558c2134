#pragma once
// Where the orders, requisites and purposes are kept. A copy run from a folder of its own
// keeps them in "Data" beside the program file, as it always has; an installed copy, whose
// folder (/usr/bin) the user cannot write, keeps them in the user's data folder instead.

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

// programDir / "Data" when it is a folder we can write, or can be made there (one level,
// since programDir exists); otherwise UserDataFolder(), made with its parents when missing.
// An existing but read-only "Data" beside the program is passed over, so that saving works:
// the orders in it stay where they are, readable with any file manager.
TDataDirChoice ChooseDataDir(const std::filesystem::path& programDir,
                             const TFolderWriteCheck& mayWrite = {});

// ${XDG_DATA_HOME:-$HOME/.local/share}/Morvane/Vantrel/Data. A relative XDG_DATA_HOME is
// ignored, as the XDG base-directory rules ask; without HOME the account's home folder is
// used. Empty when there is no home folder at all.
std::filesystem::path UserDataFolder();

} // namespace platform
