#pragma once
// The printed blank drawn with Qt: the preview on the screen, the printer and the PDF show the
// page that the word processor prints from the same description. The page is set as the word
// processor sets it: Arial (Liberation Sans), the lines broken where the fit measure breaks
// them and as high as it makes them, every row of an exact height cutting what does not fit,
// a page too long for its sheet going on to the next sheet, row by row.
//
// The painter draws what the description holds and decides nothing about it. QtGui only.

#include "doc/Blank.h"
#include "platform/Files.h"

#include <QByteArray>
#include <QLineF>
#include <QMarginsF>
#include <QRectF>
#include <QSizeF>
#include <QString>

#include <cstdint>
#include <filesystem>
#include <vector>

class QPainter;

namespace paint {

// What is drawn on one sheet of paper. Lengths are twips from the top left corner of the
// paper, the unit of the document and of the word processor's layout.
struct TStroke {
    QLineF Line;
    double WidthTwips = 0;
};

struct TText {
    QPointF Baseline; // where the text starts on its baseline
    QString Text;
    std::int32_t Size = 0; // points
    bool Bold = false;
    // What the cell shows of it: the word processor cuts a row at its exact height. Empty for
    // a paragraph outside the tables.
    QRectF Clip;
};

struct TSheet {
    std::vector<TStroke> Strokes;
    std::vector<TText> Texts;
};

struct TLaidOutPage {
    QSizeF PaperTwips; // A4, turned for a landscape page
    bool Landscape = false;
    QMarginsF MarginsTwips;     // the page's margins from the edges of the paper
    std::vector<TSheet> Sheets; // at least one
};

// Sets the page on sheets of paper.
TLaidOutPage Layout(const blank::TPage& page);

// Draws sheet `sheet` so that the paper covers `paper` in the painter's coordinates. A line is
// never thinner than one dot of the device.
void Paint(QPainter& painter, const TLaidOutPage& page, std::size_t sheet, const QRectF& paper);

// The page as a PDF document, one page of A4 for every sheet.
QByteArray Pdf(const TLaidOutPage& page, const QString& title);
// The same written to `path`, replacing it without ever destroying the old file.
void WritePdf(const TLaidOutPage& page, const QString& title, const std::filesystem::path& path,
              platform::TDurability durability);

} // namespace paint
