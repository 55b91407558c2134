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

#include "rtf/RTF.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

using fuzz::Check;

namespace {

// The bytes the writer escapes as \'hh: every byte above 0x7F, letters and signs alike,
// so that the file is seven-bit and read by the code page its header declares.
bool InEscapedSet(unsigned char b) {
    return b >= 0x80;
}

int Hex(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

// The escaped text of a run back into bytes; a violation of the escaping rules fails.
std::string Unescape(std::string_view t) {
    std::string out;
    int blanks = 0; // length of the run of blanks decoded so far
    for (std::size_t i = 0; i < t.size(); ++i) {
        const auto b = static_cast<unsigned char>(t[i]);
        if (b == '{' || b == '}')
            fuzz::Fail("a raw brace in a run", t);
        Check(!InEscapedSet(b), "a raw byte of the escaped set in a run", t);
        if (b == ' ') {
            Check(blanks % 2 == 0, "two ordinary blanks in a row in a run", t);
            ++blanks;
            out += ' ';
            continue;
        }
        if (b != '\\') {
            blanks = 0;
            out += static_cast<char>(b);
            continue;
        }
        Check(i + 1 < t.size(), "a run ends in a lone backslash", t);
        const char next = t[++i];
        if (next == '~') {
            Check(blanks % 2 == 1, "a non-breaking blank out of turn in a run", t);
            ++blanks;
            out += ' ';
            continue;
        }
        blanks = 0;
        if (next == '\\' || next == '{' || next == '}') {
            out += next;
        } else if (next == '\'') {
            Check(i + 2 < t.size() && Hex(t[i + 1]) >= 0 && Hex(t[i + 2]) >= 0,
                  "a hexadecimal escape without two small hex digits", t);
            const auto byte = static_cast<unsigned char>(Hex(t[i + 1]) * 16 + Hex(t[i + 2]));
            Check(InEscapedSet(byte), "a byte outside the escaped set written as hex", t);
            out += static_cast<char>(byte);
            i += 2;
        } else {
            fuzz::Fail("an unknown escape in a run", t);
        }
    }
    return out;
}

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

// The whole document: controls, groups and raw bytes.
void CheckDocument(const std::string& doc) {
    Check(doc.rfind("{\\rtf1\\ansi\\ansicpg1251\\", 0) == 0,
          "a document not starting with {\\rtf1\\ansi\\ansicpg1251", doc);
    int depth = 0;
    for (std::size_t i = 0; i < doc.size(); ++i) {
        const auto b = static_cast<unsigned char>(doc[i]);
        if (b == '{') {
            ++depth;
        } else if (b == '}') {
            --depth;
            Check(depth >= 0, "a closing brace without its group", doc.substr(0, i + 1));
            if (depth == 0)
                Check(doc.substr(i + 1) == "\r\n", "text after the document's closing brace",
                      doc.substr(i));
        } else if (b == '\\') {
            Check(i + 1 < doc.size(), "the document ends in a backslash");
            const char next = doc[i + 1];
            if ((next >= 'a' && next <= 'z')) {
                ++i;
                while (i + 1 < doc.size() && doc[i + 1] >= 'a' && doc[i + 1] <= 'z')
                    ++i;
                if (i + 1 < doc.size() && doc[i + 1] == '-')
                    ++i;
                while (i + 1 < doc.size() && doc[i + 1] >= '0' && doc[i + 1] <= '9')
                    ++i;
                if (i + 1 < doc.size() && doc[i + 1] == ' ')
                    ++i; // the delimiter belongs to the control word
            } else if (next == '\'') {
                Check(i + 3 < doc.size() && Hex(doc[i + 2]) >= 0 && Hex(doc[i + 3]) >= 0,
                      "a bad hexadecimal escape in the document", doc.substr(i, 4));
                i += 3;
            } else if (next == '\\' || next == '{' || next == '}' || next == '~') {
                ++i;
            } else {
                fuzz::Fail("a backslash that starts no control", doc.substr(i, 8));
            }
        } else {
            Check(!InEscapedSet(b), "a raw byte of the escaped set in the document",
                  doc.substr(i > 16 ? i - 16 : 0, 32));
        }
    }
    Check(depth == 0, "unbalanced braces in the document");
}

// The last is a Cyrillic name, "Шрифт": the font table escapes its letters too.
constexpr const char* FontNames[] = {"Times New Roman", "Arial", "Courier New",
                                     "\xD8\xF0\xE8\xF4\xF2"};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool silenced = (fuzz::SilenceMessageBoxes(), true);
    (void)silenced;
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
