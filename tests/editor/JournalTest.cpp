// The journal of a quarter's orders: thirty-eight orders of three months to eight recipients,
// found as an accountant looks for them.

#include "editor/Journal.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace testing_support;
using order::TField;

namespace {

const char* const kRecipients[] = {"ТОВ Нова Пошта",   "ПрАТ Київстар",   "ТОВ Епіцентр К",
                                   "ФОП Ґудзь Іван",   "АТ Укртелеком",   "ТОВ Сільпо-Фуд",
                                   "КП Київводоканал", "ТОВ «Нові меблі»"};

// Order n (1..38): a recipient in turn, a day of October to December 2026, n hundred
// hryvnias and n kopecks.
store::TPlatRecord Order(int n) {
    store::TPlatRecord o;
    o[TField::Number] = std::to_string(n);
    const int month = 10 + (n - 1) / 13, day = 1 + (n - 1) % 13 * 2;
    o[TField::Date] =
        (day < 10 ? "0" : "") + std::to_string(day) + "." + std::to_string(month) + ".2026";
    o[TField::RecipientName] = W(kRecipients[(n - 1) % 8]);
    o[TField::RecipientOKPO] = std::to_string(10000000 + (n - 1) % 8);
    o[TField::SumaGrn] = std::to_string(n * 100);
    o[TField::SumaKop] = std::to_string(n);
    o[TField::Purpose] = W(n % 5 == 0 ? "Оплата послуг зв'язку" : "Оплата за товар");
    return o;
}

} // namespace

TEST(Journal, WhatASearchLeavesAndItsSum) {
    TTempDir data;
    for (int n = 1; n <= 38; ++n)
        store::WritePlat(data / ("№ " + std::to_string(n) + ".plt"), Order(n));
    WriteFileBytes(data / "not an order.plt", "hello\r\n");
    const auto rows = editor::ReadJournal(data.Path(), ',', std::chrono::year{2026});
    ASSERT_EQ(rows.size(), 38u);                   // the foreign file is left out
    EXPECT_EQ(rows.front()[TField::Number], "38"); // the newest first
    EXPECT_EQ(rows.back()[TField::Number], "1");
    // The columns are cut from one text per row: each whole, nothing of its neighbour.
    EXPECT_EQ(rows.back()[TField::RecipientName], W("ТОВ Нова Пошта"));
    EXPECT_EQ(rows.back()[TField::Purpose], W("Оплата за товар"));
    EXPECT_EQ(rows.back()[TField::SumaGrn], ""); // not kept

    struct TCase {
        const char* Query;
        std::vector<int> Numbers; // newest first
    };
    const TCase cases[] = {
        {"Нова", {33, 25, 17, 9, 1}}, // the recipient; «Нові меблі» is another word
        {"нова пошта", {33, 25, 17, 9, 1}},
        {"НОВІ", {32, 24, 16, 8}}, // і found as typed, in any case
        {"ґудзь", {36, 28, 20, 12, 4}},
        {"10000004", {37, 29, 21, 13, 5}}, // the code
        {"зв'язку укртелеком", {5}},
        {"1500,15", {15}}, // the amount as written
        {"1500.15", {15}},
        {".11.2026", {26, 25, 24, 23, 22, 21, 20, 19, 18, 17, 16, 15, 14}},
        {"Укрпошта", {}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Query);
        const auto shown = editor::SearchJournal(rows, W(c.Query));
        std::vector<int> numbers;
        std::int64_t sum = 0;
        for (const editor::TJournalRow* row : shown) {
            numbers.push_back(std::stoi(std::string((*row)[TField::Number])));
            sum += numbers.back() * 10001;
        }
        EXPECT_EQ(numbers, c.Numbers);
        EXPECT_EQ(editor::JournalSum(shown), sum);
    }
    EXPECT_EQ(editor::SearchJournal(rows, "  ").size(), 38u);
}
