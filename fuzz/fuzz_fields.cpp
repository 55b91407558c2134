// The fields of the order as the user fills them: keys typed one by one through the key rule
// of each field, and text pasted or set whole, then the change handlers that derive the
// other fields.
//
// Input: a sequence of actions, each choosing an input field and either typing keys (a byte
// each: a Windows-1251 character, or Backspace) or setting arbitrary bytes at once.
//
// Properties: what a field holds is what was typed into it under its rule (digits only in
// the digit fields, also "/" in the accounts, at most two digits in the kopecks) or what was
// set, on one line (no NUL; a line break became a blank); no field ever holds NUL, CR or LF;
// the payer's and the recipient's file names hold none of the ten characters a file name
// cannot hold (the order's may: a date typed with "/" is refused when saved); setting a
// field to the text it holds fires nothing; a changed field marks the order or a party.

#include "FuzzCheck.h"

#include "editor/Fields.h"
#include "editor/PlatEditor.h"
#include "platform/Cp1251.h"
#include "store/FileList.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

using editor::TField;
using editor::TKeyRule;
using fuzz::Check;

namespace {

bool AllOf(const std::string& text, std::string_view allowed) {
    return text.find_first_not_of(allowed) == std::string::npos;
}

// What a single-line field makes of a text set whole.
std::string OnOneLine(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\0')
            continue;
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
        out += (text[i] == '\r' || text[i] == '\n') ? ' ' : text[i];
    }
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::SilenceMessageBoxes();
    FuzzedDataProvider in(data, size);
    editor::TPlatEditor e;
    e.DecimalSeparator = in.ConsumeBool() ? ',' : '.';
    int fired = 0;
    e.FieldChanged = [&](TField) { ++fired; };

    std::vector<TField> inputs;
    for (const auto& info : editor::Fields)
        if (!info.Derived)
            inputs.push_back(info.Field);
    std::array<std::string, editor::FieldCount> expected{};
    std::array<bool, editor::FieldCount> typedOnly{};
    typedOnly.fill(true);

    for (int action = 0; action < 48 && in.remaining_bytes() > 0; ++action) {
        const TField field = inputs[in.ConsumeIntegralInRange<std::size_t>(0, inputs.size() - 1)];
        const auto index = static_cast<std::size_t>(field);
        const TKeyRule rule = editor::Info(field).Keys;
        e.PlatModified = e.PayerModified = e.RecipientModified = e.PurposeModified = false;
        const std::string before = e.Text(field);
        if (in.ConsumeBool()) {
            std::string text = before;
            for (const char key : in.ConsumeRandomLengthString(24)) {
                const auto byte = static_cast<unsigned char>(key);
                const char16_t c =
                    byte == 0x08 ? u'\b' : static_cast<char16_t>(platform::Cp1251ToUnicode(byte));
                const char16_t typed = editor::TypedChar(rule, c, text.size());
                if (typed == 0)
                    continue;
                if (typed == u'\b') {
                    if (!text.empty())
                        text.pop_back();
                } else if (key != '\0' && key != '\r' && key != '\n') {
                    // A letter typed into an account is its capital, a byte the code page has.
                    text += static_cast<char>(*platform::UnicodeToCp1251(typed));
                }
                e.SetText(field, text);
                Check(e.Text(field) == text, "a typed key gave another text", e.Text(field));
            }
            expected[index] = text;
        } else {
            const std::string text = in.ConsumeRandomLengthString(96);
            e.SetText(field, text);
            expected[index] = OnOneLine(text);
            typedOnly[index] = false;
        }
        Check(e.Text(field) == expected[index], "a field holds other than was put in it",
              e.Text(field));
        if (e.Text(field) != before)
            Check(e.PlatModified || e.PayerModified || e.RecipientModified || e.PurposeModified,
                  "a changed field marked nothing", e.Text(field));

        fired = 0;
        e.SetText(field, e.Text(field));
        Check(fired == 0, "setting a field to its own text fired a change");
    }

    for (const auto& info : editor::Fields) {
        const std::string& text = e.Text(info.Field);
        Check(text.find_first_of(std::string_view("\0\r\n", 3)) == std::string::npos,
              "a field holds NUL or a line break", text);
        const auto index = static_cast<std::size_t>(info.Field);
        if (info.Derived || !typedOnly[index])
            continue;
        switch (info.Keys) {
        case TKeyRule::Digits:
            Check(AllOf(text, "0123456789"), "a digit field typed with other keys", text);
            break;
        case TKeyRule::Account:
            Check(AllOf(text, "0123456789/ABCDEFGHIJKLMNOPQRSTUVWXYZ"),
                  "an account typed with other keys", text);
            break;
        case TKeyRule::Kopecks:
            Check(text.size() <= 2 && AllOf(text, "0123456789"), "kopecks beyond two digits", text);
            break;
        default:
            break;
        }
    }
    for (const TField name : {TField::PayerFileName, TField::RecipientFileName})
        for (const char c : e.Text(name))
            Check(!store::IsForbiddenFileNameChar(c), "a file name holds a forbidden character",
                  e.Text(name));
    return 0;
}
