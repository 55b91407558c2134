#include "words/BuhProc.h"

#include "platform/Clock.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>

using namespace std::chrono;
using testing_support::TRecordingBoxes;
using testing_support::U;
using testing_support::W;

namespace {

// ---- Dates in words -----------------------------------------------------------------------

TEST(DateToWords, EveryMonthInBothLanguages) {
    const char* ukr[] = {"січня", "лютого", "березня", "квітня", "травня",    "червня",
                         "липня", "серпня", "вересня", "жовтня", "листопада", "грудня"};
    const char* rus[] = {"января", "февраля", "марта",    "апреля",  "мая",    "июня",
                         "июля",   "августа", "сентября", "октября", "ноября", "декабря"};
    for (unsigned m = 1; m <= 12; ++m) {
        const year_month_day date{year(2001), month(m), day(5)};
        EXPECT_EQ(U(DateToWordsUkr(date)), std::string("5 ") + ukr[m - 1] + " 2001р.");
        EXPECT_EQ(U(DateToWordsRus(date)), std::string("5 ") + rus[m - 1] + " 2001г.");
    }
    EXPECT_EQ(U(DateToWordsUkr(2002y / December / 25)), "25 грудня 2002р.");
    EXPECT_EQ(U(DateToWordsUkr(2001y / January / 1)), "1 січня 2001р.");
    EXPECT_EQ(U(DateToWordsRus(2001y / January / 1)), "1 января 2001г.");
    EXPECT_EQ(U(DateToWordsUkr(1999y / December / 31)), "31 грудня 1999р.");
    EXPECT_EQ(U(DateToWordsRus(1999y / December / 31)), "31 декабря 1999г.");
    // A broken date value must not index past the month table.
    EXPECT_EQ(DateToWordsUkr(year_month_day{year(2001), month(13), day(1)}), "");
    EXPECT_EQ(DateToWordsRus(year_month_day{year(2001), month(0), day(1)}), "");
}

class DateTextToWordsUkrTest : public ::testing::Test {
protected:
    void SetUp() override { platform::SetTodayForTesting(2026y / May / 12); }
    void TearDown() override { platform::SetTodayForTesting(std::nullopt); }
};

TEST_F(DateTextToWordsUkrTest, WritesTheTypedDate) {
    const struct {
        const char* Text;
        const char* Words;
    } cases[] = {
        {"05.01.2001", "5 січня 2001 р."},
        {"15.04.2002", "15 квітня 2002 р."},
        {"10.10.2010", "10 жовтня 2010 р."},
        {"31.12.1999", "31 грудня 1999 р."},
        {"12.05", "12 травня 2026 р."},
        {"1.2.80", "1 лютого 1980 р."},
        {"1.2.75", "1 лютого 2075 р."},
        {"01.01.5", "1 січня 2005 р."},
        {"01.01.005", "1 січня 0005 р."},
        {"", ""},
        {"31.02.2001", ""},
        {"12.", ""},
        {"12.05.", ""},
        {"абв", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(U(DateTextToWordsUkr(c.Text)), c.Words) << c.Text;
}

// The window and the blank spell every month with the same (Cyrillic) letters; only the
// space before the year's letter differs.
TEST_F(DateTextToWordsUkrTest, EveryMonthIsSpelledAsOnTheBlank) {
    for (unsigned m = 1; m <= 12; ++m) {
        const std::string typed = "5." + std::to_string(m) + ".2001";
        std::string blank = DateToWordsUkr(year(2001) / month(m) / day(5));
        blank.insert(blank.size() - 2, " "); // before "р."
        EXPECT_EQ(DateTextToWordsUkr(typed), blank) << typed;
    }
}

// ---- Reading a date text ------------------------------------------------------------------

TEST(ReadDateText, CasesAroundTheRule) {
    const year now{2026};
    const std::optional<year_month_day> none;
    const struct {
        const char* Text;
        std::optional<year_month_day> Date;
    } cases[] = {
        {"12.05.2026", 2026y / May / 12},
        {"12.05", 2026y / May / 12},
        {"12.05.2026.", 2026y / May / 12},
        {"12.05.", none},
        {"12.05 .", none},
        {"12.05.2026..", none},
        {"12.05.2026.1", none},
        {"12", none},
        {"12.", none},
        {"", none},
        {" ", none},
        {".05.2026", none},
        // Blanks (spaces only) before numbers, before separators and at the end.
        {"  12 . 05 . 2026 . ", 2026y / May / 12},
        {" 12.05 ", 2026y / May / 12},
        {"12\t.05.2026", none},
        {"\t12.05.2026", none},
        {"12.05.2026\n", none},
        {"12.05.20 26", none},
        {"1 2.05.2026", none},
        {"12,05,2026", none},
        {"+12.05.2026", none},
        {"12.05.2026x", none},
        // A number ends after four significant digits; leading zeros do not count.
        {"12.05.02026", 2026y / May / 12},
        {"0012.005.2026", 2026y / May / 12},
        {"12.05.20260", none},
        {"12.05.9999", 9999y / May / 12},
        {"12.05.10000", none},
        // One or two digits of year: the window 1976..2075 around 2026; three or more: as written.
        {"12.05.76", 1976y / May / 12},
        {"12.05.75", 2075y / May / 12},
        {"12.05.80", 1980y / May / 12},
        {"12.05.00", 2000y / May / 12},
        {"12.05.5", 2005y / May / 12},
        {"12.05.05", 2005y / May / 12},
        {"12.05.005", 5y / May / 12},
        {"12.05.075", 75y / May / 12},
        {"12.05.0", 2000y / May / 12},
        {"12.05.000", none},
        {"12.05.0000", none},
        // Dates of the Gregorian calendar only.
        {"29.02.2024", 2024y / February / 29},
        {"29.02.2023", none},
        {"29.02.1900", none},
        {"29.02.2000", 2000y / February / 29},
        {"31.04.2026", none},
        {"00.05.2026", none},
        {"12.00.2026", none},
        {"12.13.2026", none},
        {"32.01.2026", none},
        {"300.01.2026", none},
        {"9999.9999.9999", none},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ReadDateText(c.Text, now), c.Date) << "'" << c.Text << "'";
}

TEST(ReadDateText, TheTwoDigitWindowFollowsTheCurrentYear) {
    EXPECT_EQ(ReadDateText("1.1.49", year(2000)), 2049y / January / 1);
    EXPECT_EQ(ReadDateText("1.1.50", year(2000)), 1950y / January / 1);
    EXPECT_EQ(ReadDateText("1.1.99", year(2049)), 1999y / January / 1);
    EXPECT_EQ(ReadDateText("1.1.98", year(2049)), 2098y / January / 1);
    EXPECT_EQ(ReadDateText("29.2", year(2024)), 2024y / February / 29);
    EXPECT_EQ(ReadDateText("29.2", year(2025)), std::nullopt);
    // Near the end of the calendar the window leaves years 1..9999.
    EXPECT_EQ(ReadDateText("1.1.30", year(9990)), std::nullopt);
    EXPECT_EQ(ReadDateText("1.1.80", year(9990)), 9980y / January / 1);
}

TEST(ReadDateText, EveryDayFrom1900To2100ReadsBackAsWritten) {
    int count = 0;
    for (sys_days d = sys_days{1900y / January / 1}; d <= sys_days{2100y / December / 31};
         d += days{1}) {
        const year_month_day date{d};
        char text[11];
        auto two = [](char* p, unsigned v) {
            p[0] = static_cast<char>('0' + v / 10);
            p[1] = static_cast<char>('0' + v % 10);
        };
        two(text, static_cast<unsigned>(date.day()));
        text[2] = '.';
        two(text + 3, static_cast<unsigned>(date.month()));
        text[5] = '.';
        const int y = static_cast<int>(date.year());
        two(text + 6, static_cast<unsigned>(y / 100));
        two(text + 8, static_cast<unsigned>(y % 100));
        text[10] = '\0';
        const auto read = ReadDateText(text, year(2026));
        ASSERT_EQ(read, date) << text;
        ++count;
    }
    EXPECT_EQ(count, 73414);
}

// ---- The amount in digits -----------------------------------------------------------------

TEST(FormatNum, TwoDecimalsHalvesAwayFromZero) {
    const struct {
        double Amount;
        const char* Text;
    } cases[] = {
        {1234.5, "1234,50"},
        {0, "0,00"},
        {-0.0, "0,00"},
        {0.05, "0,05"},
        {12.5, "12,50"},
        {100, "100,00"},
        {0.29, "0,29"},
        {1.15, "1,15"},
        {-12.5, "-12,50"},
        {-0.004, "0,00"},
        {-0.005, "-0,01"},
        // Exact binary ties go away from zero, unlike printf's round-half-to-even.
        {0.125, "0,13"},
        {0.375, "0,38"},
        {2.625, "2,63"},
        {-0.125, "-0,13"},
        // The kopecks are those of the amount in words: the fraction times 100 in double.
        {1.005, "1,00"},
        {2.675, "2,67"},
        {0.995, "1,00"},
        {9.999, "10,00"},
        {999999.996, "1000000,00"},
        {123456789.12, "123456789,12"},
        {999999999999999, "999999999999999,00"},
        {1e15, "1000000000000000,00"},
        {1e15 + 0.5, "1000000000000000,50"},
        {4503599627370495.5, "4503599627370495,50"},
        {9007199254740993.0, "9007199254740992,00"},
        {1e20, "100000000000000000000,00"},
        {5e-324, "0,00"},
        {std::numeric_limits<double>::quiet_NaN(), ""},
        {std::numeric_limits<double>::infinity(), ""},
        {-std::numeric_limits<double>::infinity(), ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FormatNum(c.Amount, ','), c.Text) << c.Amount;
        std::string dotted = c.Text;
        if (auto comma = dotted.find(','); comma != std::string::npos)
            dotted[comma] = '.';
        EXPECT_EQ(FormatNum(c.Amount, '.'), dotted) << c.Amount;
    }
}

TEST(FormatNum, HugeValuesAreWrittenInFull) {
    for (double v : {1e300, std::numeric_limits<double>::max(), -1e300}) {
        char buf[400];
        const auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, 0);
        ASSERT_EQ(r.ec, std::errc{});
        EXPECT_EQ(FormatNum(v, ','), std::string(buf, r.ptr) + ",00");
    }
}

TEST(FormatNum, EveryAmountTypedWithTwoDecimalsComesBackAsTyped) {
    // Two decimals survive a double up to about 7 * 10^13; sample the whole range.
    std::uint64_t cents = 0;
    for (int i = 0; i < 200000; ++i) {
        cents = (cents * 6364136223846793005ULL + 1442695040888963407ULL);
        const std::uint64_t c =
            i < 100000 ? static_cast<std::uint64_t>(i) : (cents >> 11) % 7000000000000000ULL;
        const std::string whole = std::to_string(c / 100);
        const std::string frac = std::to_string(100 + c % 100).substr(1);
        const std::string typed = whole + "." + frac;
        double value = 0;
        std::from_chars(typed.data(), typed.data() + typed.size(), value);
        ASSERT_EQ(FormatNum(value, '.'), typed);
        ASSERT_EQ(FormatNum(-value, ','), (c == 0 ? "" : "-") + whole + "," + frac);
    }
}

// ---- Internal error -----------------------------------------------------------------------

TEST(InternalError, ShowsTheNumberInAnErrorBox) {
    TRecordingBoxes boxes;
    InternalError(8935);
    ASSERT_EQ(boxes.Boxes.size(), 1u);
    EXPECT_EQ(U(boxes.Boxes[0].Text), "Внутренняя ошибка № 8935. Обратитесь к разработчику.");
    EXPECT_EQ(boxes.Boxes[0].Caption, W("Ошибка"));
    EXPECT_EQ(boxes.Boxes[0].Icon, platform::TMsgIcon::Error);
    EXPECT_FALSE(boxes.Boxes[0].Question);
    InternalError(-1);
    ASSERT_EQ(boxes.Boxes.size(), 2u);
    EXPECT_EQ(U(boxes.Boxes[1].Text), "Внутренняя ошибка № -1. Обратитесь к разработчику.");
}

} // namespace
