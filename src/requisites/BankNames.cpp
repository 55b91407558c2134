#include "requisites/BankNames.h"

#include "platform/Cp1251Case.h"
#include "requisites/BankTable.h"
#include "requisites/Requisites.h"

#include <algorithm>

namespace requisites {
namespace {

const bank_table::TBank* BankOf(std::string_view bankCode) {
    for (const bank_table::TBankCode& code : bank_table::BankCodes)
        if (code.Code == bankCode)
            for (const bank_table::TBank& bank : bank_table::Banks)
                if (std::string_view(bank.Code) == code.Head)
                    return &bank;
    return nullptr;
}

} // namespace

std::optional<std::string> BankNameOf(std::string_view bankCode) {
    const bank_table::TBank* bank = BankOf(bankCode);
    if (!bank)
        return std::nullopt;
    if (*bank->Form == '\0')
        return std::string(bank->Core);
    return std::string(bank->Form) + " \"" + bank->Core + "\"";
}

std::optional<std::string> BankNameOfIban(std::string_view iban) {
    if (CheckIban(iban) != TIbanProblem::None)
        return std::nullopt;
    const auto code = UkrainianBankCode(iban);
    return code ? BankNameOf(*code) : std::nullopt;
}

bool BankNameFits(std::string_view typed, std::string_view bankCode) {
    const bank_table::TBank* bank = BankOf(bankCode);
    if (!bank)
        return true;
    const std::string text = platform::Cp1251LowerText(typed);
    std::string_view match = bank->Match;
    while (!match.empty()) {
        const std::size_t bar = match.find('|');
        if (text.find(platform::Cp1251LowerText(match.substr(0, bar))) != std::string::npos)
            return true;
        if (bar == std::string_view::npos)
            break;
        match.remove_prefix(bar + 1);
    }
    return false;
}

} // namespace requisites
