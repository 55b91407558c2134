#include "settings/RegClass.h"

#include "platform/Files.h"

namespace {

constexpr std::string_view KeyPath = "Software\\Morvane\\Vantrel";

[[noreturn]] void Fail(const char* what, const std::string& name, const std::string& reason = {}) {
    throw TRegistryError(std::string(what) + " '" + name + "'" +
                         (reason.empty() ? "" : ": " + reason));
}

} // namespace

void TMyRegistry::Begin() {
    Batch = true;
}

void TMyRegistry::Commit() {
    Batch = false;
    const std::vector<settings::TNamedValue> values = std::move(Pending);
    Pending.clear();
    if (!values.empty())
        Store(values);
}

void TMyRegistry::Store(const std::vector<settings::TNamedValue>& values) {
    // Whatever happens, the next read looks at the registry again.
    SnapshotTaken = false;
    Snapshot.reset();
    try {
        auto key = settings::Registry().OpenKey(KeyPath, true);
        const auto refused = key ? key->SetValues(values) : std::optional<std::size_t>(0);
        if (refused)
            Fail("Failed to set data for", values[*refused].Name);
    } catch (const platform::TFileError& e) {
        // The system's reason ("Permission denied", "No space left on device") is what the
        // user can act on.
        Fail("Failed to set data for", values.front().Name, platform::ErrorReason(e.ErrorNumber));
    }
}

void TMyRegistry::Write(const std::string& name, std::uint32_t type, std::string data) {
    Pending.push_back({name, {type, std::move(data)}});
    if (!Batch)
        Commit();
}

void TMyRegistry::WriteBool(const std::string& name, bool value) {
    WriteInteger(name, value ? 1 : 0);
}

void TMyRegistry::WriteString(const std::string& name, const std::string& value) {
    // The terminating zero is part of a string's data.
    Write(name, settings::RegSz, std::string(value.data(), value.size() + 1));
}

void TMyRegistry::WriteInteger(const std::string& name, std::int32_t value) {
    const auto bits = static_cast<std::uint32_t>(value);
    std::string data(4, '\0');
    for (int i = 0; i < 4; ++i)
        data[i] = static_cast<char>((bits >> (8 * i)) & 0xFF);
    Write(name, settings::RegDword, std::move(data));
}

std::optional<settings::TRegValue> TMyRegistry::Stored(const std::string& name) {
    if (!SnapshotTaken) {
        Snapshot = settings::Registry().OpenKey(KeyPath, false);
        SnapshotTaken = true;
    }
    if (!Snapshot)
        return std::nullopt;
    return Snapshot->ReadValue(name);
}

void TMyRegistry::ReadBool(const std::string& name, bool& value) {
    std::int32_t number = value ? 1 : 0;
    ReadInteger(name, number);
    value = number != 0;
}

void TMyRegistry::ReadInteger(const std::string& name, std::int32_t& value) {
    const auto stored = Stored(name);
    if (!stored)
        return;
    if (stored->Type != settings::RegDword)
        Fail("Invalid data type for", name);
    if (stored->Data.size() > 4)
        Fail("Failed to get data for", name);
    // Little-endian; data shorter than four bytes (only a hand-made value can be) read as
    // if the missing high bytes were zero.
    std::uint32_t bits = 0;
    for (size_t i = 0; i < stored->Data.size(); ++i)
        bits |= static_cast<std::uint32_t>(static_cast<unsigned char>(stored->Data[i])) << (8 * i);
    value = static_cast<std::int32_t>(bits);
}

void TMyRegistry::ReadString(const std::string& name, std::string& value) {
    const auto stored = Stored(name);
    if (!stored)
        return;
    if (stored->Data.empty()) {
        value.clear();
        return;
    }
    if (stored->Type != settings::RegSz && stored->Type != settings::RegExpandSz)
        Fail("Invalid data type for", name);
    value = stored->Data.substr(0, stored->Data.find('\0'));
}
