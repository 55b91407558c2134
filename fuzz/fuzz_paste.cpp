// What a paste from an invoice puts into the order's fields, for any text the clipboard holds.
//
// Properties: the value of an account, a code or a bank code holds no blank, non-breaking
// blank, "-", "." or small letter, and cleaning it again changes nothing; a free text field
// takes the text as it is; an amount with kopecks gives digits only, two digits of kopecks,
// and the two fields of any amount a blank can carry read as an amount.

#include "FuzzCheck.h"

#include "editor/Paste.h"
#include "editor/Procs.h"
#include "platform/Cp1251Case.h"

#include <cstddef>
#include <cstdint>
#include <string>

using fuzz::Check;
using order::TKeyRule;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    for (const TKeyRule rule : {TKeyRule::Account, TKeyRule::TaxCode, TKeyRule::Digits}) {
        const std::string value = editor::CleanPasted(rule, text);
        for (const char c : value) {
            Check(c != ' ' && c != '\xA0' && c != '-' && c != '.' && c != '\t',
                  "a blank or a separator stays in a value", value);
            const auto byte = static_cast<unsigned char>(c);
            Check(platform::Cp1251Upper(byte) == byte, "a small letter stays in a value", value);
        }
        Check(editor::CleanPasted(rule, value) == value, "cleaning a value again changes it",
              value);
    }
    Check(editor::CleanPasted(TKeyRule::Any, text) == text, "a free text is changed", text);

    if (const auto amount = editor::PastedAmount(text)) {
        Check(!amount->Hryvnias.empty() && amount->Kopecks.size() == 2,
              "an amount without hryvnias or two kopeck digits", text);
        std::string digits;
        for (const char c : text)
            if (c >= '0' && c <= '9')
                digits += c;
        Check((amount->Hryvnias + amount->Kopecks)
                      .rfind(digits.substr(0, amount->Hryvnias.size()), 0) == 0,
              "the hryvnias are not the first digits of the text", text);
        if (amount->Hryvnias.size() <= 13)
            Check(AmountKopecks(amount->Hryvnias, amount->Kopecks, ',').has_value(),
                  "the two fields do not read as an amount", text);
    }
    return 0;
}
