#pragma once
// The registry kept in one text file, ${XDG_CONFIG_HOME:-~/.config}/Morvane/Vantrel.reg, in
// the format of settings/RegistryFormat.h. Every open reads the file afresh, and writing a
// value rewrites the whole file atomically (platform::WriteFileAtomically).

#include "settings/Registry.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <string_view>

namespace settings {

class TRegistryFile final : public TRegistry {
public:
    // An empty path stands for DefaultRegistryFilePath(), looked up afresh at each open.
    explicit TRegistryFile(std::filesystem::path path = {});
    void SetPath(std::filesystem::path path) { FixedPath = std::move(path); }
    // The file the next open uses (empty when no location can be found).
    std::filesystem::path Path() const;

    std::unique_ptr<TRegistryKey> OpenKey(std::string_view path, bool create) override;

private:
    std::filesystem::path FixedPath;
};

// ${XDG_CONFIG_HOME:-$HOME/.config}/Morvane/Vantrel.reg. A relative XDG_CONFIG_HOME is
// ignored, as the XDG base-directory rules ask; without HOME the account's home folder is
// used. Empty when there is no home folder at all.
std::filesystem::path DefaultRegistryFilePath();

// Points the registry file in use (Registry()) at `path` (empty: back to the default
// location), for front ends and tests that keep their settings elsewhere.
void SetRegistryFilePath(std::filesystem::path path);

// Seam for the access test: the check receives the registry file, or its folder when there
// is no file, and answers whether it may be both read and written. Tests run as root,
// where access(2) grants almost everything; nullptr restores access(2).
void SetRegistryAccessCheckForTesting(std::function<bool(const std::filesystem::path&)> check);

} // namespace settings
