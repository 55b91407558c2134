// ReadDateText on arbitrary text and an arbitrary current year.
//
// Properties: a returned date is a real one with a year from 1 to 9999; written back as
// DD.MM.YYYY it reads as the same date whatever the current year; only digits, blanks and
// dots can make a date, with at most three dots; the dates in words are never empty for it.

#include "FuzzCheck.h"

#include "words/BuhProc.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

using fuzz::Check;

namespace {

void AppendPadded(std::string& out, unsigned value, int width) {
    std::string digits = std::to_string(value);
    if (static_cast<int>(digits.size()) < width)
        out.append(static_cast<std::size_t>(width) - digits.size(), '0');
    out += digits;
}

std::string AsText(std::chrono::year_month_day date) {
    std::string out;
    AppendPadded(out, static_cast<unsigned>(date.day()), 2);
    out += '.';
    AppendPadded(out, static_cast<unsigned>(date.month()), 2);
    out += '.';
    AppendPadded(out, static_cast<unsigned>(static_cast<int>(date.year())), 4);
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2)
        return 0;
    // The first two bytes are the current year, anywhere in chrono's range; the rest the text.
    const auto raw = static_cast<std::int16_t>(data[0] | (data[1] << 8));
    const std::chrono::year current{raw == INT16_MIN ? 2024 : raw};
    const std::string_view text(reinterpret_cast<const char*>(data + 2), size - 2);

    const auto date = ReadDateText(text, current);
    if (!date)
        return 0;

    Check(date->ok(), "a date that is not ok()", text);
    const int year = static_cast<int>(date->year());
    Check(year >= 1 && year <= 9999, "a year outside 1..9999", text);

    std::size_t dots = 0;
    for (const char c : text) {
        Check((c >= '0' && c <= '9') || c == ' ' || c == '.', "a date read from a foreign byte",
              text);
        dots += c == '.';
    }
    Check(dots >= 1 && dots <= 3, "a date with a wrong number of dots", text);

    const std::string written = AsText(*date);
    for (const std::chrono::year y : {current, std::chrono::year{2000}, std::chrono::year{1}}) {
        const auto again = ReadDateText(written, y);
        Check(again && *again == *date, "DD.MM.YYYY does not read back as the same date", written);
    }

    Check(!DateToWordsUkr(*date).empty() && !DateToWordsRus(*date).empty(),
          "no words for a valid date", written);
    return 0;
}
