#pragma once
// Sources are UTF-8, but the core's text is Windows-1251. "Ошибка"_w converts a literal at
// compile time, so Russian and Ukrainian texts stay readable in the code and a character
// the code page cannot hold is a compile error rather than a wrong byte at run time.

#include <array>
#include <cstddef>

namespace platform::literal_detail {

template <std::size_t N> struct TUtf8Literal {
    char chars[N]{};
    constexpr TUtf8Literal(const char (&s)[N]) {
        for (std::size_t i = 0; i < N; ++i)
            chars[i] = s[i];
    }
};

consteval unsigned char ToCp1251(char32_t cp) {
    if (cp < 0x80)
        return static_cast<unsigned char>(cp);
    if (cp >= 0x0410 && cp <= 0x044F)
        return static_cast<unsigned char>(0xC0 + (cp - 0x0410));
    constexpr char32_t high[64] = {
        0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409,
        0x2039, 0x040A, 0x040C, 0x040B, 0x040F, 0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, 0x00A0,
        0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7, 0x0401, 0x00A9, 0x0404, 0x00AB,
        0x00AC, 0x00AD, 0x00AE, 0x0407, 0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6,
        0x00B7, 0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457};
    for (int i = 0; i < 64; ++i)
        if (high[i] == cp)
            return static_cast<unsigned char>(0x80 + i);
    throw "character not in Windows-1251";
}

template <TUtf8Literal S> consteval auto Convert() {
    std::array<char, sizeof(S.chars)> out{};
    std::size_t o = 0;
    for (std::size_t i = 0; i + 1 < sizeof(S.chars);) {
        const auto b0 = static_cast<unsigned char>(S.chars[i]);
        char32_t cp;
        int len;
        if (b0 < 0x80)
            cp = b0, len = 1;
        else if ((b0 & 0xE0) == 0xC0)
            cp = b0 & 0x1F, len = 2;
        else if ((b0 & 0xF0) == 0xE0)
            cp = b0 & 0x0F, len = 3;
        else
            throw "literal is not UTF-8 of the Basic Multilingual Plane";
        for (int k = 1; k < len; ++k)
            cp = (cp << 6) | (static_cast<unsigned char>(S.chars[i + k]) & 0x3F);
        out[o++] = static_cast<char>(ToCp1251(cp));
        i += len;
    }
    return out;
}

template <TUtf8Literal S> struct THolder { static constexpr auto value = Convert<S>(); };

} // namespace platform::literal_detail

namespace platform::literals {
// A NUL-terminated Windows-1251 string with static storage.
template <platform::literal_detail::TUtf8Literal S> constexpr const char* operator""_w() {
    return platform::literal_detail::THolder<S>::value.data();
}
} // namespace platform::literals

using namespace platform::literals;
