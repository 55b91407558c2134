// The checks of requisites on any text, as an account and as a code.
//
// Properties: a text with a character no IBAN has is named by that character, the first
// one, and never reported as a wrong checksum; an IBAN that passes has its country's length
// and form, passes the bare ISO modulo computed here apart, and if Ukrainian has its bank
// code; a code that passes has one of the four forms.

#include "FuzzCheck.h"

#include "requisites/IbanCountries.h"
#include "requisites/Requisites.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

using fuzz::Check;
using namespace requisites;

namespace {

bool Digits(const std::string& s) {
    return std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool Plain(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z');
}

// The number modulo 97, taken nine digits at a time rather than one by one.
int Mod97(const std::string& iban) {
    std::string digits;
    for (char c : iban.substr(4) + iban.substr(0, 4))
        digits += c <= '9' ? std::string(1, c) : std::to_string(c - 'A' + 10);
    std::uint64_t remainder = 0;
    for (std::size_t i = 0; i < digits.size(); i += 9)
        remainder = std::stoull(std::to_string(remainder) + digits.substr(i, 9)) % 97;
    return static_cast<int>(remainder);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);

    const TIbanCheck iban = CheckIban(text);
    const auto invalid = std::find_if_not(text.begin(), text.end(), Plain);
    if (invalid != text.end()) {
        Check(iban.Problem == TIbanProblem::Character &&
                  iban.Position == static_cast<std::size_t>(invalid - text.begin()) + 1,
              "an invalid character is not the finding", text);
    } else {
        Check(iban.Problem != TIbanProblem::Character, "a plain IBAN has an invalid character",
              text);
    }
    if (iban.Problem == TIbanProblem::None) {
        const auto country =
            std::find_if(kIbanCountries.begin(), kIbanCountries.end(),
                         [&text](const TIbanCountry& c) { return c.Code == text.substr(0, 2); });
        Check(country != kIbanCountries.end() && country->Length == text.size(),
              "a passing IBAN has not its country's length", text);
        Check(Mod97(text) == 1, "a passing IBAN fails the bare modulo", text);
        if (text.substr(0, 2) == "UA")
            Check(UkrainianBankCode(text) == text.substr(4, 6),
                  "a valid Ukrainian IBAN without its bank code", text);
    }
    if (iban.Problem == TIbanProblem::Format)
        Check(iban.Position >= 3 && iban.Position <= text.size(),
              "a finding of form points outside the IBAN", text);

    const TCodeCheck code = CheckTaxCode(text);
    if (code.Problem == TCodeProblem::None) {
        const bool number = Digits(text) && text.size() >= 8 && text.size() <= 10;
        const bool passport = text.size() == 8 && IsCyrillicLetter(text[0]) &&
                              IsCyrillicLetter(text[1]) && Digits(text.substr(2));
        Check(number || passport, "a code passes in none of the four forms", text);
    }
    return 0;
}
