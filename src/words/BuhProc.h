#pragma once
// Amounts of money and dates in words and in digits, as the payment-order blank writes them.
// Every text is Windows-1251. Apart from InternalError these are pure functions.

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

// The amount in words with the kopecks in two digits: "Сто двадцять три грн. 45 коп.".
// An amount of exactly zero (also -0.0) gives the empty text, and so does NaN, which is no
// amount of money at all. 10^15 hryvnias or more, infinities included, give the too-large
// message alone. A negative amount is written as its absolute value: an order never carries
// one, and a sign in words would only invite a wrong payment. A fraction that rounds to 100
// kopecks carries into the hryvnias, so "100 коп." is never written.
std::string SumaToWordsUkr(double amount);
std::string SumaToWordsRus(double amount);

// "5 січня 2001р." / "5 января 2001г.". Only year, month and day count; a month outside
// 1 to 12 (a date value that is not ok()) gives the empty text.
std::string DateToWordsUkr(std::chrono::year_month_day date);
std::string DateToWordsRus(std::chrono::year_month_day date);

// Reads a date as typed: day "." month, optionally "." year and then one more "."; spaces may
// stand before every number and separator and at the end. A missing year is currentYear; a
// one- or two-digit year falls in the hundred years around currentYear (from currentYear - 50).
// Nothing when the text is not a real date with a year from 1 to 9999.
std::optional<std::chrono::year_month_day> ReadDateText(std::string_view text,
                                                        std::chrono::year currentYear);

// The typed date text in words, "5 січня 2001 р.", with platform::Today() supplying the year;
// the empty text while the text is not (yet) a date.
std::string DateTextToWordsUkr(std::string_view text);

// The amount with two decimals as "0.00" with the given separator: no grouping, a minus for a
// negative amount unless it shows as zero. The kopecks are rounded half away from zero by
// exactly the rule of the amount in words (and carry the same way), so digits and words of
// one amount always agree; every finite double is written with all its integral digits.
// NaN and infinities give the empty text.
std::string FormatNum(double amount, char decimalSeparator);

// "Внутренняя ошибка № <number>. Обратитесь к разработчику." in an error box captioned
// "Ошибка"; returns when the user closes it.
void InternalError(int number);
