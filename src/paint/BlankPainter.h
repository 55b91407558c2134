#pragma once
// The printed blank drawn with Qt: the preview on the screen, the printer and the PDF show the
// page that the word processor prints from the same description. The page is set on its
// sheets by doc/PageLayout.h; the painter converts that to Qt's types and draws it, deciding
// nothing. QtGui only.

#include "doc/PageLayout.h"
#include "platform/Files.h"

#include <QByteArray>
#include <QFont>
#include <QRectF>
#include <QString>

#include <filesystem>

class QPainter;

namespace paint {

// The font of a text, its size in twips (the painter's unit: whole points are whole twips).
QFont FontOf(const layout::TText& text);

// Draws sheet `sheet` so that the paper covers `paper` in the painter's coordinates. A line is
// never thinner than one dot of the device.
void Paint(QPainter& painter, const layout::TPage& page, std::size_t sheet, const QRectF& paper);

// The page as a PDF document, one page of A4 for every sheet.
QByteArray Pdf(const layout::TPage& page, const QString& title);
// The same written to `path` as platform::WriteOutput writes: a file is replaced without ever
// destroying the old one, a pipe or a device is written into.
void WritePdf(const layout::TPage& page, const QString& title, const std::filesystem::path& path,
              platform::TDurability durability);

// The preview's zooms: the whole sheet (Ctrl+1), the sheet's width (Ctrl+2), the paper's own
// size on the screen (Ctrl+0).
enum class TZoom { WholePage, PageWidth, ActualSize };

// Where the preview shows the sheets, in pixels.
struct TViewRoom {
    double Width = 0, Height = 0; // without scroll bars
    double Desk = 0;              // around and between the sheets
    double ScrollBar = 0;         // the width of the vertical one
    double DotsPerInch = 96;
};

// Pixels per millimetre of paper at `zoom`. A page taller than the room keeps the vertical
// scroll bar, so the widths leave room for it; the whole page leaves it out when the page is
// one sheet.
double ZoomScale(TZoom zoom, const layout::TPage& page, const TViewRoom& room);

} // namespace paint
