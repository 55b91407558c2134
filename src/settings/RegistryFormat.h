#pragma once
// The registry-export format REGEDIT4 that the settings are kept in, so that they stay
// readable and editable by hand: the header line "REGEDIT4", then every key as a section
// "[HKEY_LOCAL_MACHINE\<path>]" followed by its values, one "name"=data line each. Parsing
// and printing only; the file itself is settings/RegistryFile.h's business.
//
// Setting a value keeps other keys' sections, comments and lines it does not understand,
// byte for byte, so that a hand-edited file loses nothing.

#include "settings/Registry.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace settings {

class TRegistryText {
public:
    // Any bytes; lines end with CR LF or LF alone. Bytes whose first line is not the header
    // are no registry file: they hold no keys and no values.
    explicit TRegistryText(std::string_view bytes = {});

    // Whether the first line is the header.
    bool IsRegistryFile() const { return Registry; }
    // Whether there is a section for the key `path` (below HKEY_LOCAL_MACHINE, as OpenKey
    // takes it). Key and value names compare without regard to case.
    bool HasKey(std::string_view path) const;
    // The value `name` of the key: its last line when the file repeats it. Nothing when the
    // key has no such value. A line that cannot be decoded is a RegMalformed value.
    std::optional<TRegValue> Value(std::string_view path, std::string_view name) const;
    // Sets the value in the key's last section, adding the section at the end when there is
    // none, and makes bytes that were no registry file one by putting the header above what
    // they held. False, changing nothing, when the name holds a line break or a zero byte.
    bool SetValue(std::string_view path, std::string_view name, std::uint32_t type,
                  std::string_view data);
    // The bytes of the file, every line ended with CR LF.
    std::string Bytes() const;

private:
    enum class TKind { Other, Blank, Comment, Section, Value };

    struct TEntry {
        TKind Kind = TKind::Other;
        std::size_t First = 0; // first raw line
        std::size_t Count = 1; // raw lines (a hexadecimal value may continue over several)
        // Section: the key's name, nothing for a header that cannot be read (its lines then
        // belong to no key). Value: the value's name.
        std::optional<std::string> Name;
        TRegValue Value{RegMalformed, {}};
        std::size_t Section = SIZE_MAX; // a value's section entry; SIZE_MAX before any section
    };

    std::vector<std::string> Lines;
    std::vector<TEntry> Entries;
    bool Registry = false;

    void Parse();
    void ParseValueData(TEntry& entry, std::string_view data);
    // The last section of the key (its section name, root included), or SIZE_MAX.
    std::size_t FindSection(std::string_view key) const;
    // The effective (last) entry of the value in the key, or SIZE_MAX.
    std::size_t FindValue(std::string_view key, std::string_view name) const;
};

} // namespace settings
