#pragma once
// Whether a text will be seen whole in its cell of a blank: the measure of a word processor's
// line layout, so that the output command can say what the paper will not show before it is
// printed. It reads the blank's description (doc/Blank.h): the room of each cell from the
// shape of its table, the runs of each paragraph with their size and style; it lays the
// paragraphs out as LibreOffice Writer does and tells which texts reach beyond the cell.
//
// The model of the word processor, checked against LibreOffice Writer's renders of blanks:
// - Text is set in Liberation Sans (metric-compatible with Arial, the blank's font) by the
//   advances of its glyphs, the pairs of a run kerned as the font says (Writer kerns). A line
//   holds the cell's width less the gap (half of it on either side); the left and right
//   borders take nothing from it.
// - Lines end at blanks and after a hyphen inside a word ("М-" / "500"); the blanks at the
//   end of a line take no room. A word longer than a line is broken after the last
//   character that fits, and at least one character stays on the line.
// - A line is as high as the font's ascender, descender and line gap (hhea) at the largest
//   size on it. An empty paragraph is one line in the size of the run before it.
// - A cell holds the exact heights of its rows together (its top and bottom borders counted
//   against it, the safe side); when its paragraphs together are higher, they start at its
//   top whatever its vertical alignment, and every line whose bottom reaches beyond the
//   cell is cut (Writer shows the upper part of the first such line, nothing below it).

#include "doc/Blank.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace textfit {

// What a cell of a table gives its text, in twips.
struct TRoom {
    // A line: the width of the cell's columns less the gap, half of it on either side.
    double LineTwips = 0;
    // The exact heights of the rows the cell spans down to the last one merged with it, less
    // its top and bottom borders.
    double HeightTwips = 0;
    // One of those rows grows with its text: nothing is cut.
    bool Grows = false;
};

// Twips: the unit of the document and of the word processor's layout.
double LineHeightTwips(std::int32_t size);
double TextWidthTwips(std::string_view text, std::int32_t size, bool bold);
// The last row of the block that cell `cell` of row `row` of `table` covers (0-based): the
// cell's own row, or the last of the cells merged with it below.
std::size_t LastRowOf(const blank::TTable& table, std::size_t row, std::size_t cell);
// The size of the one line an empty paragraph takes: that of its mark, or of its empty runs.
std::int32_t EmptyLineSize(const blank::TParagraph& paragraph);
// The room of cell `cell` of row `row` of `table` (0-based). Only the table's shape counts:
// its columns, gap, row heights, merges and borders, not the cell's paragraphs.
TRoom RoomOf(const blank::TTable& table, std::size_t row, std::size_t cell);

// The lines a paragraph is laid out in, each as the text it holds (Windows-1251).
std::vector<std::string> WrapParagraph(const blank::TParagraph& paragraph, double lineTwips);

// The names of the paragraphs that will not be seen whole in a cell of that room, in order.
std::vector<std::string> UnseenTexts(const std::vector<blank::TParagraph>& paragraphs,
                                     const TRoom& room);
// The same for every cell of every table of a page (a cell merged with the one above shows
// nothing of its own), each name once, in the order of the page.
std::vector<std::string> UnseenTexts(const blank::TPage& page);

} // namespace textfit
