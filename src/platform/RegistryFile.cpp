#include "platform/RegistryFile.h"

#include "platform/Files.h"

#include <charconv>
#include <cstdlib>
#include <pwd.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace platform {
namespace {

constexpr std::string_view Header = "REGEDIT4";
constexpr std::string_view RootName = "HKEY_LOCAL_MACHINE";

std::function<bool(const fs::path&)> g_AccessCheck;
TRegistry* g_Override = nullptr;

bool MayReadAndWrite(const fs::path& path, bool isFolder) {
    if (g_AccessCheck)
        return g_AccessCheck(path);
    // A folder must also be searchable, or no file can be created in it.
    return ::access(path.c_str(), isFolder ? (R_OK | W_OK | X_OK) : (R_OK | W_OK)) == 0;
}

// Registry names compare without regard to case; the Cyrillic letters of Windows-1251,
// Ukrainian and Serbian ones included, fold as well as the Latin ones.
unsigned char FoldCase(unsigned char c) {
    if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDF))
        return static_cast<unsigned char>(c + 0x20);
    // The capitals outside the run А..Я and their small letters:
    // Ђ Ѓ Љ Њ Ќ Ћ Џ Ў Ј Ґ Ё Є Ї І Ѕ.
    static constexpr unsigned char capital[] = {0x80, 0x81, 0x8A, 0x8C, 0x8D, 0x8E, 0x8F, 0xA1,
                                                0xA3, 0xA5, 0xA8, 0xAA, 0xAF, 0xB2, 0xBD};
    static constexpr unsigned char small[] = {0x90, 0x83, 0x9A, 0x9C, 0x9D, 0x9E, 0x9F, 0xA2,
                                              0xBC, 0xB4, 0xB8, 0xBA, 0xBF, 0xB3, 0xBE};
    for (size_t i = 0; i < sizeof capital; ++i)
        if (capital[i] == c)
            return small[i];
    return c;
}

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (FoldCase(static_cast<unsigned char>(a[i])) !=
            FoldCase(static_cast<unsigned char>(b[i])))
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

enum class TKind { Other, Blank, Comment, Section, Value };

struct TEntry {
    TKind Kind = TKind::Other;
    size_t First = 0; // first raw line
    size_t Count = 1; // raw lines (a hexadecimal value may continue over several)
    // Section: the key's name, nothing for a header that cannot be read (its lines then
    // belong to no key). Value: the value's name.
    std::optional<std::string> Name;
    TRegValue Value{RegMalformed, {}};
    size_t Section = SIZE_MAX; // a value's section entry; SIZE_MAX before any section
};

struct TDocument {
    std::vector<std::string> Lines;
    std::vector<TEntry> Entries;
    bool IsRegistryFile = false;

    static TDocument Parse(std::vector<std::string> lines);
    // The effective (last) entry of the value in the key, or SIZE_MAX.
    size_t FindValue(std::string_view key, std::string_view name) const;
    // The last section of the key, or SIZE_MAX.
    size_t FindSection(std::string_view key) const;
    std::string Text() const;
};

// Whether a line can continue a wrapped hexadecimal value: bytes, commas and the next
// backslash only. Anything else (the next value, a section, a comment, a blank line) is a
// line of its own, even after a dangling backslash, so a value written after such a line is
// never swallowed by it.
bool IsHexContinuation(std::string_view line) {
    return !line.empty() &&
           line.find_first_not_of("0123456789abcdefABCDEF, \t\\") == std::string_view::npos;
}

// Reads the value part of a value line, joining the continuation lines that a long
// hexadecimal value is wrapped over ("...,\" then the rest indented on the next line).
void ParseValueData(TDocument& doc, TEntry& entry, std::string_view data) {
    std::string joined(Trim(data));
    if (StartsWithNoCase(joined, "hex")) {
        while (!joined.empty() && joined.back() == '\\') {
            joined.pop_back();
            const size_t next = entry.First + entry.Count;
            if (next >= doc.Lines.size() || !IsHexContinuation(Trim(doc.Lines[next])))
                break;
            joined += Trim(doc.Lines[next]);
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

TDocument TDocument::Parse(std::vector<std::string> lines) {
    TDocument doc;
    doc.Lines = std::move(lines);
    doc.IsRegistryFile = !doc.Lines.empty() && TrimRight(doc.Lines[0]) == Header;
    size_t section = SIZE_MAX;
    for (size_t i = doc.IsRegistryFile ? 1 : 0; i < doc.Lines.size();) {
        TEntry entry;
        entry.First = i;
        const std::string_view t = Trim(doc.Lines[i]);
        if (t.empty()) {
            entry.Kind = TKind::Blank;
        } else if (t.front() == ';') {
            entry.Kind = TKind::Comment;
        } else if (t.front() == '[') {
            entry.Kind = TKind::Section;
            if (t.size() >= 2 && t.back() == ']')
                entry.Name = std::string(t.substr(1, t.size() - 2));
            section = doc.Entries.size();
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
                    ParseValueData(doc, entry, rest.substr(1));
                } else {
                    entry.Value.Type = RegMalformed;
                    entry.Value.Data = std::string(rest) + '\0';
                }
            }
        }
        i += entry.Count;
        doc.Entries.push_back(std::move(entry));
    }
    return doc;
}

size_t TDocument::FindSection(std::string_view key) const {
    if (!IsRegistryFile)
        return SIZE_MAX;
    for (size_t i = Entries.size(); i-- > 0;)
        if (Entries[i].Kind == TKind::Section && Entries[i].Name && SameName(*Entries[i].Name, key))
            return i;
    return SIZE_MAX;
}

size_t TDocument::FindValue(std::string_view key, std::string_view name) const {
    if (!IsRegistryFile)
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

std::string TDocument::Text() const {
    std::string out;
    for (const auto& line : Lines) {
        out += line;
        out += "\r\n";
    }
    return out;
}

// The document with the value set in the key (its section name, root included), or nothing
// when the value cannot be written.
std::optional<TDocument> WithValue(TDocument doc, std::string_view key, std::string_view name,
                                   std::uint32_t type, std::string_view data) {
    auto line = FormatValue(name, type, data);
    if (!line)
        return std::nullopt;
    if (!doc.IsRegistryFile) {
        // Whatever the file held stays after the header, so nothing of it is lost.
        doc.Lines.insert(doc.Lines.begin(), {std::string(Header), std::string()});
        doc = TDocument::Parse(std::move(doc.Lines));
    }
    auto& lines = doc.Lines;
    if (size_t v = doc.FindValue(key, name); v != SIZE_MAX) {
        const TEntry& e = doc.Entries[v];
        lines.erase(lines.begin() + e.First, lines.begin() + e.First + e.Count);
        lines.insert(lines.begin() + e.First, std::move(*line));
    } else if (size_t s = doc.FindSection(key); s != SIZE_MAX) {
        // After the section's last line that says something, so that blank lines and
        // comments that lead into the next section stay with it.
        size_t after = s;
        for (size_t i = s + 1; i < doc.Entries.size(); ++i) {
            if (doc.Entries[i].Kind == TKind::Section)
                break;
            if (doc.Entries[i].Kind != TKind::Blank && doc.Entries[i].Kind != TKind::Comment)
                after = i;
        }
        const TEntry& e = doc.Entries[after];
        lines.insert(lines.begin() + e.First + e.Count, std::move(*line));
    } else {
        if (!lines.empty() && !Trim(lines.back()).empty())
            lines.emplace_back();
        // Appended piece by piece: "[" + key + "]" trips g++ 12's -Wrestrict at -O3.
        std::string& section = lines.emplace_back("[");
        section.append(key);
        section.push_back(']');
        lines.push_back(std::move(*line));
        lines.emplace_back();
    }
    return TDocument::Parse(std::move(lines));
}

// A symbolic link to the settings (kept with the user's other configuration files) stays a
// link: the file it points to is the one rewritten.
fs::path FollowLinks(fs::path path) {
    std::error_code ec;
    for (int hops = 0; hops < 40 && fs::is_symlink(fs::symlink_status(path, ec)); ++hops) {
        const fs::path target = fs::read_symlink(path, ec);
        if (ec)
            break;
        path = target.is_absolute() ? target : path.parent_path() / target;
    }
    return path;
}

std::optional<TDocument> LoadDocument(const fs::path& file) {
    std::error_code ec;
    if (!fs::exists(file, ec))
        return TDocument::Parse({});
    try {
        return TDocument::Parse(SplitLines(ReadWholeFile(file)));
    } catch (const TFileError&) {
        return std::nullopt;
    }
}

class TFileKey final : public TRegistryKey {
public:
    TFileKey(fs::path file, std::string key, TDocument doc)
        : File(std::move(file)), Key(std::move(key)), Doc(std::move(doc)) {}

    std::optional<TRegValueInfo> QueryValue(std::string_view name) override {
        const size_t v = Doc.FindValue(Key, name);
        if (v == SIZE_MAX)
            return std::nullopt;
        const TRegValue& value = Doc.Entries[v].Value;
        return TRegValueInfo{value.Type, static_cast<std::uint32_t>(value.Data.size())};
    }

    std::optional<TRegValue> ReadValue(std::string_view name) override {
        const size_t v = Doc.FindValue(Key, name);
        if (v == SIZE_MAX)
            return std::nullopt;
        return Doc.Entries[v].Value;
    }

    bool SetValue(std::string_view name, std::uint32_t type, std::string_view data) override {
        // Read afresh: another copy of the program may have written since the key was opened.
        auto current = LoadDocument(File);
        if (!current)
            return false;
        auto updated = WithValue(std::move(*current), Key, name, type, data);
        if (!updated)
            return false;
        try {
            WriteFileAtomically(File, updated->Text());
        } catch (const TFileError&) {
            return false;
        }
        Doc = std::move(*updated);
        return true;
    }

private:
    fs::path File;
    std::string Key;
    TDocument Doc;
};

TRegistryFile& DefaultRegistryFile() {
    static TRegistryFile file;
    return file;
}

fs::path ConfigHome() {
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    if (xdg && *xdg && fs::path(xdg).is_absolute())
        return fs::path(xdg);
    const char* home = std::getenv("HOME");
    if (home && *home)
        return fs::path(home) / ".config";
    passwd entry{};
    passwd* found = nullptr;
    char buffer[4096];
    if (::getpwuid_r(::getuid(), &entry, buffer, sizeof buffer, &found) == 0 && found &&
        found->pw_dir && *found->pw_dir)
        return fs::path(found->pw_dir) / ".config";
    return {};
}

} // namespace

TRegistryFile::TRegistryFile(fs::path path) : FixedPath(std::move(path)) {}

fs::path TRegistryFile::Path() const {
    return FixedPath.empty() ? DefaultRegistryFilePath() : FixedPath;
}

std::unique_ptr<TRegistryKey> TRegistryFile::OpenKey(std::string_view path, bool create) {
    const fs::path configured = Path();
    if (configured.empty())
        return nullptr;
    const fs::path file = FollowLinks(configured);
    const std::string key = std::string(RootName) + "\\" + std::string(path);
    std::error_code ec;
    if (!fs::exists(file, ec)) {
        if (!create)
            return nullptr;
        const fs::path folder = file.has_parent_path() ? file.parent_path() : fs::path(".");
        fs::create_directories(folder, ec);
        if (ec || !MayReadAndWrite(folder, true))
            return nullptr;
        return std::make_unique<TFileKey>(file, key, TDocument::Parse({}));
    }
    if (!MayReadAndWrite(file, false))
        return nullptr;
    auto doc = LoadDocument(file);
    if (!doc)
        return nullptr;
    // A file that is no registry file at all reads as a key without values.
    if (!create && doc->IsRegistryFile && doc->FindSection(key) == SIZE_MAX)
        return nullptr;
    return std::make_unique<TFileKey>(file, key, std::move(*doc));
}

std::optional<TRegValue> RegistryFileValue(std::string_view bytes, std::string_view path,
                                           std::string_view name) {
    const TDocument doc = TDocument::Parse(SplitLines(bytes));
    const size_t v = doc.FindValue(std::string(RootName) + "\\" + std::string(path), name);
    if (v == SIZE_MAX)
        return std::nullopt;
    return doc.Entries[v].Value;
}

std::optional<std::string> RegistryFileWithValue(std::string_view bytes, std::string_view path,
                                                 std::string_view name, std::uint32_t type,
                                                 std::string_view data) {
    auto updated = WithValue(TDocument::Parse(SplitLines(bytes)),
                             std::string(RootName) + "\\" + std::string(path), name, type, data);
    if (!updated)
        return std::nullopt;
    return updated->Text();
}

fs::path DefaultRegistryFilePath() {
    const fs::path home = ConfigHome();
    if (home.empty())
        return {};
    return home / "Morvane" / "Vantrel.reg";
}

TRegistry& Registry() {
    if (g_Override)
        return *g_Override;
    return DefaultRegistryFile();
}

fs::path RegistryFileFolder() {
    const fs::path file = DefaultRegistryFile().Path();
    return file.empty() ? file : FollowLinks(file).parent_path();
}

void SetRegistryFilePath(fs::path path) {
    DefaultRegistryFile().SetPath(std::move(path));
}

void SetRegistryForTesting(TRegistry* registry) {
    g_Override = registry;
}

void SetRegistryAccessCheckForTesting(std::function<bool(const fs::path&)> check) {
    g_AccessCheck = std::move(check);
}

} // namespace platform
