// The registry file's text: reading values from arbitrary file bytes, and setting a value in
// them.
//
// Input: a control byte, the length of the value's name, the length of its data, the name,
// the data, then the file's bytes (the seeds are built that way; see README.md).
//
// Properties: reading and writing never throw; a value that cannot be decoded reads as
// RegMalformed with its text and a zero byte; a value is written unless its name holds a line
// break or a zero byte, and then reads back with its very type and data; writing it leaves
// the other values of the key and the same value of other keys as they were; writing it a
// second time changes nothing; the written file is a registry file.

#include "FuzzCheck.h"

#include "settings/RegistryFormat.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

using namespace settings;
using fuzz::Check;

namespace {

constexpr std::string_view Paths[] = {
    "Software\\Morvane\\Vantrel",
    "SOFTWARE\\morvane\\VANTREL", // the same key: names compare without regard to case
    "Software\\Morvane",
    "Software\\Morvane\\Vantrel\\Sub",
};
constexpr std::uint32_t Types[] = {RegSz,       RegSz, RegDword,     RegBinary,
                                   RegExpandSz, 0u,    RegMalformed, 0x12345678u};
constexpr std::string_view OtherNames[] = {"Lang",          "BoldNames", "",  "NDS1",
                                           "LangSumaWords", "OneSign",   "X", "lang"};

bool SameAscii(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z')
            x = static_cast<char>(x + 32);
        if (y >= 'A' && y <= 'Z')
            y = static_cast<char>(y + 32);
        if (x != y)
            return false;
    }
    return true;
}

bool SameValue(const std::optional<TRegValue>& a, const std::optional<TRegValue>& b) {
    if (a.has_value() != b.has_value())
        return false;
    return !a || (a->Type == b->Type && a->Data == b->Data);
}

// Whether the file's first line is the header (blanks after it allowed). A file without it
// is no registry file: it holds no values, and writing one puts the header above everything,
// so what it held may become readable then.
bool HasHeader(std::string_view file) {
    std::string_view first = file.substr(0, file.find('\n'));
    if (!first.empty() && first.back() == '\r')
        first.remove_suffix(1);
    while (!first.empty() && (first.back() == ' ' || first.back() == '\t'))
        first.remove_suffix(1);
    return first == "REGEDIT4";
}

std::optional<TRegValue> ValueIn(std::string_view file, std::string_view path,
                                 std::string_view name) {
    return TRegistryText(file).Value(path, name);
}

// The bytes of `file` with the value set in it; nothing when it cannot be written.
std::optional<std::string> WithValue(std::string_view file, std::string_view path,
                                     std::string_view name, std::uint32_t type,
                                     std::string_view data) {
    TRegistryText text(file);
    if (!text.SetValue(path, name, type, data))
        return std::nullopt;
    return text.Bytes();
}

void CheckRead(const std::optional<TRegValue>& v) {
    if (v && v->Type == RegMalformed)
        Check(!v->Data.empty() && v->Data.back() == '\0',
              "a malformed value without its closing zero byte", v->Data);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 3)
        return 0;
    const std::uint8_t control = data[0];
    std::string_view rest(reinterpret_cast<const char*>(data + 3), size - 3);
    const std::string_view name = rest.substr(0, data[1]);
    rest.remove_prefix(name.size());
    const std::string_view value = rest.substr(0, data[2]);
    rest.remove_prefix(value.size());
    const std::string_view file = rest;

    const std::string_view path = Paths[control & 3];
    const std::uint32_t type = Types[(control >> 2) & 7];
    const std::string_view other = OtherNames[(control >> 5) & 7];
    // A key that is surely another one than `path`.
    const std::string_view otherPath = (control & 3) < 2 ? Paths[2] : Paths[0];

    const auto otherBefore = ValueIn(file, path, other);
    const auto elsewhereBefore = ValueIn(file, otherPath, name);
    CheckRead(otherBefore);
    CheckRead(elsewhereBefore);
    CheckRead(ValueIn(file, path, name));

    const auto written = WithValue(file, path, name, type, value);
    const bool writable = name.find_first_of(std::string_view("\r\n\0", 3)) == name.npos;
    Check(written.has_value() == writable, "a value written or refused against its name", name);
    if (!written)
        return 0;

    Check(HasHeader(*written), "a written file without its header", *written);
    const auto readBack = ValueIn(*written, path, name);
    Check(SameValue(readBack, TRegValue{type, std::string(value)}),
          "a written value reads back different", *written);
    if (HasHeader(file)) {
        if (!SameAscii(name, other))
            Check(SameValue(ValueIn(*written, path, other), otherBefore),
                  "writing a value changed another value of the key", *written);
        Check(SameValue(ValueIn(*written, otherPath, name), elsewhereBefore),
              "writing a value changed the value of another key", *written);
    } else {
        Check(!otherBefore && !elsewhereBefore, "a value read from a file without the header");
    }

    const auto again = WithValue(*written, path, name, type, value);
    Check(again && *again == *written, "writing the same value twice changed the file", *written);
    return 0;
}
