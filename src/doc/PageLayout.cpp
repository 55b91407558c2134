#include "doc/PageLayout.h"

#include "doc/LiberationSansMetrics.h"
#include "doc/TextFit.h"
#include "doc/Units.h"

#include <algorithm>
#include <string_view>
#include <utility>

namespace layout {
namespace {

double Twips(double mm) {
    return units::MmToTwips(mm);
}

// A word of a line: the characters between blanks, of one run.
struct TWord {
    std::string_view Text;
    std::int32_t Size;
    bool Bold;
    double X;         // from the start of the line
    int BlanksBefore; // from the line's first word: where a justified line stretches
};

struct TLine {
    std::vector<TWord> Words;
    double Width = 0; // to the end of its last word: the blanks that end a line take no room
    double Height = 0;
    double Ascent = 0; // from the top of the line to its baseline
};

// The word processor puts a line's gap above its text: the baseline is below the gap and the
// ascender.
double BaselineTwips(std::int32_t size) {
    return double(font_metrics::LineGap + font_metrics::Ascender) * size * units::TwipsPerPoint /
           font_metrics::UnitsPerEm;
}

// The lines of a paragraph in a room of `room` twips, broken where the fit measure breaks
// them. A line is as high as the largest size on it; an empty paragraph is one line in the
// size of its mark, or of its empty runs when it has some.
std::vector<TLine> SetLines(const blank::TParagraph& paragraph, double room) {
    const std::vector<std::string> texts = textfit::WrapParagraph(paragraph, room);
    std::vector<TLine> lines;
    lines.reserve(texts.size());
    std::size_t run = 0, at = 0; // where the next line starts: a run, a byte of it
    for (const std::string& text : texts) {
        TLine line;
        std::int32_t size = 0;
        double x = 0;
        int blanks = 0;
        bool started = false;
        for (std::size_t left = text.size(); left > 0 && run < paragraph.Runs.size();) {
            const blank::TRun& r = paragraph.Runs[run];
            const std::size_t take = std::min(left, r.Text.size() - at);
            const std::string_view piece = std::string_view(r.Text).substr(at, take);
            if (take > 0)
                size = std::max(size, r.Size);
            for (std::size_t i = 0; i < piece.size();) {
                if (piece[i] == ' ') {
                    blanks += started ? 1 : 0;
                    ++i;
                    continue;
                }
                std::size_t end = i;
                while (end < piece.size() && piece[end] != ' ')
                    ++end;
                // Where the word starts: the piece before it with the kerning of the pair
                // across.
                const double start =
                    x + textfit::TextWidthTwips(piece.substr(0, i + 1), r.Size, r.Bold) -
                    textfit::TextWidthTwips(piece.substr(i, 1), r.Size, r.Bold);
                const std::string_view word = piece.substr(i, end - i);
                line.Words.push_back({word, r.Size, r.Bold, start, blanks});
                line.Width = start + textfit::TextWidthTwips(word, r.Size, r.Bold);
                started = true;
                i = end;
            }
            x += textfit::TextWidthTwips(piece, r.Size, r.Bold);
            left -= take;
            at += take;
            if (at == r.Text.size()) {
                ++run;
                at = 0;
            }
        }
        if (size == 0)
            size = textfit::EmptyLineSize(paragraph);
        line.Height = textfit::LineHeightTwips(size);
        line.Ascent = BaselineTwips(size);
        lines.push_back(std::move(line));
    }
    return lines;
}

double HeightOf(const std::vector<TLine>& lines) {
    double height = 0;
    for (const TLine& line : lines)
        height += line.Height;
    return height;
}

double BorderTwips(const blank::TBorders& borders, bool visible) {
    return visible && borders.WidthPt > 0 ? borders.WidthPt * units::TwipsPerPoint : 0;
}

// Where the lines of a paragraph go across: `left` and `room` are those of its text. In a
// cell (`cell` given) a line whose baseline is inside the cell is shown whole, its
// descenders below the cell's edge included, and the others are cut at the edge: what the
// word processor prints.
void PutLines(TSheet& sheet, const std::vector<TLine>& lines, blank::TAlign align, double left,
              double room, double& top, const TBox* cell) {
    for (std::size_t l = 0; l < lines.size(); ++l) {
        const TLine& line = lines[l];
        TBox clip = cell ? *cell : TBox();
        if (cell && top + line.Ascent <= cell->Bottom())
            clip.Height = std::max(cell->Bottom(), top + line.Height) - clip.Y;
        double x = left;
        double stretch = 0;
        switch (align) {
        case blank::TAlign::Left:
            break;
        case blank::TAlign::Right:
            x = left + room - line.Width;
            break;
        case blank::TAlign::Centre:
            x = left + (room - line.Width) / 2;
            break;
        case blank::TAlign::Justify:
            // Every line but the paragraph's last fills the room at its blanks.
            if (l + 1 < lines.size() && !line.Words.empty() && line.Words.back().BlanksBefore > 0)
                stretch = std::max(0.0, room - line.Width) / line.Words.back().BlanksBefore;
            break;
        }
        const double baseline = top + line.Ascent;
        for (const TWord& word : line.Words)
            sheet.Texts.push_back({x + word.X + stretch * word.BlanksBefore, baseline,
                                   std::string(word.Text), word.Size, word.Bold, cell != nullptr,
                                   clip});
        top += line.Height;
    }
}

void PutBox(TSheet& sheet, const TBox& box, const blank::TBorders& borders) {
    const double width = borders.WidthPt * units::TwipsPerPoint;
    if (!(width > 0))
        return;
    // The word processor draws a rule along the top of the line between two rows, and one
    // between two columns across it.
    const double down = width / 2;
    if (borders.Top)
        sheet.Rules.push_back({box.X, box.Y + down, box.Right(), box.Y + down, width});
    if (borders.Bottom)
        sheet.Rules.push_back(
            {box.X, box.Bottom() + down, box.Right(), box.Bottom() + down, width});
    if (borders.Left)
        sheet.Rules.push_back({box.X, box.Y, box.X, box.Bottom(), width});
    if (borders.Right)
        sheet.Rules.push_back({box.Right(), box.Y, box.Right(), box.Bottom(), width});
}

class TLayouter {
public:
    explicit TLayouter(const blank::TPage& page) {
        Out.Width = units::A4WidthTwips;
        Out.Height = units::A4HeightTwips;
        Left = Twips(page.MarginLeftMm);
        Right = Out.Width - Twips(page.MarginRightMm);
        Top = Twips(page.MarginTopMm);
        Bottom = Out.Height - Twips(page.MarginBottomMm);
        Out.Sheets.emplace_back();
        Y = Top;
        for (const blank::TItem& item : page.Items) {
            if (const auto* table = std::get_if<blank::TTable>(&item))
                PutTable(*table);
            else
                PutParagraph(std::get<blank::TParagraph>(item));
        }
    }

    TPage Out;

private:
    // Room for `height` more on this sheet, or the next sheet; what is higher than a whole
    // sheet starts one all the same.
    void MakeRoom(double height) {
        if (Y + height > Bottom && Y > Top) {
            Out.Sheets.emplace_back();
            Y = Top;
        }
    }

    void PutParagraph(const blank::TParagraph& paragraph) {
        const double room = Right - Left;
        for (const TLine& line : SetLines(paragraph, room)) {
            MakeRoom(line.Height);
            PutLines(Out.Sheets.back(), {line}, paragraph.Align, Left, room, Y, nullptr);
        }
    }

    struct TPlacedRow {
        std::size_t Sheet;
        double Top, Height;
    };

    // The word processor starts the text of every cell of a row below the widest top border
    // of the row, and takes nothing off its bottom for a bottom border (the rule is drawn
    // below the row's edge).
    static double TopBorderOf(const blank::TRow& row) {
        double widest = 0;
        for (const blank::TCell& cell : row.Cells)
            if (cell.VMerge != blank::TVMerge::Joined)
                widest = std::max(widest, BorderTwips(cell.Borders, cell.Borders.Top));
        return widest;
    }

    // What a row that grows with its text needs: the highest of its cells that end in it.
    static double GrownHeight(const blank::TTable& table, std::size_t row) {
        double height = 0;
        const std::vector<blank::TCell>& cells = table.Rows[row].Cells;
        for (std::size_t c = 0; c < cells.size(); ++c) {
            const blank::TCell& cell = cells[c];
            if (cell.VMerge == blank::TVMerge::Joined || textfit::LastRowOf(table, row, c) != row)
                continue;
            const double room = textfit::RoomOf(table, row, c).LineTwips;
            double text = 0;
            for (const blank::TParagraph& paragraph : cell.Paragraphs)
                text += HeightOf(SetLines(paragraph, room));
            height = std::max(height, text);
        }
        return TopBorderOf(table.Rows[row]) + height;
    }

    void PutTable(const blank::TTable& table) {
        // The word processor starts the first cell's text at the margin: the row's left edge
        // is half a gap to the left of it.
        const double halfGap = Twips(table.GapMm / 2);
        const double left = Left - halfGap;
        std::vector<double> edges{left};
        double mm = 0;
        for (const double column : table.ColumnsMm) {
            mm += column;
            edges.push_back(left + Twips(mm));
        }
        std::vector<TPlacedRow> rows;
        rows.reserve(table.Rows.size());
        for (std::size_t r = 0; r < table.Rows.size(); ++r) {
            const double height =
                table.Rows[r].HeightMm != 0 ? Twips(table.Rows[r].HeightMm) : GrownHeight(table, r);
            MakeRoom(height);
            rows.push_back({Out.Sheets.size() - 1, Y, height});
            Y += height;
        }
        auto edge = [&edges](int column) {
            return edges[static_cast<std::size_t>(
                std::clamp(column, 0, static_cast<int>(edges.size()) - 1))];
        };
        for (std::size_t r = 0; r < table.Rows.size(); ++r)
            for (std::size_t c = 0; c < table.Rows[r].Cells.size(); ++c) {
                const blank::TCell& cell = table.Rows[r].Cells[c];
                if (cell.VMerge == blank::TVMerge::Joined)
                    continue;
                const std::size_t last = textfit::LastRowOf(table, r, c);
                const double left = edge(cell.First), right = edge(cell.Last + 1);
                // The block on each sheet its rows reach; the text is in its first part.
                bool first = true;
                for (std::size_t from = r; from <= last;) {
                    std::size_t to = from;
                    while (to + 1 <= last && rows[to + 1].Sheet == rows[from].Sheet)
                        ++to;
                    const double top = rows[from].Top;
                    const TBox box{left, top, right - left, rows[to].Top + rows[to].Height - top};
                    TSheet& sheet = Out.Sheets[rows[from].Sheet];
                    PutBox(sheet, box, cell.Borders);
                    if (first)
                        PutCellText(sheet, cell, textfit::RoomOf(table, r, c).LineTwips, box,
                                    halfGap, TopBorderOf(table.Rows[r]));
                    first = false;
                    from = to + 1;
                }
            }
    }

    // The text of a cell: at its top, middle or bottom while it fits, from its top and cut at
    // its bottom when it does not.
    static void PutCellText(TSheet& sheet, const blank::TCell& cell, double room, const TBox& box,
                            double halfGap, double topBorder) {
        std::vector<std::pair<std::vector<TLine>, blank::TAlign>> paragraphs;
        double height = 0;
        for (const blank::TParagraph& paragraph : cell.Paragraphs) {
            paragraphs.emplace_back(SetLines(paragraph, room), paragraph.Align);
            height += HeightOf(paragraphs.back().first);
        }
        const double top = box.Y + topBorder;
        const double bottom = box.Bottom();
        double y = top;
        if (height <= bottom - top) {
            if (cell.VAlign == blank::TVAlign::Centre)
                y = top + (bottom - top - height) / 2;
            else if (cell.VAlign == blank::TVAlign::Bottom)
                y = bottom - height;
        }
        for (const auto& [lines, align] : paragraphs)
            PutLines(sheet, lines, align, box.X + halfGap, room, y, &box);
    }

    double Left = 0, Right = 0, Top = 0, Bottom = 0;
    double Y = 0;
};

} // namespace

TPage Lay(const blank::TPage& page) {
    return TLayouter(page).Out;
}

} // namespace layout
