#include "paint/BlankPainter.h"

#include "doc/Units.h"
#include "formkit/QtText.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>
#include <cmath>
#include <map>
#include <utility>

namespace paint {

QFont FontOf(const layout::TText& text) {
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(std::max(1, text.Size * int(units::TwipsPerPoint)));
    font.setBold(text.Bold);
    font.setKerning(true);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

void Paint(QPainter& painter, const layout::TPage& page, std::size_t sheet, const QRectF& paper) {
    if (sheet >= page.Sheets.size())
        return;
    const layout::TSheet& drawn = page.Sheets[sheet];
    painter.save();
    painter.translate(paper.topLeft());
    painter.scale(paper.width() / page.Width, paper.height() / page.Height);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);

    const double dot = 1 / std::max(1e-9, std::abs(painter.deviceTransform().m11()));
    for (const layout::TRule& rule : drawn.Rules) {
        painter.setPen(QPen(Qt::black, std::max(rule.Width, dot), Qt::SolidLine, Qt::SquareCap));
        painter.drawLine(QLineF(rule.X1, rule.Y1, rule.X2, rule.Y2));
    }

    painter.setPen(Qt::black);
    std::map<std::pair<std::int32_t, bool>, QFont> fonts;
    // The texts of one cell follow each other: its cut is set once for them.
    for (std::size_t i = 0; i < drawn.Texts.size();) {
        const layout::TText& first = drawn.Texts[i];
        painter.save();
        if (first.Clipped)
            painter.setClipRect(
                QRectF(first.Clip.X, first.Clip.Y, first.Clip.Width, first.Clip.Height),
                Qt::IntersectClip);
        for (; i < drawn.Texts.size() && drawn.Texts[i].Clipped == first.Clipped &&
               drawn.Texts[i].Clip == first.Clip;
             ++i) {
            const layout::TText& text = drawn.Texts[i];
            auto font = fonts.find({text.Size, text.Bold});
            if (font == fonts.end())
                font = fonts.emplace(std::make_pair(text.Size, text.Bold), FontOf(text)).first;
            painter.setFont(font->second);
            painter.drawText(QPointF(text.X, text.Baseline), FromCp1251(text.Text));
        }
        painter.restore();
    }
    painter.restore();
}

QByteArray Pdf(const layout::TPage& page, const QString& title) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setTitle(title);
        writer.setCreator(QStringLiteral("Квирен"));
        // A device unit of one twip: the paper's lengths go in as the document has them.
        writer.setResolution(1440);
        writer.setPageLayout(
            QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
        QPainter painter(&writer);
        for (std::size_t sheet = 0; sheet < page.Sheets.size(); ++sheet) {
            if (sheet > 0)
                writer.newPage();
            Paint(painter, page, sheet, QRectF(0, 0, page.Width, page.Height));
        }
    }
    return bytes;
}

void WritePdf(const layout::TPage& page, const QString& title, const std::filesystem::path& path,
              platform::TDurability durability) {
    const QByteArray pdf = Pdf(page, title);
    platform::WriteOutput(
        path, std::string_view(pdf.constData(), static_cast<std::size_t>(pdf.size())), durability);
}

double ZoomScale(TZoom zoom, const layout::TPage& page, const TViewRoom& room) {
    const double width = page.Width / units::TwipsPerMm, height = page.Height / units::TwipsPerMm;
    switch (zoom) {
    case TZoom::WholePage:
        return std::min(
            (room.Width - 2 * room.Desk - (page.Sheets.size() > 1 ? room.ScrollBar : 0)) / width,
            (room.Height - 2 * room.Desk) / height);
    case TZoom::PageWidth:
        return (room.Width - 2 * room.Desk - room.ScrollBar) / width;
    case TZoom::ActualSize:
        break;
    }
    return room.DotsPerInch / 25.4;
}

} // namespace paint
