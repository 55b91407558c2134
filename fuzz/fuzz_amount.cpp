// The amount fields: AmountValue, SumaWordsFor and NDSAmountFor on arbitrary hryvnia and
// kopeck texts (the input split in two), and FormatVat on arbitrary finite amounts.
//
// Properties: nothing crashes; a value, when there is one, is finite and its sign agrees with
// the text; the VAT text is empty or -?[0-9]+<sep>[0-9]{2} and lies within half a kopeck of a
// sixth of the amount; the amount in words is empty, the too-large message, or words that
// read back as the amount in digits.

#include "WordsCheck.h"

#include "editor/Procs.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

using buhproc_detail::TLang;
using fuzz::Check;

namespace {

bool IsVatText(std::string_view t, char sep) {
    if (!t.empty() && t[0] == '-')
        t.remove_prefix(1);
    if (t.size() < 4 || t[t.size() - 3] != sep)
        return false;
    for (std::size_t i = 0; i < t.size(); ++i)
        if (i != t.size() - 3 && (t[i] < '0' || t[i] > '9'))
            return false;
    return true;
}

// The VAT text of an amount below 10^12 is within half a kopeck (and a little for the
// double reading it back) of a sixth of the amount.
void CheckVatValue(const std::string& vat, double amount, char sep) {
    Check(IsVatText(vat, sep), "a VAT text of the wrong shape", vat);
    if (!(std::fabs(amount) < 1e12))
        return;
    std::string plain = vat;
    plain[plain.size() - 3] = '.';
    double value = 0;
    std::from_chars(plain.data(), plain.data() + plain.size(), value);
    Check(std::fabs(value - amount / 6) <= 0.005 + 1e-4, "a VAT amount that is not a sixth", vat);
}

void CheckValue(std::string_view text, char sep) {
    const auto value = AmountValue(text, sep);
    if (!value)
        return;
    Check(std::isfinite(*value), "an amount value that is not finite", text);
    const std::size_t first = text.find_first_not_of(' ');
    if (*value != 0 && first != std::string_view::npos)
        Check((text[first] == '-') == (*value < 0), "an amount value of the wrong sign", text);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    const char sep = in.ConsumeBool() ? '.' : ',';

    if (in.ConsumeBool()) {
        // FormatVat on the double the next 8 bytes make, when it is a finite one.
        double amount = 0;
        const auto bytes = in.ConsumeBytes<std::uint8_t>(sizeof amount);
        if (bytes.size() != sizeof amount)
            return 0;
        std::memcpy(&amount, bytes.data(), sizeof amount);
        if (std::isfinite(amount))
            CheckVatValue(FormatVat(amount, sep), amount, sep);
        return 0;
    }

    const std::string grn = in.ConsumeRandomLengthString(64);
    const std::string kop = in.ConsumeRemainingBytesAsString();

    CheckValue(grn, sep);
    CheckValue(kop, sep);
    const std::string text = AmountText(grn, kop, sep);
    CheckValue(text, sep);
    const auto value = AmountValue(text, sep);

    const std::string words = SumaWordsFor(grn, kop, sep);
    if (!words.empty()) {
        Check(value && *value >= 0, "words for an amount that is no valid amount", text);
        fuzz::CheckWordsMatchDigits(words, *value, TLang::Rus);
    }

    const std::string vat = NDSAmountFor(grn, kop, sep);
    if (grn.empty() && kop.empty()) {
        Check(vat.empty(), "a VAT amount for two empty fields", vat);
    } else {
        const auto vatBase =
            AmountValue(AmountText(grn.empty() ? "0" : grn, kop.empty() ? "0" : kop, sep), sep);
        Check(vat.empty() == !vatBase,
              "the VAT amount is empty for a readable amount, or not "
              "for an unreadable one",
              text);
        if (vatBase)
            CheckVatValue(vat, *vatBase, sep);
    }
    return 0;
}
