#pragma once
// The checks of a party's requisites that the paper cannot make: an account number is an
// IBAN of a known country with that country's length and form and its check digits (ISO
// 13616), a tax code carries its check digit (the ЄДРПОУ code of a company, eight digits;
// the РНОКПП of a person, ten) or has the form of a passport or an ID card, and the bank code
// that an Ukrainian IBAN holds. Plain functions on the Windows-1251 texts of the fields: the editor
// reports what they find while the user types, the output command asks about it before
// printing, and the layout prints an IBAN in its own way. None of them blocks anything.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace requisites {

// An account that begins with two letters is an IBAN: a country code, perhaps typed with a
// lower-case letter or a Cyrillic letter that looks like a Latin one, which the check then
// names. Any other account is one of the old kind, digits and "/", and is not checked.
bool IsIban(std::string_view account);

enum class TIbanProblem {
    None,
    Character, // neither a digit nor a Latin capital: a blank, "-", a lower-case or Cyrillic letter
    Country,   // the first two letters are no country of the IBAN registry
    Length,    // not the length of its country's IBANs
    Format,    // a letter where its country has a digit, or a digit where a letter
    Checksum,  // the ISO 13616 check fails
};

struct TIbanCheck {
    TIbanProblem Problem = TIbanProblem::None;
    std::size_t Position = 0; // Character, Format: the character's position, from 1
    std::size_t Length = 0;   // Length: what the country's IBANs have

    bool operator==(const TIbanCheck&) const = default;
    bool operator==(TIbanProblem problem) const { return Problem == problem; }
};

// For an account that IsIban, the first finding of: a character no IBAN has (the first such),
// an unknown country, its country's length, the form of its country's BBAN (the check digits
// are digits), and the ISO check. Blanks are findings too: the field holds the IBAN's
// electronic form.
TIbanCheck CheckIban(std::string_view iban);

// Whether `c` is a Cyrillic letter (Windows-1251), which in an IBAN is most often one typed
// for the Latin letter it looks like.
bool IsCyrillicLetter(char c);

// ISO 13616: the first four characters moved to the end, letters as numbers (A = 10 …
// Z = 35), with the check digits as "00" the number modulo 97 is 98 less the check digits
// (so these are 02 to 98). False for anything but digits and capital letters, and for fewer
// than five characters.
bool IbanChecksumValid(std::string_view iban);

// The bank code (its characters 5 to 10) of an Ukrainian IBAN of the right form: "UA", two
// check digits, six digits of the bank code, 19 digits or Latin capitals of the account, the
// check digits not verified. Nothing for any other account.
std::optional<std::string> UkrainianBankCode(std::string_view iban);

// Where an IBAN printed on two lines is split: after the bank code of an Ukrainian one
// ("UA21322313" / "0000026007233566001"), after the group of four nearest to the middle of
// another; 0 when it is too short to split.
std::size_t IbanSplit(std::string_view iban);

// How a party is identified: a company by its ЄДРПОУ code; a person by the РНОКПП or, one who
// refused it for religious reasons, by the passport (series and number) or the ID card.
enum class TCodeKind { Edrpou, Rnokpp, Passport, IdCard, Unknown };
enum class TCodeProblem {
    None,
    NotDigits,  // a code but a passport's is digits only
    Length,     // none of the four forms
    CheckDigit, // the last digit is not the one the others give
    Series,     // a passport's series is two Cyrillic capitals (Ukrainian alphabet)
};

struct TCodeCheck {
    TCodeKind Kind;
    TCodeProblem Problem;
};

// A code of 8 digits is a ЄДРПОУ code, of 10 an РНОКПП, each checked by its check digit; of
// 9 the number of an ID card, and two letters and six digits a passport, checked for their
// form only (neither carries a check digit).
TCodeCheck CheckTaxCode(std::string_view code);

// The check digit of the ЄДРПОУ code whose first seven digits `code` begins with: weights 1
// to 7, or 7, 1, 2, 3, 4, 5, 6 for codes from 30000000 to 60000000; the sum modulo 11, and a
// remainder of 10 computed again with every weight plus 2, where 10 again gives 0.
int EdrpouCheckDigit(std::string_view code);
// The check digit of the РНОКПП whose first nine digits `code` begins with: weights -1, 5, 7,
// 9, 4, 6, 10, 5, 7, the sum modulo 11, then modulo 10.
int RnokppCheckDigit(std::string_view code);

} // namespace requisites
