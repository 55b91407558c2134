// The data files: the order, requisites and purpose parsers on arbitrary bytes, and the
// writers on arbitrary records.
//
// Properties: parsing throws nothing but TDataFileError (and only its two documented kinds
// for an order); whatever parses is written back to text that parses to the same record; the
// writers always produce the fixed number of CR LF lines; TryStrToInt agrees with a plain
// reference reading; the version check throws exactly when the line is no whole number or a
// newer version.

#include "FuzzCheck.h"

#include "store/DataFiles.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <charconv>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

using namespace store;
using fuzz::Check;
using fuzz::Fail;

namespace {

std::size_t CountLineFeeds(std::string_view text) {
    std::size_t n = 0;
    for (const char c : text)
        n += c == '\n';
    return n;
}

// Every line of a written file ends with CR LF, and the file ends with a line.
bool AllLinesEndWithCrLf(std::string_view text) {
    if (text.empty() || text.back() != '\n')
        return false;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r'))
            return false;
    return true;
}

// What a value becomes after a write and a read: a line feed is written as a blank, and a
// field that writes "-" for the empty value reads a lone "-" as empty.
std::string Written(std::string value, bool usesPlaceholder) {
    for (char& c : value)
        if (c == '\n')
            c = ' ';
    if (usesPlaceholder && value == "-")
        value.clear();
    return value;
}

// The reference integer reading: blanks, a sign, digits only, within 32 bits.
std::optional<std::int32_t> ReferenceInt(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ')
        ++i;
    text.remove_prefix(i);
    bool negative = false;
    if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
        negative = text[0] == '-';
        text.remove_prefix(1);
    }
    if (text.empty())
        return std::nullopt;
    for (const char c : text)
        if (c < '0' || c > '9')
            return std::nullopt;
    while (text.size() > 1 && text[0] == '0')
        text.remove_prefix(1);
    if (text.size() > 10)
        return std::nullopt;
    std::int64_t v = 0;
    std::from_chars(text.data(), text.data() + text.size(), v);
    if (negative)
        v = -v;
    if (v < INT32_MIN || v > INT32_MAX)
        return std::nullopt;
    return static_cast<std::int32_t>(v);
}

void CheckVersionLine(std::string_view line, char sep) {
    const auto reference = ReferenceInt(line);
    const auto value = TryStrToInt(line);
    Check(reference == value, "TryStrToInt differs from the reference reading", line);
    try {
        CheckPlatVersion(line, sep);
        Check(value && *value <= FileVersion, "CheckPlatVersion accepted a line", line);
    } catch (const TPlatVersionError& e) {
        Check(!value || *value > FileVersion, "a version error for an older version", line);
        Check(*e.what() != '\0', "a version error without text");
    } catch (const TNotIntegerError& e) {
        Check(!value, "a whole number refused as not one", line);
        Check(*e.what() != '\0', "a not-an-integer error without text");
    }
}

// An order file as written: 20 CR LF lines, 21 when the VAT wording holds something.
void CheckOrderLines(const TPlatRecord& plat, const std::string& text) {
    const std::size_t lines = plat[order::TField::NDSChoice].empty() ? 20 : 21;
    Check(CountLineFeeds(text) == lines && AllLinesEndWithCrLf(text),
          "an order file is not 20 CR LF lines, or 21 with the VAT wording", text);
}

void CheckPlat(std::string_view bytes, char sep) {
    TPlatRecord plat;
    try {
        plat = ParsePlat(bytes, sep);
    } catch (const TPlatVersionError&) {
        return;
    } catch (const TNotIntegerError&) {
        return;
    }
    const std::string text = FormatPlat(plat);
    CheckOrderLines(plat, text);
    TPlatRecord again;
    try {
        again = ParsePlat(text, sep);
    } catch (const TDataFileError& e) {
        Fail("a written order does not read back", e.what());
    }
    Check(again == plat, "an order changes on a write and a read", text);
    Check(FormatPlat(again) == text, "an order is written differently the second time", text);
}

void CheckRequisites(std::string_view bytes) {
    const TRequisites r = ParseRequisites(bytes);
    const std::string text = FormatRequisites(r);
    Check(CountLineFeeds(text) == 7 && AllLinesEndWithCrLf(text),
          "a requisites file is not 7 CR LF lines", text);
    Check(ParseRequisites(text) == r, "requisites change on a write and a read", text);
}

void CheckPurpose(std::string_view bytes) {
    const std::string p = ParsePurpose(bytes);
    Check(p.find('\n') == std::string::npos, "a purpose holds a line feed", p);
    const std::string text = FormatPurpose(p);
    Check(CountLineFeeds(text) == 1 && AllLinesEndWithCrLf(text), "a purpose file is not one line",
          text);
    Check(ParsePurpose(text) == p, "a purpose changes on a write and a read", text);
}

// Arbitrary records through the writers: every value comes back as Written() says.
void CheckWriters(FuzzedDataProvider& in, char sep) {
    TPlatRecord plat;
    TPlatRecord expected;
    for (const order::TFieldInfo& info : order::Fields)
        if (info.Stored != order::TStored::No) {
            plat[info.Field] = in.ConsumeRandomLengthString(64);
            expected[info.Field] = Written(plat[info.Field], info.Stored == order::TStored::Dashed);
        }

    const std::string text = FormatPlat(plat);
    CheckOrderLines(plat, text);
    try {
        Check(ParsePlat(text, sep) == expected, "a written order reads back different", text);
    } catch (const TDataFileError& e) {
        Fail("a written order does not read back", e.what());
    }

    TRequisites r, rExpected;
    for (std::size_t i = 0; i < r.Values.size(); ++i) {
        r.Values[i] = in.ConsumeRandomLengthString(64);
        rExpected.Values[i] = Written(r.Values[i], true);
    }
    Check(ParseRequisites(FormatRequisites(r)) == rExpected,
          "written requisites read back different", FormatRequisites(r));

    const std::string purpose = in.ConsumeRandomLengthString(256);
    Check(ParsePurpose(FormatPurpose(purpose)) == Written(purpose, false),
          "a written purpose reads back different", purpose);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    // The first byte chooses the user's decimal separator; the rest is the file.
    const char sep = (data[0] & 1) ? '.' : ',';
    const std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);

    const auto lines = SplitLines(bytes);
    CheckVersionLine(lines.empty() ? std::string_view() : std::string_view(lines[0]), sep);
    CheckPlat(bytes, sep);
    CheckRequisites(bytes);
    CheckPurpose(bytes);

    FuzzedDataProvider in(data + 1, size - 1);
    CheckWriters(in, sep);
    return 0;
}
