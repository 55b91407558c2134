#pragma once
// A small writer of Rich Text Format documents, enough for the printed payment order:
// text runs, paragraphs with tab stops, and tables of bordered, mergeable cells on A4 paper.
//
// Usage: create a TRTF (it starts cleared), set formats by assigning its public fields, add
// runs with AddText, end paragraphs with NewParagraph, write tables with BeginTable /
// NextCell / EndTable, and finally call ShowDocument (or SaveToFile / SaveAndOpen). A writer
// is good for one document.
//
// Units: every length a client gives is in millimetres (margins, indents, tab positions, row
// heights, the cell gap, column widths); font sizes are whole points; border widths are
// points. The file holds twips (see MmToTwips), half-points and twentieths of a point.
//
// Text is Windows-1251 throughout: the strings given to AddText and the font names. The file
// declares that code page and writes every byte above 0x7F as \'hh, so that the file itself
// is seven-bit. Each line of the document is one line of the file, ended by CR LF.
//
// Failures: an index beyond a fixed limit (a 101st cell in a row, a font preset beyond the
// table) throws std::out_of_range; a file that cannot be created or written throws
// platform::TFileError; the remaining problems are reported through platform::MessageBoxes().

#include "rtf/LineList.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

// ---------------------------------------------------------------------------------------
// Character format

// Bits of a font's style set. Strike-out is kept but never written to the document.
enum TFontStyle : std::uint8_t {
    fsBold = 1,
    fsItalic = 2,
    fsUnderline = 4,
    fsStrikeOut = 8,
};
// A set of TFontStyle bits, e.g. fsBold | fsUnderline; 0 is regular.
using TFontStyles = std::uint8_t;

// The character format of the next run (TRTF::Font).
struct TFont {
    std::string Name;      // Windows-1251; compared case-sensitively for the font table
    std::int32_t Size = 0; // whole points
    TFontStyles Style = 0;
};

// A 1-based table of font presets (size and style) that a layout selects by number.
// A new table is empty.
class TFontTable {
public:
    // Entry N is Sizes[N - 1] with Styles[N - 1].
    std::vector<std::int32_t> Sizes;
    std::vector<TFontStyles> Styles;

    // Replaces the table by the given entries, pairwise. Lists of different lengths show the
    // plain message "Ошибка № 1152" and the table is built from `sizes`; a `styles` list
    // shorter than `sizes` then throws std::out_of_range and leaves the table unchanged.
    void SetEntries(const std::vector<std::int32_t>& sizes, const std::vector<TFontStyles>& styles);

    // Gives `font` the size and style set of entry `n` (1-based); its name is not touched.
    // An `n` larger than the table shows the plain message "Ошибка № 5521" first; any `n`
    // outside 1..size throws std::out_of_range.
    void Apply(TFont& font, std::int32_t n) const;
};

// ---------------------------------------------------------------------------------------
// Paragraph and page format

enum : std::uint8_t { taLeft = 0, taRight = 1, taCenter = 2, taJustify = 3 }; // TPar::Alignment
enum : std::uint8_t { tkLeft = 0, tkRight = 1, tkCenter = 2 };                // TTabStop::Kind

struct TTabStop {
    double Position = 0;   // mm from the left margin
    std::uint8_t Kind = 0; // tkLeft, tkRight or tkCenter; another value writes no kind word
};

// The format of the paragraph being filled; captured when the paragraph is flushed.
class TPar {
public:
    std::int32_t FirstIndent = 0; // mm, first-line indent
    std::int32_t LeftIndent = 0;  // mm
    std::uint8_t Alignment = 0;   // taLeft..taJustify; another value writes no alignment word
    // The tab stops of one paragraph only: writing the paragraph's format empties the list,
    // so set them again for every paragraph that needs them.
    std::vector<TTabStop> Tabs;
};

// The page. The paper is A4 in both orientations.
class TPaper {
public:
    TPaper() { SetDefaults(); }
    // Margins 20, 20, 15, 15 mm (left, right, top, bottom), portrait.
    void SetDefaults();

    double MarginLeft = 0; // mm
    double MarginRight = 0;
    double MarginTop = 0;
    double MarginBottom = 0;
    std::uint8_t Orientation = 0; // 0 portrait, 1 landscape; others: error box, no paper size
};

// ---------------------------------------------------------------------------------------
// Table format

class TBorder {
public:
    void Hide() { Visible = false; }
    void Show() { Visible = true; }

    bool Visible = false;
    double Width = 0; // points; a border is written only when visible and wider than 0
};

class TBorders {
public:
    void HideAll(); // all four invisible; widths unchanged
    void ShowAll(); // all four visible; widths unchanged

    TBorder Left;
    TBorder Right;
    TBorder Top;
    TBorder Bottom;
};

// The format of one table cell. The writer's template TRTF::Cell is copied into the row's
// stored formats when a cell is finished.
class TCell {
public:
    TBorders Borders;
    // 0 none, 1 first cell of a vertically merged block, 2 merged with the cell above.
    std::uint8_t VMerge = 0;
    // 0 none, 1 first cell of a horizontally merged block, 2 merged with the cell to its left.
    std::uint8_t HMerge = 0;
    // 0 centre, 1 top, 2 bottom.
    std::uint8_t VAlign = 0;
    // 0 left to right, top to bottom; 1 top to bottom, right to left; 2 bottom to top.
    std::uint8_t TextDirection = 0;
};

// The state of the table being written (TRTF::Table).
class TTableData {
public:
    static constexpr std::int32_t MaxCells = 100;

    std::vector<std::int32_t> Widths; // mm per column; its length is the cells per row
    bool InTable = false;             // between BeginTable and EndTable
    std::int32_t CellIndex = 0;       // 0-based index of the cell being filled
    // The format of each cell of the current row, as stored when the cell was finished.
    // Cells of a padded row (EndTable) keep the formats last stored at their indices.
    std::array<TCell, MaxCells> Cells;
};

// ---------------------------------------------------------------------------------------
// The writer

class TRTF {
public:
    // Creates a cleared writer (see Clear).
    TRTF();

    // Empties the document and resets the formats: Font "Times New Roman" 10 pt regular;
    // Par FirstIndent 0 and left alignment (LeftIndent and Tabs are left as they are);
    // Cell top-aligned, unmerged, left to right, all four borders visible at 0.5 pt;
    // Paper defaults; RowHeight 0, CellGap 3.8 mm, HeaderRow false; no table open.
    void Clear();

    // Appends one run holding `s` (Windows-1251) in the current Font to the paragraph being
    // filled. An empty `s` still makes a run: it carries the font size of the paragraph mark.
    void AddText(std::string_view s);

    // Moves the paragraph being filled (its format from Par, then its runs) into the document,
    // or into the current table cell while a table is open; with a paragraph mark ("\par")
    // when `withMark` is true. Inside a table a marked paragraph is a line break in the cell.
    void FlushParagraph(bool withMark);
    // FlushParagraph with the mark. Two in a row give an empty paragraph.
    void NewParagraph();
    // Appends the lines of the current paragraph format to `list` and empties Par.Tabs.
    void WriteParagraphFormat(TLineList& list);

    // Millimetres to twips: the nearest integer to x * 56.7, ties to even, computed exactly
    // on the shortest decimal form of x (1 -> 57, 5 -> 284, 15 -> 850, 1.9 -> 108).
    // Throws std::overflow_error when the result does not fit 32 bits (or x is not finite).
    static std::int32_t MmToTwips(double x);

    // --- Tables ------------------------------------------------------------------------
    // Calling order: BeginTable; for each cell set Cell (the template) and Par, add runs and
    // paragraph ends, then NextCell; finish the last cell with EndTable. RowHeight, HeaderRow
    // and CellGap apply to the row being filled and are read when it is written; RowHeight and
    // HeaderRow are reset after every row. Merges of the template apply to the next finished
    // cell only; borders, alignment and text direction stay until changed.

    // Opens a table with these column widths (mm; at most 100 columns). Runs not yet flushed
    // become part of the first cell.
    void BeginTable(const std::vector<std::int32_t>& widths);
    // Finishes the current cell; finishing the last cell of a row writes the row.
    // Throws std::out_of_range for a 101st cell, std::logic_error outside a table.
    void NextCell();
    // Finishes the current cell, pads the row with empty cells, writes it and closes the
    // table. Throws std::logic_error outside a table.
    void EndTable();
    // Stores the template Cell as the format of cell Table.CellIndex and clears the
    // template's merges. Throws std::out_of_range for an index outside 0..99.
    void StoreCell();
    // Writes the row definition, the cells' paragraphs and the row end into Body.
    void WriteRow();

    // --- Output ------------------------------------------------------------------------
    // Closes the document (once: a second save writes the same document again) and writes it
    // to `path`, replacing any file there. Throws platform::TFileError.
    void SaveToFile(const std::filesystem::path& path);
    // SaveToFile, then asks the desktop to open the file.
    void SaveAndOpen(const std::filesystem::path& path);
    // Writes the document as "~temp" N ".rtf" (N = 1..99, the lowest free number) into
    // platform::TempDirectory(), creating that folder (one level) when it is missing, and
    // asks the desktop to open it. A name is free when no LibreOffice lock file
    // ".~lock.<name>#" exists beside it, its file was not written in the last two minutes
    // (its viewer may still be starting), no file of that name remains after deleting it,
    // and it can be created anew exclusively. Reports a missing folder or 99 taken names in
    // an error box and writes nothing then, returning false; throws platform::TFileError
    // when the file cannot be written. True when the document was handed to the desktop.
    bool ShowDocument();
    // Closes the document as SaveToFile does and returns the bytes it would write.
    std::string DocumentText();

    // --- State (public so that clients set formats by assignment) -----------------------
    std::vector<std::string> FontNames; // font table; entry i is \f i, in order of first use
    TLineList Body;                     // the document's lines after the header
    TLineList RowLines;                 // lines of the cells of the row being filled
    TLineList Runs;                     // run lines of the paragraph being filled
    std::int32_t FontIndex = 0;         // font-table index used by the last run
    TTableData Table;
    TPar Par;               // format of the paragraph being filled
    double RowHeight = 0;   // mm, exact height of the next row; 0 for automatic
    double CellGap = 3.8;   // mm between the texts of neighbouring cells
    bool HeaderRow = false; // the next row is a header row
    TCell Cell;             // format given to each cell when it is finished
    TFont Font;             // character format of the next run
    TPaper Paper;

private:
    void CloseDocument();
    // The lines before Body: the font and colour tables, the paper.
    TLineList FileHead();

    bool Closed = false;
};
