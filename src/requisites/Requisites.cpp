#include "requisites/Requisites.h"

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

constexpr std::size_t UkrainianIbanLength = 29;

} // namespace

bool IsIban(std::string_view account) {
    return account.size() >= 2 && IsCapital(account[0]) && IsCapital(account[1]);
}

bool IbanChecksumValid(std::string_view iban) {
    if (iban.size() < 5)
        return false;
    // The remainder is carried digit by digit: the number itself has up to 70 digits.
    int remainder = 0;
    auto add = [&remainder](int digit) { remainder = (remainder * 10 + digit) % 97; };
    for (std::size_t k = 0; k < iban.size(); ++k) {
        const char c = iban[(k + 4) % iban.size()];
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
    return remainder == 1;
}

TIbanProblem CheckIban(std::string_view iban) {
    if (iban.substr(0, 2) == "UA") {
        if (iban.size() != UkrainianIbanLength)
            return TIbanProblem::Length;
        if (!AllDigits(iban.substr(2)))
            return TIbanProblem::NotDigits;
    }
    return IbanChecksumValid(iban) ? TIbanProblem::None : TIbanProblem::Checksum;
}

std::optional<std::string> UkrainianBankCode(std::string_view iban) {
    if (iban.size() != UkrainianIbanLength || iban.substr(0, 2) != "UA" ||
        !AllDigits(iban.substr(2)))
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

TCodeCheck CheckTaxCode(std::string_view code) {
    const TCodeKind kind = code.size() == 8    ? TCodeKind::Edrpou
                           : code.size() == 10 ? TCodeKind::Rnokpp
                                               : TCodeKind::Unknown;
    if (!AllDigits(code))
        return {kind, TCodeProblem::NotDigits};
    switch (kind) {
    case TCodeKind::Edrpou:
        return {kind, EdrpouCheckDigit(code) == Digit(code, 7) ? TCodeProblem::None
                                                               : TCodeProblem::CheckDigit};
    case TCodeKind::Rnokpp:
        return {kind, RnokppCheckDigit(code) == Digit(code, 9) ? TCodeProblem::None
                                                               : TCodeProblem::CheckDigit};
    case TCodeKind::Unknown:
        break;
    }
    return {kind, TCodeProblem::Length};
}

} // namespace requisites
