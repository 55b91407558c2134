#include "platform/Cp1251.h"

#include <array>
#include <unordered_map>

namespace platform {
namespace {

// 0x80..0xBF; 0xC0..0xFF are the contiguous Cyrillic block U+0410..U+044F.
constexpr std::array<char32_t, 64> kHigh = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, // 80
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F, // 88
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90
    0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, // 98
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7, // A0
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407, // A8
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7, // B0
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457, // B8
};

const std::unordered_map<char32_t, unsigned char>& ReverseHigh() {
    static const auto* table = [] {
        auto* m = new std::unordered_map<char32_t, unsigned char>();
        for (unsigned i = 0; i < kHigh.size(); ++i)
            (*m)[kHigh[i]] = static_cast<unsigned char>(0x80 + i);
        return m;
    }();
    return *table;
}

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// Decodes one UTF-8 sequence at text[i]; returns false on a malformed, overlong or
// surrogate sequence. Advances i past what it consumed (at least one byte).
bool DecodeUtf8(std::string_view text, size_t& i, char32_t& cp) {
    const auto b0 = static_cast<unsigned char>(text[i]);
    int len;
    char32_t min;
    if (b0 < 0x80) {
        cp = b0;
        ++i;
        return true;
    } else if ((b0 & 0xE0) == 0xC0) {
        len = 2, cp = b0 & 0x1F, min = 0x80;
    } else if ((b0 & 0xF0) == 0xE0) {
        len = 3, cp = b0 & 0x0F, min = 0x800;
    } else if ((b0 & 0xF8) == 0xF0) {
        len = 4, cp = b0 & 0x07, min = 0x10000;
    } else {
        ++i;
        return false;
    }
    if (i + len > text.size()) {
        ++i;
        return false;
    }
    for (int k = 1; k < len; ++k) {
        const auto b = static_cast<unsigned char>(text[i + k]);
        if ((b & 0xC0) != 0x80) {
            ++i;
            return false;
        }
        cp = (cp << 6) | (b & 0x3F);
    }
    i += len;
    return cp >= min && cp <= 0x10FFFF && !(cp >= 0xD800 && cp <= 0xDFFF);
}

} // namespace

char32_t Cp1251ToUnicode(unsigned char byte) {
    if (byte < 0x80)
        return byte;
    if (byte >= 0xC0)
        return 0x0410 + (byte - 0xC0);
    return kHigh[byte - 0x80];
}

std::optional<unsigned char> UnicodeToCp1251(char32_t cp) {
    if (cp < 0x80)
        return static_cast<unsigned char>(cp);
    if (cp >= 0x0410 && cp <= 0x044F)
        return static_cast<unsigned char>(0xC0 + (cp - 0x0410));
    const auto& rev = ReverseHigh();
    if (auto it = rev.find(cp); it != rev.end())
        return it->second;
    return std::nullopt;
}

std::string Cp1251ToUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size() * 2);
    for (char c : text)
        AppendUtf8(out, Cp1251ToUnicode(static_cast<unsigned char>(c)));
    return out;
}

TUtf8ToCp1251 ConvertUtf8ToCp1251(std::string_view utf8, std::string& out) {
    out.clear();
    out.reserve(utf8.size());
    bool lacking = false;
    for (size_t i = 0; i < utf8.size();) {
        char32_t cp;
        if (!DecodeUtf8(utf8, i, cp))
            return TUtf8ToCp1251::NotUtf8;
        // Reading on after a character the code page lacks tells that text from text that is
        // not UTF-8 at all.
        if (auto b = UnicodeToCp1251(cp); b && !lacking)
            out += static_cast<char>(*b);
        else
            lacking = true;
    }
    return lacking ? TUtf8ToCp1251::NotInCodePage : TUtf8ToCp1251::Converted;
}

std::optional<std::string> Utf8ToCp1251(std::string_view utf8) {
    std::string out;
    if (ConvertUtf8ToCp1251(utf8, out) != TUtf8ToCp1251::Converted)
        return std::nullopt;
    return out;
}

bool IsValidUtf8(std::string_view text) {
    for (size_t i = 0; i < text.size();) {
        char32_t cp;
        if (!DecodeUtf8(text, i, cp))
            return false;
    }
    return true;
}

std::string Utf8ToCp1251Lossy(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (size_t i = 0; i < utf8.size();) {
        char32_t cp;
        if (!DecodeUtf8(utf8, i, cp))
            continue;
        if (auto b = UnicodeToCp1251(cp))
            out += static_cast<char>(*b);
    }
    return out;
}

} // namespace platform

namespace platform {

std::optional<char32_t> Cp1251LookAlike(char32_t cp) {
    switch (cp) {
    case U'\u02BC':
        return U'\u2019';
    case U'\u2011':
    case U'\u2012':
        return U'-';
    case U'\u2007':
    case U'\u202F':
        return U' ';
    default:
        return std::nullopt;
    }
}

} // namespace platform
