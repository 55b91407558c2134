// The table of banks as data: every code of the register once, in order, each leading to a
// bank whose name reads as a payment writes it; and the names that come out of it.

#include "requisites/BankNames.h"
#include "requisites/BankTable.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <set>
#include <string_view>

using namespace testing_support;
namespace table = requisites::bank_table;

namespace {

bool SixDigits(std::string_view code) {
    return code.size() == 6 && code.find_first_not_of("0123456789") == std::string_view::npos;
}

TEST(BankTable, EveryCodeOnceInOrderLeadingToItsBank) {
    std::set<std::string_view> heads;
    for (const table::TBank& bank : table::Banks) {
        EXPECT_TRUE(SixDigits(bank.Code)) << bank.Code;
        EXPECT_TRUE(heads.insert(bank.Code).second) << bank.Code;
        EXPECT_NE(*bank.Core, '\0') << bank.Code;
        EXPECT_NE(*bank.Match, '\0') << bank.Code;
    }
    std::string_view previous;
    std::set<std::string_view> ownCodes;
    for (const table::TBankCode& code : table::BankCodes) {
        SCOPED_TRACE(code.Code);
        EXPECT_TRUE(SixDigits(code.Code));
        EXPECT_LT(previous, code.Code);
        previous = code.Code;
        EXPECT_TRUE(heads.count(code.Head));
        if (std::string_view(code.Code) == code.Head)
            ownCodes.insert(code.Code);
    }
    // The register's snapshot: 125 codes, each bank's own among them.
    EXPECT_EQ(std::size(table::BankCodes), 125u);
    EXPECT_EQ(ownCodes, heads);
}

TEST(BankTable, EveryBanksNameFitsItself) {
    for (const table::TBankCode& code : table::BankCodes) {
        const auto name = requisites::BankNameOf(code.Code);
        ASSERT_TRUE(name) << code.Code;
        EXPECT_TRUE(requisites::BankNameFits(*name, code.Code)) << code.Code;
        EXPECT_EQ(name->find_first_of("\r\n"), std::string::npos);
    }
}

TEST(BankTable, NamesAsAPaymentWritesThem) {
    struct Case {
        const char* Code;
        std::optional<std::string> Name;
    };
    const Case cases[] = {
        {"305299", "АТ КБ \"ПриватБанк\""},
        {"322313", "АТ \"Укрексімбанк\""},
        {"300465", "АТ \"Ощадбанк\""},
        {"320478", "ПАТ АБ \"Укргазбанк\""},
        {"334840", "ПрАТ \"Банк Фамільний\""},
        {"380269", "АТ КБ \"ПриватБанк\""},   // a branch
        {"380805", "АТ \"Райффайзен Банк\""}, // a branch the register names as the bank
        {"899998", "Казначейство України (ел. адм. подат.)"},
        {"999999", std::nullopt},
        {"32231", std::nullopt},
        {"", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Code);
        const auto name = requisites::BankNameOf(c.Code);
        EXPECT_EQ(name ? std::optional(U(*name)) : std::nullopt, c.Name);
    }
}

} // namespace
