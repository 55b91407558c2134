// The invoice's QR code found where accountants have it: on a one-page PDF invoice (the page
// drawn by Poppler, then searched) and in a 12-megapixel photo of a sheet. The floor is the
// same code decoded from a clean picture of the code alone: what reading the symbol costs
// before anything has to be found.

#include "BenchSupport.h"

#include "qr/InvoiceQr.h"

#include <benchmark/benchmark.h>

#include <QFont>
#include <QPainter>
#include <QPdfWriter>
#include <QRandomGenerator>

#include <algorithm>

#include <ZXing/BitMatrix.h>
#include <ZXing/MultiFormatWriter.h>

namespace {

// The National Bank's own example of format 002.
const char* const Link =
    "https://bank.gov.ua/qr/QkNECjAwMgoyClVDVAoK0s7CIJPR8u7s4PLu6-7js_-"
    "UClVBNzgzMjI2NjkwMDAwMDI2MDA1MDEyMTA3MzU4ClVBSDEwMzQuMjgKNDA3MjM4MjQKCgrR8u7s4PLu6-"
    "7js_ftsyDv7vHr8-PoCg";

// The code alone, four pixels a module, with its quiet zone.
QImage CodeAlone() {
    const ZXing::BitMatrix bits = ZXing::MultiFormatWriter(ZXing::BarcodeFormat::QRCode)
                                      .setMargin(4)
                                      .encode(std::string(Link), 0, 0);
    const int modules = bits.width(), scale = 4;
    QImage image(modules * scale, modules * scale, QImage::Format_Grayscale8);
    image.fill(255);
    QPainter p(&image);
    for (int y = 0; y < modules; ++y)
        for (int x = 0; x < modules; ++x)
            if (bits.get(x, y))
                p.fillRect(x * scale, y * scale, scale, scale, Qt::black);
    return image;
}

void Check(benchmark::State& state, const qr::TFound& found) {
    if (!found.Payment)
        state.SkipWithError("no payment found");
}

void BM_QrCodeAlone(benchmark::State& state) {
    const QImage code = CodeAlone();
    for (auto _ : state)
        Check(state, qr::FindInvoice(code));
}
BENCHMARK(BM_QrCodeAlone)->Unit(benchmark::kMillisecond);

// An A4 invoice: a heading, lines of text and the code 35 mm wide in its lower right corner.
std::filesystem::path InvoicePdf() {
    const auto path = bench::ScratchDir() / "invoice.pdf";
    QPdfWriter pdf(QString::fromStdString(path.string()));
    pdf.setPageSize(QPageSize(QPageSize::A4));
    pdf.setResolution(300);
    QPainter p(&pdf);
    p.setFont(QFont("Liberation Sans", 12));
    p.drawText(200, 300, "Рахунок-фактура № 17 від 01.11.2025");
    for (int line = 0; line < 30; ++line)
        p.drawText(200, 500 + line * 70, "Консультаційні послуги, рядок " + QString::number(line));
    const int side = 35 * 300 / 25.4;
    p.drawImage(QRect(2480 - 200 - side, 3508 - 300 - side, side, side), CodeAlone());
    return path;
}

void BM_QrPdfInvoice(benchmark::State& state) {
    const QString path = QString::fromStdString(InvoicePdf().string());
    for (auto _ : state)
        Check(state, qr::FindInvoiceInFile(path));
}
BENCHMARK(BM_QrPdfInvoice)->Unit(benchmark::kMillisecond)->UseRealTime();

// 4000 × 3000 pixels of a sheet under a lamp: light falling off to one side, grain, and the
// code a fifth of the picture wide, turned by 8 degrees.
QImage Photo() {
    QImage photo(4000, 3000, QImage::Format_Grayscale8);
    auto* random = QRandomGenerator::global();
    for (int y = 0; y < photo.height(); ++y) {
        uchar* row = photo.scanLine(y);
        for (int x = 0; x < photo.width(); ++x)
            row[x] = static_cast<uchar>(
                std::clamp(215 - x / 60 + static_cast<int>(random->bounded(17)) - 8, 0, 255));
    }
    QPainter p(&photo);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.translate(2400, 1700);
    p.rotate(8);
    p.setCompositionMode(QPainter::CompositionMode_Multiply);
    p.drawImage(QRect(-400, -400, 800, 800), CodeAlone());
    return photo;
}

void BM_QrPhoto12MP(benchmark::State& state) {
    const QImage photo = Photo();
    for (auto _ : state)
        Check(state, qr::FindInvoice(photo));
}
BENCHMARK(BM_QrPhoto12MP)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
