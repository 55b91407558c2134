#include "settings/RegistryFormat.h"

#include "platform/Cp1251Case.h"

#include <charconv>

namespace settings {
namespace {

constexpr std::string_view Header = "REGEDIT4";
constexpr std::string_view RootName = "HKEY_LOCAL_MACHINE";

// Registry names compare without regard to case; the Cyrillic letters of Windows-1251,
// Ukrainian and Serbian ones included, fold as well as the Latin ones.
bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (platform::Cp1251Lower(static_cast<unsigned char>(a[i])) !=
            platform::Cp1251Lower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && SameName(text.substr(0, prefix.size()), prefix);
}

bool IsBlankChar(char c) {
    return c == ' ' || c == '\t';
}

std::string_view TrimLeft(std::string_view s) {
    while (!s.empty() && IsBlankChar(s.front()))
        s.remove_prefix(1);
    return s;
}

std::string_view TrimRight(std::string_view s) {
    while (!s.empty() && IsBlankChar(s.back()))
        s.remove_suffix(1);
    return s;
}

std::string_view Trim(std::string_view s) {
    return TrimRight(TrimLeft(s));
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Lines without their terminators; CR LF and LF alone both end a line.
std::vector<std::string> SplitLines(std::string_view text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        lines.emplace_back(line);
        start = end + 1;
    }
    return lines;
}

// A quoted string at the start of `s` ("\\" a backslash, "\"" a quote; any other
// backslash stands for itself, as hand-typed paths expect). On success `s` is left after
// the closing quote.
std::optional<std::string> TakeQuoted(std::string_view& s) {
    std::string out;
    for (size_t i = 1; i < s.size(); ++i) {
        const char c = s[i];
        if (c == '"') {
            s.remove_prefix(i + 1);
            return out;
        }
        if (c == '\\' && i + 1 < s.size() && (s[i + 1] == '\\' || s[i + 1] == '"'))
            ++i;
        out += s[i];
    }
    return std::nullopt;
}

std::string Quote(std::string_view text) {
    std::string out = "\"";
    for (const char c : text) {
        if (c == '\\' || c == '"')
            out += '\\';
        out += c;
    }
    out += '"';
    return out;
}

// "00,ff,1a": two hexadecimal digits a byte, commas between, blanks allowed around them.
std::optional<std::string> ParseHexBytes(std::string_view s) {
    std::string out;
    s = Trim(s);
    if (s.empty())
        return out;
    for (;;) {
        s = TrimLeft(s);
        if (s.size() < 2 || HexDigit(s[0]) < 0 || HexDigit(s[1]) < 0)
            return std::nullopt;
        out += static_cast<char>(HexDigit(s[0]) * 16 + HexDigit(s[1]));
        s = TrimLeft(s.substr(2));
        if (s.empty())
            return out;
        if (s.front() != ',')
            return std::nullopt;
        s.remove_prefix(1);
    }
}

std::string FormatHexBytes(std::string_view data) {
    static constexpr char digits[] = "0123456789abcdef";
    std::string out;
    for (size_t i = 0; i < data.size(); ++i) {
        if (i > 0)
            out += ',';
        const auto b = static_cast<unsigned char>(data[i]);
        out += digits[b >> 4];
        out += digits[b & 15];
    }
    return out;
}

std::string FormatHex32(std::uint32_t v, bool padded) {
    char buffer[8];
    auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, v, 16);
    std::string out(buffer, end);
    if (padded && out.size() < 8)
        out.insert(0, 8 - out.size(), '0');
    return out;
}

std::optional<std::uint32_t> ParseHex32(std::string_view digits) {
    if (digits.empty() || digits.size() > 8)
        return std::nullopt;
    for (const char c : digits)
        if (HexDigit(c) < 0)
            return std::nullopt;
    std::uint32_t v = 0;
    std::from_chars(digits.data(), digits.data() + digits.size(), v, 16);
    return v;
}

std::string DwordBytes(std::uint32_t v) {
    std::string out(4, '\0');
    for (int i = 0; i < 4; ++i)
        out[i] = static_cast<char>((v >> (8 * i)) & 0xFF);
    return out;
}

std::uint32_t DwordFromBytes(std::string_view data) {
    std::uint32_t v = 0;
    for (size_t i = 0; i < 4 && i < data.size(); ++i)
        v |= static_cast<std::uint32_t>(static_cast<unsigned char>(data[i])) << (8 * i);
    return v;
}

std::optional<TRegValue> ParseData(std::string_view d) {
    d = Trim(d);
    if (!d.empty() && d.front() == '"') {
        auto text = TakeQuoted(d);
        if (!text || !Trim(d).empty())
            return std::nullopt;
        text->push_back('\0');
        return TRegValue{RegSz, std::move(*text)};
    }
    if (StartsWithNoCase(d, "dword:")) {
        const std::string_view digits = d.substr(6);
        if (digits.size() != 8)
            return std::nullopt;
        if (auto v = ParseHex32(digits))
            return TRegValue{RegDword, DwordBytes(*v)};
        return std::nullopt;
    }
    if (StartsWithNoCase(d, "hex:")) {
        if (auto bytes = ParseHexBytes(d.substr(4)))
            return TRegValue{RegBinary, std::move(*bytes)};
        return std::nullopt;
    }
    if (StartsWithNoCase(d, "hex(")) {
        const size_t close = d.find(')');
        if (close == std::string_view::npos || close + 1 >= d.size() || d[close + 1] != ':')
            return std::nullopt;
        const auto type = ParseHex32(d.substr(4, close - 4));
        auto bytes = ParseHexBytes(d.substr(close + 2));
        if (!type || !bytes)
            return std::nullopt;
        return TRegValue{*type, std::move(*bytes)};
    }
    return std::nullopt;
}

// The one line that stores a value; nothing when its name cannot be written on a line.
std::optional<std::string> FormatValue(std::string_view name, std::uint32_t type,
                                       std::string_view data) {
    auto unwritable = [](std::string_view s) {
        return s.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
    };
    if (unwritable(name))
        return std::nullopt;
    std::string line = name.empty() ? std::string("@") : Quote(name);
    line += '=';
    // A text holding a line break or an inner zero cannot be quoted on one line; its bytes
    // then go in the hexadecimal form, which keeps every one of them.
    if (type == RegSz && !data.empty() && data.back() == '\0' &&
        !unwritable(data.substr(0, data.size() - 1)))
        line += Quote(data.substr(0, data.size() - 1));
    else if (type == RegDword && data.size() == 4)
        line += "dword:" + FormatHex32(DwordFromBytes(data), true);
    else if (type == RegBinary)
        line += "hex:" + FormatHexBytes(data);
    else
        line += "hex(" + FormatHex32(type, false) + "):" + FormatHexBytes(data);
    return line;
}

// Whether a line can continue a wrapped hexadecimal value: bytes, commas and the next
// backslash only. Anything else (the next value, a section, a comment, a blank line) is a
// line of its own, even after a dangling backslash, so a value written after such a line is
// never swallowed by it.
bool IsHexContinuation(std::string_view line) {
    return !line.empty() &&
           line.find_first_not_of("0123456789abcdefABCDEF, \t\\") == std::string_view::npos;
}

// The section name of a key below the root.
std::string SectionName(std::string_view path) {
    std::string key(RootName);
    key += '\\';
    key.append(path);
    return key;
}

} // namespace

TRegistryText::TRegistryText(std::string_view bytes) : Lines(SplitLines(bytes)) {
    Parse();
}

// Reads the value part of a value line, joining the continuation lines that a long
// hexadecimal value is wrapped over ("...,\" then the rest indented on the next line).
void TRegistryText::ParseValueData(TEntry& entry, std::string_view data) {
    std::string joined(Trim(data));
    if (StartsWithNoCase(joined, "hex")) {
        while (!joined.empty() && joined.back() == '\\') {
            joined.pop_back();
            const size_t next = entry.First + entry.Count;
            if (next >= Lines.size() || !IsHexContinuation(Trim(Lines[next])))
                break;
            joined += Trim(Lines[next]);
            ++entry.Count;
        }
    }
    if (auto value = ParseData(joined)) {
        entry.Value = std::move(*value);
    } else {
        entry.Value.Type = RegMalformed;
        entry.Value.Data = joined;
        entry.Value.Data.push_back('\0');
    }
}

void TRegistryText::Parse() {
    Entries.clear();
    Registry = !Lines.empty() && TrimRight(Lines[0]) == Header;
    size_t section = SIZE_MAX;
    for (size_t i = Registry ? 1 : 0; i < Lines.size();) {
        TEntry entry;
        entry.First = i;
        const std::string_view t = Trim(Lines[i]);
        if (t.empty()) {
            entry.Kind = TKind::Blank;
        } else if (t.front() == ';') {
            entry.Kind = TKind::Comment;
        } else if (t.front() == '[') {
            entry.Kind = TKind::Section;
            if (t.size() >= 2 && t.back() == ']')
                entry.Name = std::string(t.substr(1, t.size() - 2));
            section = Entries.size();
        } else if (t.front() == '"' || t.front() == '@') {
            std::string_view rest = t;
            std::optional<std::string> name;
            if (t.front() == '@') {
                rest.remove_prefix(1);
                name = std::string();
            } else {
                name = TakeQuoted(rest);
            }
            rest = TrimLeft(rest);
            if (name && (t.front() == '"' || (!rest.empty() && rest.front() == '='))) {
                entry.Kind = TKind::Value;
                entry.Name = std::move(name);
                entry.Section = section;
                if (!rest.empty() && rest.front() == '=') {
                    ParseValueData(entry, rest.substr(1));
                } else {
                    entry.Value.Type = RegMalformed;
                    entry.Value.Data = std::string(rest) + '\0';
                }
            }
        }
        i += entry.Count;
        Entries.push_back(std::move(entry));
    }
}

size_t TRegistryText::FindSection(std::string_view key) const {
    if (!Registry)
        return SIZE_MAX;
    for (size_t i = Entries.size(); i-- > 0;)
        if (Entries[i].Kind == TKind::Section && Entries[i].Name && SameName(*Entries[i].Name, key))
            return i;
    return SIZE_MAX;
}

size_t TRegistryText::FindValue(std::string_view key, std::string_view name) const {
    if (!Registry)
        return SIZE_MAX;
    for (size_t i = Entries.size(); i-- > 0;) {
        const TEntry& e = Entries[i];
        if (e.Kind != TKind::Value || e.Section == SIZE_MAX || !SameName(*e.Name, name))
            continue;
        const auto& section = Entries[e.Section].Name;
        if (section && SameName(*section, key))
            return i;
    }
    return SIZE_MAX;
}

bool TRegistryText::HasKey(std::string_view path) const {
    return FindSection(SectionName(path)) != SIZE_MAX;
}

std::optional<TRegValue> TRegistryText::Value(std::string_view path, std::string_view name) const {
    const size_t v = FindValue(SectionName(path), name);
    if (v == SIZE_MAX)
        return std::nullopt;
    return Entries[v].Value;
}

std::string TRegistryText::Bytes() const {
    std::string out;
    for (const auto& line : Lines) {
        out += line;
        out += "\r\n";
    }
    return out;
}

bool TRegistryText::SetValue(std::string_view path, std::string_view name, std::uint32_t type,
                             std::string_view data) {
    auto line = FormatValue(name, type, data);
    if (!line)
        return false;
    const std::string key = SectionName(path);
    if (!Registry) {
        // Whatever the file held stays after the header, so nothing of it is lost.
        Lines.insert(Lines.begin(), {std::string(Header), std::string()});
        Parse();
    }
    if (size_t v = FindValue(key, name); v != SIZE_MAX) {
        const TEntry& e = Entries[v];
        Lines.erase(Lines.begin() + e.First, Lines.begin() + e.First + e.Count);
        Lines.insert(Lines.begin() + e.First, std::move(*line));
    } else if (size_t s = FindSection(key); s != SIZE_MAX) {
        // After the section's last line that says something, so that blank lines and
        // comments that lead into the next section stay with it.
        size_t after = s;
        for (size_t i = s + 1; i < Entries.size(); ++i) {
            if (Entries[i].Kind == TKind::Section)
                break;
            if (Entries[i].Kind != TKind::Blank && Entries[i].Kind != TKind::Comment)
                after = i;
        }
        const TEntry& e = Entries[after];
        Lines.insert(Lines.begin() + e.First + e.Count, std::move(*line));
    } else {
        if (!Lines.empty() && !Trim(Lines.back()).empty())
            Lines.emplace_back();
        // Appended piece by piece: "[" + key + "]" trips g++ 12's -Wrestrict at -O3.
        std::string& section = Lines.emplace_back("[");
        section.append(key);
        section.push_back(']');
        Lines.push_back(std::move(*line));
        Lines.emplace_back();
    }
    Parse();
    return true;
}

} // namespace settings
