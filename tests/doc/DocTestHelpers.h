#pragma once
// What the blank's tests share: realistic orders, and the page of the blank read cell by cell
// in a readable form.

#include "doc/PlatRTFDoc.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

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
// The page read back

// The tables of a page, one per copy.
inline std::vector<const blank::TTable*> Tables(const blank::TPage& page) {
    std::vector<const blank::TTable*> tables;
    for (const blank::TItem& item : page.Items)
        if (const auto* table = std::get_if<blank::TTable>(&item))
            tables.push_back(table);
    return tables;
}

// Row `row` (1-based) of copy `copy` (1-based).
inline const blank::TRow& RowOf(const blank::TPage& page, int copy, int row) {
    static const blank::TRow none;
    const auto tables = Tables(page);
    if (copy < 1 || std::size_t(copy) > tables.size() || row < 1 ||
        std::size_t(row) > tables[std::size_t(copy - 1)]->Rows.size()) {
        ADD_FAILURE() << "no row " << row << " in copy " << copy;
        return none;
    }
    return tables[std::size_t(copy - 1)]->Rows[std::size_t(row - 1)];
}

// A paragraph in readable form (UTF-8): its runs as "<points>[b]:<text>" joined by " + ",
// or "(empty)" when it has none.
inline std::string Render(const blank::TParagraph& p) {
    if (p.Runs.empty())
        return "(empty)";
    std::string out;
    for (const blank::TRun& r : p.Runs) {
        if (!out.empty())
            out += " + ";
        out += std::to_string(r.Size) + (r.Bold ? "b" : "") + ":" + U(r.Text);
    }
    return out;
}

// The cell that starts at column `column` ('A' to 'G') in row `row` of copy `copy`, its
// paragraphs joined by " / "; "(empty)" for a column that a wider cell covers.
inline std::string CellText(const blank::TPage& page, int copy, int row, char column) {
    for (const blank::TCell& cell : RowOf(page, copy, row).Cells) {
        if (cell.First != column - 'A')
            continue;
        std::string out;
        for (const blank::TParagraph& p : cell.Paragraphs)
            out += (out.empty() ? "" : " / ") + Render(p);
        return out;
    }
    return "(empty)";
}

} // namespace doc_test
