#pragma once
// The word tables and the steps that build an amount in words, shared by both languages.
// Exposed only so that the tests can check the tables against the texts.

#include "platform/Cp1251Literal.h"

#include <array>
#include <string>

namespace buhproc_detail {

enum class TLang { Ukr = 0, Rus = 1 };

// One text per language, indexed by TLang.
struct TWord {
    const char* Text[2];
    const char* operator[](TLang lang) const { return Text[static_cast<int>(lang)]; }
};

// Units: only one and two differ between the feminine and the masculine count.
struct TUnitRow {
    TWord Feminine;
    TWord Masculine;
};

inline constexpr std::array<TUnitRow, 10> Units{{
    {{"", ""}, {"", ""}},
    {{"одна"_w, "одна"_w}, {"один"_w, "один"_w}},
    {{"дві"_w, "две"_w}, {"два"_w, "два"_w}},
    {{"три"_w, "три"_w}, {"три"_w, "три"_w}},
    {{"чотири"_w, "четыре"_w}, {"чотири"_w, "четыре"_w}},
    {{"п'ять"_w, "пять"_w}, {"п'ять"_w, "пять"_w}},
    {{"шість"_w, "шесть"_w}, {"шість"_w, "шесть"_w}},
    {{"сім"_w, "семь"_w}, {"сім"_w, "семь"_w}},
    {{"вісім"_w, "восемь"_w}, {"вісім"_w, "восемь"_w}},
    {{"дев'ять"_w, "девять"_w}, {"дев'ять"_w, "девять"_w}},
}};

// 10 to 19.
inline constexpr std::array<TWord, 10> Teens{{
    {"десять"_w, "десять"_w},
    {"одинадцять"_w, "одиннадцать"_w},
    {"дванадцять"_w, "двенадцать"_w},
    {"тринадцять"_w, "тринадцать"_w},
    {"чотирнадцять"_w, "четырнадцать"_w},
    {"п'ятнадцять"_w, "пятнадцать"_w},
    {"шістнадцять"_w, "шестнадцать"_w},
    {"сімнадцять"_w, "семнадцать"_w},
    {"вісімнадцять"_w, "восемнадцать"_w},
    {"дев'ятнадцять"_w, "девятнадцать"_w},
}};

// Indexed by the tens digit; 0 and 1 have no tens word.
inline constexpr std::array<TWord, 10> Tens{{
    {"", ""},
    {"", ""},
    {"двадцять"_w, "двадцать"_w},
    {"тридцять"_w, "тридцать"_w},
    {"сорок"_w, "сорок"_w},
    {"п'ятдесят"_w, "пятьдесят"_w},
    {"шістдесят"_w, "шестьдесят"_w},
    {"сімдесят"_w, "семьдесят"_w},
    {"вісімдесят"_w, "восемьдесят"_w},
    {"дев'яносто"_w, "девяносто"_w},
}};

// Indexed by the hundreds digit.
inline constexpr std::array<TWord, 10> Hundreds{{
    {"", ""},
    {"сто"_w, "сто"_w},
    {"двісті"_w, "двести"_w},
    {"триста"_w, "триста"_w},
    {"чотириста"_w, "четыреста"_w},
    {"п'ятсот"_w, "пятьсот"_w},
    {"шістсот"_w, "шестьсот"_w},
    {"сімсот"_w, "семьсот"_w},
    {"вісімсот"_w, "восемьсот"_w},
    {"дев'ятсот"_w, "девятьсот"_w},
}};

// Groups of three digits from the right. Group 0 (the hryvnias) has no name.
struct TGroupRow {
    bool Masculine;
    TWord One;
    TWord Few;
    TWord Many;
};

inline constexpr int GroupCount = 5;

inline constexpr std::array<TGroupRow, GroupCount> Groups{{
    {false, {"", ""}, {"", ""}, {"", ""}},
    {false, {"тисяча"_w, "тысяча"_w}, {"тисячі"_w, "тысячи"_w}, {"тисяч"_w, "тысяч"_w}},
    {true,
     {"мільйон"_w, "миллион"_w},
     {"мільйони"_w, "миллиона"_w},
     {"мільйонів"_w, "миллионов"_w}},
    {true,
     {"мільярд"_w, "миллиард"_w},
     {"мільярди"_w, "миллиарда"_w},
     {"мільярдів"_w, "миллиардов"_w}},
    {true,
     {"трильйон"_w, "триллион"_w},
     {"трильйони"_w, "триллиона"_w},
     {"трильйонів"_w, "триллионов"_w}},
}};

inline constexpr TWord Currency{"грн."_w, "грн."_w};
inline constexpr TWord KopeckSuffix{" коп."_w, " коп."_w};
inline constexpr TWord ZeroWord{"нуль "_w, "ноль "_w};
inline constexpr TWord TooLarge{"Дуже велика сума :)"_w, "Очень большая сумма :)"_w};

// The kopecks of a non-negative amount whose integral part is `whole`: the fraction times 100
// in double precision, rounded half away from zero; 0 to 100, where 100 is for the caller to
// carry. The amount in words and the amount in digits both use it, so that the two never
// disagree on one blank.
int KopecksOf(double size, double whole);

// The name of a group whose count ends in these digits (value 0 to 999).
const TWord& GroupName(const TGroupRow& group, int value);

// value 0 to 99; empty for 0.
std::string TensToWords(TLang lang, int value, bool masculine);
// value 0 to 999; empty for 0.
std::string TripleToWords(TLang lang, int value, bool masculine);
// The first letter in capitals, the rest unchanged (Windows-1251 Cyrillic lowercase only).
std::string CapitalizeFirst(std::string text);

} // namespace buhproc_detail
