#pragma once
// The payment-order record that carries one order to the printer, and the layout of the
// printed blank, two copies on A4: the payment order of form 0410001 (a 21-row, 7-column
// table per copy), or the payment instruction that has replaced it, drawn up with IBANs
// and without bank codes.

#include "doc/Blank.h"

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

class TPlatData {
public:
    TPlatData();

    // Language codes: DocBlankLang 1 Ukrainian, 0 Russian (anything else prints the
    // Ukrainian blank); DocDateLang and DocSumaLang 1 Ukrainian, 0 Russian, 2 as the blank.
    std::uint8_t DocBlankLang = 0;
    std::uint8_t DocDateLang = 2;
    std::uint8_t DocSumaLang = 2;
    // Which blank: 0 the payment order of form 0410001, 1 the payment instruction (always
    // Ukrainian: DocBlankLang does not apply, and "as the blank" is Ukrainian for the date
    // and the amount in words); anything else prints the first.
    std::uint8_t DocBlankKind = 0;
    // Only year, month and day are used; the default is day 0 of the date-time numbering.
    std::chrono::year_month_day Date{std::chrono::year{1899}, std::chrono::December,
                                     std::chrono::day{30}};
    std::int32_t Number = 0;
    double Suma = 0;
    std::vector<std::string> PurposeLines;
    std::int32_t TopMargin = 0; // mm; 0 means 14
    std::int32_t CopyCount = 0; // 0 means 2
    bool ShowCopyNumber = false;
    bool ShowOneSignatureRights = false;
    std::int32_t NumberNDS = 0;
    bool BoldPlatName = false;
    std::string PayerName;
    std::string PayerOKPO;
    std::string PayerBank;
    std::string PayerBank2;
    std::string PayerAccount;
    std::string PayerAccount2;
    std::string PayerCity;
    std::string PayerMFO;
    bool BoldPolName = false;
    std::string RecipientName;
    std::string RecipientOKPO;
    std::string RecipientBank;
    std::string RecipientBank2;
    std::string RecipientAccount;
    std::string RecipientAccount2;
    std::string RecipientBankBox;
    std::string RecipientBankBox2;
    std::string RecipientMFO;
    std::string RecipientCity;
    // The user's decimal separator for the amount in digits ("1234,50").
    char DecimalSeparator = '.';

    // The blank of the chosen kind as data: every copy, the cut line between two, every text
    // resolved. TopMargin and CopyCount of 0 mean their defaults, left unwritten.
    blank::TPage Blank() const;
    // The names of the order's texts that the blank will not show whole (cut by their cell,
    // or a number broken across lines), in the order of the blank, each once (Windows-1251).
    std::vector<std::string> UnseenTexts() const;
};
