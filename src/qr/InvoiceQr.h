#pragma once
// The payment QR code of an invoice, found in a picture (PNG, JPEG) or in a PDF (every page),
// or given as text (the link or the data). Only a code whose content the invoice reader
// accepts counts: a code that is damaged, not a payment, or not there gives a message and
// no payload, never part of one.

#include <QImage>
#include <QString>

#include <optional>
#include <string>
#include <vector>

namespace qr {

// The content of every QR code ZXing finds in `image`, as bytes (a payment's data may be
// Windows-1251, which no text of the decoder would keep), in the order found.
std::vector<std::string> QrContents(const QImage& image);

struct TFound {
    // The content of the first code that is a payment: what TPlatEditor::FillFromInvoice and
    // invoice::ParsePayload take.
    std::optional<std::string> Payload;
    // Why there is none (Russian, Windows-1251): no code at all, or what the reader said of
    // the last code that was not a payment.
    std::string Message;
};

// The payment QR code in a picture.
TFound FindInvoice(const QImage& image);
// The payment QR code in the file at `path`: a PDF (each page drawn until one has the code),
// a picture Qt can read, or a text file holding the link or the data.
TFound FindInvoiceInFile(const QString& path);
// What vantrel-print --invoice takes: the name of such a file, or the text itself (a link,
// or data beginning with "BCD").
TFound FindInvoiceIn(const std::string& fileOrText);

} // namespace qr
