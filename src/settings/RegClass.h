#pragma once
// The one door to the registry key of the options, Software\Morvane\Vantrel below
// HKEY_LOCAL_MACHINE. Nothing is held open between two uses of the program's settings, so
// two running copies of the program never block each other: an object lives for one load
// or one save.
//
// Reads are served from one snapshot of the key, taken at the first read and taken afresh
// after a write. A write outside Begin/Commit stores at once; between them, writes are
// collected and Commit stores them all in one write of the registry, or none of them.

#include "settings/Registry.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class TMyRegistry {
public:
    void Begin();
    // Stores the writes collected since Begin, creating the key when it is missing. A value
    // the registry refuses throws TRegistryError "Failed to set data for '<name>'", followed
    // by ": " and the system's reason when there is one (a refusal of the whole write names
    // the first value); a registry file that must not be written throws the registry's own
    // TRegistryError. Either way nothing of the batch is stored.
    void Commit();

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
    bool Batch = false;
    std::vector<settings::TNamedValue> Pending;
    bool SnapshotTaken = false;
    std::unique_ptr<settings::TRegistryKey> Snapshot; // null: no key to read

    void Write(const std::string& name, std::uint32_t type, std::string data);
    void Store(const std::vector<settings::TNamedValue>& values);
    // The stored value of that name, or nothing.
    std::optional<settings::TRegValue> Stored(const std::string& name);
};
