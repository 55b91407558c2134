// The painter on pages made by hand: where its boxes stand, what an exact row cuts, how far an
// automatic row grows, when the page goes on to a second sheet, and the PDF of it.

#include "paint/BlankPainter.h"

#include "support/TestSupport.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <optional>

using namespace testing_support;

namespace {

constexpr double kPixelsPerMm = 8;

blank::TParagraph Para(const std::string& utf8, blank::TAlign align = blank::TAlign::Left,
                       std::int32_t size = 9) {
    blank::TParagraph p;
    p.Runs.push_back({W(utf8), size, false});
    p.Align = align;
    p.MarkSize = size;
    return p;
}

blank::TCell Cell(int first, int last, std::vector<blank::TParagraph> paragraphs = {Para("")},
                  blank::TVMerge merge = blank::TVMerge::None) {
    blank::TCell c;
    c.First = first;
    c.Last = last;
    c.VMerge = merge;
    c.Paragraphs = std::move(paragraphs);
    return c;
}

blank::TCell Boxed(blank::TCell c) {
    c.Borders.Left = c.Borders.Right = c.Borders.Top = c.Borders.Bottom = true;
    return c;
}

blank::TPage Page(std::vector<blank::TItem> items) {
    blank::TPage page;
    page.MarginLeftMm = 15;
    page.MarginRightMm = 15;
    page.MarginTopMm = 14;
    page.MarginBottomMm = 14;
    page.FontName = "Arial";
    page.Items = std::move(items);
    return page;
}

QImage Render(const blank::TPage& page, std::size_t sheet = 0) {
    const paint::TLaidOutPage laid = paint::Layout(page);
    QImage image(int(210 * kPixelsPerMm), int(297 * kPixelsPerMm), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    paint::Paint(painter, laid, sheet, QRectF(0, 0, image.width(), image.height()));
    return image;
}

// Whether anything is drawn in the rectangle of the paper, millimetres from its corner.
bool Ink(const QImage& image, double left, double top, double right, double bottom) {
    for (int y = int(top * kPixelsPerMm); y < int(bottom * kPixelsPerMm); ++y)
        for (int x = int(left * kPixelsPerMm); x < int(right * kPixelsPerMm); ++x)
            if (qGray(image.pixel(x, y)) < 160)
                return true;
    return false;
}

// The first row, from `top` down, where the column at `x` mm has ink.
double FirstInkDown(const QImage& image, double x, double top) {
    const int column = int(x * kPixelsPerMm);
    for (int y = int(top * kPixelsPerMm); y < image.height(); ++y)
        if (qGray(image.pixel(column, y)) < 160)
            return y / kPixelsPerMm;
    return -1;
}

} // namespace

// Columns of 20, 30 and 40 mm, the first cell's text at the 15 mm margin and so the row's edge
// half the 1 mm gap to the left of it; rows of 10 and 2 × 6 mm from 14 mm: a box in A, a rule
// under B–C, and a box merged down two rows with no line between them.
TEST(PainterTest, BoxesStandWhereTheColumnsAndRowsPutThem) {
    blank::TTable table;
    table.ColumnsMm = {20, 30, 40};
    table.GapMm = 1;
    blank::TCell rule = Cell(1, 2, {Para("ПРАВО", blank::TAlign::Right)});
    rule.Borders.Bottom = true;
    table.Rows.push_back({10, {Boxed(Cell(0, 0, {Para("Центр", blank::TAlign::Centre)})), rule}});
    table.Rows.push_back({6, {Boxed(Cell(0, 0, {Para("")}, blank::TVMerge::First)), Cell(1, 2)}});
    table.Rows.push_back({6, {Boxed(Cell(0, 0, {Para("")}, blank::TVMerge::Joined)), Cell(1, 2)}});
    const QImage image = Render(Page({table}));

    EXPECT_NEAR(FirstInkDown(image, 17, 5), 14, 0.3) << "the box's top";
    EXPECT_NEAR(FirstInkDown(image, 17, 14.5), 24, 0.3) << "its bottom, the merged box's top";
    EXPECT_NEAR(FirstInkDown(image, 17, 24.5), 36, 0.3) << "the merged box's bottom";
    EXPECT_NEAR(FirstInkDown(image, 50, 5), 24, 0.3) << "the rule under B-C, nothing above";
    EXPECT_TRUE(Ink(image, 14.3, 15, 14.7, 23)) << "the box's left edge";
    EXPECT_TRUE(Ink(image, 34.3, 25, 34.7, 35)) << "the merged box's right edge";
    EXPECT_FALSE(Ink(image, 34.8, 25, 105, 35)) << "the rows beside it are empty";
    // The centred word in the middle of A's text, the right one at B-C's right edge less half
    // the gap; neither touches the borders.
    EXPECT_TRUE(Ink(image, 20, 15, 25, 23));
    EXPECT_FALSE(Ink(image, 14.8, 15, 16.5, 23));
    EXPECT_FALSE(Ink(image, 32.5, 15, 34.2, 23));
    EXPECT_TRUE(Ink(image, 99.5, 15, 103.9, 23));
    EXPECT_FALSE(Ink(image, 104.1, 15, 105.5, 23));
}

// Three lines of 9 pt (3.65 mm each) in a row of exactly 5 mm: the second line shows its upper
// part, the third nothing; in a row that grows, all three show and the next row starts below
// them.
TEST(PainterTest, AnExactRowCutsItsTextAndAnAutomaticRowGrows) {
    const std::vector<blank::TParagraph> three = {Para("Один"), Para("Два"), Para("Три")};
    for (const double height : {5.0, 0.0}) {
        SCOPED_TRACE(height);
        blank::TTable table;
        table.ColumnsMm = {40};
        table.GapMm = 1;
        table.Rows.push_back({height, {Cell(0, 0, three)}});
        table.Rows.push_back({5, {Boxed(Cell(0, 0))}});
        const QImage image = Render(Page({table}));
        const double bottom = 14 + (height > 0 ? 5 : 3 * 3.65);
        EXPECT_TRUE(Ink(image, 16, 14, 54, 14 + 3.6)) << "the first line";
        EXPECT_TRUE(Ink(image, 16, 14 + 3.7, 54, std::min(bottom, 14 + 7.2))) << "the second";
        // The third line is below the cut, in the next row's box when the row is exact.
        EXPECT_EQ(height > 0 ? Ink(image, 16, 19.3, 54, 23.7) : Ink(image, 16, 21.4, 54, 24.8),
                  height == 0)
            << "the third";
        EXPECT_NEAR(FirstInkDown(image, 30, 14 + 7.4 * (height == 0)), bottom, 0.3)
            << "the next row's box";
    }
}

// Rows that reach beyond the bottom margin go on to the next sheet whole; the PDF has a page for
// every sheet, and its text is the page's.
TEST(PainterTest, APageLongerThanItsSheetGoesOnToTheNextAndThePdfHasBoth) {
    blank::TTable table;
    table.ColumnsMm = {90, 90};
    table.GapMm = 1;
    for (int row = 1; row <= 30; ++row)
        table.Rows.push_back(
            {9, {Boxed(Cell(0, 0, {Para("Рядок " + std::to_string(row))})), Cell(1, 1)}});
    const blank::TPage page =
        Page({Para("Платіжне доручення №125", blank::TAlign::Centre, 11), table});
    const paint::TLaidOutPage laid = paint::Layout(page);
    ASSERT_EQ(laid.Sheets.size(), 2u);
    // 269 mm between the margins: the title's line (4.5 mm) and 29 rows (261 mm) on the first.
    const QImage second = Render(page, 1);
    EXPECT_NEAR(FirstInkDown(second, 50, 5), 14, 0.3);
    EXPECT_FALSE(Ink(second, 15, 24, 195, 290)) << "one row on the second sheet";

    const QByteArray pdf = paint::Pdf(laid, QStringLiteral("Доручення"));
    EXPECT_EQ(CountPdfPages(pdf.toStdString()), 2u);
    const std::optional<std::string> text = PdfText(pdf.toStdString(), "-layout");
    if (!text)
        GTEST_SKIP() << "pdftotext is not installed";
    for (const char* expected : {"Платіжне доручення №125", "Рядок 1", "Рядок 29", "Рядок 30"})
        EXPECT_NE(text->find(expected), std::string::npos) << expected << " in " << *text;
}
