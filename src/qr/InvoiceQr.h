#pragma once
// The payment QR code of an invoice, found in a picture (PNG, JPEG) or in a PDF (every page),
// or given as text (the link or the data). Only a code whose content the invoice reader
// accepts counts: a code that is damaged, not a payment, or not there gives a message and
// no payload, never part of one.

#include "invoice/Invoice.h"

#include <QImage>
#include <QString>

#include <optional>
#include <string>
#include <vector>

namespace qr {

struct TFound {
    // The payment of the first code that is one.
    std::optional<invoice::TPayment> Payment;
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
// The text itself, a link or the data: no file is looked for.
TFound FindInvoiceInText(const std::string& text);

} // namespace qr
