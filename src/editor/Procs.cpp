#include "editor/Procs.h"

#include "platform/Cp1251Literal.h"
#include "platform/Files.h"
#include "platform/Translate.h"
#include "requisites/Requisites.h"
#include "settings/Options.h"
#include "store/FileList.h"
#include "words/BuhProc.h"

#include <charconv>
#include <cmath>

std::string PayerFileNameFor(std::string_view payerName, std::string_view payerAccount) {
    std::string name(payerName);
    if (!payerAccount.empty())
        name += std::string(" (р/с "_w) + std::string(payerAccount) + ")";
    return store::StripFileNameChars(name);
}

std::string PlatFileNameFor(std::string_view number, std::string_view date,
                            std::string_view recipientFileName) {
    if (number.empty())
        return {};
    std::string n(number);
    if (n.size() < 4)
        n.insert(0, 4 - n.size(), '0');
    // The interface language names the order's file; the lists read both words.
    std::string s = n + platform::Tr("FileName", " от ") + std::string(date);
    if (!recipientFileName.empty())
        s += " - " + std::string(recipientFileName);
    return "№ "_w + s;
}

std::string AmountText(std::string_view sumaGrn, std::string_view sumaKop, char decimalSeparator) {
    std::string text(sumaGrn);
    text += decimalSeparator;
    if (sumaKop.size() == 1)
        text += '0';
    text += sumaKop;
    return text;
}

std::optional<double> AmountValue(std::string_view text, char decimalSeparator) {
    size_t b = 0, e = text.size();
    while (b < e && text[b] == ' ')
        ++b;
    while (e > b && text[e - 1] == ' ')
        --e;
    text = text.substr(b, e - b);
    bool negative = false;
    if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
        negative = text[0] == '-';
        text.remove_prefix(1);
    }
    // Normalise to "digits.digits" for from_chars, which rounds to the nearest double
    // whatever the process locale says.
    std::string digits;
    bool separatorSeen = false;
    for (char c : text) {
        if (c >= '0' && c <= '9') {
            digits += c;
        } else if (c == decimalSeparator && !separatorSeen) {
            separatorSeen = true;
            digits += '.';
        } else {
            return std::nullopt;
        }
    }
    if (digits.empty() || digits == ".") {
        if (!separatorSeen)
            return std::nullopt;
        return negative ? -0.0 : 0.0;
    }
    if (digits.front() == '.')
        digits.insert(digits.begin(), '0');
    double value = 0;
    auto [ptr, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value,
                                     std::chars_format::fixed);
    if (ec != std::errc() || ptr != digits.data() + digits.size() || !std::isfinite(value))
        return std::nullopt;
    return negative ? -value : value;
}

namespace {

// Whether a field reads as a whole number in the signed 64-bit range (leading blanks and
// a sign allowed), as the amount-in-words rule requires of each amount field.
bool IsInt64Text(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && text[i] == ' ')
        ++i;
    text.remove_prefix(i);
    if (!text.empty() && text[0] == '+')
        text.remove_prefix(1);
    std::int64_t v;
    auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), v, 10);
    return !text.empty() && text[0] != '+' && ec == std::errc() && ptr == text.data() + text.size();
}

} // namespace

std::string SumaWordsFor(std::string_view sumaGrn, std::string_view sumaKop, char sep,
                         blank::TLang lang) {
    if ((!sumaGrn.empty() && !IsInt64Text(sumaGrn)) || (!sumaKop.empty() && !IsInt64Text(sumaKop)))
        return {};
    if (sumaGrn.empty() && sumaKop.empty())
        return {};
    const auto value = AmountValue(AmountText(sumaGrn, sumaKop, sep), sep);
    // A pasted sign can make the text unreadable or negative; neither has words on a
    // payment order.
    if (!value || *value < 0)
        return {};
    return AmountInWords(*value, lang);
}

std::string FormatVat(double amount, char sep) {
    if (!std::isfinite(amount))
        return {}; // no amount of money
    const long double quotient = static_cast<long double>(amount) / 6.0L;
    // 18 significant digits: d.ddddddddddddddddde±x
    char buf[64];
    auto res = std::to_chars(buf, buf + sizeof buf, quotient, std::chars_format::scientific, 17);
    std::string_view sci(buf, static_cast<size_t>(res.ptr - buf));
    bool negative = false;
    if (!sci.empty() && sci[0] == '-') {
        negative = true;
        sci.remove_prefix(1);
    }
    const size_t ePos = sci.find('e');
    std::string mantissa;
    for (char c : sci.substr(0, ePos))
        if (c != '.')
            mantissa += c;
    int exponent = 0;
    std::string_view expText = sci.substr(ePos + 1);
    if (!expText.empty() && expText[0] == '+')
        expText.remove_prefix(1);
    std::from_chars(expText.data(), expText.data() + expText.size(), exponent);

    // Split the 18 digits at the decimal point.
    const long pointAt = exponent + 1; // digits before the point
    std::string intPart, fracPart;
    if (pointAt <= 0) {
        intPart = "0";
        fracPart = std::string(static_cast<size_t>(-pointAt), '0') + mantissa;
    } else if (pointAt >= static_cast<long>(mantissa.size())) {
        intPart = mantissa + std::string(static_cast<size_t>(pointAt) - mantissa.size(), '0');
    } else {
        intPart = mantissa.substr(0, static_cast<size_t>(pointAt));
        fracPart = mantissa.substr(static_cast<size_t>(pointAt));
    }
    fracPart.resize(std::max<size_t>(fracPart.size(), 3), '0');

    // Two decimals, a 5 or more in the third rounding up (away from zero).
    std::string digits = intPart + fracPart.substr(0, 2);
    if (fracPart[2] >= '5') {
        int i = static_cast<int>(digits.size()) - 1;
        while (i >= 0 && digits[static_cast<size_t>(i)] == '9')
            digits[static_cast<size_t>(i--)] = '0';
        if (i < 0)
            digits.insert(digits.begin(), '1');
        else
            ++digits[static_cast<size_t>(i)];
    }
    std::string whole = digits.substr(0, digits.size() - 2);
    const size_t nz = whole.find_first_not_of('0');
    whole = nz == std::string::npos ? "0" : whole.substr(nz);
    const std::string cents = digits.substr(digits.size() - 2);
    const bool zero = whole == "0" && cents == "00";
    return (negative && !zero ? "-" : "") + whole + sep + cents;
}

std::string NDSAmountFor(std::string_view sumaGrn, std::string_view sumaKop, char sep) {
    if (sumaGrn.empty() && sumaKop.empty())
        return {};
    const auto value = AmountValue(
        AmountText(sumaGrn.empty() ? "0" : sumaGrn, sumaKop.empty() ? "0" : sumaKop, sep), sep);
    if (!value)
        return {};
    return FormatVat(*value, sep);
}

std::optional<std::int32_t> OrderNumberValue(std::string_view number) {
    if (number.empty())
        return std::nullopt;
    for (char c : number)
        if (c < '0' || c > '9')
            return std::nullopt;
    std::int32_t value = 0;
    auto [ptr, ec] = std::from_chars(number.data(), number.data() + number.size(), value, 10);
    if (ec != std::errc() || ptr != number.data() + number.size())
        return std::nullopt;
    return value;
}

std::string SubstituteNDS(std::string_view text, std::string_view ndsAmount) {
    std::string out(text);
    const size_t at = out.find("[NDS]");
    if (at != std::string::npos)
        out.replace(at, 5, ndsAmount);
    return out;
}

TVatChoice VatChoiceOf(std::string_view code, const TOptions& options) {
    if (code.size() == 1 && code[0] >= '0' && code[0] <= '3')
        return static_cast<TVatChoice>(code[0] - '0');
    // An order of the time before the choice was kept: as the settings say.
    return static_cast<TVatChoice>((options.fNDS ? 1 : 0) | (options.fBezNDS ? 2 : 0));
}

std::string VatChoiceCode(TVatChoice choice) {
    return std::string(1, static_cast<char>('0' + static_cast<int>(choice)));
}

bool IsTaxPayment(std::string_view purpose, std::string_view recipientAccount) {
    return purpose.starts_with("*;") ||
           requisites::UkrainianBankCode(recipientAccount) == std::string(TreasuryBankCode);
}

std::string ComposePurpose(const std::string& purpose, const TOptions& options, TVatChoice choice,
                           const std::string& ndsAmount) {
    std::string p = purpose;
    const bool russian = blank::VatLanguage(options.Languages()) == blank::TLang::Russian;
    if ((static_cast<int>(choice) & 1) != 0)
        p += SubstituteNDS(russian ? options.strNDSRus : options.strNDS, ndsAmount);
    if ((static_cast<int>(choice) & 2) != 0)
        p += SubstituteNDS(russian ? options.strBezNDSRus : options.strBezNDS, ndsAmount);
    return p;
}

namespace {

// The order's number, date and amount read as the output takes them.
struct TOrderValues {
    std::int32_t Number;
    std::chrono::year_month_day Date;
    std::int64_t Kopecks;
};

// Those values, or why the order cannot be printed.
std::variant<std::string, TOrderValues> ReadOrderValues(const store::TPlatRecord& order,
                                                        char decimalSeparator,
                                                        std::chrono::year currentYear) {
    using enum order::TField;
    const auto number = OrderNumberValue(order[Number]);
    if (!number)
        return platform::Tr("Editor", "Не задан либо задан некорректно номер платежки");
    const auto date = ReadDateText(order[Date], currentYear);
    if (!date)
        return platform::Tr("Editor", "Некорректно задана дата");
    const auto kopecks = AmountKopecks(order[SumaGrn], order[SumaKop], decimalSeparator);
    if (!kopecks)
        return platform::Tr("Editor", "Некорректно задана сумма");
    return TOrderValues{*number, *date, *kopecks};
}

} // namespace

std::optional<std::string> OrderRefusal(const store::TPlatRecord& order, char decimalSeparator,
                                        std::chrono::year currentYear) {
    auto values = ReadOrderValues(order, decimalSeparator, currentYear);
    if (auto* refusal = std::get_if<std::string>(&values))
        return std::move(*refusal);
    return std::nullopt;
}

std::optional<std::int64_t> AmountKopecks(std::string_view sumaGrn, std::string_view sumaKop,
                                          char decimalSeparator) {
    const auto value =
        AmountValue(AmountText(sumaGrn, sumaKop, decimalSeparator), decimalSeparator);
    // A pasted sign could make the amount negative; no payment order carries one. From 2^46
    // hryvnias up a double no longer holds every kopeck, so the blank would print another
    // amount than the one typed.
    constexpr double firstInexactHryvnia = 70368744177664.0;
    if (!value || *value < 0 || *value >= firstInexactHryvnia)
        return std::nullopt;
    const auto kopecks = static_cast<std::int64_t>(std::llround(*value * 100));
    // Kopecks of three digits or more, pasted: a part of a kopeck that no blank can print.
    if (static_cast<double>(kopecks) / 100 != *value)
        return std::nullopt;
    return kopecks;
}

std::variant<std::string, TPlatData> ComposePlatData(const store::TPlatRecord& order,
                                                     const TOptions& options, char decimalSeparator,
                                                     std::chrono::year currentYear) {
    using enum order::TField;
    auto read = ReadOrderValues(order, decimalSeparator, currentYear);
    if (auto* refusal = std::get_if<std::string>(&read))
        return std::move(*refusal);
    const TOrderValues& values = std::get<TOrderValues>(read);

    TPlatData data;
    for (const order::TFieldInfo& info : order::Fields)
        if (info.Stored != order::TStored::No)
            data.Texts[info.Field] = order[info.Field];
    data.Languages = options.Languages();
    data.BoldPlatName = options.BoldPlatName;
    data.BoldPolName = options.BoldPolName;
    data.ShowCopyNumber = options.ShowCopyNumber;
    data.ShowOneSignatureRights = options.ShowOneSignatureRights;
    data.Number = values.Number;
    data.Date = values.Date;
    data.Kopecks = values.Kopecks;
    data.DecimalSeparator = decimalSeparator;
    const TVatChoice vat = IsTaxPayment(order[Purpose], order[RecipientAccount])
                               ? TVatChoice::None
                               : VatChoiceOf(order[NDSChoice], options);
    data.Texts[Purpose] =
        ComposePurpose(order[Purpose], options, vat,
                       FormatVat(static_cast<double>(values.Kopecks) / 100, decimalSeparator));
    return data;
}

std::string NoViewerMessage(const std::filesystem::path& documentPath) {
    return platform::Args(platform::Tr("Editor",
                                       "Не найдена программа для просмотра документов RTF. "
                                       "Документ сохранён в файле \"%1\". Установите "
                                       "текстовый процессор, например LibreOffice Writer."),
                          {platform::DisplayPath(documentPath)});
}
