#pragma once
// The text an invoice's QR code carries for a credit transfer, as the National Bank defines
// it: the data itself (lines from the service mark "BCD" on, formats 001, 002 and 003) or the
// link that carries it in Base64URL (https://bank.gov.ua/qr/… for 002, https://qr.bank.gov.ua/…
// for 003). What is read is what an order takes from an invoice: the recipient's name, code
// and IBAN, the amount and the purpose, in Windows-1251 as every field of the order.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace invoice {

struct TPayment {
    std::string Name; // the recipient, Windows-1251, one line
    std::string Code; // ЄДРПОУ, РНОКПП or a passport's series and number
    std::string Iban; // Latin capitals and digits
    std::optional<std::int64_t> Kopecks; // none when the invoice leaves the amount to the payer
    std::string Purpose;                 // Windows-1251, one line, whole however long
    bool operator==(const TPayment&) const = default;
};

// The payment in `text`, or why it is none (Russian, Windows-1251). `text` is the QR code's
// content as bytes: a link, or the data in the encoding its own third line names (1 UTF-8,
// 2 Windows-1251); data that names Windows-1251 but arrives as UTF-8 (pasted from the
// clipboard, typed in a terminal) is read as UTF-8. Blanks and line breaks around a link,
// and the line of blanks that format 001 may put before "BCD", are no part of it.
std::variant<TPayment, std::string> ParsePayload(std::string_view text);

// Whether `text` is meant as an invoice's code rather than as words: the National Bank's link
// (either host, in either case) or data from "BCD" on, blanks around it aside. A paste of it
// fills the order instead of the field it lands in.
bool IsPayloadText(std::string_view text);

// The amount as vantrel-print writes it: hryvnias, a full stop, two digits of kopecks.
std::string AmountText(std::int64_t kopecks);

// What vantrel-print --invoice prints: "name=…", "code=…", "iban=…", "amount=…" (when the
// invoice has one), "purpose=…" and "bank=…" (when the IBAN is valid and the table knows its bank),
// one a line, in UTF-8.
std::string InvoiceLines(const TPayment& payment);

} // namespace invoice
