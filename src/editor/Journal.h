#pragma once
// The journal of stored orders: one row per order file of the data folder, with what the
// accountant looks for (number, date, recipient, amount, purpose), newest first, and the
// search that narrows it as one types. The open dialog of orders shows it; the rows are read
// from the files once, and a search runs over them in memory.

#include "store/DataFiles.h"
#include "store/FileList.h"

#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace editor {

// The fields of an order the journal keeps: what it shows and what a search looks in.
inline constexpr std::array<order::TField, 6> JournalFields = {
    order::TField::Number,           order::TField::Date,
    order::TField::RecipientName,    order::TField::RecipientOKPO,
    order::TField::RecipientAccount, order::TField::Purpose};

class TJournalRow {
public:
    std::string Name; // the file's name without its extension, as the open dialog returns it
    // The order's date and amount as the output reads them; nothing where it would not.
    std::optional<std::chrono::year_month_day> Date;
    std::optional<std::int64_t> Kopecks;
    // The number as a number, read once for the rows' order (the window sorts again after each
    // slice it reads); -1 when it is none.
    std::int64_t NumberValue = -1;

    // One of JournalFields as the file holds it; nothing for a field not kept.
    std::string_view operator[](order::TField field) const;
    // What a search looks in: the kept fields and the amount as it is typed, in small letters.
    std::string_view Searched() const { return std::string_view(Texts).substr(SearchedAt); }

private:
    friend bool FillJournalRow(TJournalRow&, std::string&&, std::string_view, char,
                               std::chrono::year);
    // A row per order of years of them: the kept fields, each ended by a line feed, then the
    // searched text, all in one string rather than a string each.
    std::string Texts;
    std::array<std::uint32_t, JournalFields.size()> Ends{};
    std::size_t SearchedAt = 0;
};

// The orders of `dataDir` read into rows bit by bit, for a window that shows the first while
// it reads the rest. A file that is no order (or cannot be read) is left out.
// `decimalSeparator` is the user's (for the version line and the amount).
class TJournalReader {
public:
    TJournalReader(const std::filesystem::path& dataDir, char decimalSeparator,
                   std::chrono::year currentYear);
    std::size_t ListedCount() const { return Files.ListedCount(); }
    std::size_t UnreadCount() const { return Files.UnreadCount(); }
    // Reads on until every file is read or `enough` says so (asked before each file); the rows
    // are added at the end of `rows` in the order read.
    void ReadInto(std::vector<TJournalRow>& rows, const std::function<bool()>& enough);

private:
    store::TFolderReader Files;
    char Separator;
    std::chrono::year Year;
};

// Every order of `dataDir` that reads as an order, newest first (by its date, an order
// without a readable date last), then by its number, the greater first.
std::vector<TJournalRow> ReadJournal(const std::filesystem::path& dataDir, char decimalSeparator,
                                     std::chrono::year currentYear);
// The row of one order file's bytes, filled where it stands; false for a file that is no order.
bool FillJournalRow(TJournalRow& row, std::string&& name, std::string_view bytes,
                    char decimalSeparator, std::chrono::year currentYear);
// Newest first, then the greater number.
void SortJournal(std::vector<TJournalRow>& rows);
void SortJournal(std::vector<const TJournalRow*>& rows);

// Whether a row holds every word of `query` (blanks separate the words), in the case of
// neither. An empty query keeps every row.
class TJournalSearch {
public:
    explicit TJournalSearch(std::string_view query);
    bool Keeps(const TJournalRow& row) const { return Keeps(row.Searched()); }
    // `searched`: the texts looked in, in small letters (SearchedText).
    bool Keeps(std::string_view searched) const;

private:
    std::vector<std::string> Words;
};
// The rows the search keeps, newest first (SortJournal), whatever the order of `rows`.
std::vector<const TJournalRow*> SearchJournal(const std::vector<TJournalRow>& rows,
                                              std::string_view query);

// Texts to search as the journal searches them: joined, in small letters.
std::string SearchedText(const std::vector<std::string>& texts);

// The sum of the amounts of the rows `shown`, in kopecks.
std::int64_t JournalSum(const std::vector<const TJournalRow*>& shown);

} // namespace editor
