// The invoice reader on any bytes, taken three ways: as they are (the data of a QR code), as
// the link that carries them in Base64URL (so that the fuzzer reaches every field through the
// decoder), and with the first byte choosing a well-formed head of either encoding and format
// followed by the rest as fields.
//
// Properties: nothing crashes; a payment that is read has an IBAN of Latin capitals and digits
// that the IBAN check takes for one, an amount of 0 to 999 999 999.99, and a name, a code and
// a purpose without line breaks or other control characters, the name never empty; what is
// refused gives a message and nothing else; the link and the data it carries read the same.

#include "FuzzCheck.h"

#include "invoice/Invoice.h"
#include "requisites/Requisites.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

using fuzz::Check;

namespace {

std::string Base64Url(std::string_view bytes) {
    static const char alphabet[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_";
    std::string out;
    std::uint32_t bits = 0;
    int count = 0;
    for (unsigned char c : bytes) {
        bits = (bits << 8) | c;
        count += 8;
        while (count >= 6) {
            count -= 6;
            out += alphabet[(bits >> count) & 63];
        }
    }
    if (count > 0)
        out += alphabet[(bits << (6 - count)) & 63];
    return out;
}

bool OneLine(const std::string& text) {
    for (char c : text)
        if (static_cast<unsigned char>(c) < 0x20)
            return false;
    return true;
}

void CheckRead(const std::variant<invoice::TPayment, std::string>& read, std::string_view input) {
    if (const auto* message = std::get_if<std::string>(&read)) {
        Check(!message->empty(), "a refusal says why", input);
        return;
    }
    const invoice::TPayment& p = std::get<invoice::TPayment>(read);
    Check(!p.Iban.empty() && requisites::IsIban(p.Iban), "the IBAN is an IBAN", input);
    for (char c : p.Iban)
        Check((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'), "IBAN of capitals and digits",
              input);
    if (p.Kopecks)
        Check(*p.Kopecks >= 0 && *p.Kopecks <= 99999999999, "the amount in range", input);
    Check(!p.Name.empty(), "a payment names its recipient", input);
    Check(OneLine(p.Name) && OneLine(p.Code) && OneLine(p.Purpose), "texts are single lines",
          input);
    Check(!invoice::InvoiceLines(p).empty(), "the lines are printed", input);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto asData = invoice::ParsePayload(bytes);
    CheckRead(asData, bytes);
    const auto asLink = invoice::ParsePayload("https://bank.gov.ua/qr/" + Base64Url(bytes));
    CheckRead(asLink, bytes);
    // Blanks and line ends around the data are trimmed in both; the same payment either way.
    if (std::holds_alternative<invoice::TPayment>(asData) &&
        std::holds_alternative<invoice::TPayment>(asLink))
        Check(std::get<invoice::TPayment>(asData) == std::get<invoice::TPayment>(asLink),
              "the link reads as its data", bytes);
    if (size > 0) {
        static const char* const heads[] = {
            "BCD\n001\n1\nUCT\n\n", "BCD\n002\n1\nUCT\n\n", "BCD\n002\n2\nUCT\n\n",
            "BCD\r\n003\r\n1\r\nUCT\r\n\r\n", "BCD\n003\n2\nUCT\n\n"};
        const std::string text = heads[data[0] % 5] + std::string(bytes.substr(1));
        CheckRead(invoice::ParsePayload(text), text);
        CheckRead(invoice::ParsePayload("https://qr.bank.gov.ua/" + Base64Url(text)), text);
    }
    return 0;
}
