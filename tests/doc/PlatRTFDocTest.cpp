// The blank laid out cell by cell: the shape of every row of every copy, the contents of
// every cell of a realistic order, and how the options and the fields change them.

#include "DocTestHelpers.h"

#include "platform/Files.h"
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

// What one column of a row must carry.
struct TColumnShape {
    std::string HMerge, VMerge, VAlign, Borders, Align;
};

std::vector<TColumnShape> Expand(const char* cells) {
    std::vector<TColumnShape> columns;
    std::stringstream all(cells);
    std::string cell;
    while (std::getline(all, cell, '|')) {
        std::stringstream words(cell);
        std::string cols, frame, v, p;
        words >> cols >> frame >> v >> p;
        std::string arrow;
        while (!cols.empty() && (cols.back() == 'v' || cols.back() == '^' || cols.back() == '*')) {
            arrow.insert(arrow.begin(), cols.back());
            cols.pop_back();
        }
        TColumnShape shape;
        shape.Borders = frame == "box" ? "tlbr" : frame == "rule" ? "b" : "";
        shape.VAlign = v == "top" ? "clvertalt" : v == "bottom" ? "clvertalb" : "clvertalc";
        shape.Align = p == "left" ? "ql" : p == "right" ? "qr" : "qc";
        const std::string vmerge = arrow.empty() ? "" : arrow[0] == 'v' ? "clvmgf" : "clvmrg";
        const bool arrowOnAll = arrow.size() == 2;
        if (cols.size() == 3 && cols[1] == '-') {
            for (char c = cols[0]; c <= cols[2]; ++c) {
                TColumnShape s = shape;
                s.HMerge = c == cols[0] ? "clmgf" : "clmrg";
                s.VMerge = c == cols[0] || arrowOnAll ? vmerge : "";
                columns.push_back(s);
            }
        } else {
            for (std::size_t i = 0; i < cols.size(); i += 2) {
                TColumnShape s = shape;
                s.VMerge = vmerge;
                columns.push_back(s);
            }
        }
    }
    return columns;
}

// Every row of copy `copy` against the shape above.
void ExpectShape(const TDoc& doc, int copy) {
    for (int row = 1; row <= 21; ++row) {
        SCOPED_TRACE("copy " + std::to_string(copy) + ", row " + std::to_string(row));
        const TRowInfo& r = RowOf(doc, copy, row);
        const std::vector<TColumnShape> shape = Expand(kShape[row - 1].Cells);
        ASSERT_EQ(shape.size(), 7u) << "the notation of the row";
        EXPECT_EQ(r.Gaph, 28);
        EXPECT_FALSE(r.Header);
        if (kShape[row - 1].Twips == 0)
            EXPECT_FALSE(r.Height.has_value());
        else
            EXPECT_EQ(r.Height, kShape[row - 1].Twips);
        ASSERT_EQ(r.Cells.size(), 7u);
        for (std::size_t i = 0; i < 7; ++i) {
            SCOPED_TRACE(std::string("column ") + char('A' + i));
            const TCellInfo& c = r.Cells[i];
            EXPECT_EQ(c.HMerge, shape[i].HMerge);
            EXPECT_EQ(c.VMerge, shape[i].VMerge);
            EXPECT_EQ(c.VAlign, shape[i].VAlign);
            EXPECT_EQ(c.Borders, shape[i].Borders);
            EXPECT_EQ(c.BorderWidths, std::vector<std::string>(c.Borders.size(), "10"));
            EXPECT_EQ(c.Direction, "lrtb");
            EXPECT_EQ(c.Right, kRightEdges[i]);
            ASSERT_FALSE(c.Paras.empty());
            for (std::size_t k = 0; k < c.Paras.size(); ++k) {
                EXPECT_TRUE(c.Paras[k].InTable);
                EXPECT_EQ(c.Paras[k].Align, shape[i].Align) << "paragraph " << k;
                EXPECT_EQ(c.Paras[k].Mark, k + 1 < c.Paras.size()) << "paragraph " << k;
            }
        }
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

void ExpectContents(const TDoc& doc, int copy, const std::map<std::string, std::string>& want) {
    for (int row = 1; row <= 21; ++row)
        for (char column = 'A'; column <= 'G'; ++column) {
            const auto it = want.find(Key(row, column));
            EXPECT_EQ(CellText(doc, copy, row, column), it == want.end() ? "(empty)" : it->second)
                << "copy " << copy << ", cell " << Key(row, column);
        }
}

// The document's sequence: "T" a table of 21 rows, "p" an empty paragraph, "cut" the
// paragraph of hyphens; e.g. "T p p p cut p p T p".
std::string Sequence(const TDoc& doc) {
    std::vector<std::string> items;
    int rows = 0;
    for (const TItem& item : doc.Items) {
        if (item.Row) {
            if (++rows == 21) {
                items.push_back("T");
                rows = 0;
            }
            continue;
        }
        if (rows != 0)
            items.push_back("rows" + std::to_string(rows));
        rows = 0;
        items.push_back(item.Para.Runs.empty() ? "p" : "cut");
    }
    if (rows != 0)
        items.push_back("rows" + std::to_string(rows));
    std::string out;
    for (const std::string& item : items)
        out += (out.empty() ? "" : " ") + item;
    return out;
}

} // namespace

TEST(PlatLayout, EveryCopyHasTheShapeAndContentsOfTheBlank) {
    const TDoc doc = Laid(UkrainianOrder());
    ASSERT_EQ(doc.Rows().size(), 42u);
    for (int copy = 1; copy <= 2; ++copy) {
        ExpectShape(doc, copy);
        ExpectContents(doc, copy, UkrainianContents(copy));
    }
}

TEST(PlatLayout, PageFontAndMargins) {
    TPlatData d = UkrainianOrder();
    const TDoc doc = Laid(d);
    EXPECT_EQ(doc.Header,
              (std::vector<std::string>{"{\\rtf1\\ansi\\ansicpg1251\\deff0\\deftab720",
                                        "{\\fonttbl", "{\\f0\\fnil\\fcharset204 Arial;}", "}",
                                        "{\\colortbl\\red0\\green0\\blue0;}", "\\paperw11906",
                                        "\\paperh16838", "\\deflang1049", "\\margl850",
                                        "\\margr850", "\\margt794", "\\margb794"}));
    EXPECT_TRUE(doc.Closed);

    d.TopMargin = 20;
    EXPECT_EQ(Laid(d).Header[10], "\\margt1134");
}

TEST(PlatLayout, TheDefaultsAreWrittenBackIntoTheRecord) {
    TPlatData d = UkrainianOrder();
    d.Layout();
    EXPECT_EQ(d.TopMargin, 14);
    EXPECT_EQ(d.CopyCount, 2);

    TPlatData other = UkrainianOrder();
    other.TopMargin = 10;
    other.CopyCount = 3;
    other.Layout();
    EXPECT_EQ(other.TopMargin, 10);
    EXPECT_EQ(other.CopyCount, 3);
}

TEST(PlatLayout, CopyCountDecidesTheTablesAndTheCutLine) {
    struct TCase {
        std::int32_t CopyCount;
        const char* Sequence;
    };
    const TCase cases[] = {
        {0, "T p p p cut p p T p"}, // 0 means the usual two
        {2, "T p p p cut p p T p"}, {1, "T p"}, {3, "T T T p"},
        {4, "T T T T p"},           {-1, "p"}, // no blank at all, only the document's closing
                                               // paragraph
    };
    for (const TCase& c : cases) {
        TPlatData d = UkrainianOrder();
        d.CopyCount = c.CopyCount;
        const TDoc doc = Laid(d);
        EXPECT_EQ(Sequence(doc), c.Sequence) << "CopyCount " << c.CopyCount;
        for (int copy = 1; copy <= std::max(c.CopyCount == 0 ? 2 : c.CopyCount, 0); ++copy) {
            SCOPED_TRACE("CopyCount " + std::to_string(c.CopyCount));
            ExpectShape(doc, copy);
            EXPECT_EQ(CellText(doc, copy, 1, 'G'), "8:Примірник " + std::to_string(copy));
        }
    }
}

TEST(PlatLayout, TheCutLine) {
    const TDoc doc = Laid(UkrainianOrder());
    std::vector<TParaInfo> between;
    for (std::size_t i = 21; i < doc.Items.size() && !doc.Items[i].Row; ++i)
        between.push_back(doc.Items[i].Para);
    ASSERT_EQ(between.size(), 6u);
    const std::string dashes18 = "-  -  -  -  -  -  -  -  -  -  -  -  -  -  -  -  -  -  ";
    EXPECT_EQ(Render(between[3]), "9:" + dashes18 + " + 9:" + dashes18 + " + 9:" + dashes18 +
                                      " + 9:-  -  -  -  -  -  -  -");
    std::size_t hyphens = 0;
    for (const TRunInfo& run : between[3].Runs)
        hyphens += std::size_t(std::count(run.Text.begin(), run.Text.end(), '-'));
    EXPECT_EQ(hyphens, 62u);
    // The paragraphs before the line keep the format of the last cell (right-aligned); the
    // line and the two after it are centred.
    const char* aligns[6] = {"qr", "qr", "qr", "qc", "qc", "qc"};
    for (std::size_t i = 0; i < 6; ++i) {
        EXPECT_FALSE(between[i].InTable) << i;
        EXPECT_TRUE(between[i].Mark) << i;
        EXPECT_EQ(between[i].Align, aligns[i]) << i;
        EXPECT_EQ(between[i].Runs.empty(), i != 3) << i;
    }
    // The first row of the second copy starts with the format of its own cells.
    EXPECT_EQ(RowOf(doc, 2, 1).Cells[0].Paras[0].Align, "ql");
}

TEST(PlatLayout, CopyLabelsCountFromOneInTheBlanksLanguage) {
    for (const bool ukrainian : {true, false}) {
        TPlatData d = UkrainianOrder();
        d.DocBlankLang = ukrainian ? 1 : 0;
        d.CopyCount = 3;
        const TDoc shown = Laid(d);
        d.ShowCopyNumber = false;
        const TDoc hidden = Laid(d);
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
        const TDoc doc = Laid(d);
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
    const TDoc doc = Laid(d);
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
        const TDoc doc = Laid(d);
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
        const TDoc doc = Laid(d);
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
        const TDoc doc = Laid(d);
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
    const TDoc doc = Laid(d);
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
            const TDoc doc = Laid(d);
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
        const TDoc doc = Laid(d);
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
        const std::string bytes = Bytes(d);
        const std::string want = blank ? "\"____\"________________20__\\'f0"  // р
                                       : "\"____\"________________20__\\'e3"; // г
        std::size_t count = 0;
        for (std::size_t at = bytes.find(want); at != std::string::npos;
             at = bytes.find(want, at + 1))
            ++count;
        EXPECT_EQ(count, 4u) << "two per copy";
        EXPECT_EQ(bytes.find("200__"), std::string::npos);
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
        const TDoc doc = Laid(d);
        EXPECT_EQ(CellText(doc, 1, 8, 'G'), c.Cell);
        EXPECT_EQ(CellText(doc, 1, 15, 'A'), "9:" + U(SumaToWordsUkr(c.Suma)));
    }
}

TEST(PlatLayout, BuildDocumentWritesATemporaryFileAndOpensIt) {
    TTempDir tmp;
    rtf_test::TTmpDirGuard env(tmp.Path().string());
    rtf_test::TOpenerRecorder opener;
    TRecordingBoxes boxes;

    TPlatData shown = UkrainianOrder();
    EXPECT_TRUE(shown.BuildDocument());
    const fs::path file = tmp / "~temp1.rtf";
    EXPECT_EQ(opener.Opened, (std::vector<std::string>{file.string()}));
    EXPECT_TRUE(boxes.Boxes.empty());
    EXPECT_EQ(shown.CopyCount, 2);

    TPlatData saved = UkrainianOrder();
    saved.BuildDocumentToFile(tmp / "order.rtf");
    EXPECT_EQ(opener.Opened.size(), 1u) << "saving to a file opens nothing";
    EXPECT_EQ(ReadFileBytes(file), ReadFileBytes(tmp / "order.rtf"));
    TPlatData laid = UkrainianOrder();
    EXPECT_EQ(ReadFileBytes(file), Bytes(laid));
}

TEST(PlatLayout, AFileThatCannotBeWrittenIsAnError) {
    TTempDir tmp;
    rtf_test::TOpenerRecorder opener;
    TPlatData d = UkrainianOrder();
    EXPECT_THROW(d.BuildDocumentToFile(tmp / "missing" / "x.rtf"), platform::TFileError);
    EXPECT_TRUE(opener.Opened.empty());
}
