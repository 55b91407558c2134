// The fit measure: arbitrary texts in the fields of a blank.
//
// Properties: the lines a paragraph is wrapped into give back its text, byte for byte; a
// line holds more than one character only when it fits (its hanging blanks aside, and the
// kerning of its last character with the first of the next line); the
// blank lays out and measures whatever its fields hold. The checks of requisites have their
// own target, fuzz_requisites.

#include "FuzzCheck.h"

#include "doc/PlatRTFDoc.h"
#include "doc/TextFit.h"
#include "rtf/RTF.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <string>

using fuzz::Check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::SilenceMessageBoxes();
    FuzzedDataProvider in(data, size);

    const std::int32_t fontSize = in.ConsumeIntegralInRange<std::int32_t>(1, 30);
    const bool bold = in.ConsumeBool();
    const double room = in.ConsumeFloatingPointInRange<double>(0, 6000);
    const std::string text = in.ConsumeRandomLengthString(400);
    blank::TParagraph paragraph;
    paragraph.Runs.push_back({text, fontSize, bold});
    std::string joined;
    for (const std::string& line : textfit::WrapParagraph(paragraph, room)) {
        joined += line;
        std::string shown = line;
        while (!shown.empty() && shown.back() == ' ')
            shown.pop_back();
        if (shown.size() > 1)
            Check(textfit::TextWidthTwips(shown, fontSize, bold) <= room + fontSize * 4.0,
                  "a line of more than one character is wider than its room", line);
    }
    Check(joined == text, "the lines do not give back the paragraph", text);

    using enum order::TField;
    TPlatData d;
    d.Languages.Blank = in.ConsumeBool() ? blank::TLang::Ukrainian : blank::TLang::Russian;
    d.ShowCopyNumber = in.ConsumeBool();
    d.Texts[PayerName] = in.ConsumeRandomLengthString(200);
    d.Texts[PayerBank] = in.ConsumeRandomLengthString(100);
    d.Texts[RecipientBank2] = in.ConsumeRandomLengthString(100);
    d.Texts[PayerAccount] = in.ConsumeRandomLengthString(40);
    d.Texts[RecipientAccount] = in.ConsumeRandomLengthString(40);
    d.Texts[RecipientOKPO] = in.ConsumeRandomLengthString(12);
    d.Texts[Purpose] = in.ConsumeRandomLengthString(1000);
    d.Kopecks = in.ConsumeIntegralInRange<std::int64_t>(0, 7036874417766399);
    const blank::TPage page = d.Blank();
    textfit::UnseenTexts(page);
    rtf::Document(page);

    return 0;
}
