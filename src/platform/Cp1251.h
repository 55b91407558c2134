#pragma once
// Windows-1251 is the system's one text encoding: every field, data file, registry value
// and RTF byte is held in it. Unicode appears only at the edges (widgets, file names on
// disk, terminal output), and these are the only functions that cross between the two.

#include <optional>
#include <string>
#include <string_view>

namespace platform {

// The Unicode code point of a Windows-1251 byte. Byte 0x98 has no character in the code
// page; it maps to U+0098 so that every byte survives a round trip through Unicode
// (the same choice Windows makes), and U+0098 maps back to it.
char32_t Cp1251ToUnicode(unsigned char byte);

// The byte that holds this code point, or nothing when the code page has no such character.
std::optional<unsigned char> UnicodeToCp1251(char32_t cp);

std::string Cp1251ToUtf8(std::string_view text);

// Nothing when the text is not valid UTF-8 or holds a character the code page lacks:
// the caller decides whether to refuse or drop, the converter never guesses.
std::optional<std::string> Utf8ToCp1251(std::string_view utf8);

// Whether the text is well-formed UTF-8 (no overlong forms, surrogates or stray bytes).
bool IsValidUtf8(std::string_view text);

// Utf8ToCp1251 in one pass that also tells why it gave nothing: `out` holds the bytes only
// when the answer is Converted.
enum class TUtf8ToCp1251 { Converted, NotUtf8, NotInCodePage };
TUtf8ToCp1251 ConvertUtf8ToCp1251(std::string_view utf8, std::string& out);

// Same as above, but characters without a byte (and invalid sequences) are dropped.
std::string Utf8ToCp1251Lossy(std::string_view utf8);

// The character of the code page that stands in for a common look-alike it lacks, for text
// typed or pasted into a field: the modifier apostrophe U+02BC of texts copied from Ukrainian
// registries becomes ’ (0x92), the non-breaking hyphens U+2011 and U+2012 become "-", the
// figure and narrow no-break spaces U+2007 and U+202F a blank. Nothing for other characters.
std::optional<char32_t> Cp1251LookAlike(char32_t cp);

} // namespace platform
