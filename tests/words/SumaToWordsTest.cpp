#include "words/BuhProc.h"
#include "words/BuhProcDetail.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <string>
#include <unordered_map>
#include <vector>

using namespace buhproc_detail;
using testing_support::U;
using testing_support::W;

namespace {

struct TAmountCase {
    double Amount;
    const char* Ukr; // UTF-8
    const char* Rus; // UTF-8; nullptr when the same as Ukr
};

const TAmountCase AmountCases[] = {
    {0, "", nullptr},
    {0.05, "Нуль грн. 05 коп.", "Ноль грн. 05 коп."},
    {0.5, "Нуль грн. 50 коп.", "Ноль грн. 50 коп."},
    {1, "Одна грн. 00 коп.", nullptr},
    {2, "Дві грн. 00 коп.", "Две грн. 00 коп."},
    {5, "П'ять грн. 00 коп.", "Пять грн. 00 коп."},
    {7.07, "Сім грн. 07 коп.", "Семь грн. 07 коп."},
    {11, "Одинадцять грн. 00 коп.", "Одиннадцать грн. 00 коп."},
    {21, "Двадцять одна грн. 00 коп.", "Двадцать одна грн. 00 коп."},
    {101, "Сто одна грн. 00 коп.", nullptr},
    {215, "Двісті п'ятнадцять грн. 00 коп.", "Двести пятнадцать грн. 00 коп."},
    {1000, "Одна тисяча грн. 00 коп.", "Одна тысяча грн. 00 коп."},
    {2000, "Дві тисячі грн. 00 коп.", "Две тысячи грн. 00 коп."},
    {5000, "П'ять тисяч грн. 00 коп.", "Пять тысяч грн. 00 коп."},
    {11000, "Одинадцять тисяч грн. 00 коп.", "Одиннадцать тысяч грн. 00 коп."},
    {21000, "Двадцять одна тисяча грн. 00 коп.", "Двадцать одна тысяча грн. 00 коп."},
    {1234.5, "Одна тисяча двісті тридцять чотири грн. 50 коп.",
     "Одна тысяча двести тридцать четыре грн. 50 коп."},
    {1000000, "Один мільйон грн. 00 коп.", "Один миллион грн. 00 коп."},
    {1000001, "Один мільйон одна грн. 00 коп.", "Один миллион одна грн. 00 коп."},
    {2000000, "Два мільйони грн. 00 коп.", "Два миллиона грн. 00 коп."},
    {123456789.12,
     "Сто двадцять три мільйони чотириста п'ятдесят шість тисяч сімсот вісімдесят дев'ять грн. "
     "12 коп.",
     "Сто двадцать три миллиона четыреста пятьдесят шесть тысяч семьсот восемьдесят девять грн. "
     "12 коп."},
    {12000000000, "Дванадцять мільярдів грн. 00 коп.", "Двенадцать миллиардов грн. 00 коп."},
    {22000000000, "Двадцять два мільярди грн. 00 коп.", "Двадцать два миллиарда грн. 00 коп."},
    {13000000000000, "Тринадцять трильйонів грн. 00 коп.", "Тринадцать триллионов грн. 00 коп."},
    {999999999999999,
     "Дев'ятсот дев'яносто дев'ять трильйонів дев'ятсот дев'яносто дев'ять мільярдів дев'ятсот "
     "дев'яносто дев'ять мільйонів дев'ятсот дев'яносто дев'ять тисяч дев'ятсот дев'яносто "
     "дев'ять грн. 00 коп.",
     "Девятьсот девяносто девять триллионов девятьсот девяносто девять миллиардов девятьсот "
     "девяносто девять миллионов девятьсот девяносто девять тысяч девятьсот девяносто девять "
     "грн. 00 коп."},
    // A fraction rounds half away from zero; .29 and .15 sit just below their cents in
    // binary, where cutting instead of rounding loses a kopeck.
    {0.29, "Нуль грн. 29 коп.", "Ноль грн. 29 коп."},
    {1.15, "Одна грн. 15 коп.", nullptr},
    {0.125, "Нуль грн. 13 коп.", "Ноль грн. 13 коп."},
    // 100 kopecks carry into the hryvnias, also across a group boundary.
    {0.995, "Одна грн. 00 коп.", nullptr},
    {9.999, "Десять грн. 00 коп.", nullptr},
    {999.996, "Одна тисяча грн. 00 коп.", "Одна тысяча грн. 00 коп."},
    // Negative amounts are written by their size.
    {-0.0, "", nullptr},
    {-1234.5, "Одна тисяча двісті тридцять чотири грн. 50 коп.",
     "Одна тысяча двести тридцать четыре грн. 50 коп."},
    {std::numeric_limits<double>::quiet_NaN(), "", nullptr},
};

TEST(SumaToWords, ExamplesInBothLanguages) {
    for (const auto& c : AmountCases) {
        EXPECT_EQ(U(SumaToWordsUkr(c.Amount)), c.Ukr) << c.Amount;
        EXPECT_EQ(U(SumaToWordsRus(c.Amount)), c.Rus ? c.Rus : c.Ukr) << c.Amount;
    }
}

TEST(SumaToWords, TooLargeFromTenToTheFifteenthOnIncludingBeyondSixtyFourBits) {
    const double inf = std::numeric_limits<double>::infinity();
    for (double amount : {1e15, 1e15 + 0.5, 1e15 + 1, 9.3e18, 1.8446744073709552e19, 1e300,
                          std::numeric_limits<double>::max(), inf, -1e15, -inf}) {
        EXPECT_EQ(SumaToWordsUkr(amount), W("Дуже велика сума :)")) << amount;
        EXPECT_EQ(SumaToWordsRus(amount), W("Очень большая сумма :)")) << amount;
    }
    // The largest amount below the limit is still written in words.
    EXPECT_NE(SumaToWordsRus(std::nextafter(1e15, 0.0)), W("Очень большая сумма :)"));
}

TEST(SumaToWords, ApostropheIsTheAsciiOne) {
    EXPECT_EQ(SumaToWordsUkr(5), std::string("\xCF'\xFF\xF2\xFC \xE3\xF0\xED. 00 \xEA\xEE\xEF."));
}

TEST(CapitalizeFirst, MapsEveryLowercaseStartAndLeavesTheRest) {
    const std::string lower = W("абвгдежзийклмнопрстуфхцчшщьюяієї");
    const std::string upper = W("АБВГДЕЖЗИЙКЛМНОПРСТУФХЦЧШЩЬЮЯІЄЇ");
    for (std::size_t i = 0; i < lower.size(); ++i) {
        const std::string tail = W(" грн.");
        EXPECT_EQ(CapitalizeFirst(lower[i] + tail), upper[i] + tail) << i;
    }
    EXPECT_EQ(CapitalizeFirst(""), "");
    EXPECT_EQ(CapitalizeFirst(W("Ноль")), W("Ноль"));
}

// ---- Reading the words back ---------------------------------------------------------------

// A reader of amounts in words, built from the tables, that also checks the grammar the
// writer must follow: word order within a group, groups from high to low, the gender of one
// and two, and the form of each group's name.
class TWordsReader {
public:
    explicit TWordsReader(TLang lang) : Lang(lang) {
        for (int i = 1; i <= 9; ++i) {
            const char* fem = Units[i].Feminine[lang];
            const char* masc = Units[i].Masculine[lang];
            if (std::string(fem) == masc) {
                Add(fem, {Kind::Unit, i, Gender::Any});
            } else {
                Add(fem, {Kind::Unit, i, Gender::Feminine});
                Add(masc, {Kind::Unit, i, Gender::Masculine});
            }
            Add(Teens[i - 1][lang], {Kind::Teen, 9 + i});
            Add(Hundreds[i][lang], {Kind::Hundred, 100 * i});
            if (i >= 2)
                Add(Tens[i][lang], {Kind::Ten, 10 * i});
        }
        Add(Teens[9][lang], {Kind::Teen, 19});
        for (int g = 1; g < GroupCount; ++g) {
            Add(Groups[g].One[lang], {Kind::Group, g, Gender::Any, Form::One});
            Add(Groups[g].Few[lang], {Kind::Group, g, Gender::Any, Form::Few});
            Add(Groups[g].Many[lang], {Kind::Group, g, Gender::Any, Form::Many});
        }
        Suffix = " " + std::string(Currency[lang]) + " NN" + KopeckSuffix[lang];
    }

    bool Duplicates() const { return HasDuplicates; }

    // The hryvnias and kopecks, or an explanation of what is wrong with the text.
    std::string Read(const std::string& text, std::uint64_t& hryvnias, int& kopecks) const {
        if (text.empty())
            return "empty";
        const auto first = static_cast<unsigned char>(text[0]);
        const bool capital =
            (first >= 0xC0 && first <= 0xDF) || first == 0xAA || first == 0xAF || first == 0xB2;
        if (!capital)
            return "no capital";
        if (text.find("  ") != std::string::npos || text.back() == ' ')
            return "doubled or trailing blank";
        if (text.size() <= Suffix.size())
            return "too short";
        const std::string end = text.substr(text.size() - Suffix.size());
        const std::size_t digits = Suffix.find("NN");
        for (std::size_t i = 0; i < Suffix.size(); ++i) {
            const bool isDigit = end[i] >= '0' && end[i] <= '9';
            if (i == digits || i == digits + 1 ? !isDigit : end[i] != Suffix[i])
                return "bad currency or kopecks";
        }
        kopecks = (end[digits] - '0') * 10 + (end[digits + 1] - '0');

        std::string words = text.substr(0, text.size() - Suffix.size());
        words[0] = static_cast<char>(Lower(static_cast<unsigned char>(words[0])));
        hryvnias = 0;
        if (words == std::string(ZeroWord[Lang]).substr(0, std::string(ZeroWord[Lang]).size() - 1))
            return {};

        std::uint64_t group = 0;
        int stage = 0; // 0: nothing yet, 1: hundreds, 2: tens, 3: units or ten-to-nineteen
        int lastGroup = GroupCount;
        Gender gender = Gender::Any; // of the one or two of the current group
        std::size_t pos = 0;
        while (pos <= words.size()) {
            std::size_t next = words.find(' ', pos);
            if (next == std::string::npos)
                next = words.size();
            const auto it = Table.find(words.substr(pos, next - pos));
            if (it == Table.end())
                return "unknown word '" + U(words.substr(pos, next - pos)) + "'";
            const TEntry& e = it->second;
            switch (e.What) {
            case Kind::Hundred:
                if (stage >= 1)
                    return "hundreds out of order";
                stage = 1;
                break;
            case Kind::Ten:
            case Kind::Teen:
                if (stage >= 2)
                    return "tens out of order";
                stage = e.What == Kind::Ten ? 2 : 3;
                break;
            case Kind::Unit:
                if (stage >= 3)
                    return "units out of order";
                stage = 3;
                gender = e.Sex;
                break;
            case Kind::Group: {
                if (group == 0 || e.Value >= lastGroup)
                    return "group name out of place";
                if (std::string err = CheckGroup(e.Value, group, gender); !err.empty())
                    return err;
                const Form expected = ExpectedForm(group);
                if (e.Shape != expected)
                    return "wrong form of a group name";
                std::uint64_t scale = 1;
                for (int i = 0; i < e.Value; ++i)
                    scale *= 1000;
                hryvnias += group * scale;
                lastGroup = e.Value;
                group = 0;
                stage = 0;
                gender = Gender::Any;
                break;
            }
            }
            if (e.What != Kind::Group)
                group += static_cast<std::uint64_t>(e.Value);
            pos = next + 1;
        }
        if (std::string err = CheckGroup(0, group, gender); !err.empty())
            return err;
        hryvnias += group;
        if (hryvnias == 0)
            return "no words for a zero";
        return {};
    }

private:
    enum class Kind { Unit, Teen, Ten, Hundred, Group };
    enum class Gender { Any, Feminine, Masculine };
    enum class Form { None, One, Few, Many };
    struct TEntry {
        Kind What;
        int Value;
        Gender Sex = Gender::Any;
        Form Shape = Form::None;
    };

    void Add(const char* word, TEntry entry) {
        if (!Table.emplace(word, entry).second)
            HasDuplicates = true;
    }

    static unsigned char Lower(unsigned char c) {
        if (c >= 0xC0 && c <= 0xDF)
            return c + 0x20;
        if (c == 0xB2)
            return 0xB3;
        if (c == 0xAA)
            return 0xBA;
        if (c == 0xAF)
            return 0xBF;
        return c;
    }

    // Written out independently of the code under test, from the grammar of both languages.
    static Form ExpectedForm(std::uint64_t count) {
        if (count % 100 >= 11 && count % 100 <= 14)
            return Form::Many;
        switch (count % 10) {
        case 1:
            return Form::One;
        case 2:
        case 3:
        case 4:
            return Form::Few;
        default:
            return Form::Many;
        }
    }

    static std::string CheckGroup(int g, std::uint64_t count, Gender gender) {
        if (count % 100 >= 10 && count % 100 <= 19)
            return gender == Gender::Any ? "" : "unit after ten-to-nineteen";
        const bool oneOrTwo = count % 10 == 1 || count % 10 == 2;
        const Gender want = g >= 2 ? Gender::Masculine : Gender::Feminine;
        if (oneOrTwo && gender != want)
            return "wrong gender of one or two";
        return {};
    }

    TLang Lang;
    std::unordered_map<std::string, TEntry> Table;
    std::string Suffix;
    bool HasDuplicates = false;
};

struct TLanguage {
    TLang Lang;
    std::string (*Words)(double);
};
const TLanguage Languages[] = {{TLang::Ukr, SumaToWordsUkr}, {TLang::Rus, SumaToWordsRus}};

// Reads the words of `amount` back; true when they name `hryvnias` and `kopecks`.
::testing::AssertionResult ReadsBack(const TWordsReader& reader, const TLanguage& language,
                                     double amount, std::uint64_t hryvnias, int kopecks) {
    const std::string text = language.Words(amount);
    std::uint64_t gotHryvnias = 0;
    int gotKopecks = -1;
    const std::string err = reader.Read(text, gotHryvnias, gotKopecks);
    if (!err.empty())
        return ::testing::AssertionFailure() << err << " in '" << U(text) << "'";
    if (gotHryvnias != hryvnias || gotKopecks != kopecks)
        return ::testing::AssertionFailure()
               << "'" << U(text) << "' reads as " << gotHryvnias << " + " << gotKopecks
               << " kop., expected " << hryvnias << " + " << kopecks;
    return ::testing::AssertionSuccess();
}

double Parse(const std::string& digits) {
    double value = 0;
    std::from_chars(digits.data(), digits.data() + digits.size(), value);
    return value;
}

// An optimised build checks every amount; slower builds sample with a prime stride.
#if defined(__SANITIZE_ADDRESS__)
constexpr int WholeStride = 41;
#elif !defined(__OPTIMIZE__)
constexpr int WholeStride = 7;
#else
constexpr int WholeStride = 1;
#endif

TEST(SumaToWords, TablesHaveNoWordTwice) {
    for (const auto& language : Languages)
        EXPECT_FALSE(TWordsReader(language.Lang).Duplicates());
}

TEST(SumaToWords, EveryWholeAmountUpToAMillionReadsBack) {
    for (const auto& language : Languages) {
        const TWordsReader reader(language.Lang);
        int failures = 0;
        for (int n = 1; n <= 1000000 && failures < 10; n += WholeStride) {
            const auto ok = ReadsBack(reader, language, n, n, 0);
            if (!ok) {
                ADD_FAILURE() << ok.message();
                ++failures;
            }
        }
        // The stride must not skip the boundaries.
        for (int n : {1, 999, 1000, 1001, 999999, 1000000})
            EXPECT_TRUE(ReadsBack(reader, language, n, n, 0));
    }
}

TEST(SumaToWords, KopecksAsTypedReadBack) {
    for (const auto& language : Languages) {
        const TWordsReader reader(language.Lang);
        int failures = 0;
        for (int n = 0; n <= 1000000 && failures < 10; n += 37) {
            const int k = 1 + n % 99;
            const std::string typed = std::to_string(n) + (k < 10 ? ".0" : ".") + std::to_string(k);
            const auto ok = ReadsBack(reader, language, Parse(typed), n, k);
            if (!ok) {
                ADD_FAILURE() << typed << ": " << ok.message();
                ++failures;
            }
        }
        for (int k = 1; k < 100; ++k)
            EXPECT_TRUE(ReadsBack(reader, language,
                                  Parse("12345." + std::to_string(100 + k).substr(1)), 12345, k));
    }
}

TEST(SumaToWords, EveryGroupCountInEveryHigherGroupReadsBack) {
    for (const auto& language : Languages) {
        const TWordsReader reader(language.Lang);
        for (std::uint64_t scale : {1000000ULL, 1000000000ULL, 1000000000000ULL})
            for (std::uint64_t v = 1; v <= 999; ++v) {
                const std::uint64_t n = v * scale + (v * 7919) % scale;
                EXPECT_TRUE(ReadsBack(reader, language, static_cast<double>(n), n, 0));
            }
    }
}

TEST(SumaToWords, RandomAmountsUpToTheLimitReadBack) {
    std::mt19937_64 random(20260512);
    for (const auto& language : Languages) {
        const TWordsReader reader(language.Lang);
        for (int i = 0; i < 20000; ++i) {
            // Digit groups are often zero, so that skipped groups are well covered.
            std::uint64_t n = 0;
            for (int g = 0; g < GroupCount; ++g)
                n = n * 1000 + (random() % 3 == 0 ? 0 : random() % 1000);
            if (n == 0)
                continue;
            // Kopecks stay exact in a double up to about 7 * 10^13.
            int k = 0;
            if (n < 70000000000000ULL)
                k = static_cast<int>(random() % 100);
            const std::string typed = std::to_string(n) + (k < 10 ? ".0" : ".") + std::to_string(k);
            ASSERT_TRUE(ReadsBack(reader, language, Parse(typed), n, k)) << typed;
        }
    }
}

TEST(SumaToWords, DigitsAndWordsOfOneAmountAgree) {
    // Amounts as typed, VAT-like quotients and values a hair off a half kopeck: the blank
    // shows each amount twice and the two may never disagree.
    std::mt19937_64 random(6);
    const TWordsReader reader(TLang::Rus);
    const TLanguage& russian = Languages[1];
    for (int i = 0; i < 30000; ++i) {
        const double n = static_cast<double>(random() % 1000000);
        double amount = 0;
        switch (i % 4) {
        case 0:
            amount = n + static_cast<double>(random() % 1000) / 1000;
            break;
        case 1:
            amount = (n + static_cast<double>(random() % 100) / 100) / 6;
            break;
        case 2:
            amount =
                std::ldexp(static_cast<double>(random() >> 11), -static_cast<int>(random() % 40));
            break;
        default:
            amount = std::nextafter(n + 0.005 * static_cast<double>(random() % 200),
                                    random() % 2 ? 0.0 : 1e7);
            break;
        }
        if (amount <= 0 || amount >= 1e15)
            continue;
        std::uint64_t hryvnias = 0;
        int kopecks = -1;
        const std::string words = russian.Words(amount);
        ASSERT_EQ(reader.Read(words, hryvnias, kopecks), "") << U(words);
        const std::string digits =
            std::to_string(hryvnias) + "." + std::to_string(100 + kopecks).substr(1);
        ASSERT_EQ(FormatNum(amount, '.'), digits) << U(words);
    }
}

} // namespace
