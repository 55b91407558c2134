#include "words/BuhProc.h"

#include "platform/Clock.h"
#include "platform/Cp1251Case.h"
#include "platform/Cp1251Literal.h"
#include "platform/MessageBoxes.h"
#include "platform/Translate.h"
#include "words/BuhProcDetail.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <string>
#include <utility>

namespace buhproc_detail {

int KopecksOf(double size, double whole) {
    return static_cast<int>(std::round((size - whole) * 100.0));
}

const TWord& GroupName(const TGroupRow& group, int value) {
    const int lastTwo = value % 100;
    const int last = value % 10;
    if (lastTwo >= 10 && lastTwo <= 19)
        return group.Many;
    if (last == 1)
        return group.One;
    if (last >= 2 && last <= 4)
        return group.Few;
    return group.Many;
}

namespace {
void AppendWord(std::string& out, const char* word) {
    if (*word == '\0')
        return;
    if (!out.empty())
        out += ' ';
    out += word;
}
} // namespace

std::string TensToWords(TLang lang, int value, bool masculine) {
    if (value >= 10 && value <= 19)
        return Teens[value - 10][lang];
    std::string out = Tens[value / 10][lang];
    const TUnitRow& unit = Units[value % 10];
    AppendWord(out, masculine ? unit.Masculine[lang] : unit.Feminine[lang]);
    return out;
}

std::string TripleToWords(TLang lang, int value, bool masculine) {
    std::string out = Hundreds[value / 100][lang];
    const std::string tens = TensToWords(lang, value % 100, masculine);
    AppendWord(out, tens.c_str());
    return out;
}

std::string CapitalizeFirst(std::string text) {
    if (text.empty())
        return text;
    const auto c = static_cast<unsigned char>(text[0]);
    // Only "а" .. "щ", "ь", "ю", "я", "і", "є", "ї" take their capital; any other first
    // character ("ё", "ґ", a Latin letter) stays as it is.
    if ((c >= 0xE0 && c <= 0xF9) || c == 0xFC || c == 0xFE || c == 0xFF || c == 0xB3 || c == 0xBA ||
        c == 0xBF)
        text[0] = static_cast<char>(platform::Cp1251Upper(c));
    return text;
}

namespace {

std::string SumaToWords(TLang lang, double amount) {
    // NaN is no amount at all, and -0.0 compares equal to zero: both leave the field empty.
    if (std::isnan(amount) || amount == 0)
        return {};
    // Callers never pass a negative amount; should one slip through, the words of its size
    // are still the safest text to print.
    const double size = std::fabs(amount);
    // Tested before any conversion to an integer, which would be undefined beyond 64 bits.
    constexpr double limit = 1e15;
    if (!(size < limit))
        return TooLarge[lang];

    const double whole = std::trunc(size);
    auto hryvnias = static_cast<std::uint64_t>(whole);
    int kopecks = KopecksOf(size, whole);
    if (kopecks == 100) { // a fraction of .995 or more: "100 коп." would be nonsense
        ++hryvnias;
        kopecks = 0;
    }
    if (hryvnias >= static_cast<std::uint64_t>(limit))
        return TooLarge[lang];

    std::string result;
    result += static_cast<char>('0' + kopecks / 10);
    result += static_cast<char>('0' + kopecks % 10);
    result += KopeckSuffix[lang];
    result = std::string(Currency[lang]) + " " + result;

    std::uint64_t rest = hryvnias;
    for (int group = 0; group < GroupCount; ++group) {
        const int value = static_cast<int>(rest % 1000);
        const TGroupRow& row = Groups[group];
        std::string words = TripleToWords(lang, value, row.Masculine);
        if (!words.empty()) {
            if (group > 0)
                words = words + " " + GroupName(row, value)[lang];
            result = words + " " + result;
        }
        if (rest < 1000) {
            if (hryvnias == 0)
                result = ZeroWord[lang] + result;
            return CapitalizeFirst(std::move(result));
        }
        rest /= 1000;
    }
    return TooLarge[lang]; // unreachable below the limit
}

} // namespace
} // namespace buhproc_detail

using buhproc_detail::TLang;

std::string SumaToWordsUkr(double amount) {
    return buhproc_detail::SumaToWords(TLang::Ukr, amount);
}

std::string SumaToWordsRus(double amount) {
    return buhproc_detail::SumaToWords(TLang::Rus, amount);
}

namespace {

constexpr std::array<const char*, 12> MonthsUkr{
    "січня"_w, "лютого"_w, "березня"_w, "квітня"_w, "травня"_w,    "червня"_w,
    "липня"_w, "серпня"_w, "вересня"_w, "жовтня"_w, "листопада"_w, "грудня"_w,
};
constexpr std::array<const char*, 12> MonthsRus{
    "января"_w, "февраля"_w, "марта"_w,    "апреля"_w,  "мая"_w,    "июня"_w,
    "июля"_w,   "августа"_w, "сентября"_w, "октября"_w, "ноября"_w, "декабря"_w,
};

void AppendInt(std::string& out, long long value, int minDigits = 1) {
    std::array<char, 24> buf{};
    const auto [end, ec] = std::to_chars(buf.data(), buf.data() + buf.size(), value);
    (void)ec; // 24 characters hold any 64-bit value
    const auto digits = static_cast<int>(end - buf.data());
    for (int i = digits; i < minDigits; ++i)
        out += '0';
    out.append(buf.data(), end);
}

std::string DateToWords(std::chrono::year_month_day date, const std::array<const char*, 12>& months,
                        const char* yearSuffix) {
    const unsigned month = static_cast<unsigned>(date.month());
    if (month < 1 || month > 12)
        return {};
    std::string out;
    AppendInt(out, static_cast<unsigned>(date.day()));
    out += ' ';
    out += months[month - 1];
    out += ' ';
    AppendInt(out, static_cast<int>(date.year()));
    out += yearSuffix;
    return out;
}

// A reader over the typed text; only the space character counts as a blank.
class TDateScanner {
public:
    explicit TDateScanner(std::string_view text) : Text(text) {}

    void SkipBlanks() {
        while (Pos < Text.size() && Text[Pos] == ' ')
            ++Pos;
    }
    bool AtEnd() const { return Pos >= Text.size(); }

    bool Separator() {
        SkipBlanks();
        if (AtEnd() || Text[Pos] != '.')
            return false;
        ++Pos;
        return true;
    }

    // Digits are read while the value is below 1000, so a number holds at most four
    // significant digits; a fifth is left for the caller to reject.
    bool Number(int& value, int& digits) {
        SkipBlanks();
        value = 0;
        digits = 0;
        while (!AtEnd() && Text[Pos] >= '0' && Text[Pos] <= '9' && value < 1000) {
            value = value * 10 + (Text[Pos] - '0');
            ++digits;
            ++Pos;
        }
        return digits > 0;
    }

private:
    std::string_view Text;
    std::size_t Pos = 0;
};

} // namespace

std::string DateToWordsUkr(std::chrono::year_month_day date) {
    return DateToWords(date, MonthsUkr, "р."_w);
}

std::string DateToWordsRus(std::chrono::year_month_day date) {
    return DateToWords(date, MonthsRus, "г."_w);
}

std::optional<std::chrono::year_month_day> ReadDateText(std::string_view text,
                                                        std::chrono::year currentYear) {
    TDateScanner scan(text);
    int day = 0, month = 0, digits = 0;
    if (!scan.Number(day, digits) || !scan.Separator() || !scan.Number(month, digits))
        return std::nullopt;

    int year = static_cast<int>(currentYear);
    scan.SkipBlanks();
    if (!scan.AtEnd()) {
        // A "." after the month promises a year: "12.05." is a date still being typed.
        int written = 0;
        if (!scan.Separator() || !scan.Number(written, digits))
            return std::nullopt;
        scan.SkipBlanks();
        if (!scan.AtEnd()) {
            if (!scan.Separator())
                return std::nullopt;
            scan.SkipBlanks();
            if (!scan.AtEnd())
                return std::nullopt;
        }
        year = written;
        if (digits <= 2) {
            const int windowStart = static_cast<int>(currentYear) - 50;
            year += windowStart / 100 * 100;
            if (year < windowStart)
                year += 100;
        }
    }

    // Checked before building chrono values, which hold nothing meaningful out of range.
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > 31)
        return std::nullopt;
    const std::chrono::year_month_day date{std::chrono::year(year),
                                           std::chrono::month(static_cast<unsigned>(month)),
                                           std::chrono::day(static_cast<unsigned>(day))};
    if (!date.ok())
        return std::nullopt;
    return date;
}

std::string DateTextToWordsUkr(std::string_view text) {
    const auto date = ReadDateText(text, platform::Today().year());
    if (!date)
        return {};
    std::string out;
    AppendInt(out, static_cast<unsigned>(date->day()));
    out += ' ';
    out += MonthsUkr[static_cast<unsigned>(date->month()) - 1];
    out += ' ';
    // The year as the date field writes it back: always four digits.
    AppendInt(out, static_cast<int>(date->year()), 4);
    out += " р."_w;
    return out;
}

std::string FormatNum(double amount, char decimalSeparator) {
    if (!std::isfinite(amount))
        return {};
    const double size = std::fabs(amount);
    const double whole = std::trunc(size);
    int kopecks = buhproc_detail::KopecksOf(size, whole);

    // An integral double is written exactly with no decimals, all of its up to 309 digits.
    std::array<char, 320> buf{};
    const auto [end, ec] =
        std::to_chars(buf.data(), buf.data() + buf.size(), whole, std::chars_format::fixed, 0);
    if (ec != std::errc{})
        return {};
    std::string digits(buf.data(), end);
    if (kopecks == 100) {
        // Carried in decimal: beyond 2^53 adding 1 to the double would be lost.
        kopecks = 0;
        std::size_t i = digits.size();
        while (i > 0 && digits[i - 1] == '9')
            digits[--i] = '0';
        if (i == 0)
            digits.insert(digits.begin(), '1');
        else
            ++digits[i - 1];
    }

    std::string out;
    if (std::signbit(amount) && (kopecks != 0 || digits != "0"))
        out += '-';
    out += digits;
    out += decimalSeparator;
    out += static_cast<char>('0' + kopecks / 10);
    out += static_cast<char>('0' + kopecks % 10);
    return out;
}

void InternalError(int number) {
    std::string text = platform::Tr("Messages", "Внутренняя ошибка № ");
    AppendInt(text, number);
    text += platform::Tr("Messages", ". Обратитесь к разработчику.");
    platform::ShowError(text);
}
