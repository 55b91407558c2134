#pragma once
// Reads an amount in words back into hryvnias and kopecks, for the fuzz targets that check
// the words against the digits. The reading is strict: it accepts only the shape the blank
// may show, so a doubled or stray blank, a word out of place, a wrong group form or gender,
// or a missing kopeck part all make it fail.

#include "FuzzCheck.h"

#include "words/BuhProc.h"
#include "words/BuhProcDetail.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace fuzz {

struct TAmountInWords {
    std::uint64_t Hryvnias = 0;
    int Kopecks = 0;
};

// The small letter of a capital Cyrillic letter of Windows-1251; 0 for anything else.
inline unsigned char SmallOfCapital(unsigned char c) {
    if (c >= 0xC0 && c <= 0xDF)
        return static_cast<unsigned char>(c + 0x20);
    switch (c) {
    case 0xA8:
        return 0xB8; // Ё
    case 0xAA:
        return 0xBA; // Є
    case 0xAF:
        return 0xBF; // Ї
    case 0xB2:
        return 0xB3; // І
    case 0xA5:
        return 0xB4; // Ґ
    default:
        return 0;
    }
}

inline std::vector<std::string_view> SplitOnBlanks(std::string_view text) {
    std::vector<std::string_view> words;
    std::size_t start = 0;
    for (;;) {
        const std::size_t blank = text.find(' ', start);
        words.push_back(
            text.substr(start, blank == std::string_view::npos ? blank : blank - start));
        if (blank == std::string_view::npos)
            return words;
        start = blank + 1;
    }
}

// The amount in words of `lang`, read back; nothing when the text is not well formed.
inline std::optional<TAmountInWords> ReadAmountInWords(std::string_view text,
                                                       buhproc_detail::TLang lang) {
    using namespace buhproc_detail;
    std::vector<std::string_view> words = SplitOnBlanks(text);
    // At least: number, currency, kopecks, "коп."; an empty word is a doubled, leading or
    // trailing blank.
    if (words.size() < 4)
        return std::nullopt;
    for (const auto w : words)
        if (w.empty())
            return std::nullopt;

    const std::string_view kopSuffix = std::string_view(KopeckSuffix[lang]).substr(1);
    const std::string_view kop = words[words.size() - 2];
    if (words.back() != kopSuffix || words[words.size() - 3] != Currency[lang] || kop.size() != 2 ||
        kop[0] < '0' || kop[0] > '9' || kop[1] < '0' || kop[1] > '9')
        return std::nullopt;
    TAmountInWords result;
    result.Kopecks = (kop[0] - '0') * 10 + (kop[1] - '0');
    words.resize(words.size() - 3);

    // The first letter is a capital; read the word with it small again.
    const unsigned char small = SmallOfCapital(static_cast<unsigned char>(words[0][0]));
    if (small == 0)
        return std::nullopt;
    std::string first(words[0]);
    first[0] = static_cast<char>(small);
    words[0] = first;

    const std::string_view zero =
        std::string_view(ZeroWord[lang]).substr(0, std::string_view(ZeroWord[lang]).size() - 1);
    if (words[0] == zero)
        return words.size() == 1 ? std::optional(result) : std::nullopt;

    enum class TGender { Any, Feminine, Masculine };
    std::uint64_t total = 0;
    int triple = 0;
    int lastPlace = 1000; // 100 after hundreds, 10 after tens, 1 after teens or units
    TGender gender = TGender::Any;
    int lastGroup = GroupCount;

    // Closes the triple read so far as group `g`: its gender and, for a named group, its form.
    auto closeTriple = [&](int g, std::string_view groupWord) {
        if (triple == 0 || g >= lastGroup)
            return false;
        const bool masculine = Groups[static_cast<std::size_t>(g)].Masculine;
        if ((gender == TGender::Feminine && masculine) ||
            (gender == TGender::Masculine && !masculine))
            return false;
        if (g > 0) {
            const TGroupRow& row = Groups[static_cast<std::size_t>(g)];
            const int lastTwo = triple % 100, last = triple % 10;
            const TWord& form = (lastTwo >= 10 && lastTwo <= 19) ? row.Many
                                : last == 1                      ? row.One
                                : (last >= 2 && last <= 4)       ? row.Few
                                                                 : row.Many;
            if (groupWord != form[lang])
                return false;
        }
        std::uint64_t scale = 1;
        for (int i = 0; i < g; ++i)
            scale *= 1000;
        total += static_cast<std::uint64_t>(triple) * scale;
        triple = 0;
        lastPlace = 1000;
        gender = TGender::Any;
        lastGroup = g;
        return true;
    };

    for (const std::string_view w : words) {
        bool known = false;
        for (int d = 1; d <= 9 && !known; ++d)
            if (w == Hundreds[static_cast<std::size_t>(d)][lang]) {
                if (lastPlace <= 100)
                    return std::nullopt;
                triple += d * 100;
                lastPlace = 100;
                known = true;
            }
        for (int d = 2; d <= 9 && !known; ++d)
            if (w == Tens[static_cast<std::size_t>(d)][lang]) {
                if (lastPlace <= 10)
                    return std::nullopt;
                triple += d * 10;
                lastPlace = 10;
                known = true;
            }
        for (int d = 0; d <= 9 && !known; ++d)
            if (w == Teens[static_cast<std::size_t>(d)][lang]) {
                if (lastPlace <= 10)
                    return std::nullopt;
                triple += 10 + d;
                lastPlace = 1;
                known = true;
            }
        for (int d = 1; d <= 9 && !known; ++d) {
            const TUnitRow& unit = Units[static_cast<std::size_t>(d)];
            const bool fem = w == unit.Feminine[lang], masc = w == unit.Masculine[lang];
            if (fem || masc) {
                if (lastPlace <= 1)
                    return std::nullopt;
                triple += d;
                lastPlace = 1;
                gender = fem && masc ? TGender::Any : fem ? TGender::Feminine : TGender::Masculine;
                known = true;
            }
        }
        for (int g = 1; g < GroupCount && !known; ++g) {
            const TGroupRow& row = Groups[static_cast<std::size_t>(g)];
            if (w == row.One[lang] || w == row.Few[lang] || w == row.Many[lang]) {
                if (!closeTriple(g, w))
                    return std::nullopt;
                known = true;
            }
        }
        if (!known)
            return std::nullopt;
    }
    if (triple > 0 && !closeTriple(0, {}))
        return std::nullopt;
    if (total == 0)
        return std::nullopt; // a zero amount says the zero word
    result.Hryvnias = total;
    return result;
}

// The integral digits and the kopecks of FormatNum's text ("123.45").
inline std::optional<TAmountInWords> ReadAmountInDigits(std::string_view digits) {
    const std::size_t dot = digits.find('.');
    if (dot == std::string_view::npos || dot == 0 || dot > 15 || digits.size() != dot + 3)
        return std::nullopt;
    TAmountInWords a;
    for (std::size_t i = 0; i < dot; ++i)
        a.Hryvnias = a.Hryvnias * 10 + static_cast<std::uint64_t>(digits[i] - '0');
    a.Kopecks = (digits[dot + 1] - '0') * 10 + (digits[dot + 2] - '0');
    return a;
}

// The amount's words, when they are words rather than the empty text or the too-large
// message, must read back as the amount FormatNum writes in digits.
inline void CheckWordsMatchDigits(const std::string& words, double amount,
                                  buhproc_detail::TLang lang) {
    if (words.empty() || words == buhproc_detail::TooLarge[lang])
        return;
    const auto read = ReadAmountInWords(words, lang);
    Check(read.has_value(), "an amount in words that is not well formed", words);
    std::string digits = FormatNum(amount, '.');
    if (!digits.empty() && digits[0] == '-')
        digits.erase(0, 1);
    const auto expected = ReadAmountInDigits(digits);
    Check(expected.has_value(), "words for an amount whose digits have 16 places or more", digits);
    Check(read->Hryvnias == expected->Hryvnias && read->Kopecks == expected->Kopecks,
          "the words and the digits of one amount disagree", words + " / " + digits);
}

} // namespace fuzz
