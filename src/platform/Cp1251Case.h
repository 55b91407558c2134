#pragma once
// Upper and lower case in Windows-1251: the one table of the code page's letters that the
// comparisons without regard to case, the sort order of file names and the capitals of the
// words share.

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace platform {

struct TCaseLetter {
    unsigned char Capital;
    unsigned char Small;
};

// Every Cyrillic letter of the code page, in alphabetical order: the Ukrainian and Russian
// alphabets merged, the few other Slavic letters beside the letter they are built on.
inline constexpr TCaseLetter CyrillicLetters[] = {
    {0xC0, 0xE0}, // А а
    {0xC1, 0xE1}, // Б б
    {0xC2, 0xE2}, // В в
    {0xC3, 0xE3}, // Г г
    {0xA5, 0xB4}, // Ґ ґ
    {0x81, 0x83}, // Ѓ ѓ
    {0xC4, 0xE4}, // Д д
    {0x80, 0x90}, // Ђ ђ
    {0xC5, 0xE5}, // Е е
    {0xAA, 0xBA}, // Є є
    {0xA8, 0xB8}, // Ё ё
    {0xC6, 0xE6}, // Ж ж
    {0xC7, 0xE7}, // З з
    {0xBD, 0xBE}, // Ѕ ѕ
    {0xC8, 0xE8}, // И и
    {0xB2, 0xB3}, // І і
    {0xAF, 0xBF}, // Ї ї
    {0xC9, 0xE9}, // Й й
    {0xA3, 0xBC}, // Ј ј
    {0xCA, 0xEA}, // К к
    {0x8D, 0x9D}, // Ќ ќ
    {0xCB, 0xEB}, // Л л
    {0x8A, 0x9A}, // Љ љ
    {0xCC, 0xEC}, // М м
    {0xCD, 0xED}, // Н н
    {0x8C, 0x9C}, // Њ њ
    {0xCE, 0xEE}, // О о
    {0xCF, 0xEF}, // П п
    {0xD0, 0xF0}, // Р р
    {0xD1, 0xF1}, // С с
    {0xD2, 0xF2}, // Т т
    {0x8E, 0x9E}, // Ћ ћ
    {0xD3, 0xF3}, // У у
    {0xA1, 0xA2}, // Ў ў
    {0xD4, 0xF4}, // Ф ф
    {0xD5, 0xF5}, // Х х
    {0xD6, 0xF6}, // Ц ц
    {0xD7, 0xF7}, // Ч ч
    {0x8F, 0x9F}, // Џ џ
    {0xD8, 0xF8}, // Ш ш
    {0xD9, 0xF9}, // Щ щ
    {0xDA, 0xFA}, // Ъ ъ
    {0xDB, 0xFB}, // Ы ы
    {0xDC, 0xFC}, // Ь ь
    {0xDD, 0xFD}, // Э э
    {0xDE, 0xFE}, // Ю ю
    {0xDF, 0xFF}, // Я я
};

namespace cp1251_case_detail {

// Index 0 maps capitals to small letters, index 1 the other way; Latin letters included,
// every other byte maps to itself.
constexpr std::array<std::array<unsigned char, 256>, 2> MakeTables() {
    std::array<std::array<unsigned char, 256>, 2> t{};
    for (std::size_t b = 0; b < 256; ++b)
        t[0][b] = t[1][b] = static_cast<unsigned char>(b);
    for (unsigned char c = 'A'; c <= 'Z'; ++c) {
        t[0][c] = static_cast<unsigned char>(c + ('a' - 'A'));
        t[1][c + ('a' - 'A')] = c;
    }
    for (const TCaseLetter& l : CyrillicLetters) {
        t[0][l.Capital] = l.Small;
        t[1][l.Small] = l.Capital;
    }
    return t;
}

inline constexpr auto Tables = MakeTables();

} // namespace cp1251_case_detail

// The small letter of a capital, Latin or Cyrillic; any other byte as it is.
constexpr unsigned char Cp1251Lower(unsigned char c) {
    return cp1251_case_detail::Tables[0][c];
}

// The capital of a small letter, Latin or Cyrillic; any other byte as it is.
constexpr unsigned char Cp1251Upper(unsigned char c) {
    return cp1251_case_detail::Tables[1][c];
}

// The text in small letters, or in capitals, byte for byte.
inline std::string Cp1251LowerText(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        c = static_cast<char>(Cp1251Lower(static_cast<unsigned char>(c)));
    return out;
}
inline std::string Cp1251UpperText(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        c = static_cast<char>(Cp1251Upper(static_cast<unsigned char>(c)));
    return out;
}

} // namespace platform
