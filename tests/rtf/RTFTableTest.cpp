// Tables: rows, cell formats, borders, merges, padding and the 100-cell limit.

#include "RtfTestHelpers.h"

#include <stdexcept>

using namespace testing_support;
using namespace rtf_test;

namespace {

using TLines = std::vector<std::string>;

const std::vector<std::int32_t> BlankColumns = {17, 33, 42, 22, 2, 40, 24};

bool StartsWith(std::string_view s, std::string_view prefix) {
    return s.substr(0, prefix.size()) == prefix;
}

// The row definitions of `body`: for each "\trowd", its row lines (up to the empty line)
// and the lines of each cell definition (without the empty line that ends it).
struct TRowDef {
    TLines Row;
    std::vector<TLines> Cells;
};

std::vector<TRowDef> RowDefinitions(const TLineList& body) {
    std::vector<TRowDef> rows;
    for (std::size_t i = 0; i < body.size(); ++i) {
        if (body[i] != "\\trowd")
            continue;
        TRowDef row;
        std::size_t k = i;
        for (; k < body.size() && !body[k].empty(); ++k)
            row.Row.emplace_back(body[k]);
        ++k;
        while (k < body.size() && (StartsWith(body[k], "\\cl") || StartsWith(body[k], "\\brdr") ||
                                   StartsWith(body[k], "\\cellx"))) {
            TLines cell;
            for (; k < body.size() && !body[k].empty(); ++k)
                cell.emplace_back(body[k]);
            ++k;
            row.Cells.push_back(cell);
        }
        rows.push_back(row);
    }
    return rows;
}

// The seven-column blank with every cell finished by NextCell.
void FillRow(TRTF& rtf, std::size_t cells) {
    for (std::size_t i = 0; i < cells; ++i)
        rtf.NextCell();
}

} // namespace

TEST(RtfTable, ATwoRowTableIsWrittenLineByLine) {
    TRTF rtf;
    rtf.BeginTable({10, 20});
    rtf.CellGap = 1;
    rtf.RowHeight = 5;
    rtf.AddText("a");
    rtf.NextCell();
    rtf.Cell.Borders.HideAll();
    rtf.Cell.VAlign = 0;
    rtf.AddText("b");
    rtf.NewParagraph();
    rtf.AddText("c");
    rtf.NextCell();
    rtf.EndTable(); // right after a completed row: one more row of empty cells

    const std::string pard = "\\pard\\intbl\\fi0\\li0\\ql";
    const TLines expected = {
        "", "\\trowd", "\\trgaph28", "\\trrh-284", "\\trleft0", "",
        // cell 1: the template after Clear
        "\\clvertalt", "\\clbrdrt", "\\brdrs", "\\brdrw10", "\\clbrdrl", "\\brdrs", "\\brdrw10",
        "\\clbrdrb", "\\brdrs", "\\brdrw10", "\\clbrdrr", "\\brdrs", "\\brdrw10", "\\cltxlrtb",
        "\\cellx567", "",
        // cell 2
        "\\clvertalc", "\\cltxlrtb", "\\cellx1701", "",
        // contents
        "", pard, "\\plain\\f0\\fs20 a", "\\cell", "", pard, "\\plain\\f0\\fs20 b", "\\par", "",
        pard, "\\plain\\f0\\fs20 c", "\\cell", "\\row",
        // the padded row: height reset, gap kept, both cells in the last stored formats
        "", "\\trowd", "\\trgaph28", "\\trleft0", "", "\\clvertalc", "\\cltxlrtb", "\\cellx567", "",
        "\\clvertalc", "\\cltxlrtb", "\\cellx1701", "", "", pard, "\\cell", "\\cell", "\\row"};
    EXPECT_EQ(rtf.Body, expected);
    EXPECT_FALSE(rtf.Table.InTable);
    EXPECT_EQ(rtf.Table.CellIndex, 0);

    const auto lines = Lines(Saved(rtf));
    const TLines end = {"", "\\pard\\fi0\\li0\\ql", "\\par}"};
    EXPECT_EQ(Tail(lines, lines.size() - 3), end);
}

TEST(RtfTable, CellEdgesAreTheSumsOfTheColumnWidths) {
    TRTF rtf;
    rtf.BeginTable(BlankColumns);
    FillRow(rtf, 7);
    const auto rows = RowDefinitions(rtf.Body);
    ASSERT_EQ(rows.size(), 1u);
    TLines edges;
    for (const auto& cell : rows[0].Cells)
        edges.push_back(cell.back());
    EXPECT_EQ(edges, (TLines{"\\cellx964", "\\cellx2835", "\\cellx5216", "\\cellx6464",
                             "\\cellx6577", "\\cellx8845", "\\cellx10206"}));
}

TEST(RtfTable, ABottomRuleCellThatStartsAMerge) {
    TRTF rtf;
    rtf.BeginTable(BlankColumns);
    rtf.NextCell();
    rtf.Cell.Borders.HideAll();
    rtf.Cell.Borders.Bottom.Show();
    rtf.Cell.HMerge = 1;
    rtf.NextCell();
    FillRow(rtf, 5);
    const auto rows = RowDefinitions(rtf.Body);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].Cells[1], (TLines{"\\clmgf", "\\clvertalt", "\\clbrdrb", "\\brdrs",
                                        "\\brdrw10", "\\cltxlrtb", "\\cellx2835"}));
}

TEST(RtfTable, RowGapHeightAndHeaderFlag) {
    TRTF rtf;
    rtf.BeginTable({10});
    rtf.RowHeight = 2;
    rtf.HeaderRow = true;
    rtf.NextCell();
    rtf.NextCell(); // neither height nor header unless set again; the gap stays
    rtf.RowHeight = 5;
    rtf.CellGap = 1;
    rtf.NextCell();
    rtf.RowHeight = 0;
    rtf.EndTable();
    const auto rows = RowDefinitions(rtf.Body);
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0].Row,
              (TLines{"\\trowd", "\\trgaph108", "\\trrh-113", "\\trleft0", "\\trhdr"}));
    EXPECT_EQ(rows[1].Row, (TLines{"\\trowd", "\\trgaph108", "\\trleft0"}));
    EXPECT_EQ(rows[2].Row, (TLines{"\\trowd", "\\trgaph28", "\\trrh-284", "\\trleft0"}));
    EXPECT_EQ(rows[3].Row, (TLines{"\\trowd", "\\trgaph28", "\\trleft0"}));
    EXPECT_EQ(rtf.RowHeight, 0);
    EXPECT_FALSE(rtf.HeaderRow);
    EXPECT_EQ(rtf.CellGap, 1);
}

TEST(RtfTable, BordersAreWrittenTopLeftBottomRightWhenVisibleAndWide) {
    TRTF rtf;
    rtf.BeginTable({10, 10});
    rtf.Cell.Borders.Top.Width = 1;
    rtf.Cell.Borders.Left.Width = 0.5;
    rtf.Cell.Borders.Bottom.Width = 0; // visible but no width
    rtf.Cell.Borders.Right.Width = 2;
    rtf.Cell.Borders.Right.Hide();
    rtf.NextCell();
    rtf.Cell.Borders.ShowAll(); // keeps the widths
    rtf.Cell.Borders.Bottom.Width = 1.5;
    rtf.Cell.Borders.Left.Width = 0.75;
    rtf.NextCell();
    const auto rows = RowDefinitions(rtf.Body);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].Cells[0],
              (TLines{"\\clvertalt", "\\clbrdrt", "\\brdrs", "\\brdrw20", "\\clbrdrl", "\\brdrs",
                      "\\brdrw10", "\\cltxlrtb", "\\cellx567"}));
    EXPECT_EQ(rows[0].Cells[1],
              (TLines{"\\clvertalt", "\\clbrdrt", "\\brdrs", "\\brdrw20", "\\clbrdrl", "\\brdrs",
                      "\\brdrw15", "\\clbrdrb", "\\brdrs", "\\brdrw30", "\\clbrdrr", "\\brdrs",
                      "\\brdrw40", "\\cltxlrtb", "\\cellx1134"}));
}

TEST(RtfTable, AlignmentAndTextDirectionWords) {
    TRTF rtf;
    rtf.Cell.Borders.HideAll();
    rtf.BeginTable({1, 1, 1, 1});
    for (std::uint8_t i = 0; i < 4; ++i) {
        rtf.Cell.VAlign = i;
        rtf.Cell.TextDirection = i;
        rtf.NextCell();
    }
    const auto rows = RowDefinitions(rtf.Body);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].Cells[0], (TLines{"\\clvertalc", "\\cltxlrtb", "\\cellx57"}));
    EXPECT_EQ(rows[0].Cells[1], (TLines{"\\clvertalt", "\\cltxtbrl", "\\cellx113"}));
    EXPECT_EQ(rows[0].Cells[2], (TLines{"\\clvertalb", "\\cltxbtlr", "\\cellx170"}));
    EXPECT_EQ(rows[0].Cells[3], (TLines{"\\clvertalt", "\\cellx227"}));
}

TEST(RtfTable, MergesApplyToTheNextFinishedCellOnly) {
    TRTF rtf;
    rtf.Cell.Borders.HideAll();
    rtf.BeginTable(BlankColumns);
    rtf.Cell.HMerge = 1;
    rtf.Cell.VMerge = 1;
    rtf.NextCell();
    EXPECT_EQ(rtf.Cell.HMerge, 0);
    EXPECT_EQ(rtf.Cell.VMerge, 0);
    for (int i = 0; i < 3; ++i) {
        rtf.Cell.HMerge = 2;
        rtf.NextCell();
    }
    rtf.NextCell();
    rtf.Cell.VMerge = 2;
    rtf.Cell.HMerge = 2; // merged without a first cell: written as given
    rtf.NextCell();
    rtf.NextCell();
    const auto rows = RowDefinitions(rtf.Body);
    ASSERT_EQ(rows.size(), 1u);
    std::vector<TLines> merges;
    for (const auto& cell : rows[0].Cells) {
        TLines words;
        for (const auto& line : cell)
            if (line == "\\clmgf" || line == "\\clmrg" || line == "\\clvmgf" || line == "\\clvmrg")
                words.push_back(line);
        merges.push_back(words);
    }
    EXPECT_EQ(merges, (std::vector<TLines>{{"\\clmgf", "\\clvmgf"},
                                           {"\\clmrg"},
                                           {"\\clmrg"},
                                           {"\\clmrg"},
                                           {},
                                           {"\\clmrg", "\\clvmrg"},
                                           {}}));
}

TEST(RtfTable, EndTableOnTheFifthOfSevenCellsPadsWithBareCells) {
    TRTF rtf;
    rtf.BeginTable(BlankColumns);
    FillRow(rtf, 4);
    rtf.AddText("e");
    rtf.EndTable();
    EXPECT_FALSE(rtf.Table.InTable);
    ASSERT_GE(rtf.Body.size(), 7u);
    EXPECT_EQ(Tail(rtf.Body, rtf.Body.size() - 7),
              (TLines{"", "\\pard\\intbl\\fi0\\li0\\ql", "\\plain\\f0\\fs20 e", "\\cell", "\\cell",
                      "\\cell", "\\row"}));
    std::size_t cells = 0;
    for (const auto& line : rtf.Body)
        cells += line == "\\cell";
    EXPECT_EQ(cells, 7u);
    // Every finished cell wrote its empty paragraph before its end.
    std::size_t pards = 0;
    for (const auto& line : rtf.Body)
        pards += line == "\\pard\\intbl\\fi0\\li0\\ql";
    EXPECT_EQ(pards, 5u);
}

TEST(RtfTable, RunsBeforeTheTableBelongToItsFirstCell) {
    TRTF rtf;
    rtf.AddText("x");
    rtf.Cell.Borders.HideAll();
    rtf.BeginTable({5});
    rtf.EndTable();
    EXPECT_EQ(rtf.Body, (TLines{"", "\\trowd", "\\trgaph108", "\\trleft0", "", "\\clvertalt",
                                "\\cltxlrtb", "\\cellx284", "", "", "\\pard\\intbl\\fi0\\li0\\ql",
                                "\\plain\\f0\\fs20 x", "\\cell", "\\row"}));
}

TEST(RtfTable, TablesWithNoParagraphBetweenThemFollowDirectly) {
    TRTF rtf;
    rtf.BeginTable({5});
    rtf.EndTable();
    rtf.BeginTable({5});
    rtf.EndTable();
    const auto rows = RowDefinitions(rtf.Body);
    ASSERT_EQ(rows.size(), 2u);
    const std::size_t second = rtf.Body.size() / 2;
    EXPECT_EQ(rtf.Body[second - 1], "\\row");
    EXPECT_EQ(rtf.Body[second], "");
    EXPECT_EQ(rtf.Body[second + 1], "\\trowd");
}

TEST(RtfTable, ARowHoldsAtMostOneHundredCells) {
    TRTF rtf;
    rtf.BeginTable(std::vector<std::int32_t>(100, 1));
    FillRow(rtf, 100);
    const auto rows = RowDefinitions(rtf.Body);
    ASSERT_EQ(rows.size(), 1u);
    ASSERT_EQ(rows[0].Cells.size(), 100u);
    EXPECT_EQ(rows[0].Cells.back().back(), "\\cellx5670");

    TRTF wide;
    wide.BeginTable(std::vector<std::int32_t>(101, 1));
    FillRow(wide, 100);
    EXPECT_THROW(wide.NextCell(), std::out_of_range);
    EXPECT_THROW(wide.EndTable(), std::out_of_range);
}

TEST(RtfTable, CellsCanOnlyBeFinishedInsideATable) {
    TRTF rtf;
    EXPECT_THROW(rtf.NextCell(), std::logic_error);
    EXPECT_THROW(rtf.EndTable(), std::logic_error);
    EXPECT_TRUE(rtf.Body.empty());
}
