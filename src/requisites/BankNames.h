#pragma once
// The name of the bank that holds an account, from the bank code of its IBAN (the table of
// requisites/BankTable.h), and whether a bank's name typed by hand is that bank.

#include <optional>
#include <string>
#include <string_view>

namespace requisites {

// The name of the bank with this bank code as a payment names it (Windows-1251): АТ КБ
// "ПриватБанк", АТ "Укрексімбанк"; a branch's code gives its bank's name. Nothing for a code
// the table does not know.
std::optional<std::string> BankNameOf(std::string_view bankCode);
// The bank of an Ukrainian IBAN whose check digits are right, as BankNameOf names it: what the
// window fills in beside such an IBAN and what vantrel-print names. Nothing for any other
// account.
std::optional<std::string> BankNameOfIban(std::string_view iban);

// Whether `typed` (Windows-1251, a bank's name as the user wrote it) names the bank with this
// bank code: it contains the bank's own name or another name the bank goes by, whatever the
// case. True for a code the table does not know, which nothing can contradict.
bool BankNameFits(std::string_view typed, std::string_view bankCode);

} // namespace requisites
