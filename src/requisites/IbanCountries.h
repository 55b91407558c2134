#pragma once
// The countries and territories that issue IBANs, each with the length of its IBANs and the
// form of its BBAN (what follows the country code and the check digits), as the SWIFT IBAN
// registry publishes them (ISO 13616). The form is written as the registry writes it: "8!n"
// is eight digits, "4!a" four capital letters, "12!c" twelve letters or digits. A country
// that joins the registry is one more row here.

#include <array>
#include <cstddef>
#include <string_view>

namespace requisites {

struct TIbanCountry {
    std::string_view Code;
    std::size_t Length;
    std::string_view Bban;
};

inline constexpr std::array<TIbanCountry, 89> kIbanCountries{{
    {"AD", 24, "4!n4!n12!c"},
    {"AE", 23, "3!n16!n"},
    {"AL", 28, "8!n16!c"},
    {"AT", 20, "5!n11!n"},
    {"AZ", 28, "4!a20!c"},
    {"BA", 20, "3!n3!n8!n2!n"},
    {"BE", 16, "3!n7!n2!n"},
    {"BG", 22, "4!a4!n2!n8!c"},
    {"BH", 22, "4!a14!c"},
    {"BI", 27, "5!n5!n11!n2!n"},
    {"BR", 29, "8!n5!n10!n1!a1!c"},
    {"BY", 28, "4!c4!n16!c"},
    {"CH", 21, "5!n12!c"},
    {"CR", 22, "4!n14!n"},
    {"CY", 28, "3!n5!n16!c"},
    {"CZ", 24, "4!n6!n10!n"},
    {"DE", 22, "8!n10!n"},
    {"DJ", 27, "5!n5!n11!n2!n"},
    {"DK", 18, "4!n9!n1!n"},
    {"DO", 28, "4!c20!n"},
    {"EE", 20, "2!n2!n11!n1!n"},
    {"EG", 29, "4!n4!n17!n"},
    {"ES", 24, "4!n4!n1!n1!n10!n"},
    {"FI", 18, "3!n11!n"},
    {"FK", 18, "2!a12!n"},
    {"FO", 18, "4!n9!n1!n"},
    {"FR", 27, "5!n5!n11!c2!n"},
    {"GB", 22, "4!a6!n8!n"},
    {"GE", 22, "2!a16!n"},
    {"GI", 23, "4!a15!c"},
    {"GL", 18, "4!n9!n1!n"},
    {"GR", 27, "3!n4!n16!c"},
    {"GT", 28, "4!c20!c"},
    {"HN", 28, "4!a20!n"},
    {"HR", 21, "7!n10!n"},
    {"HU", 28, "3!n4!n1!n15!n1!n"},
    {"IE", 22, "4!a6!n8!n"},
    {"IL", 23, "3!n3!n13!n"},
    {"IQ", 23, "4!a3!n12!n"},
    {"IS", 26, "4!n2!n6!n10!n"},
    {"IT", 27, "1!a5!n5!n12!c"},
    {"JO", 30, "4!a4!n18!c"},
    {"KW", 30, "4!a22!c"},
    {"KZ", 20, "3!n13!c"},
    {"LB", 28, "4!n20!c"},
    {"LC", 32, "4!a24!c"},
    {"LI", 21, "5!n12!c"},
    {"LT", 20, "5!n11!n"},
    {"LU", 20, "3!n13!c"},
    {"LV", 21, "4!a13!c"},
    {"LY", 25, "3!n3!n15!n"},
    {"MC", 27, "5!n5!n11!c2!n"},
    {"MD", 24, "2!c18!c"},
    {"ME", 22, "3!n13!n2!n"},
    {"MK", 19, "3!n10!c2!n"},
    {"MN", 20, "4!n12!n"},
    {"MR", 27, "5!n5!n11!n2!n"},
    {"MT", 31, "4!a5!n18!c"},
    {"MU", 30, "4!a2!n2!n12!n3!n3!a"},
    {"NI", 28, "4!a20!n"},
    {"NL", 18, "4!a10!n"},
    {"NO", 15, "4!n6!n1!n"},
    {"OM", 23, "3!n16!c"},
    {"PK", 24, "4!a16!c"},
    {"PL", 28, "8!n16!n"},
    {"PS", 29, "4!a21!c"},
    {"PT", 25, "4!n4!n11!n2!n"},
    {"QA", 29, "4!a21!c"},
    {"RO", 24, "4!a16!c"},
    {"RS", 22, "3!n13!n2!n"},
    {"RU", 33, "9!n5!n15!c"},
    {"SA", 24, "2!n18!c"},
    {"SC", 31, "4!a2!n2!n16!n3!a"},
    {"SD", 18, "2!n12!n"},
    {"SE", 24, "3!n16!n1!n"},
    {"SI", 19, "5!n8!n2!n"},
    {"SK", 24, "4!n6!n10!n"},
    {"SM", 27, "1!a5!n5!n12!c"},
    {"SO", 23, "4!n3!n12!n"},
    {"ST", 25, "4!n4!n11!n2!n"},
    {"SV", 28, "4!a20!n"},
    {"TL", 23, "3!n14!n2!n"},
    {"TN", 24, "2!n3!n13!n2!n"},
    {"TR", 26, "5!n1!n16!c"},
    {"UA", 29, "6!n19!c"},
    {"VA", 22, "3!n15!n"},
    {"VG", 24, "4!a16!n"},
    {"XK", 20, "4!n10!n2!n"},
    {"YE", 30, "4!a4!n18!c"},
}};

// The number of characters a BBAN form describes.
constexpr std::size_t BbanLength(std::string_view form) {
    std::size_t total = 0, count = 0;
    for (char c : form) {
        if (c >= '0' && c <= '9') {
            count = count * 10 + static_cast<std::size_t>(c - '0');
        } else if (c != '!') {
            total += count;
            count = 0;
        }
    }
    return total;
}

// A row whose length and form disagree is a typing error in the table, caught here rather
// than by an accountant whose valid IBAN is refused.
constexpr bool TableAgrees() {
    for (std::size_t i = 0; i < kIbanCountries.size(); ++i) {
        const TIbanCountry& country = kIbanCountries[i];
        if (country.Code.size() != 2 || 4 + BbanLength(country.Bban) != country.Length)
            return false;
        if (i > 0 && !(kIbanCountries[i - 1].Code < country.Code))
            return false;
    }
    return true;
}
static_assert(TableAgrees(), "an IBAN country's length differs from its BBAN form, or the "
                             "codes are not in order");

} // namespace requisites
