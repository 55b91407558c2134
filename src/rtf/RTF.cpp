#include "rtf/RTF.h"

#include "doc/Units.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string_view>

namespace rtf {
namespace {

class TWriter {
public:
    explicit TWriter(const blank::TPage& page) : Page(page) {}

    std::string Document() {
        Reserve();
        for (const blank::TItem& item : Page.Items) {
            if (const auto* table = std::get_if<blank::TTable>(&item)) {
                Table(*table);
            } else {
                Paragraph(Body, &std::get<blank::TParagraph>(item), false, true);
            }
        }
        // The closing paragraph takes the format of the paragraph before it.
        Paragraph(Body, nullptr, false, true);
        Body.insert(Body.size() - 2, "}");
        return Head() + Body;
    }

private:
    static void Line(std::string& out, std::string_view text) {
        out += text;
        out += "\r\n";
    }

    static void Number(std::string& out, std::string_view word, std::int64_t value) {
        char digits[24];
        out += word;
        out.append(digits, std::to_chars(digits, digits + sizeof digits, value).ptr);
    }

    static void NumberLine(std::string& out, std::string_view word, std::int64_t value) {
        Number(out, word, value);
        out += "\r\n";
    }

    static void Hex(std::string& out, unsigned char b) {
        static const char hex[] = "0123456789abcdef";
        const char escape[] = {'\\', '\'', hex[b >> 4], hex[b & 0x0F]};
        out.append(escape, 4);
    }

    // A word processor stretches every space of a run of spaces when it justifies or wraps;
    // alternating with non-breaking spaces keeps such runs (the cut line, the signature gap)
    // as wide as they were typed.
    static void Escaped(std::string& out, std::string_view text) {
        int spaces = 0;
        for (const char c : text) {
            const auto b = static_cast<unsigned char>(c);
            if (b == ' ') {
                out += ++spaces % 2 == 0 ? "\\~" : " ";
                continue;
            }
            spaces = 0;
            if (b == '\\' || b == '{' || b == '}') {
                out += '\\';
                out += c;
            } else if (b >= 0x80) {
                Hex(out, b);
            } else {
                out += c;
            }
        }
    }

    // A paragraph: the format, the runs, and the mark that ends it (in a cell, the last
    // paragraph is ended by the cell instead). Without one, an empty paragraph aligned as the
    // one before it.
    void Paragraph(std::string& out, const blank::TParagraph* paragraph, bool inTable, bool mark) {
        if (paragraph)
            Align = paragraph->Align;
        Line(out, "");
        out += inTable ? "\\pard\\intbl\\fi0\\li0" : "\\pard\\fi0\\li0";
        static constexpr const char* kAlignments[] = {"\\ql", "\\qr", "\\qc", "\\qj"};
        Line(out, kAlignments[static_cast<int>(Align)]);
        if (paragraph)
            for (const blank::TRun& run : paragraph->Runs) {
                AnyRun = true;
                Number(out, "\\plain\\f0\\fs", std::int64_t(run.Size) * 2);
                out += run.Bold ? "\\b " : " ";
                Escaped(out, run.Text);
                out += "\r\n";
            }
        if (mark)
            Line(out, "\\par");
    }

    static void Border(std::string& out, bool visible, std::string_view word, double widthPt) {
        if (!visible || !(widthPt > 0))
            return;
        Line(out, word);
        Line(out, "\\brdrs");
        NumberLine(out, "\\brdrw", units::PointsToTwips(widthPt));
    }

    // The format of one column of a cell; a cell over several columns is merged across them.
    static void ColumnFormat(std::string& out, const blank::TCell& cell, int column,
                             std::int32_t right) {
        const bool first = column == cell.First;
        if (cell.First != cell.Last)
            Line(out, first ? "\\clmgf" : "\\clmrg");
        if (first || cell.VMergeOnEveryColumn) {
            if (cell.VMerge == blank::TVMerge::First)
                Line(out, "\\clvmgf");
            else if (cell.VMerge == blank::TVMerge::Joined)
                Line(out, "\\clvmrg");
        }
        Line(out, cell.VAlign == blank::TVAlign::Bottom   ? "\\clvertalb"
                  : cell.VAlign == blank::TVAlign::Centre ? "\\clvertalc"
                                                          : "\\clvertalt");
        const blank::TBorders& b = cell.Borders;
        Border(out, b.Top, "\\clbrdrt", b.WidthPt);
        Border(out, b.Left, "\\clbrdrl", b.WidthPt);
        Border(out, b.Bottom, "\\clbrdrb", b.WidthPt);
        Border(out, b.Right, "\\clbrdrr", b.WidthPt);
        Line(out, "\\cltxlrtb");
        NumberLine(out, "\\cellx", right);
        Line(out, "");
    }

    // The row's definition comes before its cells' text: both are gathered together.
    void Table(const blank::TTable& table) {
        // Column edges from whole millimetres, as the blank's widths are.
        std::vector<std::int32_t> edges;
        std::int64_t mm = 0;
        for (const double width : table.ColumnsMm) {
            mm += std::lround(width);
            edges.push_back(units::MmToTwips(double(mm)));
        }
        for (const blank::TRow& row : table.Rows) {
            Line(Body, "");
            Line(Body, "\\trowd");
            NumberLine(Body, "\\trgaph", units::MmToTwips(table.GapMm / 2));
            if (row.HeightMm != 0)
                NumberLine(Body, "\\trrh-", units::MmToTwips(row.HeightMm));
            Line(Body, "\\trleft0");
            Line(Body, "");
            std::string definition, cells;
            for (const blank::TCell& cell : row.Cells)
                for (int column = cell.First; column <= cell.Last; ++column) {
                    const std::size_t edge =
                        std::min<std::size_t>(std::size_t(std::max(column, 0)), edges.size() - 1);
                    ColumnFormat(definition, cell, column, edges.empty() ? 0 : edges[edge]);
                    // The other columns of a span hold one empty paragraph each, aligned as
                    // the last.
                    const std::size_t count = column == cell.First ? cell.Paragraphs.size() : 0;
                    for (std::size_t i = 0; i < count; ++i)
                        Paragraph(cells, &cell.Paragraphs[i], true, i + 1 < count);
                    if (count == 0)
                        Paragraph(cells, nullptr, true, false);
                    Line(cells, "\\cell");
                }
            Body += definition;
            Body += cells;
            Line(Body, "\\row");
        }
    }

    std::string Head() const {
        std::string head;
        Line(head, "{\\rtf1\\ansi\\ansicpg1251\\deff0\\deftab720");
        Line(head, "{\\fonttbl");
        if (AnyRun) {
            head += "{\\f0\\fnil\\fcharset204 ";
            for (const char c : Page.FontName)
                if (static_cast<unsigned char>(c) >= 0x80)
                    Hex(head, static_cast<unsigned char>(c));
                else
                    head += c;
            Line(head, ";}");
        }
        Line(head, "}");
        Line(head, "{\\colortbl\\red0\\green0\\blue0;}");
        NumberLine(head, "\\paperw", std::int64_t(units::A4WidthTwips));
        NumberLine(head, "\\paperh", std::int64_t(units::A4HeightTwips));
        Line(head, "\\deflang1049");
        NumberLine(head, "\\margl", units::MmToTwips(Page.MarginLeftMm));
        NumberLine(head, "\\margr", units::MmToTwips(Page.MarginRightMm));
        NumberLine(head, "\\margt", units::MmToTwips(Page.MarginTopMm));
        NumberLine(head, "\\margb", units::MmToTwips(Page.MarginBottomMm));
        return head;
    }

    // The bytes the page will take, given at once: grown as it goes, the document would
    // leave a chain of outgrown blocks behind for every blank.
    void Reserve() {
        std::size_t bytes = 1024;
        auto paragraph = [&](const blank::TParagraph& p) {
            bytes += 32;
            for (const blank::TRun& run : p.Runs)
                bytes += 24 + 4 * run.Text.size(); // a letter is written as \'hh
        };
        for (const blank::TItem& item : Page.Items) {
            if (const auto* p = std::get_if<blank::TParagraph>(&item)) {
                paragraph(*p);
                continue;
            }
            for (const blank::TRow& row : std::get<blank::TTable>(item).Rows) {
                bytes += 64;
                for (const blank::TCell& cell : row.Cells) {
                    bytes += std::size_t(std::max(cell.Last - cell.First + 1, 0)) * 160;
                    for (const blank::TParagraph& p : cell.Paragraphs)
                        paragraph(p);
                }
            }
        }
        Body.reserve(bytes);
    }

    const blank::TPage& Page;
    std::string Body; // the document after its head
    blank::TAlign Align = blank::TAlign::Left;
    bool AnyRun = false; // the font table names the font only once a run uses it
};

} // namespace

std::string Document(const blank::TPage& page) {
    return TWriter(page).Document();
}

} // namespace rtf
