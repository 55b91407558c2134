// The fit measure against what LibreOffice Writer made of the same texts: where its lines
// broke, how wide a kerned run was, and which fields of a blank its render cut.

#include "doc/TextFit.h"

#include "DocTestHelpers.h"

using namespace doc_test;

namespace {

blank::TParagraph Para(const std::string& text, std::int32_t size, bool bold = false) {
    blank::TParagraph p;
    p.Runs.push_back({text, size, bold});
    return p;
}

// A table of one cell over one column, of rows of these heights (the cell spans them all).
blank::TTable OneCell(double widthMm, std::vector<double> rowHeightsMm) {
    blank::TTable table;
    table.ColumnsMm = {widthMm};
    table.GapMm = 1;
    for (std::size_t i = 0; i < rowHeightsMm.size(); ++i) {
        blank::TCell cell;
        cell.VMerge = rowHeightsMm.size() == 1 ? blank::TVMerge::None
                      : i == 0                 ? blank::TVMerge::First
                                               : blank::TVMerge::Joined;
        cell.Paragraphs.emplace_back();
        table.Rows.push_back({rowHeightsMm[i], {cell}});
    }
    return table;
}

// The purpose that LibreOffice laid out over columns C to F (106 mm, gap 1 mm).
const std::string kLongPurpose =
    "Оплата за будівельні матеріали згідно з рахунком № 47 від 01.03.2024 та договором поставки "
    "№ 12/2024-П від 15.01.2024, а саме: цемент М-500 у мішках по 25 кг, пісок річковий митий, "
    "щебінь гранітний фракції 5-20 мм, арматура А500С діаметром 12 мм, дріт в'язальний, цвяхи "
    "будівельні, шурупи по дереву та металу, профіль для гіпсокартону, гіпсокартон "
    "вологостійкий, клей для плитки, грунтовка глибокого проникнення, фарба фасадна біла, "
    "доставка автотранспортом постачальника до об'єкта покупця у м. Києві, розвантаження";

} // namespace

TEST(TextFitTest, LinesBreakWhereLibreOfficeBrokeThem) {
    const std::vector<std::string> lines = textfit::WrapParagraph(
        Para(W(kLongPurpose), 9), textfit::RoomOf(OneCell(106, {7}), 0, 0).LineTwips);
    // The seven lines the render showed (the eighth was below the cell), the blank at the
    // end of each hanging; after the hyphen of "М-500" the line may end.
    const std::vector<std::string> rendered = {
        "Оплата за будівельні матеріали згідно з рахунком № 47 від 01.03.2024 ",
        "та договором поставки № 12/2024-П від 15.01.2024, а саме: цемент М-",
        "500 у мішках по 25 кг, пісок річковий митий, щебінь гранітний фракції ",
        "5-20 мм, арматура А500С діаметром 12 мм, дріт в'язальний, цвяхи ",
        "будівельні, шурупи по дереву та металу, профіль для гіпсокартону, ",
        "гіпсокартон вологостійкий, клей для плитки, грунтовка глибокого ",
        "проникнення, фарба фасадна біла, доставка автотранспортом ",
    };
    ASSERT_EQ(lines.size(), 8u);
    for (std::size_t i = 0; i < rendered.size(); ++i)
        EXPECT_EQ(U(lines[i]), rendered[i]) << i;

    // Ten digits of 11 pt (1223.5 twips): whole in a cell of 1280 twips, broken after the
    // ninth in one of 1276, whether the cell has borders or not.
    EXPECT_EQ(textfit::WrapParagraph(Para("1111111111", 11), 1280 - 56).size(), 1u);
    EXPECT_EQ(textfit::WrapParagraph(Para("1111111111", 11), 1276 - 56),
              (std::vector<std::string>{"111111111", "1"}));
    // A word longer than a line keeps at least one character on each.
    EXPECT_EQ(textfit::WrapParagraph(Para("11", 11), 10), (std::vector<std::string>{"1", "1"}));

    // The render kerns: twenty letters AVAV… of 11 pt took 131.1 pt, not 146.7.
    EXPECT_NEAR(textfit::TextWidthTwips("AVAVAVAVAVAVAVAVAVAV", 11, false), 131.14 * 20, 3);
    // A line of Liberation Sans is its ascender, descender and line gap: 2355 of 2048 units.
    EXPECT_NEAR(textfit::LineHeightTwips(9), 206.98, 0.01);

    // The copy label of 8 pt in its row of 2 mm: the render shows its upper half only.
    std::vector<blank::TParagraph> copyLabel = {Para(W("Примірник 1"), 8)};
    copyLabel[0].Name = "copy label";
    EXPECT_EQ(textfit::UnseenTexts(copyLabel, textfit::RoomOf(OneCell(24, {2}), 0, 0)),
              std::vector<std::string>{"copy label"});
    // A row that grows cuts nothing.
    EXPECT_TRUE(
        textfit::UnseenTexts(copyLabel, textfit::RoomOf(OneCell(24, {2, 0}), 0, 0)).empty());
}

// The fields of whole blanks that LibreOffice's render cut, and those it showed whole.
TEST(TextFitTest, TheBlankReportsWhatTheRenderCut) {
    TPlatData base = UkrainianOrder();
    base.Texts[order::TField::RecipientBank2] = W("Київська філія");
    struct Case {
        const char* What;
        std::function<void(TPlatData&)> Change;
        std::vector<std::string> Unseen;
    };
    // The same order on the payment instruction, whose purpose holds eight lines of 139 mm.
    const auto instruction = [](std::function<void(TPlatData&)> change) {
        return [change](TPlatData& d) {
            d.Languages.Kind = blank::TBlankKind::PaymentInstruction;
            d.Texts[order::TField::PayerAccount] = "UA203808050000026001012345678";
            d.Texts[order::TField::RecipientAccount] = "UA213223130000026007233566001";
            change(d);
        };
    };
    const std::string eightLines = kLongPurpose +
                                   ", демонтаж старої покрівлі та вивезення будівельного сміття, "
                                   "прибирання території після завершення робіт та здача "
                                   "об'єкта замовнику за актом";
    const Case cases[] = {
        {"short texts", [](TPlatData&) {}, {}},
        // The bank fills both lines of its cell, and its second line is not printed.
        {"a long bank",
         [](TPlatData& d) {
             d.Texts[order::TField::RecipientBank] = W("АТ \"Державний ощадний банк України\"");
             d.Texts[order::TField::RecipientBank2] = W("Київське обласне управління");
         },
         {"Банк получателя, вторая строка"}},
        // The second line alone wraps: its end is below the cell.
        {"a long second bank line",
         [](TPlatData& d) {
             d.Texts[order::TField::RecipientBank2] = W("Хмельницьке обласне управління");
         },
         {"Банк получателя, вторая строка"}},
        {"a purpose of eight lines",
         [](TPlatData& d) { d.Texts[order::TField::Purpose] = W(kLongPurpose); },
         {"Назначение платежа"}},
        {"a name of two lines",
         [](TPlatData& d) {
             d.Texts[order::TField::PayerName] =
                 W("Товариство з обмеженою відповідальністю \"Квітень-Сервіс\" та "
                   "партнери, виробничо-комерційне підприємство з іноземними "
                   "інвестиціями");
         },
         {"Наименование плательщика"}},
        // 10000000,00 stayed on one line of the amount's box, 100000000,00 broke.
        {"ten millions", [](TPlatData& d) { d.Kopecks = 1000000000; }, {}},
        {"a hundred millions", [](TPlatData& d) { d.Kopecks = 10000000000; }, {"Сумма цифрами"}},
        // IBANs are printed smaller, split after the bank code.
        {"IBANs",
         [](TPlatData& d) {
             d.Texts[order::TField::PayerAccount] = "UA203808050000026001012345678";
             d.Texts[order::TField::RecipientAccount] = "UA213223130000026007233566001";
         },
         {}},
        // An old account too long for its box breaks.
        {"a long old account",
         [](TPlatData& d) { d.Texts[order::TField::RecipientAccount] = "260040987654321234567"; },
         {"Счёт получателя"}},
        {"an instruction", instruction([](TPlatData&) {}), {}},
        {"an instruction's purpose of eight lines",
         instruction([&](TPlatData& d) { d.Texts[order::TField::Purpose] = W(eightLines); }),
         {}},
        {"an instruction's purpose of nine lines",
         instruction([&](TPlatData& d) {
             d.Texts[order::TField::Purpose] = W(
                 eightLines + ", охорона майданчика у неробочий час протягом усього строку робіт");
         }),
         {"Назначение платежа"}},
        // Its first line wraps and pushes the second out of the cell.
        {"an instruction's long bank",
         instruction([](TPlatData& d) {
             d.Texts[order::TField::PayerBank] =
                 W("Акціонерне товариство комерційний банк \"ПриватБанк\", м. Київ");
         }),
         {"Банк плательщика, вторая строка"}},
        {"an instruction's hundreds of billions",
         instruction([](TPlatData& d) { d.Kopecks = 98765432198799; }),
         {"Сумма цифрами"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.What);
        TPlatData d = base;
        c.Change(d);
        std::vector<std::string> unseen;
        for (const std::string& name : textfit::UnseenTexts(d.Blank()))
            unseen.push_back(U(name));
        EXPECT_EQ(unseen, c.Unseen);
    }
}
