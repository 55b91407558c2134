#pragma once
// What a text copied from an invoice becomes when it is pasted into a field of the order.
// Invoices write a requisite with its name in front of it ("IBAN: UA80 …", "Код ЄДРПОУ
// 00032129"), group an IBAN in fours, put non-breaking blanks and dots into codes, write
// an IBAN in small letters and an amount with its kopecks ("12 345,67 грн"): the window takes
// the value, as the accountant meant it. Typing keeps its own rules.

#include "doc/Fields.h"

#include <optional>
#include <string>
#include <string_view>

namespace editor {

// The text a paste puts into a field of `rule` (Windows-1251): for an account, a code or a
// bank code, the names of requisites in front of the value taken away with their colons, the
// blanks, non-breaking blanks, "-" and "." inside taken out, and the letters made capitals;
// for any other field the text as it is.
std::string CleanPasted(order::TKeyRule rule, std::string_view text);

// An amount with its kopecks ("12 345,67", "12345.67", "12 345,67 грн", "1 000.5 UAH"): the
// hryvnias and the two digits of the kopecks. Nothing for any other text.
struct TPastedAmount {
    std::string Hryvnias;
    std::string Kopecks;
};
std::optional<TPastedAmount> PastedAmount(std::string_view text);

} // namespace editor
