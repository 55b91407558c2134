#include "qr/InvoiceQr.h"

#include "invoice/Invoice.h"
#include "platform/Files.h"
#include "platform/Translate.h"

#include <QFile>
#include <QFileInfo>

#include <ZXing/ReadBarcode.h>
#include <poppler-qt6.h>

#include <filesystem>
#include <memory>
#include <variant>

namespace qr {
namespace {

std::vector<std::string> Read(const QImage& gray, ZXing::Binarizer binarizer) {
    ZXing::DecodeHints hints;
    hints.setFormats(ZXing::BarcodeFormat::QRCode);
    hints.setTryHarder(true);
    hints.setTryRotate(true);
    hints.setBinarizer(binarizer);
    const ZXing::ImageView view(gray.constBits(), gray.width(), gray.height(),
                                ZXing::ImageFormat::Lum, static_cast<int>(gray.bytesPerLine()));
    std::vector<std::string> contents;
    for (const ZXing::Result& result : ZXing::ReadBarcodes(view, hints))
        if (result.isValid())
            contents.emplace_back(result.bytes().begin(), result.bytes().end());
    return contents;
}

// The content of every QR code ZXing finds in `image`, as bytes (a payment's data may be
// Windows-1251, which no text of the decoder would keep), in the order found.
std::vector<std::string> QrContents(const QImage& image) {
    if (image.isNull())
        return {};
    const QImage gray = image.convertToFormat(QImage::Format_Grayscale8);
    std::vector<std::string> contents = Read(gray, ZXing::Binarizer::LocalAverage);
    // A faint or unevenly lit code that the local threshold breaks up may still stand out
    // from the page as a whole.
    if (contents.empty())
        contents = Read(gray, ZXing::Binarizer::GlobalHistogram);
    return contents;
}

// The payment among `contents`, or the reader's word on the last one.
TFound Choose(const std::vector<std::string>& contents, TFound found) {
    for (const std::string& content : contents) {
        auto parsed = invoice::ParsePayload(content);
        if (auto* payment = std::get_if<invoice::TPayment>(&parsed))
            return {std::move(*payment), {}};
        found.Message = std::get<std::string>(parsed);
    }
    return found;
}

std::string NoCode() {
    return platform::Tr("Invoice", "QR-код платежа не найден");
}

// The file's name as the messages show names: in Windows-1251, whatever the system's bytes.
std::string Shown(const QString& path) {
    return platform::DisplayPath(std::filesystem::path(QFile::encodeName(path).toStdString()));
}

bool IsPdf(const QByteArray& head) {
    return head.startsWith("%PDF-");
}

TFound FindInPdf(const QString& path) {
    const std::unique_ptr<Poppler::Document> document(Poppler::Document::load(path));
    if (!document || document->isLocked())
        return {std::nullopt, platform::Tr("Invoice", "PDF не открывается: ") + Shown(path)};
    document->setRenderHint(Poppler::Document::Antialiasing);
    TFound found{std::nullopt, NoCode()};
    // 150 dpi gives the smallest module the rules allow (0.5 mm) three pixels; a code printed
    // smaller than that, or drawn finely on a busy page, is tried again at 300.
    for (const double dpi : {150.0, 300.0}) {
        for (int i = 0; i < document->numPages(); ++i) {
            const std::unique_ptr<Poppler::Page> page(document->page(i));
            if (!page)
                continue;
            found = Choose(QrContents(page->renderToImage(dpi, dpi)), found);
            if (found.Payment)
                return found;
        }
    }
    return found;
}

} // namespace

TFound FindInvoice(const QImage& image) {
    return Choose(QrContents(image), {std::nullopt, NoCode()});
}

TFound FindInvoiceInFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {std::nullopt, platform::Tr("Invoice", "Файл не открывается: ") + Shown(path)};
    // A payload file is small; the head tells a PDF, and a picture reads itself.
    const QByteArray head = file.peek(16);
    if (IsPdf(head))
        return FindInPdf(path);
    QImage image;
    if (image.load(path))
        return FindInvoice(image);
    const QByteArray text = file.read(64 * 1024);
    return Choose({text.toStdString()}, {std::nullopt, NoCode()});
}

TFound FindInvoiceIn(const std::string& fileOrText) {
    const QString path = QFile::decodeName(fileOrText.c_str());
    if (!fileOrText.empty() && fileOrText.find('\n') == std::string::npos &&
        QFileInfo(path).isFile())
        return FindInvoiceInFile(path);
    return FindInvoiceInText(fileOrText);
}

TFound FindInvoiceInText(const std::string& text) {
    return Choose({text}, {std::nullopt, NoCode()});
}

} // namespace qr
