#include "settings/RegClass.h"

#include "platform/Files.h"

namespace {

[[noreturn]] void Fail(const char* what, const std::string& name, const std::string& reason = {}) {
    throw TRegistryError(std::string(what) + " '" + name + "'" +
                         (reason.empty() ? "" : ": " + reason));
}

} // namespace

TMyRegistry::TMyRegistry() : KeyPath("\\Software\\Morvane\\Vantrel") {}

std::string TMyRegistry::OpenPath() const {
    if (!KeyPath.empty() && KeyPath.front() == '\\')
        return KeyPath.substr(1);
    return KeyPath;
}

void TMyRegistry::Write(const std::string& name, std::uint32_t type, const std::string& data) {
    try {
        auto key = settings::Registry().OpenKey(OpenPath(), true);
        if (key && key->SetValue(name, type, data))
            return;
    } catch (const platform::TFileError& e) {
        // The system's reason ("Permission denied", "No space left on device") is what the
        // user can act on.
        Fail("Failed to set data for", name, platform::ErrorReason(e.ErrorNumber));
    }
    Fail("Failed to set data for", name);
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
    Write(name, settings::RegDword, data);
}

void TMyRegistry::ReadBool(const std::string& name, bool& value) {
    std::int32_t number = value ? 1 : 0;
    ReadInteger(name, number);
    value = number != 0;
}

void TMyRegistry::ReadInteger(const std::string& name, std::int32_t& value) {
    auto key = settings::Registry().OpenKey(OpenPath(), false);
    if (!key)
        return;
    const auto info = key->QueryValue(name);
    if (!info)
        return;
    if (info->Type != settings::RegDword)
        Fail("Invalid data type for", name);
    if (info->Size > 4)
        Fail("Failed to get data for", name);
    const auto stored = key->ReadValue(name);
    if (!stored || stored->Type != settings::RegDword || stored->Data.size() > 4)
        Fail("Failed to get data for", name);
    // Little-endian; data shorter than four bytes (only a hand-made value can be) read as
    // if the missing high bytes were zero.
    std::uint32_t bits = 0;
    for (size_t i = 0; i < stored->Data.size(); ++i)
        bits |= static_cast<std::uint32_t>(static_cast<unsigned char>(stored->Data[i])) << (8 * i);
    value = static_cast<std::int32_t>(bits);
}

void TMyRegistry::ReadString(const std::string& name, std::string& value) {
    auto key = settings::Registry().OpenKey(OpenPath(), false);
    if (!key)
        return;
    const auto info = key->QueryValue(name);
    if (!info)
        return;
    if (info->Size == 0) {
        value.clear();
        return;
    }
    const auto stored = key->ReadValue(name);
    if (!stored)
        Fail("Failed to get data for", name);
    if (stored->Type != settings::RegSz && stored->Type != settings::RegExpandSz)
        Fail("Invalid data type for", name);
    value = stored->Data.substr(0, stored->Data.find('\0'));
}
