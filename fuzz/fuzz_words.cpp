// SumaToWordsUkr / SumaToWordsRus over every double (the input's first 8 bytes).
//
// Properties: the text is empty exactly for NaN and zero; it is the too-large message exactly
// when the amount (kopecks rounded and carried) reaches 10^15 hryvnias or is infinite;
// otherwise it is well formed words (a capital first letter, single blanks, "грн.", two kopeck
// digits, "коп.") that read back as the hryvnias and kopecks FormatNum writes in digits, and
// both languages name the same amount.

#include "WordsCheck.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>

using buhproc_detail::TLang;
using fuzz::Check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < sizeof(double))
        return 0;
    double amount;
    std::memcpy(&amount, data, sizeof amount);

    for (const TLang lang : {TLang::Ukr, TLang::Rus}) {
        const std::string words =
            lang == TLang::Ukr ? SumaToWordsUkr(amount) : SumaToWordsRus(amount);
        const std::string detail = words + " / " + FormatNum(amount, '.');
        const bool empty = std::isnan(amount) || amount == 0;
        Check(words.empty() == empty, "empty words for an amount, or words for none", detail);
        if (empty)
            continue;

        std::string digits = FormatNum(amount, '.');
        if (!digits.empty() && digits[0] == '-')
            digits.erase(0, 1);
        const bool tooLarge = std::isinf(amount) || digits.find('.') >= 16;
        Check((words == buhproc_detail::TooLarge[lang]) == tooLarge,
              "the too-large message for a payable amount, or words for too large a one", detail);
        if (!tooLarge)
            fuzz::CheckWordsMatchDigits(words, amount, lang);
    }
    return 0;
}
