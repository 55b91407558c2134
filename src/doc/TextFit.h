#pragma once
// Whether a text will be seen whole in its cell of a blank: the measure of a word processor's
// line layout, so that the output command can say what the paper will not show before it is
// printed. A layout declares its cells (width, gap, the exact heights of the rows it spans,
// the runs of each paragraph with their size and style); the measure lays the paragraphs out
// as LibreOffice Writer does and tells which texts reach beyond the cell.
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

#include <cstdint>
#include <string>
#include <vector>

namespace textfit {

struct TRun {
    std::string Text;      // Windows-1251
    std::int32_t Size = 0; // points
    bool Bold = false;
};

struct TParagraph {
    std::vector<TRun> Runs;
    // The size of the paragraph when it has no runs: that of the last run before it.
    std::int32_t MarkSize = 0;
    // What the paragraph shows, as the question before printing names it; empty for the
    // texts of the form itself, which are not reported.
    std::string Name;
    // An amount or an account: breaking across lines is as bad as being cut.
    bool Unbroken = false;
};

struct TCell {
    double WidthMm = 0;
    double GapMm = 0;
    // The exact heights of the rows the cell spans (a vertical merge spans several); a 0
    // among them is a row that grows with its text, and then nothing is cut.
    std::vector<double> RowHeightsMm;
    bool BorderLeft = false, BorderRight = false, BorderTop = false, BorderBottom = false;
    double BorderWidthPt = 0;
    std::vector<TParagraph> Paragraphs;
};

// Twips: the unit of the document and of the word processor's layout.
double LineHeightTwips(std::int32_t size);
double TextWidthTwips(const std::string& text, std::int32_t size, bool bold);
// The room of a line of the cell, and the height the cell gives its paragraphs.
double LineRoomTwips(const TCell& cell);
double HeightRoomTwips(const TCell& cell);

// The lines a paragraph is laid out in, each as the text it holds (Windows-1251).
std::vector<std::string> WrapParagraph(const TParagraph& paragraph, double roomTwips);

// The names of the paragraphs of `cell` that will not be seen whole, in order.
std::vector<std::string> UnseenTexts(const TCell& cell);

} // namespace textfit
