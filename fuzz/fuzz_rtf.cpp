// The RTF writer: pages of arbitrary runs, in free paragraphs and in small tables of merged
// cells, written as documents.
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
#include <string>
#include <vector>

using fuzz::Check;
using fuzz::CheckDocument;
using fuzz::Unescape;

namespace {

// The last is a Cyrillic name, "Шрифт": the font table escapes its letters too.
constexpr const char* FontNames[] = {"Times New Roman", "Arial", "Courier New",
                                     "\xD8\xF0\xE8\xF4\xF2"};

blank::TParagraph Paragraph(FuzzedDataProvider& in, std::vector<blank::TRun>& runs) {
    blank::TParagraph p;
    p.Align = static_cast<blank::TAlign>(in.ConsumeIntegralInRange<int>(0, 3));
    for (int n = in.ConsumeIntegralInRange<int>(0, 3); n > 0; --n) {
        p.Runs.push_back({in.ConsumeRandomLengthString(200),
                          in.ConsumeIntegralInRange<std::int32_t>(1, 72), in.ConsumeBool()});
        runs.push_back(p.Runs.back());
    }
    return p;
}

// A table whose rows cover its columns once each, left to right.
blank::TTable Table(FuzzedDataProvider& in, std::vector<blank::TRun>& runs) {
    blank::TTable table;
    table.ColumnsMm.resize(in.ConsumeIntegralInRange<std::size_t>(1, 7));
    for (double& width : table.ColumnsMm)
        width = in.ConsumeIntegralInRange<int>(1, 60);
    table.GapMm = in.ConsumeFloatingPointInRange<double>(0, 10);
    for (int r = in.ConsumeIntegralInRange<int>(1, 4); r > 0; --r) {
        blank::TRow row;
        row.HeightMm = in.ConsumeBool() ? 0 : in.ConsumeFloatingPointInRange<double>(0, 50);
        for (int first = 0; first < int(table.ColumnsMm.size());) {
            blank::TCell cell;
            cell.First = first;
            cell.Last = in.ConsumeIntegralInRange<int>(first, int(table.ColumnsMm.size()) - 1);
            cell.Borders = {in.ConsumeBool(), in.ConsumeBool(), in.ConsumeBool(), in.ConsumeBool(),
                            in.ConsumeFloatingPointInRange<double>(0, 3)};
            cell.VAlign = static_cast<blank::TVAlign>(in.ConsumeIntegralInRange<int>(0, 2));
            cell.VMerge = static_cast<blank::TVMerge>(in.ConsumeIntegralInRange<int>(0, 2));
            cell.VMergeOnEveryColumn = in.ConsumeBool();
            for (int n = in.ConsumeIntegralInRange<int>(1, 3); n > 0; --n)
                cell.Paragraphs.push_back(Paragraph(in, runs));
            first = cell.Last + 1;
            row.Cells.push_back(std::move(cell));
        }
        table.Rows.push_back(std::move(row));
    }
    return table;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    blank::TPage page;
    page.FontName = FontNames[in.ConsumeIntegralInRange<int>(0, 3)];
    page.MarginLeftMm = in.ConsumeFloatingPointInRange<double>(0, 50);
    std::vector<blank::TRun> runs;
    for (int step = 0; step < 16 && in.remaining_bytes() > 0; ++step) {
        if (in.ConsumeBool())
            page.Items.push_back(Table(in, runs));
        else
            page.Items.push_back(Paragraph(in, runs));
    }

    const std::string doc = rtf::Document(page);
    CheckDocument(doc);
    std::size_t at = 0;
    for (const blank::TRun& run : runs) {
        const std::string head = "\r\n\\plain\\f0\\fs" +
                                 std::to_string(std::int64_t(run.Size) * 2) +
                                 (run.Bold ? "\\b " : " ");
        const std::size_t found = doc.find(head, at);
        Check(found != std::string::npos, "a run missing from the document", run.Text);
        // The text may hold line ends of its own: the run's line ends at the first that
        // closes the text.
        const std::size_t text = found + head.size();
        std::size_t end = doc.find("\r\n", text);
        while (end != std::string::npos &&
               Unescape(std::string_view(doc).substr(text, end - text)) != run.Text)
            end = doc.find("\r\n", end + 1);
        Check(end != std::string::npos, "a run does not decode to its text", run.Text);
        at = end;
    }
    Check(rtf::Document(page) == doc, "the same page gives another document");
    return 0;
}
