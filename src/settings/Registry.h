#pragma once
// The machine-wide registry as the options need it: open a key below HKEY_LOCAL_MACHINE,
// with or without creating it, ask for a named value's type and size, read it, write it
// with its type, close the key. A Windows build would implement TRegistry over
// RegCreateKeyExA / RegOpenKeyExA (KEY_ALL_ACCESS), RegQueryValueExA, RegSetValueExA and
// RegCloseKey; here the one implementation is a text file (settings/RegistryFile.h).
//
// Names, paths and string data are Windows-1251 bytes, as everywhere in the core.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

// A value of the wrong type or size, or a write the registry refused. what() is the
// registry layer's text with the value's name, Windows-1251.
class TRegistryError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

namespace settings {

// The registry's value types (the numbers are the registry's own).
constexpr std::uint32_t RegSz = 1;
constexpr std::uint32_t RegExpandSz = 2;
constexpr std::uint32_t RegBinary = 3;
constexpr std::uint32_t RegDword = 4;
// A value the store holds but cannot decode (a hand-edited line gone wrong). Its data are
// the undecodable text followed by a zero byte, so it is never empty and never mistaken
// for a number or a string.
constexpr std::uint32_t RegMalformed = 0xFFFFFFFFu;

struct TRegValue {
    std::uint32_t Type;
    std::string Data; // a string's includes its terminating zero
};

struct TNamedValue {
    std::string Name;
    TRegValue Value;
};

// An open key; destroying it closes the key.
class TRegistryKey {
public:
    virtual ~TRegistryKey() = default;
    // The named value's type and data, or nothing when the key has no such value. Value
    // names compare without regard to case.
    virtual std::optional<TRegValue> ReadValue(std::string_view name) = 0;
    // Stores the values with their types, in order, each replacing one of the same name, in
    // one write: all of them, or none. When the store cannot hold one (a name it cannot
    // write) nothing is stored and its index is returned. A write that the system refuses
    // throws platform::TFileError, with the system's reason; a store that must not be
    // written throws TRegistryError.
    virtual std::optional<std::size_t> SetValues(const std::vector<TNamedValue>& values) = 0;
};

class TRegistry {
public:
    virtual ~TRegistry() = default;
    // Opens `path` ("Software\Morvane\Vantrel") below HKEY_LOCAL_MACHINE. Without `create`,
    // for reading: nothing when the key does not exist or cannot be read. With `create`, for
    // writing: the key, made with any missing parents by the first value written; a store
    // that refuses throws as SetValue does.
    virtual std::unique_ptr<TRegistryKey> OpenKey(std::string_view path, bool create) = 0;
};

// The registry in use: the registry file (settings/RegistryFile.h) until told otherwise.
TRegistry& Registry();
// Installs `registry` (not owned; nullptr restores the registry file) in place of the file.
void SetRegistryForTesting(TRegistry* registry);

} // namespace settings
