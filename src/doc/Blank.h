#pragma once
// A printed blank as data: the page, and on it tables of bordered, merged cells and the free
// paragraphs between them, every text already resolved from the order and the options.
// One description, several renderers: the RTF writer makes the document the word processor
// opens (byte for byte the document of the layout), the fit measure tells what will not be
// seen whole, and the window's painter draws the same page for the preview, the printer and
// the PDF. A renderer never decides what the blank holds; it only draws this.
//
// Lengths are millimetres (doc/Units.h turns them into twips), font sizes whole points.
// Text is Windows-1251.

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace blank {

struct TRun {
    std::string Text;
    std::int32_t Size = 0; // points
    bool Bold = false;
};

enum class TAlign : std::uint8_t { Left, Right, Centre, Justify };

struct TParagraph {
    std::vector<TRun> Runs;
    TAlign Align = TAlign::Left;
    // The size of the paragraph's mark, which makes the height of a paragraph without runs:
    // that of the last run written before it.
    std::int32_t MarkSize = 0;
    // What the paragraph shows, as the question before printing names it; empty for the
    // texts of the form itself, which are not reported.
    std::string Name;
    // An amount or an account: breaking across lines is as bad as being cut.
    bool Unbroken = false;
};

enum class TVAlign : std::uint8_t { Top, Centre, Bottom };

// A vertical merge: the first cell of a block, or a cell joined to the one above (which
// shows nothing of its own; the block's first cell holds the text for all its rows).
enum class TVMerge : std::uint8_t { None, First, Joined };

struct TBorders {
    bool Left = false, Right = false, Top = false, Bottom = false;
    double WidthPt = 0.5;
};

struct TCell {
    // The columns the cell covers, 0-based, First <= Last: a cell over several columns is
    // merged horizontally.
    int First = 0;
    int Last = 0;
    TBorders Borders;
    TVAlign VAlign = TVAlign::Top;
    TVMerge VMerge = TVMerge::None;
    // How the document marks the vertical merge of a cell over several columns: on its first
    // column only, or on every column it covers. The blank is drawn alike either way; only
    // the RTF writer, whose documents stay byte for byte what they were, tells them apart.
    bool VMergeOnEveryColumn = false;
    // At least one paragraph (an empty cell holds one empty paragraph).
    std::vector<TParagraph> Paragraphs;
};

struct TRow {
    // Exact height; 0 lets the row grow with its text.
    double HeightMm = 0;
    // Left to right, covering every column once.
    std::vector<TCell> Cells;
};

struct TTable {
    std::vector<double> ColumnsMm;
    // The space between the texts of neighbouring cells: half of it on either side of a
    // cell's text.
    double GapMm = 0;
    std::vector<TRow> Rows;
};

// Tables and the paragraphs between them, in the order of the page.
using TItem = std::variant<TTable, TParagraph>;

struct TPage {
    // A4, portrait.
    double MarginLeftMm = 0, MarginRightMm = 0, MarginTopMm = 0, MarginBottomMm = 0;
    std::string FontName; // every run's font
    std::vector<TItem> Items;
};

} // namespace blank
