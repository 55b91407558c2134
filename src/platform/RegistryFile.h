#pragma once
// The machine-wide registry as the options need it: open a key below HKEY_LOCAL_MACHINE,
// with or without creating it, ask for a named value's type and size, read it, write it
// with its type, close the key. A Windows build would implement TRegistry over
// RegCreateKeyExA / RegOpenKeyExA (KEY_ALL_ACCESS), RegQueryValueExA, RegSetValueExA and
// RegCloseKey; here the one implementation is a text file in the registry-export format
// REGEDIT4, so that the settings stay readable and editable by hand.
//
// Names, paths and string data are Windows-1251 bytes, as everywhere in the core.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

// The registry's value types (the numbers are the registry's own).
constexpr std::uint32_t RegNone = 0;
constexpr std::uint32_t RegSz = 1;
constexpr std::uint32_t RegExpandSz = 2;
constexpr std::uint32_t RegBinary = 3;
constexpr std::uint32_t RegDword = 4;
// A value the store holds but cannot decode (a hand-edited line gone wrong). Its data are
// the undecodable text followed by a zero byte, so it is never empty and never mistaken
// for a number or a string.
constexpr std::uint32_t RegMalformed = 0xFFFFFFFFu;

struct TRegValueInfo {
    std::uint32_t Type;
    std::uint32_t Size; // bytes of data; a string's includes its terminating zero
};

struct TRegValue {
    std::uint32_t Type;
    std::string Data;
};

// An open key; destroying it closes the key.
class TRegistryKey {
public:
    virtual ~TRegistryKey() = default;
    // Type and size of the named value, or nothing when the key has no such value.
    // Value names compare without regard to case.
    virtual std::optional<TRegValueInfo> QueryValue(std::string_view name) = 0;
    // The named value's type and data, or nothing when the key has no such value.
    virtual std::optional<TRegValue> ReadValue(std::string_view name) = 0;
    // Stores the value with its type, replacing one of the same name; false when the
    // store refuses.
    virtual bool SetValue(std::string_view name, std::uint32_t type, std::string_view data) = 0;
};

class TRegistry {
public:
    virtual ~TRegistry() = default;
    // Opens `path` ("Software\Morvane\Vantrel") below HKEY_LOCAL_MACHINE with full access,
    // with `create` making it and any missing parents first. Nothing when the key does not
    // exist (and `create` is false) or cannot be opened with full access.
    virtual std::unique_ptr<TRegistryKey> OpenKey(std::string_view path, bool create) = 0;
};

// The registry kept in one REGEDIT4 text file: every key is a section
// "[HKEY_LOCAL_MACHINE\<path>]" of the file, and writing a value rewrites the whole file
// atomically, keeping other keys' sections, comments and lines it does not understand.
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

// The file format on its own, for callers that hold the file's bytes (the fuzz targets).
// `path` is a key's path below HKEY_LOCAL_MACHINE, as OpenKey takes it.
//
// The value `name` of the key as an open key reads it from a file holding `bytes`; nothing
// when the file has no such value (or is no registry file at all).
std::optional<TRegValue> RegistryFileValue(std::string_view bytes, std::string_view path,
                                           std::string_view name);
// The bytes TRegistryKey::SetValue writes when it sets the value in a file holding `bytes`;
// nothing when the value cannot be written (its name holds a line break or a zero byte).
std::optional<std::string> RegistryFileWithValue(std::string_view bytes, std::string_view path,
                                                 std::string_view name, std::uint32_t type,
                                                 std::string_view data);

// ${XDG_CONFIG_HOME:-$HOME/.config}/Morvane/Vantrel.reg. A relative XDG_CONFIG_HOME is
// ignored, as the XDG base-directory rules ask; without HOME the account's home folder is
// used. Empty when there is no home folder at all.
std::filesystem::path DefaultRegistryFilePath();

// The folder the default registry file is written in (links to the file followed), where
// its temporary copies lie; empty when there is no location.
std::filesystem::path RegistryFileFolder();

// The registry in use: a TRegistryFile on the default location until told otherwise.
TRegistry& Registry();
// Points the default registry file at `path` (empty: back to the default location), for
// front ends and tests that keep their settings elsewhere.
void SetRegistryFilePath(std::filesystem::path path);
// Installs `registry` (not owned; nullptr restores the registry file) in place of the file.
void SetRegistryForTesting(TRegistry* registry);

// Seam for the access test: the check receives the registry file, or its folder when there
// is no file, and answers whether it may be both read and written. Tests run as root,
// where access(2) grants almost everything; nullptr restores access(2).
void SetRegistryAccessCheckForTesting(std::function<bool(const std::filesystem::path&)> check);

} // namespace platform
