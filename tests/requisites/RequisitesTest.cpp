// The checks of requisites against the published examples (the ISO 13616 IBANs of Ukraine,
// Germany, Britain, France, Poland, Norway and Brazil; the ЄДРПОУ codes 14360570 and
// 00032129), and against codes made by hand for the branches the examples do not reach.

#include "requisites/Requisites.h"

#include "platform/Cp1251Literal.h"

#include <gtest/gtest.h>

using namespace requisites;

TEST(RequisitesTest, AnAccountOfTwoLettersFirstIsAnIbanAndIsChecked) {
    using enum TIbanProblem;
    struct Case {
        const char* Account;
        bool Iban;
        TIbanCheck Check;     // for an IBAN
        const char* BankCode; // nullptr: none
    };
    const Case cases[] = {
        {"UA213223130000026007233566001", true, {None}, "322313"},
        {"UA5239790200000310M1984101626", true, {None}, "397902"},
        {"UA213223130000026007233566002", true, {Checksum}, "322313"},
        {"UA123223130000026007233566001", true, {Checksum}, "322313"},
        {"UA21322313000002600723356600", true, {Length, 0, 29}, nullptr},
        {"UA", true, {Length, 0, 29}, nullptr},
        {"UA21X223130000026007233566001", true, {Format, 5}, nullptr},
        {"UAX13223130000026007233566001", true, {Format, 3}, nullptr},
        // A Cyrillic letter that looks like a Latin one, in the country code and after it.
        {"U\xC0"
         "213223130000026007233566001",
         true,
         {Character, 2},
         nullptr},
        {"GB82W\xC5ST12345698765432", true, {Character, 6}, nullptr},
        {"ua213223130000026007233566001", true, {Character, 1}, nullptr},
        {"GB82wEST12345698765432", true, {Character, 5}, nullptr},
        {"DE89 3704 0044 0532 0130 00", true, {Character, 5}, nullptr},
        {"DE89-370400440532013000", true, {Character, 5}, nullptr},
        {"DE89.370400440532013000", true, {Character, 5}, nullptr},
        // Other countries: each its length and form.
        {"DE89370400440532013000", true, {None}, nullptr},
        {"GB82WEST12345698765432", true, {None}, nullptr},
        {"FR1420041010050500013M02606", true, {None}, nullptr},
        {"PL61109010140000071219812874", true, {None}, nullptr},
        {"NO9386011117947", true, {None}, nullptr},
        {"BR1800360305000010009795493C1", true, {None}, nullptr},
        {"GB82WEST12345698765423", true, {Checksum}, nullptr},
        {"DE8937040044053201300", true, {Length, 0, 22}, nullptr},
        {"DE", true, {Length, 0, 22}, nullptr},
        {"DE89370400440532O13000", true, {Format, 17}, nullptr},
        {"GB8212345612345698765432", true, {Length, 0, 22}, nullptr},
        {"XX89370400440532013000", true, {Country}, nullptr},
        // Its twin 01 passes the bare modulo; only 98 is ever issued.
        {"DE98146953145087861989", true, {None}, nullptr},
        {"DE01146953145087861989", true, {Checksum}, nullptr},
        // The old accounts, and what only begins like an IBAN.
        {"26001012345678", false, {}, nullptr},
        {"2600/123", false, {}, nullptr},
        {"U2600", false, {}, nullptr},
        {"", false, {}, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Account);
        EXPECT_EQ(IsIban(c.Account), c.Iban);
        if (c.Iban) {
            const TIbanCheck check = CheckIban(c.Account);
            EXPECT_EQ(check.Problem, c.Check.Problem);
            EXPECT_EQ(check.Position, c.Check.Position);
            EXPECT_EQ(check.Length, c.Check.Length);
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

TEST(RequisitesTest, CodesCarryTheirCheckDigitOrHaveTheFormOfAnIdentityDocument) {
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
        // A person without an РНОКПП: the ID card's nine digits, the passport's series and
        // number, their form alone.
        {"123456789", TCodeKind::IdCard, TCodeProblem::None},
        {"12345678X", TCodeKind::IdCard, TCodeProblem::NotDigits},
        {"КВ123456"_w, TCodeKind::Passport, TCodeProblem::None},
        {"ЄІ000001"_w, TCodeKind::Passport, TCodeProblem::None},
        {"KB123456", TCodeKind::Passport, TCodeProblem::Series},
        {"кв123456"_w, TCodeKind::Passport, TCodeProblem::Series},
        {"ЫЭ123456"_w, TCodeKind::Passport, TCodeProblem::Series},
        {"КВ12345"_w, TCodeKind::Unknown, TCodeProblem::Length},
        {"К1234567"_w, TCodeKind::Edrpou, TCodeProblem::NotDigits},
        // None of the four.
        {"1234567", TCodeKind::Unknown, TCodeProblem::Length},
        {"12345678901", TCodeKind::Unknown, TCodeProblem::Length},
        {"1436057O", TCodeKind::Edrpou, TCodeProblem::NotDigits},
        {"1436 0570", TCodeKind::IdCard, TCodeProblem::NotDigits},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Code);
        const TCodeCheck check = CheckTaxCode(c.Code);
        EXPECT_EQ(check.Kind, c.Kind);
        EXPECT_EQ(check.Problem, c.Problem);
    }
}
