#include "requisites/Requisites.h"

#include "platform/Cp1251Literal.h"
#include "requisites/IbanCountries.h"

#include <algorithm>
#include <array>

namespace requisites {
namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool IsCapital(char c) {
    return c >= 'A' && c <= 'Z';
}

bool AllDigits(std::string_view s) {
    for (char c : s)
        if (!IsDigit(c))
            return false;
    return true;
}

int Digit(std::string_view s, std::size_t i) {
    return s[i] - '0';
}

bool IsLatinLetter(char c) {
    return IsCapital(c) || (c >= 'a' && c <= 'z');
}

constexpr std::size_t UkrainianIbanLength = 29;

const TIbanCountry* FindCountry(std::string_view code) {
    const auto it = std::lower_bound(
        kIbanCountries.begin(), kIbanCountries.end(), code,
        [](const TIbanCountry& country, std::string_view c) { return country.Code < c; });
    return it != kIbanCountries.end() && it->Code == code ? &*it : nullptr;
}

// The position (from 0) of the first character of `bban` its form does not allow, or npos.
std::size_t FormBreach(std::string_view bban, std::string_view form) {
    std::size_t at = 0, count = 0;
    for (char kind : form) {
        if (IsDigit(kind)) {
            count = count * 10 + static_cast<std::size_t>(kind - '0');
            continue;
        }
        if (kind == '!')
            continue;
        for (; count > 0; --count, ++at) {
            const char c = bban[at];
            const bool fits = kind == 'n' ? IsDigit(c) : kind == 'a' ? IsCapital(c) : true;
            if (!fits)
                return at;
        }
    }
    return std::string_view::npos;
}

} // namespace

bool IsCyrillicLetter(char c) {
    const auto b = static_cast<unsigned char>(c);
    // А…я, then Ё ё Є є І і Ї ї Ґ ґ Ў ў.
    return b >= 0xC0 || b == 0xA8 || b == 0xB8 || b == 0xAA || b == 0xBA || b == 0xB2 ||
           b == 0xB3 || b == 0xAF || b == 0xBF || b == 0xA5 || b == 0xB4 || b == 0xA1 || b == 0xA2;
}

// A letter of either alphabet, as an IBAN's country or a passport's series is typed.
bool IsLetter(char c) {
    return IsLatinLetter(c) || IsCyrillicLetter(c);
}

bool IsIban(std::string_view account) {
    return account.size() >= 2 && IsLetter(account[0]) && IsLetter(account[1]);
}

bool IbanChecksumValid(std::string_view iban) {
    if (iban.size() < 5 || !IsDigit(iban[2]) || !IsDigit(iban[3]))
        return false;
    // The remainder is carried digit by digit: the number itself has up to 70 digits.
    int remainder = 0;
    auto add = [&remainder](int digit) { remainder = (remainder * 10 + digit) % 97; };
    for (std::size_t k = 0; k < iban.size(); ++k) {
        const std::size_t i = (k + 4) % iban.size();
        const char c = i == 2 || i == 3 ? '0' : iban[i];
        if (IsDigit(c)) {
            add(c - '0');
        } else if (IsCapital(c)) {
            const int value = c - 'A' + 10;
            add(value / 10);
            add(value % 10);
        } else {
            return false;
        }
    }
    // The twins 00, 01 and 99 of 97, 98 and 02 pass the bare modulo but are never issued.
    return 98 - remainder == Digit(iban, 2) * 10 + Digit(iban, 3);
}

TIbanCheck CheckIban(std::string_view iban) {
    for (std::size_t i = 0; i < iban.size(); ++i)
        if (!IsDigit(iban[i]) && !IsCapital(iban[i]))
            return {TIbanProblem::Character, i + 1};
    const TIbanCountry* country = FindCountry(iban.substr(0, 2));
    if (!country)
        return {TIbanProblem::Country};
    if (iban.size() != country->Length)
        return {TIbanProblem::Length, 0, country->Length};
    for (std::size_t i : {2, 3})
        if (!IsDigit(iban[i]))
            return {TIbanProblem::Format, i + 1};
    if (const std::size_t at = FormBreach(iban.substr(4), country->Bban);
        at != std::string_view::npos)
        return {TIbanProblem::Format, at + 5};
    return {IbanChecksumValid(iban) ? TIbanProblem::None : TIbanProblem::Checksum};
}

std::optional<std::string> UkrainianBankCode(std::string_view iban) {
    if (iban.size() != UkrainianIbanLength || iban.substr(0, 2) != "UA" ||
        !AllDigits(iban.substr(2, 8)) || !std::all_of(iban.begin() + 10, iban.end(), [](char c) {
            return IsDigit(c) || IsCapital(c);
        }))
        return std::nullopt;
    return std::string(iban.substr(4, 6));
}

std::size_t IbanSplit(std::string_view iban) {
    if (iban.substr(0, 2) == "UA" && iban.size() > 10)
        return 10;
    if (iban.size() < 8)
        return 0;
    return (iban.size() / 2 + 2) / 4 * 4;
}

int EdrpouCheckDigit(std::string_view code) {
    static constexpr std::array<int, 7> low{1, 2, 3, 4, 5, 6, 7};
    static constexpr std::array<int, 7> middle{7, 1, 2, 3, 4, 5, 6};
    const bool inMiddle = code.substr(0, 8) >= "30000000" && code.substr(0, 8) <= "60000000";
    const auto& weights = inMiddle ? middle : low;
    for (int extra : {0, 2}) {
        int sum = 0;
        for (std::size_t i = 0; i < weights.size(); ++i)
            sum += Digit(code, i) * (weights[i] + extra);
        if (sum % 11 != 10)
            return sum % 11;
    }
    return 0;
}

int RnokppCheckDigit(std::string_view code) {
    static constexpr std::array<int, 9> weights{-1, 5, 7, 9, 4, 6, 10, 5, 7};
    int sum = 0;
    for (std::size_t i = 0; i < weights.size(); ++i)
        sum += Digit(code, i) * weights[i];
    // The sum can be negative (a 9 first, zeros after): its remainder is taken as 0 to 10.
    return (sum % 11 + 11) % 11 % 10;
}

namespace {

// The capitals of the Ukrainian alphabet, which the series of a passport is written in.
bool IsSeriesLetter(char c) {
    static constexpr std::string_view letters = "АБВГҐДЕЄЖЗИІЇЙКЛМНОПРСТУФХЦЧШЩЬЮЯ"_w;
    return letters.find(c) != std::string_view::npos;
}

} // namespace

TCodeCheck CheckTaxCode(std::string_view code) {
    // Two letters of any alphabet and six digits are meant as a passport: its series is named
    // rather than the letters counted as digits missing from a ЄДРПОУ code.
    if (code.size() == 8 && IsLetter(code[0]) && IsLetter(code[1]) && AllDigits(code.substr(2)))
        return {TCodeKind::Passport, IsSeriesLetter(code[0]) && IsSeriesLetter(code[1])
                                         ? TCodeProblem::None
                                         : TCodeProblem::Series};
    const TCodeKind kind = code.size() == 8    ? TCodeKind::Edrpou
                           : code.size() == 9  ? TCodeKind::IdCard
                           : code.size() == 10 ? TCodeKind::Rnokpp
                                               : TCodeKind::Unknown;
    // A length of none of the forms is named before the letters: they may be a series.
    if (kind != TCodeKind::Unknown && !AllDigits(code))
        return {kind, TCodeProblem::NotDigits};
    switch (kind) {
    case TCodeKind::Edrpou:
        return {kind, EdrpouCheckDigit(code) == Digit(code, 7) ? TCodeProblem::None
                                                               : TCodeProblem::CheckDigit};
    case TCodeKind::Rnokpp:
        return {kind, RnokppCheckDigit(code) == Digit(code, 9) ? TCodeProblem::None
                                                               : TCodeProblem::CheckDigit};
    case TCodeKind::IdCard:
        return {kind, TCodeProblem::None};
    case TCodeKind::Passport:
    case TCodeKind::Unknown:
        break;
    }
    return {TCodeKind::Unknown, TCodeProblem::Length};
}

} // namespace requisites
