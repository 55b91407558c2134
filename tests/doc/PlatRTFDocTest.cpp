// The blank laid out cell by cell: the shape of every row of every copy, the contents of
// every cell of a realistic order, and how the options and the fields change them.

#include "DocTestHelpers.h"

#include "doc/Units.h"
#include "words/BuhProc.h"

#include <map>
#include <sstream>

using namespace doc_test;
using namespace testing_support;
namespace fs = std::filesystem;

namespace {

// ---------------------------------------------------------------------------------------
// The shape of one copy, in a notation of its own: for each row its exact height in twips
// (0: automatic) and its cells "<columns>[arrow] <frame> <V> <P>" separated by " | ".
// Columns: "A" one cell; "A,B,C" separate cells alike; "A-D" one cell spanning A to D.
// Arrow: "v" starts a vertical merge, "^" joins the cell above; on a span it marks the first
// column only, "v*" and "^*" every column. Frame: "-" none, "box" all four borders, "rule"
// the bottom border alone.
struct TRowShape {
    int Twips;
    const char* Cells;
};

// clang-format off
const TRowShape kShape[21] = {
    {113,  "A,B,C,D,E,F - top left | G - bottom centre"},
    {284,  "A-D - centre centre | E,F - centre centre | G box centre centre"},
    {170,  "A,B,C,D,E - centre centre | F-G - centre right"},
    {510,  "A-D - top centre | E - top centre | F-G - top centre"},
    {227,  "A-F - bottom left | G - bottom left"},
    {397,  "A - centre left | B box centre centre | C,D,E,F,G - centre centre"},
    {227,  "A-B - bottom left | C - bottom left | D,E,F,G - bottom centre"},
    {454,  "A-B rule bottom left | C rule bottom left | D box centre centre | E - centre centre"
           " | F box centre centre | Gv box top centre"},
    {227,  "A-F - bottom left | G^ box bottom left"},
    {227,  "Av - centre left | Bv box centre centre | C,D,E - centre centre | F - centre centre"
           " | G^ box centre centre"},
    {170,  "A^ - centre centre | B^ box centre centre | C,D - centre centre | Ev - centre centre"
           " | Fv box centre centre | G^ box centre centre"},
    {227,  "A-B - bottom left | C - bottom left | D - bottom centre | E^ - bottom centre"
           " | F^ box bottom centre | G^ box bottom centre"},
    {454,  "A-B rule bottom left | C rule bottom left | D box centre centre | E - centre centre"
           " | F box centre centre | G^ box top centre"},
    {284,  "A-B - centre left | C,D,E,F,G - centre left"},
    {0,    "A-G - centre left"},
    {57,   "A,B,C,D,E rule centre left | F,G - centre left"},
    {57,   "A,B,C,D,E,F,G - centre left"},
    {397,  "A-B - top left | C-Fv* - top left | G box top left"},
    {1021, "A,B - top left | C-F^* - top left | G - top left"},
    {284,  "A,B,C,D,E - top left | F-Gv - centre centre"},
    {794,  "A - centre centre | B-C - centre right | D,E - centre right | F-G^ - centre right"},
};
// clang-format on

const int kRightEdges[7] = {964, 2835, 5216, 6464, 6577, 8845, 10206};

// The notation's cells one by one: "A,B - top left" is "A - top left" and "B - top left".
std::vector<std::string> Expand(const char* cells) {
    std::vector<std::string> out;
    std::stringstream all(cells);
    for (std::string cell; std::getline(all, cell, '|');) {
        std::stringstream words(cell);
        std::string cols, rest, word;
        words >> cols;
        while (words >> word)
            rest += " " + word;
        const std::size_t arrow = std::min(cols.size(), cols.find_first_of("v^"));
        rest = cols.substr(arrow) + rest;
        if (arrow == 3 && cols[1] == '-')
            out.push_back(cols.substr(0, 3) + rest);
        else
            for (std::size_t i = 0; i < arrow; i += 2)
                out.push_back(cols.substr(i, 1) + rest);
    }
    return out;
}

// A cell of the page in that notation.
std::string Describe(const blank::TCell& cell) {
    std::string out(1, char('A' + cell.First));
    if (cell.Last != cell.First)
        out += std::string("-") + char('A' + cell.Last);
    if (cell.VMerge != blank::TVMerge::None)
        out += std::string(cell.VMerge == blank::TVMerge::First ? "v" : "^") +
               (cell.VMergeOnEveryColumn ? "*" : "");
    const blank::TBorders& b = cell.Borders;
    out += b.Left && b.Right && b.Top && b.Bottom      ? " box"
           : !b.Left && !b.Right && !b.Top && b.Bottom ? " rule"
           : !b.Left && !b.Right && !b.Top             ? " -"
                                                       : " ?";
    out += cell.VAlign == blank::TVAlign::Top      ? " top"
           : cell.VAlign == blank::TVAlign::Bottom ? " bottom"
                                                   : " centre";
    for (const blank::TParagraph& p : cell.Paragraphs)
        if (p.Align != cell.Paragraphs.front().Align)
            return out + " mixed";
    const blank::TAlign align = cell.Paragraphs.at(0).Align;
    return out + (align == blank::TAlign::Left    ? " left"
                  : align == blank::TAlign::Right ? " right"
                                                  : " centre");
}

// Every row of copy `copy` against the shape above.
void ExpectShape(const blank::TPage& page, int copy) {
    const blank::TTable& table = *Tables(page).at(std::size_t(copy - 1));
    EXPECT_EQ(table.GapMm, 1);
    double right = 0;
    for (std::size_t i = 0; i < 7; ++i)
        EXPECT_EQ(units::MmToTwips(right += table.ColumnsMm.at(i)), kRightEdges[i]);
    for (int row = 1; row <= 21; ++row) {
        SCOPED_TRACE("copy " + std::to_string(copy) + ", row " + std::to_string(row));
        const blank::TRow& r = RowOf(page, copy, row);
        EXPECT_EQ(units::MmToTwips(r.HeightMm), kShape[row - 1].Twips);
        std::vector<std::string> cells;
        for (const blank::TCell& cell : r.Cells) {
            cells.push_back(Describe(cell));
            EXPECT_EQ(cell.Borders.WidthPt, 0.5);
        }
        EXPECT_EQ(cells, Expand(kShape[row - 1].Cells));
    }
}

std::string Key(int row, char column) {
    return std::to_string(row) + column;
}

// The contents of every cell of the realistic Ukrainian order; the cells not listed hold
// one empty paragraph.
std::map<std::string, std::string> UkrainianContents(int copy) {
    const TPlatData d = UkrainianOrder();
    const std::string blank = "9:\"____\"________________20__р";
    return {
        {"1G", "8:Примірник " + std::to_string(copy)},
        {"2A", "11b:ПЛАТІЖНЕ ДОРУЧЕННЯ №125"},
        {"2G", "9:0410001"},
        {"4A", "8:від " + U(DateToWordsUkr(d.Date))},
        {"4F", "9:Одержано банком + 5: / (empty) / " + blank},
        {"5A", "9:Платник   + 9:ТОВ \"Квітень-Сервіс\""},
        {"6A", "9:Код"},
        {"6B", "11:31245789"},
        {"7A", "9:Банк платника"},
        {"7D", "9:код банку"},
        {"7F", "9:ДЕБЕТ рах.№"},
        {"7G", "9:СУМА"},
        {"8A", "9:АТ \"Райффайзен Банк\" / 9:Київська філія / (empty)"},
        {"8C", "(empty) / 9:у м. Києві"},
        {"8D", "11:380805"},
        {"8F", "11:26001012345678"},
        {"8G", "(empty) / 11:1234,50"},
        {"9A", "9:Отримувач   + 9:ПП \"Будматеріали Поділля\""},
        {"10A", "9:Код"},
        {"10B", "11:23456789"},
        {"10F", "9:КРЕДИТ рах.№"},
        {"11F", "11:26004098765432"},
        {"12A", "9:Банк отримувача"},
        {"12D", "9:код банку"},
        {"13A", "9:АТ \"Ощадбанк\" / 9:Хмельницьке обласне управління / (empty)"},
        {"13C", "(empty) / 9:у м. Хмельницькому"},
        {"13D", "11:315784"},
        {"13F", "11:"}, // the box beside the recipient's bank prints even when empty
        {"14A", "9:Сума (словами)"},
        {"15A", "9:" + U(SumaToWordsUkr(1234.5))},
        {"18A", "9:Призначення платежу"},
        {"18C", "9:" + U(d.PurposeLines[0])},
        {"20F", "9:Проведено банком / (empty) / " + blank + " / (empty) / 9:Підпис банку"},
        {"21A", "9:М.П."},
        {"21B", "9:Підписи + 9:     ________________ / (empty) / 9:________________"},
    };
}

void ExpectContents(const blank::TPage& doc, int copy,
                    const std::map<std::string, std::string>& want) {
    for (int row = 1; row <= 21; ++row)
        for (char column = 'A'; column <= 'G'; ++column) {
            const auto it = want.find(Key(row, column));
            EXPECT_EQ(CellText(doc, copy, row, column), it == want.end() ? "(empty)" : it->second)
                << "copy " << copy << ", cell " << Key(row, column);
        }
}

// The page's sequence: "T" a table, "p" an empty paragraph, "cut" the paragraph of hyphens;
// e.g. "T p p p cut p p T".
std::string Sequence(const blank::TPage& page) {
    std::string out;
    for (const blank::TItem& item : page.Items) {
        const auto* p = std::get_if<blank::TParagraph>(&item);
        out += (out.empty() ? "" : " ") + std::string(!p ? "T" : p->Runs.empty() ? "p" : "cut");
    }
    return out;
}

} // namespace

TEST(PlatLayout, EveryCopyHasTheShapeAndContentsOfTheBlank) {
    const blank::TPage doc = UkrainianOrder().Blank();
    ASSERT_EQ(Tables(doc).size(), 2u);
    for (int copy = 1; copy <= 2; ++copy) {
        ExpectShape(doc, copy);
        ExpectContents(doc, copy, UkrainianContents(copy));
    }
}

TEST(PlatLayout, PageFontAndMargins) {
    TPlatData d = UkrainianOrder();
    const blank::TPage page = d.Blank();
    EXPECT_EQ(page.FontName, "Arial");
    EXPECT_EQ(page.MarginLeftMm, 15);
    EXPECT_EQ(page.MarginRightMm, 15);
    EXPECT_EQ(page.MarginTopMm, 14) << "0 means 14";
    EXPECT_EQ(page.MarginBottomMm, 14);
    d.TopMargin = 20;
    EXPECT_EQ(d.Blank().MarginTopMm, 20);
}

TEST(PlatLayout, CopyCountDecidesTheTablesAndTheCutLine) {
    struct TCase {
        std::int32_t CopyCount;
        const char* Sequence;
    };
    const TCase cases[] = {
        {0, "T p p p cut p p T"}, // 0 means the usual two
        {2, "T p p p cut p p T"}, {1, "T"}, {3, "T T T"}, {4, "T T T T"}, {-1, ""},
    };
    for (const TCase& c : cases) {
        TPlatData d = UkrainianOrder();
        d.CopyCount = c.CopyCount;
        const blank::TPage doc = d.Blank();
        EXPECT_EQ(Sequence(doc), c.Sequence) << "CopyCount " << c.CopyCount;
        for (int copy = 1; copy <= std::max(c.CopyCount == 0 ? 2 : c.CopyCount, 0); ++copy) {
            SCOPED_TRACE("CopyCount " + std::to_string(c.CopyCount));
            ExpectShape(doc, copy);
            EXPECT_EQ(CellText(doc, copy, 1, 'G'), "8:Примірник " + std::to_string(copy));
        }
    }
}

TEST(PlatLayout, TheCutLine) {
    const blank::TPage page = UkrainianOrder().Blank();
    ASSERT_EQ(page.Items.size(), 8u);
    std::vector<blank::TParagraph> between;
    for (std::size_t i = 1; i < 7; ++i)
        between.push_back(std::get<blank::TParagraph>(page.Items[i]));
    const std::string dashes18 = "-  -  -  -  -  -  -  -  -  -  -  -  -  -  -  -  -  -  ";
    EXPECT_EQ(Render(between[3]), "9:" + dashes18 + " + 9:" + dashes18 + " + 9:" + dashes18 +
                                      " + 9:-  -  -  -  -  -  -  -");
    // The paragraphs before the line keep the format of the last cell (right-aligned); the
    // line and the two after it are centred.
    for (std::size_t i = 0; i < 6; ++i) {
        EXPECT_EQ(between[i].Align, i < 3 ? blank::TAlign::Right : blank::TAlign::Centre) << i;
        EXPECT_EQ(between[i].Runs.empty(), i != 3) << i;
    }
}

TEST(PlatLayout, CopyLabelsCountFromOneInTheBlanksLanguage) {
    for (const bool ukrainian : {true, false}) {
        TPlatData d = UkrainianOrder();
        d.DocBlankLang = ukrainian ? 1 : 0;
        d.CopyCount = 3;
        const blank::TPage shown = d.Blank();
        d.ShowCopyNumber = false;
        const blank::TPage hidden = d.Blank();
        for (int copy = 1; copy <= 3; ++copy) {
            EXPECT_EQ(CellText(shown, copy, 1, 'G'),
                      (ukrainian ? "8:Примірник " : "8:Экземпляр ") + std::to_string(copy));
            EXPECT_EQ(CellText(hidden, copy, 1, 'G'), "(empty)");
            ExpectShape(hidden, copy);
        }
    }
}

TEST(PlatLayout, LanguagesOfTheLabelsTheDateAndTheAmount) {
    struct TCase {
        std::uint8_t Blank, DateLang, SumaLang;
        bool UkrLabels, UkrDate, UkrSuma;
    };
    const TCase cases[] = {
        {1, 2, 2, true, true, true},   {0, 2, 2, false, false, false},
        {0, 1, 2, false, true, false}, {0, 2, 1, false, false, true},
        {1, 0, 0, true, false, false}, {1, 0, 1, true, false, true},
        {0, 1, 1, false, true, true},  {1, 1, 0, true, true, false},
        {7, 2, 2, true, true, true}, // an unknown blank language prints the Ukrainian blank
        {7, 0, 2, true, false, true},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE("blank " + std::to_string(c.Blank) + ", date " + std::to_string(c.DateLang) +
                     ", amount " + std::to_string(c.SumaLang));
        TPlatData d = UkrainianOrder();
        d.DocBlankLang = c.Blank;
        d.DocDateLang = c.DateLang;
        d.DocSumaLang = c.SumaLang;
        const blank::TPage doc = d.Blank();
        const std::string date =
            c.UkrDate ? "8:від " + U(DateToWordsUkr(d.Date)) : "8:от " + U(DateToWordsRus(d.Date));
        const std::string words =
            "9:" + U(c.UkrSuma ? SumaToWordsUkr(d.Suma) : SumaToWordsRus(d.Suma));
        const std::string blank =
            c.UkrLabels ? "9:\"____\"________________20__р" : "9:\"____\"________________20__г";
        for (int copy = 1; copy <= 2; ++copy) {
            EXPECT_EQ(CellText(doc, copy, 4, 'A'), date);
            EXPECT_EQ(CellText(doc, copy, 15, 'A'), words);
            EXPECT_EQ(CellText(doc, copy, 2, 'A'),
                      c.UkrLabels ? "11b:ПЛАТІЖНЕ ДОРУЧЕННЯ №125" : "11b:ПЛАТЕЖНОЕ ПОРУЧЕНИЕ №125");
            EXPECT_EQ(CellText(doc, copy, 4, 'F'),
                      (c.UkrLabels ? "9:Одержано банком" : "9:Получено банком") +
                          std::string(" + 5: / (empty) / ") + blank);
            EXPECT_EQ(CellText(doc, copy, 20, 'F'),
                      "9:Проведено банком / (empty) / " + blank + " / (empty) / " +
                          (c.UkrLabels ? "9:Підпис банку" : "9:Подпись банка"));
        }
    }
    EXPECT_NE(DateToWordsUkr(UkrainianOrder().Date), DateToWordsRus(UkrainianOrder().Date));
    EXPECT_NE(SumaToWordsUkr(1234.5), SumaToWordsRus(1234.5));
}

TEST(PlatLayout, EveryLabelOfTheRussianBlank) {
    TPlatData d = UkrainianOrder();
    d.DocBlankLang = 0;
    d.ShowOneSignatureRights = true;
    const blank::TPage doc = d.Blank();
    const std::map<std::string, std::string> labels{
        {"1G", "8:Экземпляр 1"},
        {"3F", "8:З правом одного підпису"},
        {"5A", "9:Плательщик   + 9:ТОВ \"Квітень-Сервіс\""},
        {"6A", "9:Код"},
        {"7A", "9:Банк плательщика"},
        {"7D", "9:код банка"},
        {"7F", "9:ДЕБЕТ сч. №"},
        {"7G", "9:СУММА"},
        {"8C", "(empty) / 9:в г. Києві"},
        {"9A", "9:Получатель   + 9:ПП \"Будматеріали Поділля\""},
        {"10F", "9:КРЕДИТ сч. №"},
        {"12A", "9:Банк получателя"},
        {"12D", "9:код банка"},
        {"13C", "(empty) / 9:в г. Хмельницькому"},
        {"14A", "9:Сумма (словами)"},
        {"18A", "9:Назначение платежа"},
        {"21A", "9:М.П."},
        {"21B", "9:Подписи + 9:     ________________ / (empty) / 9:________________"},
    };
    for (const auto& [key, text] : labels) {
        const int row = std::stoi(key);
        EXPECT_EQ(CellText(doc, 1, row, key.back()), text) << key;
    }
}

TEST(PlatLayout, TheTitleCarriesTheNumberAndTheVatMark) {
    struct TCase {
        std::uint8_t Blank;
        std::int32_t Number, NumberNDS;
        const char* Title;
    };
    const TCase cases[] = {
        {0, 7, 0, "11b:ПЛАТЕЖНОЕ ПОРУЧЕНИЕ №7"},
        {0, 7, 1, "11b:ПЛАТЕЖНОЕ ПОРУЧЕНИЕ №7/НДС"},
        {0, 7, 2, "11b:ПЛАТЕЖНОЕ ПОРУЧЕНИЕ №7"}, // only 1 marks the VAT
        {1, 125, 0, "11b:ПЛАТІЖНЕ ДОРУЧЕННЯ №125"},
        {1, 125, 1, "11b:ПЛАТІЖНЕ ДОРУЧЕННЯ №125/НДС"},
        {1, 2147483647, 0, "11b:ПЛАТІЖНЕ ДОРУЧЕННЯ №2147483647"},
    };
    for (const TCase& c : cases) {
        TPlatData d = UkrainianOrder();
        d.DocBlankLang = c.Blank;
        d.Number = c.Number;
        d.NumberNDS = c.NumberNDS;
        const blank::TPage doc = d.Blank();
        EXPECT_EQ(CellText(doc, 1, 2, 'A'), c.Title);
        EXPECT_EQ(CellText(doc, 2, 2, 'A'), c.Title);
    }
}

TEST(PlatLayout, SecondPartsOfAccountsAreJoinedBySlash) {
    struct TCase {
        const char* PayerAccount2;
        const char* RecipientAccount2;
        const char* BankBox;
        const char* BankBox2;
        const char* Payer;
        const char* Recipient;
        const char* Box;
    };
    const TCase cases[] = {
        {"", "", "", "", "11:26001012345678", "11:26004098765432", "11:"},
        {"980", "", "", "", "11:26001012345678/980", "11:26004098765432", "11:"},
        {"", "15", "", "", "11:26001012345678", "11:26004098765432/15", "11:"},
        {"", "", "3739", "", "11:26001012345678", "11:26004098765432", "11:3739"},
        {"", "", "3739", "2", "11:26001012345678", "11:26004098765432", "11:3739/2"},
        {"", "", "", "2", "11:26001012345678", "11:26004098765432", "11:/2"},
    };
    for (const TCase& c : cases) {
        TPlatData d = UkrainianOrder();
        d.PayerAccount2 = c.PayerAccount2;
        d.RecipientAccount2 = c.RecipientAccount2;
        d.RecipientBankBox = c.BankBox;
        d.RecipientBankBox2 = c.BankBox2;
        const blank::TPage doc = d.Blank();
        EXPECT_EQ(CellText(doc, 1, 8, 'F'), c.Payer);
        EXPECT_EQ(CellText(doc, 1, 11, 'F'), c.Recipient);
        EXPECT_EQ(CellText(doc, 1, 13, 'F'), c.Box);
    }
}

TEST(PlatLayout, PurposeLinesArePrintedAsParagraphsOfOneCell) {
    struct TCase {
        std::vector<std::string> Lines;
        const char* Cell;
    };
    const TCase cases[] = {
        {{}, "(empty)"},
        {{"Оплата"}, "9:Оплата"},
        {{"Оплата за товар", "у т.ч. ПДВ 20% - 10,00 грн."},
         "9:Оплата за товар / 9:у т.ч. ПДВ 20% - 10,00 грн."},
        {{"", "друга"}, "9: / 9:друга"},
    };
    for (const TCase& c : cases) {
        TPlatData d = UkrainianOrder();
        d.PurposeLines.clear();
        for (const std::string& line : c.Lines)
            d.PurposeLines.push_back(W(line));
        const blank::TPage doc = d.Blank();
        for (int copy = 1; copy <= 2; ++copy) {
            EXPECT_EQ(CellText(doc, copy, 18, 'C'), c.Cell);
            ExpectShape(doc, copy);
        }
    }
}

TEST(PlatLayout, EmptyFieldsStillPrintTheirRuns) {
    TPlatData d;
    d.DocBlankLang = 1;
    d.Number = 1;
    d.Date = std::chrono::year{2024} / 1 / 2;
    const blank::TPage doc = d.Blank();
    ExpectShape(doc, 1);
    EXPECT_EQ(CellText(doc, 1, 5, 'A'), "9:Платник   + 9:");
    EXPECT_EQ(CellText(doc, 1, 6, 'B'), "11:");
    EXPECT_EQ(CellText(doc, 1, 8, 'A'), "9: / 9: / (empty)");
    EXPECT_EQ(CellText(doc, 1, 8, 'C'), "(empty) / 9:у м. ");
    EXPECT_EQ(CellText(doc, 1, 8, 'D'), "11:");
    EXPECT_EQ(CellText(doc, 1, 8, 'F'), "11:");
    EXPECT_EQ(CellText(doc, 1, 8, 'G'), "(empty) / 11:0.00");
    EXPECT_EQ(CellText(doc, 1, 15, 'A'), "9:" + U(SumaToWordsUkr(0)));
    EXPECT_EQ(CellText(doc, 1, 1, 'G'), "(empty)");
    EXPECT_EQ(CellText(doc, 1, 3, 'F'), "(empty)");
}

TEST(PlatLayout, BoldNamesButNotTheirLabels) {
    for (const bool payer : {false, true})
        for (const bool recipient : {false, true}) {
            TPlatData d = UkrainianOrder();
            d.BoldPlatName = payer;
            d.BoldPolName = recipient;
            const blank::TPage doc = d.Blank();
            EXPECT_EQ(CellText(doc, 2, 5, 'A'), std::string("9:Платник   + ") +
                                                    (payer ? "9b" : "9") +
                                                    ":ТОВ \"Квітень-Сервіс\"");
            EXPECT_EQ(CellText(doc, 2, 9, 'A'), std::string("9:Отримувач   + ") +
                                                    (recipient ? "9b" : "9") +
                                                    ":ПП \"Будматеріали Поділля\"");
        }
}

TEST(PlatLayout, OneSignatureRightsInBothLanguages) {
    for (const std::uint8_t blank : {0, 1}) {
        TPlatData d = UkrainianOrder();
        d.DocBlankLang = blank;
        d.ShowOneSignatureRights = true;
        const blank::TPage doc = d.Blank();
        for (int copy = 1; copy <= 2; ++copy) {
            EXPECT_EQ(CellText(doc, copy, 3, 'F'), "8:З правом одного підпису");
            EXPECT_EQ(CellText(doc, copy, 3, 'G'), "(empty)");
            ExpectShape(doc, copy);
        }
    }
}

TEST(PlatLayout, TheDateBlankLeavesTheYearOfThisCenturyToFillIn) {
    for (const std::uint8_t blank : {0, 1}) {
        TPlatData d = UkrainianOrder();
        d.DocBlankLang = blank;
        const blank::TPage page = d.Blank();
        const std::string want =
            blank ? "9:\"____\"________________20__р" : "9:\"____\"________________20__г";
        int count = 0;
        for (int copy = 1; copy <= 2; ++copy)
            for (const int row : {4, 20})
                count += CellText(page, copy, row, 'F').find(want) != std::string::npos;
        EXPECT_EQ(count, 4) << "two per copy";
    }
}

TEST(PlatLayout, TheAmountInDigitsUsesTheUsersDecimalSeparator) {
    struct TCase {
        double Suma;
        char Separator;
        const char* Cell;
    };
    const TCase cases[] = {
        {1234.5, ',', "(empty) / 11:1234,50"},
        {1234.5, '.', "(empty) / 11:1234.50"},
        {0.07, ',', "(empty) / 11:0,07"},
        {1000000, ',', "(empty) / 11:1000000,00"},
    };
    for (const TCase& c : cases) {
        TPlatData d = UkrainianOrder();
        d.Suma = c.Suma;
        d.DecimalSeparator = c.Separator;
        const blank::TPage doc = d.Blank();
        EXPECT_EQ(CellText(doc, 1, 8, 'G'), c.Cell);
        EXPECT_EQ(CellText(doc, 1, 15, 'A'), "9:" + U(SumaToWordsUkr(c.Suma)));
    }
}
