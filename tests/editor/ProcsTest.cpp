#include "editor/Procs.h"
#include "settings/Options.h"
#include "words/BuhProc.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

using namespace testing_support;
using namespace std::chrono;
using blank::TBlankKind;
using blank::TLang;
using blank::TLangChoice;

TEST(FileNames, StripRemovesExactlyTheTenForbiddenCharacters) {
    EXPECT_EQ(StripFileNameChars("a!b\"c*d/e:f<g>h?i\\j|k"), "abcdefghijk");
    const std::string kept = W("ТОВ «Ромашка» №1 'x' (y) [z] {w} ;,.-_+=\x01\x7F");
    EXPECT_EQ(StripFileNameChars(kept), kept);
    EXPECT_EQ(StripFileNameChars("?"), "");
}

TEST(FileNames, PayerAndOrderNamesAreBuiltAsTheWindowShowsThem) {
    EXPECT_EQ(U(PayerFileNameFor("Alpha", "2600123")), "Alpha (рс 2600123)");
    EXPECT_EQ(U(PayerFileNameFor(W("ТОВ \"Бета\""), "")), "ТОВ Бета");
    EXPECT_EQ(PayerFileNameFor("", ""), "");

    struct Case {
        const char *number, *date, *recipient, *expected;
    } cases[] = {
        {"7", "06.12.2026", "Beta", "№ 0007 от 06.12.2026 - Beta"},
        {"12345", "01.01.2026", "", "№ 12345 от 01.01.2026"},
        {"0", "", "", "№ 0000 от "},
        {"", "06.12.2026", "Beta", ""},
        {"12", "5/3/2002", "X", "№ 0012 от 5/3/2002 - X"}, // date as typed, not stripped
    };
    for (const auto& c : cases)
        EXPECT_EQ(U(PlatFileNameFor(c.number, c.date, c.recipient)), c.expected) << c.number;
}

TEST(Amount, TextJoinsFieldsWithTheLocaleSeparatorAndPadsOneKopeckDigit) {
    EXPECT_EQ(AmountText("100", "5", ','), "100,05");
    EXPECT_EQ(AmountText("100", "50", '.'), "100.50");
    EXPECT_EQ(AmountText("", "", ','), ",");
    EXPECT_EQ(AmountText("1", "123", ','), "1,123");
}

TEST(Amount, ValueReadsDecimalNumbersAndNothingElse) {
    struct Case {
        const char* text;
        char sep;
        std::optional<double> value;
    } cases[] = {
        {"100,05", ',', 100.05},     {",", ',', 0.0},
        {",50", ',', 0.5},           {"12,", ',', 12.0},
        {"  7,5  ", ',', 7.5},       {"+3,00", ',', 3.0},
        {"-3,00", ',', -3.0},        {"1.5", '.', 1.5},
        {"1.5", ',', std::nullopt},  {"1,2,3", ',', std::nullopt},
        {"", ',', std::nullopt},     {"abc,", ',', std::nullopt},
        {"1e5,", ',', std::nullopt}, {"+-1,", ',', std::nullopt},
        {"1 0,", ',', std::nullopt}, {"\t1,", ',', std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(AmountValue(c.text, c.sep), c.value) << c.text;
    // Beyond the range of a double is not an amount.
    EXPECT_FALSE(AmountValue(std::string(400, '9') + ",", ',').has_value());
    EXPECT_TRUE(std::signbit(*AmountValue("-,", ',')));
}

TEST(Amount, WordsFollowTheFieldsAndStayEmptyForWhatIsNoAmount) {
    EXPECT_EQ(SumaWordsFor("120", "6", ','), SumaToWordsRus(120.06));
    EXPECT_EQ(SumaWordsFor("", "50", ','), SumaToWordsRus(0.5));
    EXPECT_EQ(SumaWordsFor("120", "6", ',', blank::TLang::Ukrainian), SumaToWordsUkr(120.06));
    EXPECT_EQ(SumaWordsFor("0", "", ','), "");
    EXPECT_EQ(SumaWordsFor("", "", ','), "");
    EXPECT_EQ(SumaWordsFor("5", "ab", ','), "");
    EXPECT_EQ(SumaWordsFor("99999999999999999999", "", ','), ""); // beyond 64 bits
    EXPECT_EQ(SumaWordsFor("-5", "", ','), "");                   // pasted sign
    EXPECT_EQ(SumaWordsFor("5", "-3", ','), "");
}

TEST(Vat, IsASixthRoundedThroughEighteenDigits) {
    struct Case {
        const char *grn, *kop, *expected;
    } cases[] = {
        {"120", "6", "20,01"},  {"", "50", "0,08"},
        {"0", "", "0,00"},      {"", "3", "0,00"},
        {"", "9", "0,01"},      {"1", "5", "0,18"},
        {"100", "5", "16,67"},  {"60", "93", "10,16"},
        {"120", "00", "20,00"}, {"", "", ""},
        {"5", "x", ""},         {"999999999999999", "99", "166666666666666,67"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(NDSAmountFor(c.grn, c.kop, ','), c.expected) << c.grn << "," << c.kop;
    EXPECT_EQ(NDSAmountFor("100", "5", '.'), "16.67");
    EXPECT_EQ(FormatVat(-120.06, ','), "-20,01");
    EXPECT_EQ(FormatVat(-0.0, ','), "0,00");
    EXPECT_EQ(FormatVat(6e20, ','), "100000000000000000000,00");
    EXPECT_EQ(FormatVat(INFINITY, ','), "");
    EXPECT_EQ(FormatVat(NAN, ','), "");
}

TEST(OrderNumber, OnlyPlainDigitsWithin32Bits) {
    EXPECT_EQ(OrderNumberValue("0"), 0);
    EXPECT_EQ(OrderNumberValue("0007"), 7);
    EXPECT_EQ(OrderNumberValue("2147483647"), 2147483647);
    for (const char* bad : {"", "2147483648", "12345678901", "+1", "-1", " 1", "1 ", "1a"})
        EXPECT_FALSE(OrderNumberValue(bad).has_value()) << bad;
}

TEST(Vat, SubstituteReplacesOnlyTheFirstPlaceholder) {
    EXPECT_EQ(SubstituteNDS("a [NDS] b [NDS]", "1,00"), "a 1,00 b [NDS]");
    EXPECT_EQ(SubstituteNDS("a [NDS] b", ""), "a  b");
    EXPECT_EQ(SubstituteNDS("[nds]", "1"), "[nds]");
}

namespace {
store::TPlatRecord GoodOrder() {
    store::TPlatRecord o;
    o[order::TField::Number] = "12";
    o[order::TField::Date] = "05.03.2002";
    o[order::TField::SumaGrn] = "120";
    o[order::TField::SumaKop] = "";
    o[order::TField::Purpose] = W("Оплата за товар");
    o[order::TField::PayerName] = W("Платник");
    o[order::TField::RecipientName] = W("Отримувач");
    o[order::TField::PayerAccount] = "2600/1";
    return o;
}
constexpr auto Year2026 = year{2026};
} // namespace

TEST(Compose, ChecksNumberThenDateThenAmount) {
    TOptions options;
    auto message = [&](store::TPlatRecord o) {
        auto r = ComposePlatData(o, options, ',', Year2026);
        return std::holds_alternative<std::string>(r) ? U(std::get<std::string>(r)) : "";
    };
    auto o = GoodOrder();
    EXPECT_EQ(message(o), "");
    o[order::TField::Number] = "12345678901";
    o[order::TField::Date] = "31.02.2026";
    EXPECT_EQ(message(o), "Не задан либо задан некорректно номер платежки");
    o[order::TField::Number] = "1";
    EXPECT_EQ(message(o), "Некорректно задана дата");
    o[order::TField::Date] = "";
    EXPECT_EQ(message(o), "Некорректно задана дата");
    o[order::TField::Date] = "1.1";
    o[order::TField::SumaGrn] = "-5";
    EXPECT_EQ(message(o), "Некорректно задана сумма");
    o[order::TField::SumaGrn] = "1x";
    EXPECT_EQ(message(o), "Некорректно задана сумма");
    o[order::TField::SumaKop] = "99";
    o[order::TField::SumaGrn] =
        "70368744177663"; // the last hryvnia a double still carries to the kopeck
    EXPECT_EQ(message(o), "");
    o[order::TField::SumaGrn] = "70368744177664";
    o[order::TField::SumaKop] = "01";
    EXPECT_EQ(message(o), "Некорректно задана сумма");
    o[order::TField::SumaGrn] = "12";
    o[order::TField::SumaKop] = "345"; // pasted: a part of a kopeck
    EXPECT_EQ(message(o), "Некорректно задана сумма");
    o[order::TField::SumaGrn] = "";
    o[order::TField::SumaKop] = "";
    EXPECT_EQ(message(o), ""); // empty amount is 0
}

TEST(Compose, FillsTheRecordFromOrderAndOptions) {
    TOptions options;
    options.BlankKind = blank::TBlankKind::PaymentOrder;
    options.BlankLang = TLang::Russian;
    options.DateLang = TLangChoice::Ukrainian;
    options.SumaLang = TLangChoice::AsBlank;
    options.BoldPolName = true;
    options.ShowCopyNumber = true;
    auto o = GoodOrder();
    o[order::TField::SumaGrn] = "100";
    o[order::TField::SumaKop] = "5";
    auto r = ComposePlatData(o, options, ',', Year2026);
    ASSERT_TRUE(std::holds_alternative<TPlatData>(r));
    const auto& d = std::get<TPlatData>(r);
    EXPECT_EQ(d.Languages,
              (blank::TLanguages{blank::TBlankKind::PaymentOrder, blank::TLang::Russian,
                                 blank::TLangChoice::Ukrainian, blank::TLangChoice::AsBlank}));
    EXPECT_TRUE(d.BoldPolName);
    EXPECT_FALSE(d.BoldPlatName);
    EXPECT_TRUE(d.ShowCopyNumber);
    EXPECT_EQ(d.Number, 12);
    EXPECT_EQ(d.Date, year{2002} / 3 / 5);
    EXPECT_EQ(d.Kopecks, 10005);
    EXPECT_EQ(d.Texts[order::TField::PayerAccount], "2600/1");
    EXPECT_EQ(U(d.Texts[order::TField::Purpose]), "Оплата за товар");
}

// The purpose as printed: the order's own VAT choice (the settings' for an order stored
// before it was kept), in the language of the amount in words; a tax payment as typed.
TEST(Compose, ThePurposeTakesTheOrdersVatChoice) {
    struct TCase {
        const char* What;
        bool fNDS, fBezNDS; // the settings
        const char* Choice; // the order's; "" for an order stored before it was kept
        const char* Purpose;
        const char* Account; // the recipient's
        TLang Blank;
        TBlankKind Kind;
        const char* Printed;
    };
    const char* const treasury = "UA048999980314080611000020606";
    const TCase cases[] = {
        {"an old order, settings off", false, false, "", "Товар", "", TLang::Ukrainian,
         TBlankKind::PaymentOrder, "Товар"},
        {"an old order, VAT on", true, false, "", "Товар", "", TLang::Ukrainian,
         TBlankKind::PaymentOrder, "Товар, в т.ч. ПДВ 20,00 грн."},
        {"an old order, both on", true, true, "", "Т", "", TLang::Ukrainian,
         TBlankKind::PaymentOrder, "Т, в т.ч. ПДВ 20,00 грн., без ПДВ"},
        {"the order's choice over the settings", true, false, "0", "Товар", "", TLang::Ukrainian,
         TBlankKind::PaymentOrder, "Товар"},
        {"without VAT, chosen", false, false, "2", "Товар", "", TLang::Ukrainian,
         TBlankKind::PaymentOrder, "Товар, без ПДВ"},
        {"the Russian blank", false, false, "3", "Т", "", TLang::Russian, TBlankKind::PaymentOrder,
         "Т, в т.ч. НДС 20,00 грн., без НДС"},
        {"the instruction is Ukrainian", false, false, "1", "Т", "", TLang::Russian,
         TBlankKind::PaymentInstruction, "Т, в т.ч. ПДВ 20,00 грн."},
        {"an empty purpose", false, false, "2", "", "", TLang::Ukrainian, TBlankKind::PaymentOrder,
         ", без ПДВ"},
        {"a tax purpose", true, true, "3", "*;101;14360570;Податок на додану вартість;;", "",
         TLang::Ukrainian, TBlankKind::PaymentOrder, "*;101;14360570;Податок на додану вартість;;"},
        {"the treasury's account", true, false, "1", "Єдиний податок", treasury, TLang::Ukrainian,
         TBlankKind::PaymentOrder, "Єдиний податок"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.What);
        TOptions options;
        options.fNDS = c.fNDS;
        options.fBezNDS = c.fBezNDS;
        options.BlankLang = c.Blank;
        options.BlankKind = c.Kind;
        store::TPlatRecord o = GoodOrder();
        o[order::TField::NDSChoice] = c.Choice;
        o[order::TField::Purpose] = W(c.Purpose);
        o[order::TField::RecipientAccount] = c.Account;
        const auto r = ComposePlatData(o, options, ',', Year2026);
        EXPECT_EQ(U(std::get<TPlatData>(r).Texts[order::TField::Purpose]), c.Printed);
    }
}
