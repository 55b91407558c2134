#pragma once
// The one door to the registry key of the options. Every operation opens the key, reads or
// writes one value and closes the key again, so nothing is held open between calls and two
// running copies of the program never block each other.

#include "settings/Registry.h"

#include <cstdint>
#include <string>

class TMyRegistry {
public:
    TMyRegistry();

    // Below HKEY_LOCAL_MACHINE; the leading backslash makes it start at the root key.
    std::string KeyPath;

    // Writes create the key when it is missing. A value the registry refuses throws
    // TRegistryError "Failed to set data for '<name>'", followed by ": " and the system's
    // reason when there is one; a registry file that must not be written throws the
    // registry's own TRegistryError.
    void WriteBool(const std::string& name, bool value);
    void WriteString(const std::string& name, const std::string& value);
    void WriteInteger(const std::string& name, std::int32_t value);

    // Reads leave `value` untouched when the key or the value does not exist (or cannot be
    // read at all, which the registry reports itself). Stored data of the wrong type throw
    // TRegistryError "Invalid data type for '<name>'"; a number longer than four bytes
    // throws "Failed to get data for '<name>'".
    void ReadBool(const std::string& name, bool& value);
    void ReadString(const std::string& name, std::string& value);
    void ReadInteger(const std::string& name, std::int32_t& value);

private:
    std::string OpenPath() const;
    void Write(const std::string& name, std::uint32_t type, const std::string& data);
};
