#include "doc/TextFit.h"

#include "doc/LiberationSansMetrics.h"
#include "doc/Units.h"

#include <algorithm>

namespace textfit {
namespace {

using units::TwipsPerPoint;

double UnitsToTwips(double units, std::int32_t size) {
    return units * size * TwipsPerPoint / font_metrics::UnitsPerEm;
}

int AdvanceUnits(unsigned char byte, bool bold) {
    return (bold ? font_metrics::BoldAdvance : font_metrics::RegularAdvance)[byte];
}

// The word processor kerns the pairs of a run as the font says.
int KerningUnits(unsigned char first, unsigned char second, bool bold) {
    const std::uint16_t pair = static_cast<std::uint16_t>(first << 8 | second);
    const auto find = [pair](const auto& table) {
        const auto at = std::lower_bound(
            table.begin(), table.end(), pair,
            [](const font_metrics::TKernPair& k, std::uint16_t p) { return k.Pair < p; });
        return at != table.end() && at->Pair == pair ? at->Units : 0;
    };
    return bold ? find(font_metrics::BoldKerning) : find(font_metrics::RegularKerning);
}

// The room that `text` takes in one run, its kerning included, in font units.
double RunUnits(std::string_view text, bool bold) {
    double units = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        units += AdvanceUnits(byte, bold);
        if (i + 1 < text.size())
            units += KerningUnits(byte, static_cast<unsigned char>(text[i + 1]), bold);
    }
    return units;
}

// One character of a paragraph, with what it takes of a line.
struct TItem {
    char Byte;
    double Width;
    std::int32_t Size;
};

// A character takes its advance and its kerning with the next one of its run.
std::vector<TItem> Items(const blank::TParagraph& paragraph) {
    std::vector<TItem> items;
    for (const blank::TRun& run : paragraph.Runs)
        for (std::size_t i = 0; i < run.Text.size(); ++i) {
            const auto byte = static_cast<unsigned char>(run.Text[i]);
            int units = AdvanceUnits(byte, run.Bold);
            if (i + 1 < run.Text.size())
                units += KerningUnits(byte, static_cast<unsigned char>(run.Text[i + 1]), run.Bold);
            items.push_back({run.Text[i], UnitsToTwips(units, run.Size), run.Size});
        }
    return items;
}

struct TLine {
    std::size_t Begin, End; // items [Begin, End), the blanks that end it included
};

// Where a line may end before item `i`: after a blank, and after a hyphen inside a word
// ("М-" / "500"), as the word processor breaks.
bool BreakBefore(const std::vector<TItem>& items, std::size_t i) {
    if (i == 0 || i >= items.size() || items[i].Byte == ' ')
        return false;
    const char before = items[i - 1].Byte;
    return before == ' ' || (before == '-' && i >= 2 && items[i - 2].Byte != ' ');
}

// Lines as a word processor fills them: whole pieces between break opportunities while they
// fit, the blanks at the end of a line hanging beyond it, a piece longer than a line broken
// after the last character that fits (at least one stays on the line).
std::vector<TLine> Lines(const std::vector<TItem>& items, double room) {
    std::vector<TLine> lines;
    std::size_t begin = 0;
    while (begin < items.size()) {
        double width = 0;  // of the line's pieces so far, the blanks after them excluded
        double blanks = 0; // the blanks after them
        std::size_t end = begin;
        std::size_t fitted = begin; // the end of the last piece that fits
        while (end < items.size()) {
            if (items[end].Byte == ' ') {
                blanks += items[end++].Width;
                fitted = end;
                continue;
            }
            double piece = 0;
            std::size_t pieceEnd = end;
            do
                piece += items[pieceEnd++].Width;
            while (pieceEnd < items.size() && !BreakBefore(items, pieceEnd) &&
                   items[pieceEnd].Byte != ' ');
            if (width + blanks + piece <= room || fitted == begin) {
                if (width + blanks + piece > room) {
                    // The first piece of the line is longer than the line.
                    double w = width + blanks;
                    std::size_t cut = end;
                    while (cut < pieceEnd && (cut == end || w + items[cut].Width <= room))
                        w += items[cut++].Width;
                    fitted = cut;
                    break;
                }
                width += blanks + piece;
                blanks = 0;
                end = fitted = pieceEnd;
                continue;
            }
            break;
        }
        lines.push_back({begin, fitted});
        begin = fitted;
    }
    return lines;
}

} // namespace

double LineHeightTwips(std::int32_t size) {
    const int units = font_metrics::Ascender + font_metrics::Descender + font_metrics::LineGap;
    return double(units) * size * TwipsPerPoint / font_metrics::UnitsPerEm;
}

double TextWidthTwips(std::string_view text, std::int32_t size, bool bold) {
    return UnitsToTwips(RunUnits(text, bold), size);
}

namespace {

// The cell of `row` that covers `column`.
const blank::TCell* CellAt(const blank::TRow& row, int column) {
    for (const blank::TCell& cell : row.Cells)
        if (cell.First <= column && column <= cell.Last)
            return &cell;
    return nullptr;
}

} // namespace

std::size_t LastRowOf(const blank::TTable& table, std::size_t row, std::size_t cell) {
    const blank::TCell& c = table.Rows.at(row).Cells.at(cell);
    std::size_t last = row;
    if (c.VMerge == blank::TVMerge::First)
        while (last + 1 < table.Rows.size()) {
            const blank::TCell* below = CellAt(table.Rows[last + 1], c.First);
            if (!below || below->VMerge != blank::TVMerge::Joined)
                break;
            ++last;
        }
    return last;
}

std::int32_t EmptyLineSize(const blank::TParagraph& paragraph) {
    std::int32_t size = paragraph.MarkSize;
    for (const blank::TRun& run : paragraph.Runs)
        size = std::max(size, run.Size);
    return size;
}

TRoom RoomOf(const blank::TTable& table, std::size_t row, std::size_t cell) {
    const blank::TCell& c = table.Rows.at(row).Cells.at(cell);
    double width = 0;
    for (int column = c.First; column <= c.Last; ++column)
        width += table.ColumnsMm.at(static_cast<std::size_t>(column));
    TRoom room;
    // The gap is written as half of it on either side, rounded as the document has it. The
    // left and right borders take nothing from the line.
    const double halfGap = units::MmToTwips(table.GapMm / 2);
    room.LineTwips = units::MmToTwips(width) - 2 * halfGap;
    const std::size_t last = LastRowOf(table, row, cell);
    for (std::size_t r = row; r <= last; ++r) {
        room.HeightTwips += units::MmToTwips(table.Rows[r].HeightMm);
        room.Grows = room.Grows || table.Rows[r].HeightMm == 0;
    }
    const double border = c.Borders.WidthPt * TwipsPerPoint;
    room.HeightTwips -= (c.Borders.Top ? border : 0) + (c.Borders.Bottom ? border : 0);
    return room;
}

std::vector<std::string> WrapParagraph(const blank::TParagraph& paragraph, double lineTwips) {
    const std::vector<TItem> items = Items(paragraph);
    std::vector<std::string> out;
    for (const TLine& line : Lines(items, lineTwips)) {
        std::string text;
        for (std::size_t i = line.Begin; i < line.End; ++i)
            text += items[i].Byte;
        out.push_back(text);
    }
    if (out.empty())
        out.emplace_back();
    return out;
}

std::vector<std::string> UnseenTexts(const std::vector<blank::TParagraph>& paragraphs,
                                     const TRoom& room) {
    const bool grows = room.Grows;
    const double height = room.HeightTwips;
    std::vector<std::string> unseen;
    double bottom = 0; // of the lines laid out so far, from the top of the cell
    for (const blank::TParagraph& paragraph : paragraphs) {
        const std::vector<TItem> items = Items(paragraph);
        std::vector<TLine> lines = Lines(items, room.LineTwips);
        bool cut = paragraph.Unbroken && lines.size() > 1;
        if (lines.empty()) {
            bottom += LineHeightTwips(EmptyLineSize(paragraph));
            cut = cut || (!grows && bottom > height);
        }
        for (const TLine& line : lines) {
            std::int32_t size = 0;
            for (std::size_t i = line.Begin; i < line.End; ++i)
                size = std::max(size, items[i].Size);
            bottom += LineHeightTwips(size);
            cut = cut || (!grows && bottom > height);
        }
        // Only what the order itself holds is reported, and an empty text is never cut.
        if (cut && !paragraph.Name.empty() && !items.empty())
            unseen.push_back(paragraph.Name);
    }
    return unseen;
}

std::vector<std::string> UnseenTexts(const blank::TPage& page) {
    std::vector<std::string> unseen;
    for (const blank::TItem& item : page.Items) {
        const auto* table = std::get_if<blank::TTable>(&item);
        if (!table)
            continue;
        for (std::size_t r = 0; r < table->Rows.size(); ++r)
            for (std::size_t c = 0; c < table->Rows[r].Cells.size(); ++c) {
                const blank::TCell& cell = table->Rows[r].Cells[c];
                if (cell.VMerge == blank::TVMerge::Joined)
                    continue;
                for (std::string& name : UnseenTexts(cell.Paragraphs, RoomOf(*table, r, c)))
                    if (std::find(unseen.begin(), unseen.end(), name) == unseen.end())
                        unseen.push_back(std::move(name));
            }
    }
    return unseen;
}

} // namespace textfit
