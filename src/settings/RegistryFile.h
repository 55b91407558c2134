#pragma once
// The registry kept in one text file, ${XDG_CONFIG_HOME:-~/.config}/Morvane/Vantrel.reg, in
// the format of settings/RegistryFormat.h. Every open reads the file afresh, and every
// write of values rewrites the whole file once, atomically (platform::WriteFileAtomically).
//
// The file is the user's own, so what can be read is read, whatever its permissions, and a
// write that the system refuses fails with the system's reason (platform::TFileError). Only
// a regular file of at most 1 MiB is read, without ever waiting on a FIFO or a device;
// anything else in its place is reported once (platform::ShowError) and reads as no key,
// so that the defaults apply, and is never written over.

#include "settings/Registry.h"

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

namespace settings {

class TRegistryFile final : public TRegistry {
public:
    // An empty path stands for DefaultRegistryFilePath(), looked up afresh at each open.
    explicit TRegistryFile(std::filesystem::path path = {});
    void SetPath(std::filesystem::path path) { FixedPath = std::move(path); }
    // The file the next open uses (empty when no location can be found).
    std::filesystem::path Path() const;

    // Without `create`, nothing as well when the file cannot be read; the reason is shown
    // once, not at every open that meets it again. With `create`, TRegistryError when the
    // file must not be written: it is no regular file, is larger than 1 MiB, or is a
    // symbolic link that leads neither to a registry file nor to a name yet to be made in
    // the settings' own folder.
    std::unique_ptr<TRegistryKey> OpenKey(std::string_view path, bool create) override;

private:
    std::filesystem::path FixedPath;
    std::string Reported; // the reading problem shown last, until the file reads again

    void Report(const std::string& problem);
};

// ${XDG_CONFIG_HOME:-$HOME/.config}/Morvane/Vantrel.reg. A relative XDG_CONFIG_HOME is
// ignored, as the XDG base-directory rules ask; without HOME the account's home folder is
// used. Empty when there is no home folder at all.
std::filesystem::path DefaultRegistryFilePath();

// The folder the settings file in use is written in (a link to it followed), where its
// temporary copies lie; empty when there is no location.
std::filesystem::path RegistryFileFolder();

// Points the registry file in use (Registry()) at `path` (empty: back to the default
// location), for front ends and tests that keep their settings elsewhere.
void SetRegistryFilePath(std::filesystem::path path);

} // namespace settings
