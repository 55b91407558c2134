#include "doc/BlankRtf.h"

#include "rtf/RTF.h"

#include <cmath>

namespace {

std::uint8_t AlignmentOf(blank::TAlign align) {
    switch (align) {
    case blank::TAlign::Left:
        break;
    case blank::TAlign::Right:
        return taRight;
    case blank::TAlign::Centre:
        return taCenter;
    case blank::TAlign::Justify:
        return taJustify;
    }
    return taLeft;
}

std::uint8_t VAlignOf(blank::TVAlign align) {
    switch (align) {
    case blank::TVAlign::Top:
        break;
    case blank::TVAlign::Centre:
        return 0;
    case blank::TVAlign::Bottom:
        return 2;
    }
    return 1;
}

std::uint8_t VMergeOf(blank::TVMerge merge) {
    switch (merge) {
    case blank::TVMerge::None:
        break;
    case blank::TVMerge::First:
        return 1;
    case blank::TVMerge::Joined:
        return 2;
    }
    return 0;
}

// A paragraph's format is taken when it is flushed: the next one's is set only after that.
void WriteRuns(TRTF& rtf, const blank::TParagraph& paragraph) {
    rtf.Par.Alignment = AlignmentOf(paragraph.Align);
    for (const blank::TRun& run : paragraph.Runs) {
        rtf.Font.Size = run.Size;
        rtf.Font.Style = run.Bold ? fsBold : 0;
        rtf.AddText(run.Text);
    }
}

void WriteCell(TRTF& rtf, const blank::TCell& cell, bool lastOfTable) {
    for (int column = cell.First; column <= cell.Last; ++column) {
        const bool first = column == cell.First;
        TBorders& borders = rtf.Cell.Borders;
        borders.Left.Visible = cell.Borders.Left;
        borders.Right.Visible = cell.Borders.Right;
        borders.Top.Visible = cell.Borders.Top;
        borders.Bottom.Visible = cell.Borders.Bottom;
        for (TBorder* border : {&borders.Left, &borders.Right, &borders.Top, &borders.Bottom})
            border->Width = cell.Borders.WidthPt;
        rtf.Cell.VAlign = VAlignOf(cell.VAlign);
        if (cell.First != cell.Last)
            rtf.Cell.HMerge = first ? 1 : 2;
        if (first || cell.VMergeOnEveryColumn)
            rtf.Cell.VMerge = VMergeOf(cell.VMerge);
        // The other columns of a span hold one empty paragraph each, aligned as the last.
        if (first)
            for (std::size_t i = 0; i < cell.Paragraphs.size(); ++i) {
                if (i > 0)
                    rtf.NewParagraph();
                WriteRuns(rtf, cell.Paragraphs[i]);
            }
        if (lastOfTable && column == cell.Last)
            rtf.EndTable();
        else
            rtf.NextCell();
    }
}

void WriteTable(TRTF& rtf, const blank::TTable& table) {
    if (table.Rows.empty())
        return; // no row to end the table with
    std::vector<std::int32_t> widths;
    for (const double width : table.ColumnsMm)
        widths.push_back(static_cast<std::int32_t>(std::lround(width)));
    rtf.BeginTable(widths);
    rtf.CellGap = table.GapMm;
    for (std::size_t r = 0; r < table.Rows.size(); ++r) {
        const blank::TRow& row = table.Rows[r];
        rtf.RowHeight = row.HeightMm;
        for (std::size_t c = 0; c < row.Cells.size(); ++c)
            WriteCell(rtf, row.Cells[c], r + 1 == table.Rows.size() && c + 1 == row.Cells.size());
    }
}

// The lines and bytes the page will take, so that the writer's lists are given their room
// at once: grown as they go, they would leave a chain of outgrown blocks behind, and the
// allocator would hand that memory back to the system after every document and fault it in
// again for the next.
void Reserve(TRTF& rtf, const blank::TPage& page) {
    std::size_t lines = 4;
    std::size_t bytes = 0;
    auto paragraph = [&](const blank::TParagraph& p) {
        lines += 3 + p.Runs.size();
        for (const blank::TRun& run : p.Runs)
            bytes += 4 * run.Text.size(); // a letter is written as \'hh
    };
    for (const blank::TItem& item : page.Items) {
        if (const auto* p = std::get_if<blank::TParagraph>(&item)) {
            paragraph(*p);
            continue;
        }
        for (const blank::TRow& row : std::get<blank::TTable>(item).Rows) {
            lines += 8;
            for (const blank::TCell& cell : row.Cells) {
                const std::size_t columns = std::size_t(cell.Last - cell.First + 1);
                const std::size_t borders = std::size_t(cell.Borders.Left) + cell.Borders.Right +
                                            cell.Borders.Top + cell.Borders.Bottom;
                lines += columns * (8 + 3 * borders + 4);
                for (const blank::TParagraph& p : cell.Paragraphs)
                    paragraph(p);
            }
        }
    }
    rtf.Body.reserve(lines, bytes + lines * 12);
}

} // namespace

std::unique_ptr<TRTF> BlankRtf(const blank::TPage& page) {
    auto rtf = std::make_unique<TRTF>();
    Reserve(*rtf, page);
    rtf->Paper.Orientation = page.Landscape ? 1 : 0;
    rtf->Paper.MarginLeft = page.MarginLeftMm;
    rtf->Paper.MarginRight = page.MarginRightMm;
    rtf->Paper.MarginTop = page.MarginTopMm;
    rtf->Paper.MarginBottom = page.MarginBottomMm;
    rtf->Font.Name = page.FontName;
    for (const blank::TItem& item : page.Items) {
        if (const auto* table = std::get_if<blank::TTable>(&item)) {
            WriteTable(*rtf, *table);
        } else {
            WriteRuns(*rtf, std::get<blank::TParagraph>(item));
            rtf->NewParagraph();
        }
    }
    return rtf;
}
