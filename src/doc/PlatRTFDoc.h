#pragma once
// The payment-order record that carries one order to the printer, and the layout of the
// printed blank, two copies on A4: the payment order of form 0410001 (a 21-row, 7-column
// table per copy), or the payment instruction that has replaced it, drawn up with IBANs
// and without bank codes.

#include "doc/Blank.h"
#include "doc/Fields.h"
#include "doc/Languages.h"

#include <chrono>
#include <cstdint>
#include <string>

// The amount in words in `lang` (Ukrainian or Russian), as the blank prints it and the window
// shows it as one types.
std::string AmountInWords(double hryvnias, blank::TLang lang);

// One order as the blank prints it: made by the output command from the window's fields and
// the options, each parsed once there, and laid out as the page of the blank.
class TPlatData {
public:
    // The order's texts: names, banks, cities, codes and accounts as typed; the purpose
    // already followed by the VAT wording it is printed with.
    order::TTexts Texts;
    // Which blank, and the languages of its labels, the date and the amount in words.
    blank::TLanguages Languages;
    bool BoldPlatName = false;
    bool BoldPolName = false;
    bool ShowCopyNumber = false;
    bool ShowOneSignatureRights = false;
    std::int32_t Number = 0;
    std::chrono::year_month_day Date{std::chrono::year{1899}, std::chrono::December,
                                     std::chrono::day{30}};
    std::int64_t Kopecks = 0; // the amount
    // The user's decimal separator for the amount in digits ("1234,50").
    char DecimalSeparator = '.';

    // The blank of the chosen kind as data: two copies with the cut line between them, every
    // text resolved.
    blank::TPage Blank() const;
};
