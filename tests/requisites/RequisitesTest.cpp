// The checks of requisites against the published examples (the ISO 13616 IBANs of Ukraine,
// Germany and Britain; the ЄДРПОУ codes 14360570 and 00032129), and against codes made by
// hand for the branches the examples do not reach.

#include "requisites/Requisites.h"

#include <gtest/gtest.h>

using namespace requisites;

TEST(RequisitesTest, AnAccountOfTwoLettersFirstIsAnIbanAndIsChecked) {
    struct Case {
        const char* Account;
        bool Iban;
        TIbanProblem Problem; // for an IBAN
        const char* BankCode; // nullptr: none
    };
    const Case cases[] = {
        {"UA213223130000026007233566001", true, TIbanProblem::None, "322313"},
        {"UA203808050000026001012345678", true, TIbanProblem::None, "380805"},
        {"UA213223130000026007233566002", true, TIbanProblem::Checksum, "322313"},
        {"UA123223130000026007233566001", true, TIbanProblem::Checksum, "322313"},
        {"UA21322313000002600723356600", true, TIbanProblem::Length, nullptr},
        {"UA2132231300000260072335660011", true, TIbanProblem::Length, nullptr},
        {"UA21322313000002600723356600X", true, TIbanProblem::NotDigits, nullptr},
        {"UA", true, TIbanProblem::Length, nullptr},
        // Other countries: the ISO check alone, whatever their length.
        {"DE89370400440532013000", true, TIbanProblem::None, nullptr},
        {"GB82WEST12345698765432", true, TIbanProblem::None, nullptr},
        {"GB82WEST12345698765423", true, TIbanProblem::Checksum, nullptr},
        {"DE89 3704 0044 0532 0130 00", true, TIbanProblem::Checksum, nullptr},
        {"DE", true, TIbanProblem::Checksum, nullptr},
        // The old accounts, and what only begins like an IBAN.
        {"26001012345678", false, {}, nullptr},
        {"2600/123", false, {}, nullptr},
        {"U2600", false, {}, nullptr},
        {"ua213223130000026007233566001", false, {}, nullptr},
        {"", false, {}, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Account);
        EXPECT_EQ(IsIban(c.Account), c.Iban);
        if (c.Iban) {
            EXPECT_EQ(CheckIban(c.Account), c.Problem);
        }
        const auto code = UkrainianBankCode(c.Account);
        EXPECT_EQ(code.value_or("none"), c.BankCode ? c.BankCode : "none");
    }
}

TEST(RequisitesTest, AnIbanIsSplitAfterItsBankCode) {
    const std::string ua = "UA213223130000026007233566001";
    EXPECT_EQ(ua.substr(0, IbanSplit(ua)), "UA21322313");
    const std::string de = "DE89370400440532013000";
    EXPECT_EQ(de.substr(0, IbanSplit(de)), "DE8937040044");
    EXPECT_EQ(IbanSplit("DE89"), 0u);
}

TEST(RequisitesTest, TaxCodesCarryTheirCheckDigit) {
    struct Case {
        const char* Code;
        TCodeKind Kind;
        TCodeProblem Problem;
    };
    const Case cases[] = {
        // Published ЄДРПОУ codes.
        {"14360570", TCodeKind::Edrpou, TCodeProblem::None},
        {"00032129", TCodeKind::Edrpou, TCodeProblem::None},
        {"14360571", TCodeKind::Edrpou, TCodeProblem::CheckDigit},
        {"00032128", TCodeKind::Edrpou, TCodeProblem::CheckDigit},
        // From 30000000 to 60000000 the weights begin with 7; a remainder of 10 is computed
        // again with every weight plus 2, and 10 again gives 0.
        {"30000015", TCodeKind::Edrpou, TCodeProblem::None},
        {"30000005", TCodeKind::Edrpou, TCodeProblem::None},
        {"30000440", TCodeKind::Edrpou, TCodeProblem::None},
        {"10000062", TCodeKind::Edrpou, TCodeProblem::None},
        {"10000640", TCodeKind::Edrpou, TCodeProblem::None},
        {"10000641", TCodeKind::Edrpou, TCodeProblem::CheckDigit},
        // The whole code is compared with the bounds: 60000000 takes 7 × 6 = 42, so 9; a
        // code above it 1 × 6, so 6.
        {"60000000", TCodeKind::Edrpou, TCodeProblem::CheckDigit},
        {"60000009", TCodeKind::Edrpou, TCodeProblem::CheckDigit},
        {"60000006", TCodeKind::Edrpou, TCodeProblem::None},
        // РНОКПП: weights -1, 5, 7, 9, 4, 6, 10, 5, 7, modulo 11, then modulo 10.
        {"3012345670", TCodeKind::Rnokpp, TCodeProblem::None},
        {"1234567899", TCodeKind::Rnokpp, TCodeProblem::None},
        {"2345678902", TCodeKind::Rnokpp, TCodeProblem::None},
        {"2345678901", TCodeKind::Rnokpp, TCodeProblem::CheckDigit},
        // Neither.
        {"1234567", TCodeKind::Unknown, TCodeProblem::Length},
        {"123456789", TCodeKind::Unknown, TCodeProblem::Length},
        {"1436057O", TCodeKind::Edrpou, TCodeProblem::NotDigits},
        {"1436 0570", TCodeKind::Unknown, TCodeProblem::NotDigits},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Code);
        const TCodeCheck check = CheckTaxCode(c.Code);
        EXPECT_EQ(check.Kind, c.Kind);
        EXPECT_EQ(check.Problem, c.Problem);
    }
}
