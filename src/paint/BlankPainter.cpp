#include "paint/BlankPainter.h"

#include "doc/LiberationSansMetrics.h"
#include "doc/TextFit.h"
#include "doc/Units.h"
#include "formkit/QtText.h"

#include <QBuffer>
#include <QFont>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>
#include <cmath>
#include <map>
#include <string_view>
#include <utility>

namespace paint {
namespace {

// A4 as the document gives it to the word processor, twips.
constexpr double kPortraitWidth = 11906, kPortraitHeight = 16838;
constexpr double kLandscapeWidth = 16840, kLandscapeHeight = 11907;
constexpr double kTwipsPerPoint = 20;
constexpr double kTwipsPerInch = 1440;

// Lengths as the document holds them: whole twips, rounded as the RTF writer rounds.
double Twips(double mm) {
    return units::MmToTwips(mm);
}

bool IsBlank(char c) {
    return c == ' ';
}

// A word of a line: the characters between blanks, of one run.
struct TWord {
    std::string_view Text;
    std::int32_t Size;
    bool Bold;
    double X;         // from the start of the line
    int BlanksBefore; // from the line's first word: where a justified line stretches
};

struct TLine {
    std::vector<TWord> Words;
    double Width = 0; // to the end of its last word: the blanks that end a line take no room
    double Height = 0;
    double Ascent = 0; // from the top of the line to its baseline
};

// The word processor puts a line's gap above its text: the baseline is below the gap and the
// ascender.
double BaselineTwips(std::int32_t size) {
    return double(font_metrics::LineGap + font_metrics::Ascender) * size * kTwipsPerPoint /
           font_metrics::UnitsPerEm;
}

// The lines of a paragraph in a room of `room` twips, broken where the fit measure breaks
// them. A line is as high as the largest size on it; an empty paragraph is one line in the
// size of its mark, or of its empty runs when it has some.
std::vector<TLine> SetLines(const blank::TParagraph& paragraph, double room) {
    const std::vector<std::string> texts = textfit::WrapParagraph(paragraph, room);
    std::vector<TLine> lines;
    lines.reserve(texts.size());
    std::size_t run = 0, at = 0; // where the next line starts: a run, a byte of it
    for (const std::string& text : texts) {
        TLine line;
        std::int32_t size = 0;
        double x = 0;
        int blanks = 0;
        bool started = false;
        for (std::size_t left = text.size(); left > 0 && run < paragraph.Runs.size();) {
            const blank::TRun& r = paragraph.Runs[run];
            const std::size_t take = std::min(left, r.Text.size() - at);
            const std::string_view piece = std::string_view(r.Text).substr(at, take);
            if (take > 0)
                size = std::max(size, r.Size);
            for (std::size_t i = 0; i < piece.size();) {
                if (IsBlank(piece[i])) {
                    blanks += started ? 1 : 0;
                    ++i;
                    continue;
                }
                std::size_t end = i;
                while (end < piece.size() && !IsBlank(piece[end]))
                    ++end;
                // Where the word starts: the piece before it with the kerning of the pair
                // across.
                const double start =
                    x +
                    textfit::TextWidthTwips(std::string(piece.substr(0, i + 1)), r.Size, r.Bold) -
                    textfit::TextWidthTwips(std::string(piece.substr(i, 1)), r.Size, r.Bold);
                const std::string_view word = piece.substr(i, end - i);
                line.Words.push_back({word, r.Size, r.Bold, start, blanks});
                line.Width = start + textfit::TextWidthTwips(std::string(word), r.Size, r.Bold);
                started = true;
                i = end;
            }
            x += textfit::TextWidthTwips(std::string(piece), r.Size, r.Bold);
            left -= take;
            at += take;
            if (at == r.Text.size()) {
                ++run;
                at = 0;
            }
        }
        if (size == 0)
            size = textfit::EmptyLineSize(paragraph);
        line.Height = textfit::LineHeightTwips(size);
        line.Ascent = BaselineTwips(size);
        lines.push_back(std::move(line));
    }
    return lines;
}

double HeightOf(const std::vector<TLine>& lines) {
    double height = 0;
    for (const TLine& line : lines)
        height += line.Height;
    return height;
}

double BorderTwips(const blank::TBorders& borders, bool visible) {
    return visible && borders.WidthPt > 0 ? borders.WidthPt * kTwipsPerPoint : 0;
}

// Where the lines of a paragraph go across: `left` and `room` are those of its text. In a
// cell (`cell` not empty) a line whose baseline is inside the cell is shown whole, its
// descenders below the cell's edge included, and the others are cut at the edge: what the
// word processor prints.
void PutLines(TSheet& sheet, const std::vector<TLine>& lines, blank::TAlign align, double left,
              double room, double& top, const QRectF& cell) {
    for (std::size_t l = 0; l < lines.size(); ++l) {
        const TLine& line = lines[l];
        QRectF clip = cell;
        if (!cell.isNull() && top + line.Ascent <= cell.bottom())
            clip.setBottom(std::max(cell.bottom(), top + line.Height));
        double x = left;
        double stretch = 0;
        switch (align) {
        case blank::TAlign::Left:
            break;
        case blank::TAlign::Right:
            x = left + room - line.Width;
            break;
        case blank::TAlign::Centre:
            x = left + (room - line.Width) / 2;
            break;
        case blank::TAlign::Justify:
            // Every line but the paragraph's last fills the room at its blanks.
            if (l + 1 < lines.size() && !line.Words.empty() && line.Words.back().BlanksBefore > 0)
                stretch = std::max(0.0, room - line.Width) / line.Words.back().BlanksBefore;
            break;
        }
        const double baseline = top + line.Ascent;
        for (const TWord& word : line.Words)
            sheet.Texts.push_back({QPointF(x + word.X + stretch * word.BlanksBefore, baseline),
                                   FromCp1251(word.Text), word.Size, word.Bold, clip});
        top += line.Height;
    }
}

void PutBox(TSheet& sheet, const QRectF& box, const blank::TBorders& borders) {
    const double width = borders.WidthPt * kTwipsPerPoint;
    if (!(width > 0))
        return;
    // The word processor draws a rule along the top of the line between two rows, and one
    // between two columns across it.
    const QPointF down(0, width / 2);
    if (borders.Top)
        sheet.Strokes.push_back({QLineF(box.topLeft() + down, box.topRight() + down), width});
    if (borders.Bottom)
        sheet.Strokes.push_back({QLineF(box.bottomLeft() + down, box.bottomRight() + down), width});
    if (borders.Left)
        sheet.Strokes.push_back({QLineF(box.topLeft(), box.bottomLeft()), width});
    if (borders.Right)
        sheet.Strokes.push_back({QLineF(box.topRight(), box.bottomRight()), width});
}

class TLayouter {
public:
    explicit TLayouter(const blank::TPage& page) {
        Out.Landscape = page.Landscape;
        Out.PaperTwips = page.Landscape ? QSizeF(kLandscapeWidth, kLandscapeHeight)
                                        : QSizeF(kPortraitWidth, kPortraitHeight);
        Left = Twips(page.MarginLeftMm);
        Right = Out.PaperTwips.width() - Twips(page.MarginRightMm);
        Top = Twips(page.MarginTopMm);
        Bottom = Out.PaperTwips.height() - Twips(page.MarginBottomMm);
        Out.MarginsTwips =
            QMarginsF(Left, Top, Out.PaperTwips.width() - Right, Out.PaperTwips.height() - Bottom);
        Out.Sheets.emplace_back();
        Y = Top;
        for (const blank::TItem& item : page.Items) {
            if (const auto* table = std::get_if<blank::TTable>(&item))
                PutTable(*table);
            else
                PutParagraph(std::get<blank::TParagraph>(item));
        }
    }

    TLaidOutPage Out;

private:
    // Room for `height` more on this sheet, or the next sheet; what is higher than a whole
    // sheet starts one all the same.
    void MakeRoom(double height) {
        if (Y + height > Bottom && Y > Top) {
            Out.Sheets.emplace_back();
            Y = Top;
        }
    }

    void PutParagraph(const blank::TParagraph& paragraph) {
        const double room = Right - Left;
        for (const TLine& line : SetLines(paragraph, room)) {
            MakeRoom(line.Height);
            PutLines(Out.Sheets.back(), {line}, paragraph.Align, Left, room, Y, QRectF());
        }
    }

    struct TPlacedRow {
        std::size_t Sheet;
        double Top, Height;
    };

    // The word processor starts the text of every cell of a row below the widest top border
    // of the row, and takes nothing off its bottom for a bottom border (the rule is drawn
    // below the row's edge).
    static double TopBorderOf(const blank::TRow& row) {
        double widest = 0;
        for (const blank::TCell& cell : row.Cells)
            if (cell.VMerge != blank::TVMerge::Joined)
                widest = std::max(widest, BorderTwips(cell.Borders, cell.Borders.Top));
        return widest;
    }

    // What a row that grows with its text needs: the highest of its cells that end in it.
    static double GrownHeight(const blank::TTable& table, std::size_t row) {
        double height = 0;
        const std::vector<blank::TCell>& cells = table.Rows[row].Cells;
        for (std::size_t c = 0; c < cells.size(); ++c) {
            const blank::TCell& cell = cells[c];
            if (cell.VMerge == blank::TVMerge::Joined || textfit::LastRowOf(table, row, c) != row)
                continue;
            const double room = textfit::RoomOf(table, row, c).LineTwips;
            double text = 0;
            for (const blank::TParagraph& paragraph : cell.Paragraphs)
                text += HeightOf(SetLines(paragraph, room));
            height = std::max(height, text);
        }
        return TopBorderOf(table.Rows[row]) + height;
    }

    void PutTable(const blank::TTable& table) {
        // The word processor starts the first cell's text at the margin: the row's left edge
        // is half a gap to the left of it.
        const double halfGap = Twips(table.GapMm / 2);
        const double left = Left - halfGap;
        std::vector<double> edges{left};
        double mm = 0;
        for (const double column : table.ColumnsMm) {
            mm += column;
            edges.push_back(left + Twips(mm));
        }
        std::vector<TPlacedRow> rows;
        rows.reserve(table.Rows.size());
        for (std::size_t r = 0; r < table.Rows.size(); ++r) {
            const double height =
                table.Rows[r].HeightMm != 0 ? Twips(table.Rows[r].HeightMm) : GrownHeight(table, r);
            MakeRoom(height);
            rows.push_back({Out.Sheets.size() - 1, Y, height});
            Y += height;
        }
        auto edge = [&edges](int column) {
            return edges[static_cast<std::size_t>(
                std::clamp(column, 0, static_cast<int>(edges.size()) - 1))];
        };
        for (std::size_t r = 0; r < table.Rows.size(); ++r)
            for (std::size_t c = 0; c < table.Rows[r].Cells.size(); ++c) {
                const blank::TCell& cell = table.Rows[r].Cells[c];
                if (cell.VMerge == blank::TVMerge::Joined)
                    continue;
                const std::size_t last = textfit::LastRowOf(table, r, c);
                const double left = edge(cell.First), right = edge(cell.Last + 1);
                // The block on each sheet its rows reach; the text is in its first part.
                bool first = true;
                for (std::size_t from = r; from <= last;) {
                    std::size_t to = from;
                    while (to + 1 <= last && rows[to + 1].Sheet == rows[from].Sheet)
                        ++to;
                    const QRectF box(QPointF(left, rows[from].Top),
                                     QPointF(right, rows[to].Top + rows[to].Height));
                    TSheet& sheet = Out.Sheets[rows[from].Sheet];
                    PutBox(sheet, box, cell.Borders);
                    if (first)
                        PutCellText(sheet, cell, textfit::RoomOf(table, r, c).LineTwips, box,
                                    halfGap, TopBorderOf(table.Rows[r]));
                    first = false;
                    from = to + 1;
                }
            }
    }

    // The text of a cell: at its top, middle or bottom while it fits, from its top and cut at
    // its bottom when it does not.
    static void PutCellText(TSheet& sheet, const blank::TCell& cell, double room, const QRectF& box,
                            double halfGap, double topBorder) {
        std::vector<std::pair<std::vector<TLine>, blank::TAlign>> paragraphs;
        double height = 0;
        for (const blank::TParagraph& paragraph : cell.Paragraphs) {
            paragraphs.emplace_back(SetLines(paragraph, room), paragraph.Align);
            height += HeightOf(paragraphs.back().first);
        }
        const double top = box.top() + topBorder;
        const double bottom = box.bottom();
        double y = top;
        if (height <= bottom - top) {
            if (cell.VAlign == blank::TVAlign::Centre)
                y = top + (bottom - top - height) / 2;
            else if (cell.VAlign == blank::TVAlign::Bottom)
                y = bottom - height;
        }
        for (const auto& [lines, align] : paragraphs)
            PutLines(sheet, lines, align, box.left() + halfGap, room, y, box);
    }

    double Left = 0, Right = 0, Top = 0, Bottom = 0;
    double Y = 0;
};

} // namespace

TLaidOutPage Layout(const blank::TPage& page) {
    return TLayouter(page).Out;
}

void Paint(QPainter& painter, const TLaidOutPage& page, std::size_t sheet, const QRectF& paper) {
    if (sheet >= page.Sheets.size())
        return;
    const TSheet& drawn = page.Sheets[sheet];
    painter.save();
    painter.translate(paper.topLeft());
    painter.scale(paper.width() / page.PaperTwips.width(),
                  paper.height() / page.PaperTwips.height());
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);

    const double dot = 1 / std::max(1e-9, std::abs(painter.deviceTransform().m11()));
    for (const TStroke& stroke : drawn.Strokes) {
        QPen pen(Qt::black, std::max(stroke.WidthTwips, dot), Qt::SolidLine, Qt::SquareCap);
        painter.setPen(pen);
        painter.drawLine(stroke.Line);
    }

    painter.setPen(Qt::black);
    std::map<std::pair<std::int32_t, bool>, QFont> fonts;
    auto font = [&fonts](std::int32_t size, bool bold) -> const QFont& {
        auto at = fonts.find({size, bold});
        if (at == fonts.end()) {
            QFont f(QStringLiteral("Arial"));
            // Sizes in twips, the painter's unit: whole points are whole twips.
            f.setPixelSize(std::max(1, size * int(kTwipsPerPoint)));
            f.setBold(bold);
            f.setKerning(true);
            f.setHintingPreference(QFont::PreferNoHinting);
            at = fonts.emplace(std::make_pair(size, bold), f).first;
        }
        return at->second;
    };
    // The texts of one cell follow each other: its cut is set once for them.
    for (std::size_t i = 0; i < drawn.Texts.size();) {
        const QRectF clip = drawn.Texts[i].Clip;
        painter.save();
        if (!clip.isNull())
            painter.setClipRect(clip, Qt::IntersectClip);
        for (; i < drawn.Texts.size() && drawn.Texts[i].Clip == clip; ++i) {
            const TText& text = drawn.Texts[i];
            painter.setFont(font(text.Size, text.Bold));
            painter.drawText(text.Baseline, text.Text);
        }
        painter.restore();
    }
    painter.restore();
}

QByteArray Pdf(const TLaidOutPage& page, const QString& title) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setTitle(title);
        writer.setCreator(QStringLiteral("Квирен"));
        // A device unit of one twip: the paper's lengths go in as the document has them.
        writer.setResolution(int(kTwipsPerInch));
        writer.setPageLayout(
            QPageLayout(QPageSize(QPageSize::A4),
                        page.Landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                        QMarginsF(0, 0, 0, 0)));
        QPainter painter(&writer);
        for (std::size_t sheet = 0; sheet < page.Sheets.size(); ++sheet) {
            if (sheet > 0)
                writer.newPage();
            Paint(painter, page, sheet, QRectF(QPointF(0, 0), page.PaperTwips));
        }
    }
    return bytes;
}

void WritePdf(const TLaidOutPage& page, const QString& title, const std::filesystem::path& path,
              platform::TDurability durability) {
    const QByteArray pdf = Pdf(page, title);
    platform::WriteFileAtomically(
        path, std::string_view(pdf.constData(), static_cast<std::size_t>(pdf.size())), durability);
}

} // namespace paint
