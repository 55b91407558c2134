#include "editor/Paste.h"

#include "platform/Cp1251Case.h"
#include "platform/Cp1251Literal.h"

#include <array>

namespace editor {
using platform::Cp1251UpperText;

namespace {

constexpr char NoBreakSpace = '\xA0';

// Blanks, and the line breaks a copied cell of a table brings along.
bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == NoBreakSpace || c == '\r' || c == '\n';
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The names invoices put in front of a requisite, as capitals; the longer before the shorter
// that begins it.
const std::array<std::string, 12> kNames = {
    Cp1251UpperText("РНОКПП"_w), Cp1251UpperText("ЄДРПОУ"_w), Cp1251UpperText("ЕДРПОУ"_w),
    Cp1251UpperText("ОКПО"_w),   Cp1251UpperText("IBAN"),     Cp1251UpperText("рахунок"_w),
    Cp1251UpperText("рах."_w),   Cp1251UpperText("р/р"_w),    Cp1251UpperText("р/с"_w),
    Cp1251UpperText("МФО"_w),    Cp1251UpperText("код"_w),    Cp1251UpperText("№"_w),
};

// The text without the names in front of its value, and the colons and blanks after them.
std::string_view WithoutNames(std::string_view text) {
    for (bool found = true; found;) {
        found = false;
        while (!text.empty() && (IsBlank(text.front()) || text.front() == ':'))
            text.remove_prefix(1);
        const std::string head = Cp1251UpperText(text.substr(0, 8));
        for (const std::string& name : kNames)
            if (head.starts_with(name)) {
                // A name is a word of its own: "IBANUA…" would be an account that begins so.
                const std::size_t end = name.size();
                if (end < text.size() && !IsBlank(text[end]) && text[end] != ':' &&
                    name.back() != '.' && name != Cp1251UpperText("№"_w))
                    continue;
                text.remove_prefix(end);
                found = true;
                break;
            }
    }
    return text;
}

} // namespace

std::string CleanPasted(order::TKeyRule rule, std::string_view text) {
    if (rule != order::TKeyRule::Account && rule != order::TKeyRule::TaxCode &&
        rule != order::TKeyRule::Digits)
        return std::string(text);
    // Taking a separator out can bare a colon or a name ("-: 1" gives ": 1"): again, until
    // nothing changes; every round only shortens the text.
    std::string out(text);
    for (std::string last; out != last;) {
        last = std::move(out);
        out.clear();
        for (char c : WithoutNames(last))
            if (!IsBlank(c) && c != '-' && c != '.')
                out += static_cast<char>(platform::Cp1251Upper(static_cast<unsigned char>(c)));
    }
    return out;
}

std::optional<TPastedAmount> PastedAmount(std::string_view text) {
    std::string digits;
    std::size_t separator = std::string::npos;
    std::size_t i = 0;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (IsDigit(c)) {
            digits += c;
        } else if ((c == ',' || c == '.') && separator == std::string::npos && !digits.empty()) {
            separator = digits.size();
        } else if (IsBlank(c) || c == '\'' || c == '\x92') {
            // Thousands are grouped by blanks or apostrophes.
            if (separator != std::string::npos)
                break;
        } else {
            break;
        }
    }
    // What may follow the amount: the currency.
    const std::string rest = Cp1251UpperText(WithoutNames(text.substr(i)));
    if (!rest.empty() && rest != Cp1251UpperText("грн"_w) && rest != Cp1251UpperText("грн."_w) &&
        rest != "UAH")
        return std::nullopt;
    if (separator == std::string::npos || separator == 0)
        return std::nullopt;
    const std::string kopecks = digits.substr(separator);
    if (kopecks.empty() || kopecks.size() > 2)
        return std::nullopt;
    // "12,5" is twelve hryvnias fifty.
    return TPastedAmount{digits.substr(0, separator),
                         kopecks.size() == 1 ? kopecks + "0" : kopecks};
}

} // namespace editor
