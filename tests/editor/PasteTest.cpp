// What invoices hand over through the clipboard, and what each field keeps of it.

#include "editor/Paste.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

using editor::CleanPasted;
using editor::PastedAmount;
using order::TKeyRule;
using testing_support::U;
using testing_support::W;

TEST(Paste, TheValueOfARequisiteAsTheFieldTakesIt) {
    struct TCase {
        TKeyRule Rule;
        const char* Pasted;
        const char* Kept;
    };
    const TCase cases[] = {
        {TKeyRule::Account, "IBAN: UA80 3052 9900 0002 6001 0123 4567 8",
         "UA803052990000026001012345678"},
        {TKeyRule::Account, "ua80305299000002600101234567 8", "UA803052990000026001012345678"},
        {TKeyRule::Account, "р/р\u00A0UA80-3052-9900", "UA8030529900"},
        {TKeyRule::Account, "Рахунок № UA80.3052.99", "UA80305299"},
        {TKeyRule::Account, "IBANUA80", "IBANUA80"}, // no name of its own: an account so begun
        {TKeyRule::TaxCode, "ЄДРПОУ 00032129", "00032129"},
        {TKeyRule::TaxCode, " 00032129 ", "00032129"},
        {TKeyRule::TaxCode, "Код ЄДРПОУ: 00 03 21 29", "00032129"},
        {TKeyRule::TaxCode, "РНОКПП: 3012345678", "3012345678"},
        {TKeyRule::TaxCode, "кв 123456", "КВ123456"},
        {TKeyRule::Digits, "МФО 322 313", "322313"},
        {TKeyRule::Any, "IBAN: ТОВ «Ромашка» - 1.2", "IBAN: ТОВ «Ромашка» - 1.2"},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(U(CleanPasted(c.Rule, W(c.Pasted))), c.Kept) << c.Pasted;
}

TEST(Paste, AnAmountWithItsKopecksFillsBothFields) {
    struct TCase {
        const char* Pasted;
        const char* Hryvnias; // nullptr: no amount with kopecks
        const char* Kopecks;
    };
    const TCase cases[] = {
        {"12 345,67", "12345", "67"},     {"12345.67", "12345", "67"},
        {"12 345,67 грн", "12345", "67"}, {"1\u00A0000.5 UAH", "1000", "50"},
        {"100,00 грн.", "100", "00"},     {"12'345,06", "12345", "06"},
        {"12345", nullptr, nullptr},      {"12,345.67", nullptr, nullptr},
        {"1,234", nullptr, nullptr},      {"12,34 EUR", nullptr, nullptr},
        {",50", nullptr, nullptr},        {"Сума 12,00", nullptr, nullptr},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Pasted);
        const auto amount = PastedAmount(W(c.Pasted));
        ASSERT_EQ(amount.has_value(), c.Hryvnias != nullptr);
        if (amount) {
            EXPECT_EQ(amount->Hryvnias, c.Hryvnias);
            EXPECT_EQ(amount->Kopecks, c.Kopecks);
        }
    }
}
