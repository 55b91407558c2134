// The page set on its sheets (doc/PageLayout.h), checked on the layout's data: where a cell's
// text stands across and down, its weight, the cut line between the copies, what an exact row
// cuts and an automatic row grows to, the next sheet; the preview's zooms; and the PDF of it.

#include "paint/BlankPainter.h"

#include "doc/PlatRTFDoc.h"
#include "doc/TextFit.h"
#include "doc/Units.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <optional>

using namespace testing_support;

namespace {

// The page's text starts 15 mm from the paper's left edge and 14 mm from its top.
constexpr double kLeft = 850, kTop = 794;
constexpr double kCentre = units::A4WidthTwips / 2;

blank::TParagraph Para(const std::string& utf8, blank::TAlign align = blank::TAlign::Left,
                       std::int32_t size = 9) {
    blank::TParagraph p;
    p.Runs.push_back({W(utf8), size, false});
    p.Align = align;
    p.MarkSize = size;
    return p;
}

blank::TCell Cell(std::vector<blank::TParagraph> paragraphs,
                  blank::TVAlign v = blank::TVAlign::Top) {
    blank::TCell c;
    c.Paragraphs = std::move(paragraphs);
    c.VAlign = v;
    return c;
}

blank::TPage Page(std::vector<blank::TItem> items) {
    blank::TPage page;
    page.MarginLeftMm = page.MarginRightMm = 15;
    page.MarginTopMm = page.MarginBottomMm = 14;
    page.FontName = "Arial";
    page.Items = std::move(items);
    return page;
}

// One table of a 40 mm column and a 1 mm gap: the text of its cell from the margin over
// 2212 twips (40 mm less the gap).
blank::TTable Table(std::vector<blank::TRow> rows) {
    blank::TTable table;
    table.ColumnsMm = {40};
    table.GapMm = 1;
    table.Rows = std::move(rows);
    return table;
}

// The one word of a 10 mm row's cell, set as asked.
layout::TText Word(blank::TAlign align, blank::TVAlign v) {
    return layout::Lay(Page({Table({{10, {Cell({Para("Слово", align)}, v)}}})}))
        .Sheets.at(0)
        .Texts.at(0);
}

double Width(const layout::TText& text) {
    return textfit::TextWidthTwips(text.Text, text.Size, text.Bold);
}

// From the top of a 9 pt line to its baseline, and its height.
const double kAscent = (67 + 1854) * 9 * 20 / 2048.0;
const double kLine = textfit::LineHeightTwips(9);

layout::TPage Order(bool boldPayer) {
    TPlatData d;
    d.Number = 7;
    d.Texts[order::TField::PayerName] = W("Альфа");
    d.Texts[order::TField::RecipientName] = W("Бета");
    d.BoldPlatName = boldPayer;
    return layout::Lay(d.Blank());
}

// Whether the word is drawn bold: in the layout, and in the font the painter takes for it.
double Bold(const layout::TPage& page, const std::string& utf8) {
    for (const layout::TText& text : page.Sheets.at(0).Texts)
        if (text.Text == W(utf8))
            return text.Bold && paint::FontOf(text).bold() ? 1 : 0;
    return -1;
}

// How far the lines of hyphens between the copies stand off the middle of the page.
double CutLineOffCentre() {
    std::map<double, std::pair<double, double>> lines; // baseline: the leftmost, the rightmost
    const layout::TPage page = Order(false);
    for (const layout::TText& text : page.Sheets.at(0).Texts)
        if (text.Text == "-") {
            auto [at, fresh] = lines.try_emplace(text.Baseline, text.X, text.X + Width(text));
            at->second = {std::min(at->second.first, text.X),
                          std::max(at->second.second, text.X + Width(text))};
        }
    double off = lines.empty() ? 1e9 : 0;
    for (const auto& [baseline, ends] : lines)
        off = std::max(off, std::abs((ends.first + ends.second) / 2 - kCentre));
    return off;
}

// Pixels of the paper's `twips` in the preview at `zoom` in a room of `width` by `height`.
double Zoomed(paint::TZoom zoom, double width, double height, double twips, int sheets = 1) {
    layout::TPage page = layout::Lay(Page({}));
    page.Sheets.resize(std::size_t(sheets));
    const paint::TViewRoom room{width, height, 12, 15, 96};
    return paint::ZoomScale(zoom, page, room) * twips / units::TwipsPerMm;
}

} // namespace

TEST(PageLayoutTest, WhereThePageIsSet) {
    using A = blank::TAlign;
    using V = blank::TVAlign;
    const std::vector<blank::TParagraph> three = {Para("Один"), Para("Два"), Para("Три")};
    struct TCase {
        const char* What;
        std::function<double()> Got;
        double Want;
    };
    const TCase cases[] = {
        {"left: at the margin", [] { return Word(A::Left, V::Top).X; }, kLeft},
        {"right: at the column's edge less half the gap",
         [] {
             const layout::TText w = Word(A::Right, V::Top);
             return w.X + Width(w);
         },
         kLeft + 2212},
        {"centre: in the middle of the text's room",
         [] {
             const layout::TText w = Word(A::Centre, V::Top);
             return w.X + Width(w) / 2;
         },
         kLeft + 1106},
        {"top: the line's top at the row's",
         [] { return Word(A::Left, V::Top).Baseline - kAscent; }, kTop},
        {"middle: the line's middle at the row's",
         [] { return Word(A::Left, V::Centre).Baseline - kAscent + kLine / 2; }, kTop + 567 / 2.0},
        {"bottom: the line's bottom at the row's",
         [] { return Word(A::Left, V::Bottom).Baseline - kAscent + kLine; }, kTop + 567},
        {"the payer's name bold when asked", [] { return Bold(Order(true), "Альфа"); }, 1},
        {"the payer's name regular when not", [] { return Bold(Order(false), "Альфа"); }, 0},
        {"the recipient's name as its own option says", [] { return Bold(Order(true), "Бета"); },
         0},
        {"the cut line between the copies centred", CutLineOffCentre, 0},
        {"a row of exactly 5 mm cuts its third line at its bottom",
         [&three] {
             return layout::Lay(Page({Table({{5, {Cell(three)}}})}))
                 .Sheets[0]
                 .Texts.at(2)
                 .Clip.Bottom();
         },
         kTop + 284},
        {"a row that grows holds its three lines: the next row's box starts below them",
         [&three] {
             blank::TCell boxed = Cell({Para("")});
             boxed.Borders.Top = true;
             const auto page = layout::Lay(Page({Table({{0, {Cell(three)}}, {5, {boxed}}})}));
             return page.Sheets[0].Rules.at(0).Y1 - 5;
         },
         kTop + 3 * kLine},
        {"a page longer than its sheet goes on to the next",
         [] {
             std::vector<blank::TRow> rows(30, blank::TRow{9, {Cell({Para("Рядок")})}});
             return double(layout::Lay(Page({Table(rows)})).Sheets.size());
         },
         2},
        {"whole page (Ctrl+1) in a tall room: the sheet's width",
         [] { return Zoomed(paint::TZoom::WholePage, 400, 1000, units::A4WidthTwips); }, 376},
        {"whole page (Ctrl+1) in a wide room: the sheet's height",
         [] { return Zoomed(paint::TZoom::WholePage, 1000, 600, units::A4HeightTwips); }, 576},
        {"whole page of two sheets: room for the scroll bar",
         [] { return Zoomed(paint::TZoom::WholePage, 400, 1000, units::A4WidthTwips, 2); }, 361},
        {"page width (Ctrl+2): the sheet's width and the scroll bar",
         [] { return Zoomed(paint::TZoom::PageWidth, 1000, 600, units::A4WidthTwips); }, 961},
        {"100 % (Ctrl+0): an inch of paper is an inch of the screen",
         [] { return Zoomed(paint::TZoom::ActualSize, 1000, 600, 1440); }, 96},
    };
    for (const TCase& c : cases)
        EXPECT_NEAR(c.Got(), c.Want, 0.5) << c.What;
}

// The PDF has a page for every sheet, and its text is the page's.
TEST(PainterTest, ThePdfHasEverySheetAndItsText) {
    blank::TTable table = Table({});
    for (int row = 1; row <= 30; ++row)
        table.Rows.push_back({9, {Cell({Para("Рядок " + std::to_string(row))})}});
    const QByteArray pdf = paint::Pdf(
        layout::Lay(Page({Para("Платіжне доручення №125", blank::TAlign::Centre, 11), table})),
        QStringLiteral("Доручення"));
    EXPECT_EQ(CountPdfPages(pdf.toStdString()), 2u);
    const std::optional<std::string> text = PdfText(pdf.toStdString(), "-layout");
    if (!text)
        GTEST_SKIP() << "pdftotext is not installed";
    for (const char* expected : {"Платіжне доручення №125", "Рядок 1", "Рядок 29", "Рядок 30"})
        EXPECT_NE(text->find(expected), std::string::npos) << expected << " in " << *text;
}
