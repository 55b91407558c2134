#pragma once
// What the blank's tests share: realistic orders, and a reader that takes the written RTF
// apart into tables, rows, cells, paragraphs and runs, so that the layout can be checked
// cell by cell instead of line by line.

#include "doc/PlatRTFDoc.h"
#include "rtf/RtfTestHelpers.h"

#include <gtest/gtest.h>

#include <charconv>
#include <optional>
#include <string>
#include <vector>

namespace doc_test {

using testing_support::U;
using testing_support::W;

// A realistic order on the Ukrainian blank: what the main window hands over.
inline TPlatData UkrainianOrder() {
    TPlatData d;
    d.DocBlankLang = 1;
    d.Number = 125;
    d.Date = std::chrono::year{2024} / std::chrono::March / 5;
    d.Suma = 1234.5;
    d.DecimalSeparator = ',';
    d.ShowCopyNumber = true;
    d.PayerName = W("ТОВ \"Квітень-Сервіс\"");
    d.PayerOKPO = "31245789";
    d.PayerBank = W("АТ \"Райффайзен Банк\"");
    d.PayerBank2 = W("Київська філія");
    d.PayerAccount = "26001012345678";
    d.PayerCity = W("Києві");
    d.PayerMFO = "380805";
    d.RecipientName = W("ПП \"Будматеріали Поділля\"");
    d.RecipientOKPO = "23456789";
    d.RecipientBank = W("АТ \"Ощадбанк\"");
    d.RecipientBank2 = W("Хмельницьке обласне управління");
    d.RecipientAccount = "26004098765432";
    d.RecipientCity = W("Хмельницькому");
    d.RecipientMFO = "315784";
    d.PurposeLines = {W("Оплата за будівельні матеріали згідно з рахунком № 47 від 01.03.2024, у "
                        "т.ч. ПДВ 205,75 грн.")};
    return d;
}

// ---------------------------------------------------------------------------------------
// The document taken apart

struct TRunInfo {
    int Size = 0; // points
    bool Bold = false;
    std::string Text; // Windows-1251, unescaped; a non-breaking space reads as a space
};

struct TParaInfo {
    bool InTable = false;
    std::string Align; // "ql", "qc", "qr", "qj" or empty
    std::vector<TRunInfo> Runs;
    bool Mark = false; // ended by \par
};

struct TCellInfo {
    std::string HMerge;  // "", "clmgf", "clmrg"
    std::string VMerge;  // "", "clvmgf", "clvmrg"
    std::string VAlign;  // "clvertalt", "clvertalc", "clvertalb"
    std::string Borders; // letters of the visible borders as written: "tlbr", "b", ""
    std::vector<std::string> BorderWidths;
    std::string Direction;
    int Right = 0; // \cellx
    std::vector<TParaInfo> Paras;
};

struct TRowInfo {
    int Gaph = -1;
    std::optional<int> Height; // \trrh-N
    bool Header = false;
    std::vector<TCellInfo> Cells;
};

struct TItem {
    std::optional<TRowInfo> Row; // a table row, or else
    TParaInfo Para;              // a paragraph outside the tables
};

struct TDoc {
    std::vector<std::string> Header; // up to the margins
    std::vector<TItem> Items;
    bool Closed = false;

    std::vector<const TRowInfo*> Rows() const {
        std::vector<const TRowInfo*> rows;
        for (const TItem& item : Items)
            if (item.Row)
                rows.push_back(&*item.Row);
        return rows;
    }
};

inline bool StartsWith(const std::string& s, const std::string& prefix) {
    return s.compare(0, prefix.size(), prefix) == 0;
}

inline int NumberAfter(const std::string& s, std::size_t at) {
    int value = 0;
    const auto r = std::from_chars(s.data() + at, s.data() + s.size(), value);
    if (r.ec != std::errc() || r.ptr != s.data() + s.size())
        ADD_FAILURE() << "not a number at the end of: " << s;
    return value;
}

inline std::string Unescape(const std::string& s) {
    std::string out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] != '\\') {
            out += s[i];
            continue;
        }
        if (i + 1 >= s.size()) {
            ADD_FAILURE() << "a lone backslash ends the run: " << s;
            break;
        }
        const char c = s[++i];
        if (c == '\'' && i + 2 < s.size()) {
            unsigned value = 0;
            std::from_chars(s.data() + i + 1, s.data() + i + 3, value, 16);
            out += static_cast<char>(value);
            i += 2;
        } else if (c == '~') {
            out += ' ';
        } else if (c == '\\' || c == '{' || c == '}') {
            out += c;
        } else {
            ADD_FAILURE() << "unexpected control word in a run: " << s;
        }
    }
    return out;
}

inline TRunInfo ParseRun(const std::string& line) {
    TRunInfo run;
    const std::size_t space = line.find(' ');
    if (space == std::string::npos) {
        ADD_FAILURE() << "a run line without its space: " << line;
        return run;
    }
    const std::string words = line.substr(0, space);
    // \plain\f0\fs18[\b]
    std::size_t at = 0;
    while (at < words.size()) {
        std::size_t next = words.find('\\', at + 1);
        if (next == std::string::npos)
            next = words.size();
        const std::string word = words.substr(at, next - at);
        if (StartsWith(word, "\\fs"))
            run.Size = NumberAfter(word, 3) / 2;
        else if (word == "\\b")
            run.Bold = true;
        else if (word != "\\plain" && word != "\\f0")
            ADD_FAILURE() << "unexpected word " << word << " in " << line;
        at = next;
    }
    run.Text = Unescape(line.substr(space + 1));
    return run;
}

class TReader {
public:
    explicit TReader(const std::string& bytes) : L(rtf_test::Lines(bytes)) {}

    TDoc Read() {
        TDoc doc;
        std::size_t i = 0;
        for (; i < L.size(); ++i) {
            doc.Header.push_back(L[i]);
            if (StartsWith(L[i], "\\margb"))
                break;
        }
        I = i + 1;
        if (!L.empty() && !L.back().empty() && L.back().back() == '}') {
            L.back().pop_back();
            doc.Closed = true;
        }
        while (I < L.size() && !Failed) {
            if (At("") && Next("\\trowd")) {
                TItem item;
                item.Row = ReadRow();
                doc.Items.push_back(std::move(item));
            } else if (At("") && NextStarts("\\pard")) {
                TItem item;
                item.Para = ReadPara();
                doc.Items.push_back(std::move(item));
            } else {
                Fail("unexpected line");
            }
        }
        return doc;
    }

private:
    bool At(const std::string& s) const { return I < L.size() && L[I] == s; }
    bool Next(const std::string& s) const { return I + 1 < L.size() && L[I + 1] == s; }
    bool NextStarts(const std::string& s) const {
        return I + 1 < L.size() && StartsWith(L[I + 1], s);
    }
    void Fail(const std::string& why) {
        ADD_FAILURE() << why << " at line " << I << ": " << (I < L.size() ? L[I] : "<end>");
        Failed = true;
    }

    TParaInfo ReadPara() {
        TParaInfo p;
        ++I; // the empty line
        const std::string& format = L[I++];
        p.InTable = format.find("\\intbl") != std::string::npos;
        const std::size_t q = format.rfind("\\q");
        if (q != std::string::npos)
            p.Align = format.substr(q + 1);
        while (I < L.size() && StartsWith(L[I], "\\plain"))
            p.Runs.push_back(ParseRun(L[I++]));
        if (At("\\par")) {
            p.Mark = true;
            ++I;
        }
        return p;
    }

    TRowInfo ReadRow() {
        TRowInfo row;
        I += 2;
        for (; I < L.size() && !L[I].empty(); ++I) {
            if (StartsWith(L[I], "\\trgaph"))
                row.Gaph = NumberAfter(L[I], 7);
            else if (StartsWith(L[I], "\\trrh-"))
                row.Height = NumberAfter(L[I], 6);
            else if (L[I] == "\\trhdr")
                row.Header = true;
            else if (L[I] != "\\trleft0")
                Fail("unexpected row word");
        }
        ++I;
        while (I < L.size() && StartsWith(L[I], "\\cl")) {
            TCellInfo cell;
            for (; I < L.size() && !L[I].empty(); ++I) {
                const std::string& w = L[I];
                if (w == "\\clmgf" || w == "\\clmrg")
                    cell.HMerge = w.substr(1);
                else if (w == "\\clvmgf" || w == "\\clvmrg")
                    cell.VMerge = w.substr(1);
                else if (StartsWith(w, "\\clvertal"))
                    cell.VAlign = w.substr(1);
                else if (StartsWith(w, "\\clbrdr") && w.size() == 8)
                    cell.Borders += w[7];
                else if (w == "\\brdrs")
                    continue;
                else if (StartsWith(w, "\\brdrw"))
                    cell.BorderWidths.push_back(w.substr(6));
                else if (StartsWith(w, "\\cltx"))
                    cell.Direction = w.substr(5);
                else if (StartsWith(w, "\\cellx"))
                    cell.Right = NumberAfter(w, 6);
                else
                    Fail("unexpected cell word");
            }
            ++I;
            row.Cells.push_back(std::move(cell));
        }
        std::size_t cell = 0;
        while (I < L.size() && !Failed) {
            if (At("\\row")) {
                ++I;
                break;
            }
            if (At("\\cell")) {
                ++cell;
                ++I;
                continue;
            }
            if (!(At("") && NextStarts("\\pard"))) {
                Fail("unexpected line in a row");
                break;
            }
            TParaInfo p = ReadPara();
            if (cell < row.Cells.size())
                row.Cells[cell].Paras.push_back(std::move(p));
            else
                Fail("more cells than the row defines");
        }
        if (cell != row.Cells.size())
            ADD_FAILURE() << "the row defines " << row.Cells.size() << " cells and ends " << cell;
        return row;
    }

    std::vector<std::string> L;
    std::size_t I = 0;
    bool Failed = false;
};

inline TDoc Read(const std::string& bytes) {
    return TReader(bytes).Read();
}

// The document of an order, as written to a file.
inline std::string Bytes(TPlatData& data) {
    return rtf_test::Saved(*data.Layout());
}

inline TDoc Laid(TPlatData data) {
    return Read(Bytes(data));
}

// A paragraph in readable form (UTF-8): its runs as "<points>[b]:<text>" joined by " + ",
// or "(empty)" when it has none.
inline std::string Render(const TParaInfo& p) {
    if (p.Runs.empty())
        return "(empty)";
    std::string out;
    for (const TRunInfo& r : p.Runs) {
        if (!out.empty())
            out += " + ";
        out += std::to_string(r.Size) + (r.Bold ? "b" : "") + ":" + U(r.Text);
    }
    return out;
}

// A cell's paragraphs in readable form, joined by " / ".
inline std::string Render(const TCellInfo& c) {
    std::string out;
    for (const TParaInfo& p : c.Paras)
        out += (out.empty() ? "" : " / ") + Render(p);
    return out;
}

// Row `row` (1-based) of copy `copy` (1-based): every copy is 21 rows.
inline const TRowInfo& RowOf(const TDoc& doc, int copy, int row) {
    static const TRowInfo none;
    const auto rows = doc.Rows();
    const std::size_t index = std::size_t(copy - 1) * 21 + std::size_t(row - 1);
    if (index >= rows.size()) {
        ADD_FAILURE() << "no row " << row << " in copy " << copy;
        return none;
    }
    return *rows[index];
}

// Cell of column `column` ('A' to 'G') in row `row` of copy `copy`, rendered.
inline std::string CellText(const TDoc& doc, int copy, int row, char column) {
    const TRowInfo& r = RowOf(doc, copy, row);
    const std::size_t index = std::size_t(column - 'A');
    if (index >= r.Cells.size())
        return "<no cell>";
    return Render(r.Cells[index]);
}

} // namespace doc_test
