#include "invoice/Invoice.h"

#include "platform/Cp1251.h"
#include "platform/Translate.h"
#include "requisites/BankNames.h"
#include "requisites/Requisites.h"

#include <algorithm>
#include <cstdio>
#include <vector>

namespace invoice {
namespace {

// The lines of the data, each without its line end (LF or CR LF).
std::vector<std::string_view> Lines(std::string_view data) {
    std::vector<std::string_view> lines;
    while (!data.empty()) {
        const std::size_t lf = data.find('\n');
        std::string_view line = data.substr(0, lf);
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        lines.push_back(line);
        if (lf == std::string_view::npos)
            break;
        data.remove_prefix(lf + 1);
    }
    return lines;
}

std::string_view Trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t\r\n") + 1 - first);
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size())
        return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        char c = text[i];
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
        if (c != prefix[i])
            return false;
    }
    return true;
}

bool HasNonAscii(std::string_view text) {
    for (char c : text)
        if (static_cast<unsigned char>(c) >= 0x80)
            return true;
    return false;
}

// A text field of the payment in Windows-1251: a character the code page lacks becomes the
// look-alike it has, or the payment is refused with the field named. The fields are lines of
// the order, so a control character left inside becomes a blank.
std::optional<std::string> Cp1251Field(std::string_view text, bool utf8, const std::string& what,
                                       std::string& error) {
    std::string out;
    if (!utf8) {
        out.assign(text);
    } else {
        std::size_t i = 0;
        while (i < text.size()) {
            const auto lead = static_cast<unsigned char>(text[i]);
            const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
            const std::string_view one = text.substr(i, length);
            i += length;
            if (const auto bytes = platform::Utf8ToCp1251(one)) {
                out += *bytes;
                continue;
            }
            // One character of valid UTF-8 (the whole text was checked) that the code page
            // lacks.
            char32_t cp = lead & (0x7F >> length);
            for (std::size_t k = 1; k < one.size(); ++k)
                cp = (cp << 6) | (static_cast<unsigned char>(one[k]) & 0x3F);
            const auto alike = platform::Cp1251LookAlike(cp);
            const auto byte = alike ? platform::UnicodeToCp1251(*alike) : std::nullopt;
            if (!byte) {
                char code[16];
                std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(cp));
                error = what + platform::Tr("Invoice", ": символ ") + code +
                        platform::Tr("Invoice", " не существует в кодировке Windows-1251");
                return std::nullopt;
            }
            out += static_cast<char>(*byte);
        }
    }
    for (char& c : out)
        if (static_cast<unsigned char>(c) < 0x20 || c == '\x7F')
            c = ' ';
    return std::string(Trimmed(out));
}

// "UAH" and hryvnias, with no fraction or with two digits of it; empty is no amount.
std::optional<std::optional<std::int64_t>> Amount(std::string_view text) {
    if (text.empty())
        return std::optional<std::int64_t>{};
    if (!text.starts_with("UAH"))
        return std::nullopt;
    text.remove_prefix(3);
    const std::size_t point = text.find('.');
    const std::string_view whole = text.substr(0, point);
    const std::string_view fraction =
        point == std::string_view::npos ? std::string_view{} : text.substr(point + 1);
    auto digits = [](std::string_view s) {
        return s.find_first_not_of("0123456789") == std::string_view::npos;
    };
    if (whole.empty() || whole.size() > 9 || !digits(whole) || !digits(fraction) ||
        (point != std::string_view::npos && fraction.size() != 2))
        return std::nullopt;
    std::int64_t kopecks = 0;
    for (char c : whole)
        kopecks = kopecks * 10 + (c - '0');
    kopecks *= 100;
    if (!fraction.empty())
        kopecks += (fraction[0] - '0') * 10 + (fraction[1] - '0');
    return std::optional<std::int64_t>{kopecks};
}

// The start of every refusal of a code that is not a payment.
std::string NotPayment() {
    return platform::Tr("Invoice", "Это не QR-код платежа по счёту: ");
}

// Base64URL ("-" and "_" for "+" and "/", padding optional); the standard alphabet is taken
// too. Nothing for any other character or an impossible length.
std::optional<std::string> DecodeBase64Url(std::string_view text) {
    while (text.ends_with('='))
        text.remove_suffix(1);
    if (text.size() % 4 == 1)
        return std::nullopt;
    std::string out;
    std::uint32_t bits = 0;
    int count = 0;
    for (char c : text) {
        int value;
        if (c >= 'A' && c <= 'Z')
            value = c - 'A';
        else if (c >= 'a' && c <= 'z')
            value = c - 'a' + 26;
        else if (c >= '0' && c <= '9')
            value = c - '0' + 52;
        else if (c == '-' || c == '+')
            value = 62;
        else if (c == '_' || c == '/')
            value = 63;
        else
            return std::nullopt;
        bits = (bits << 6) | static_cast<std::uint32_t>(value);
        count += 6;
        if (count >= 8) {
            count -= 8;
            out += static_cast<char>((bits >> count) & 0xFF);
        }
    }
    return out;
}

// The link's host names the format: bank.gov.ua/qr/ for 002, qr.bank.gov.ua for 003; the
// version line inside says which, so either host takes either.
constexpr std::string_view LinkStarts[] = {"https://bank.gov.ua/qr/", "https://qr.bank.gov.ua/"};

} // namespace

bool IsPayloadText(std::string_view text) {
    const std::string_view trimmed = Trimmed(text);
    return trimmed.starts_with("BCD") ||
           std::any_of(std::begin(LinkStarts), std::end(LinkStarts),
                       [&](std::string_view start) { return StartsWithNoCase(trimmed, start); });
}

std::variant<TPayment, std::string> ParsePayload(std::string_view text) {
    std::string decoded;
    const std::string_view trimmed = Trimmed(text);
    for (std::string_view start : LinkStarts) {
        if (!StartsWithNoCase(trimmed, start))
            continue;
        const auto data = DecodeBase64Url(trimmed.substr(start.size()));
        if (!data)
            return NotPayment() + platform::Tr("Invoice", "ссылка не содержит данных в Base64URL");
        decoded = *data;
        text = decoded;
        break;
    }
    std::vector<std::string_view> lines = Lines(text);
    // Format 001 may begin with its reserved start code: a line of blanks.
    while (!lines.empty() && Trimmed(lines.front()).empty())
        lines.erase(lines.begin());
    if (lines.empty() || lines[0] != "BCD")
        return NotPayment() + platform::Tr("Invoice", "нет служебной метки BCD");
    if (lines.size() < 4)
        return NotPayment() + platform::Tr("Invoice", "данные обрываются после служебной метки");
    const std::string_view version = lines[1];
    if (version != "001" && version != "002" && version != "003")
        return NotPayment() + platform::Tr("Invoice", "неизвестная версия формата «") +
               std::string(version.substr(0, 8)) +
               platform::Tr("Invoice", "» (известны 001, 002 и 003)");
    const std::string_view encoding = lines[2];
    if (encoding != "1" && encoding != "2")
        return NotPayment() + platform::Tr("Invoice", "неизвестная кодировка «") +
               std::string(encoding.substr(0, 8)) +
               platform::Tr("Invoice", "» (1 — UTF-8, 2 — Windows-1251)");
    if (lines[3] != "UCT")
        return NotPayment() + platform::Tr("Invoice", "функция «") +
               std::string(lines[3].substr(0, 8)) +
               platform::Tr("Invoice", "» — не кредитовый перевод (UCT)");
    // BCD, version, encoding, function, BIC or recipient's ID, name, IBAN, amount, code,
    // category, reference, purpose; the display text and, in 003, the lock mask, the dates
    // and the signature follow and are nothing the order prints.
    constexpr std::size_t Name = 5, Iban = 6, Sum = 7, Code = 8, Purpose = 11;
    if (lines.size() <= Purpose)
        return NotPayment() + platform::Tr("Invoice", "в данных меньше строк, чем полей платежа");

    const bool declaredUtf8 = encoding == "1";
    std::string whole;
    for (std::size_t i : {Name, Code, Purpose})
        whole += lines[i];
    const bool validUtf8 = platform::IsValidUtf8(whole);
    if (declaredUtf8 && !validUtf8)
        return NotPayment() +
               platform::Tr("Invoice", "текст не в кодировке UTF-8, указанной в данных");
    // Windows-1251 Cyrillic is practically never valid UTF-8: a text that is and holds more
    // than ASCII was converted on its way here.
    const bool utf8 = declaredUtf8 || (validUtf8 && HasNonAscii(whole));

    TPayment payment;
    std::string error;
    const auto name = Cp1251Field(lines[Name], utf8, platform::Tr("Invoice", "Получатель"), error);
    if (!name)
        return error;
    const auto purpose =
        Cp1251Field(lines[Purpose], utf8, platform::Tr("Invoice", "Назначение платежа"), error);
    if (!purpose)
        return error;
    payment.Name = *name;
    payment.Purpose = *purpose;
    if (payment.Name.empty())
        return platform::Tr("Invoice", "В QR-коде не указан получатель");

    for (char c : Trimmed(lines[Iban])) {
        if (c == ' ')
            continue;
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
        if (!((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')))
            return platform::Tr("Invoice",
                                "Счёт получателя в QR-коде содержит недопустимые символы");
        payment.Iban += c;
    }
    if (payment.Iban.size() < 5 || payment.Iban.size() > 34 || !requisites::IsIban(payment.Iban))
        return platform::Tr("Invoice", "В QR-коде нет IBAN получателя");

    // A passport's series is Cyrillic: the code is converted as the names are.
    const auto codeText =
        Cp1251Field(lines[Code], utf8, platform::Tr("Invoice", "Код получателя"), error);
    if (!codeText)
        return error;
    payment.Code = *codeText;

    const auto amount = Amount(Trimmed(lines[Sum]));
    if (!amount)
        return platform::Tr("Invoice", "Сумма в QR-коде записана неверно: «") +
               std::string(lines[Sum].substr(0, 20)) +
               platform::Tr("Invoice", "» (ожидается UAH и сумма с точкой и двумя знаками копеек)");
    payment.Kopecks = *amount;
    return payment;
}

std::string AmountText(std::int64_t kopecks) {
    const int cents = static_cast<int>(kopecks % 100);
    const char digits[] = {'.', static_cast<char>('0' + cents / 10),
                           static_cast<char>('0' + cents % 10), '\0'};
    return std::to_string(kopecks / 100) + digits;
}

std::string InvoiceLines(const TPayment& payment) {
    std::string out = "name=" + platform::Cp1251ToUtf8(payment.Name) + "\n";
    out += "code=" + platform::Cp1251ToUtf8(payment.Code) + "\n";
    out += "iban=" + payment.Iban + "\n";
    if (payment.Kopecks)
        out += "amount=" + AmountText(*payment.Kopecks) + "\n";
    out += "purpose=" + platform::Cp1251ToUtf8(payment.Purpose) + "\n";
    // Named only where the window fills it.
    if (const auto bank = requisites::BankNameOfIban(payment.Iban))
        out += "bank=" + platform::Cp1251ToUtf8(*bank) + "\n";
    return out;
}

} // namespace invoice
