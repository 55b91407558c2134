#pragma once
// The page set on sheets of paper, as the word processor sets it: Arial (Liberation Sans),
// the lines broken where the fit measure breaks them and as high as it makes them, every row
// of an exact height cutting what does not fit, a page too long for its sheet going on to the
// next sheet, row by row. Computed once from the page's description; the painter only
// converts it to its own types and draws it.
//
// Lengths are twips from the top left corner of the paper.

#include "doc/Blank.h"

#include <cstdint>
#include <string>
#include <vector>

namespace layout {

// A rectangle as its top left corner and its size.
struct TBox {
    double X = 0, Y = 0, Width = 0, Height = 0;
    double Right() const { return X + Width; }
    double Bottom() const { return Y + Height; }
    bool operator==(const TBox&) const = default;
};

struct TRule {
    double X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;
    double Width = 0;
};

// A word of a line: words are placed one by one, so that a justified line stretches at its
// blanks and every word starts where the font's advances and kerning put it.
struct TText {
    double X = 0, Baseline = 0;
    std::string Text;      // Windows-1251
    std::int32_t Size = 0; // points
    bool Bold = false;
    // What the cell shows of it: the word processor cuts a row at its exact height. None for
    // a paragraph outside the tables.
    bool Clipped = false;
    TBox Clip;
};

struct TSheet {
    std::vector<TRule> Rules;
    std::vector<TText> Texts;
};

struct TPage {
    double Width = 0, Height = 0; // of the paper
    std::vector<TSheet> Sheets;   // at least one
};

TPage Lay(const blank::TPage& page);

} // namespace layout
