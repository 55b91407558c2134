// The RTF writer: arbitrary bytes through TRTF::AddText, mixed with paragraph ends, font
// changes and small tables, then the whole document text.
//
// Properties, for every run: its line is the run's control words, one blank, then the text
// escaped so that it decodes to exactly the bytes given: a backslash, a brace and every byte
// of the escaped set only as an escape, no other escape, the blanks of a run of blanks
// alternating with non-breaking ones. For the document: every backslash starts a valid
// control word or symbol, the braces balance outside escapes and close the document at its
// very end, no byte of the escaped set stands raw anywhere, and every run is in it, in order.

#include "FuzzCheck.h"
#include "RtfCheck.h"

#include "rtf/RTF.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

using fuzz::Check;
using fuzz::CheckDocument;
using fuzz::Unescape;

namespace {

// The run's line: "\plain\fN\fsN[\b][\i][\ul] " and the escaped text.
void CheckRun(std::string_view line, const std::string& text, const TFont& font,
              std::int32_t fontIndex) {
    std::string head = "\\plain\\f" + std::to_string(fontIndex) + "\\fs" +
                       std::to_string(std::int64_t(font.Size) * 2);
    if (font.Style & fsBold)
        head += "\\b";
    if (font.Style & fsItalic)
        head += "\\i";
    if (font.Style & fsUnderline)
        head += "\\ul";
    head += ' ';
    Check(line.rfind(head, 0) == 0, "a run without its control words", line);
    Check(Unescape(line.substr(head.size())) == text, "a run does not decode to its text", line);
}

// The last is a Cyrillic name, "Шрифт": the font table escapes its letters too.
constexpr const char* FontNames[] = {"Times New Roman", "Arial", "Courier New",
                                     "\xD8\xF0\xE8\xF4\xF2"};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::SilenceMessageBoxes();
    FuzzedDataProvider in(data, size);
    TRTF rtf;
    std::vector<std::string> runs;

    for (int step = 0; step < 64 && in.remaining_bytes() > 0; ++step) {
        switch (in.ConsumeIntegralInRange<int>(0, 9)) {
        case 0:
            rtf.NewParagraph();
            break;
        case 1:
            rtf.FlushParagraph(false);
            break;
        case 2:
            rtf.Font.Name = FontNames[in.ConsumeIntegralInRange<int>(0, 3)];
            rtf.Font.Size = in.ConsumeIntegralInRange<std::int32_t>(1, 72);
            rtf.Font.Style = in.ConsumeIntegral<std::uint8_t>() & 15;
            break;
        case 3:
            if (!rtf.Table.InTable) {
                std::vector<std::int32_t> widths(in.ConsumeIntegralInRange<std::size_t>(1, 7));
                for (auto& w : widths)
                    w = in.ConsumeIntegralInRange<std::int32_t>(1, 60);
                rtf.BeginTable(widths);
            }
            break;
        case 4:
            if (rtf.Table.InTable)
                rtf.NextCell();
            break;
        case 5:
            if (rtf.Table.InTable)
                rtf.EndTable();
            break;
        default: {
            const std::string text = in.ConsumeRandomLengthString(200);
            rtf.AddText(text);
            Check(!rtf.Runs.empty(), "AddText made no run");
            CheckRun(rtf.Runs.back(), text, rtf.Font, rtf.FontIndex);
            Check(rtf.FontNames[static_cast<std::size_t>(rtf.FontIndex)] == rtf.Font.Name,
                  "a run in another font than the current one");
            runs.emplace_back(rtf.Runs.back());
            break;
        }
        }
    }
    // A client always closes its tables; the rows of one left open are never written.
    if (rtf.Table.InTable)
        rtf.EndTable();

    const std::string doc = rtf.DocumentText();
    CheckDocument(doc);
    std::size_t at = 0;
    for (const std::string& run : runs) {
        const std::size_t found = doc.find("\r\n" + run + "\r\n", at);
        Check(found != std::string::npos, "a run missing from the document", run);
        at = found + run.size() + 2;
    }
    Check(rtf.DocumentText() == doc, "a second DocumentText gives another document");
    return 0;
}
