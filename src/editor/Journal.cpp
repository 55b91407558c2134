#include "editor/Journal.h"

#include "editor/Procs.h"
#include "platform/Cp1251Case.h"
#include "store/FileList.h"
#include "words/BuhProc.h"

#include <algorithm>
#include <charconv>
#include <numeric>

namespace editor {
namespace {

std::string Lower(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        c = static_cast<char>(platform::Cp1251Lower(static_cast<unsigned char>(c)));
    return out;
}

std::int64_t NumberOf(const TJournalRow& row) {
    std::int64_t n = -1;
    const std::string& text = row.Order[order::TField::Number];
    std::from_chars(text.data(), text.data() + text.size(), n);
    return n;
}

} // namespace

std::optional<TJournalRow> JournalRow(std::string name, std::string_view bytes,
                                      char decimalSeparator, std::chrono::year currentYear) {
    TJournalRow row;
    try {
        row.Order = store::ParsePlat(bytes, decimalSeparator);
    } catch (const store::TDataFileError&) {
        return std::nullopt;
    }
    using enum order::TField;
    const store::TPlatRecord& o = row.Order;
    row.Name = std::move(name);
    row.Date = ReadDateText(o[Date], currentYear);
    row.Kopecks = AmountKopecks(o[SumaGrn], o[SumaKop], decimalSeparator);
    std::string searched;
    for (const order::TField field :
         {Number, Date, RecipientName, RecipientOKPO, RecipientAccount, Purpose})
        searched += o[field] + '\n';
    if (row.Kopecks) {
        // As it is typed when it is looked for: "1500,07", "1500.07", "1500".
        const std::string whole = std::to_string(*row.Kopecks / 100);
        const std::string cents = FormatNum(static_cast<double>(*row.Kopecks) / 100, ',');
        searched += cents + '\n' + whole + '.' + cents.substr(cents.size() - 2) + '\n';
    }
    row.Searched = Lower(searched);
    return row;
}

bool JournalBefore(const TJournalRow& a, const TJournalRow& b) {
    if (a.Date.has_value() != b.Date.has_value())
        return a.Date.has_value();
    if (a.Date && *a.Date != *b.Date)
        return *a.Date > *b.Date;
    return NumberOf(a) > NumberOf(b);
}

void SortJournal(std::vector<TJournalRow>& rows) {
    // A row is a whole order: the order is found on indices, and each row moved once.
    std::vector<std::size_t> order(rows.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(), [&rows](std::size_t a, std::size_t b) {
        return JournalBefore(rows[a], rows[b]);
    });
    std::vector<TJournalRow> sorted;
    sorted.reserve(rows.size());
    for (const std::size_t i : order)
        sorted.push_back(std::move(rows[i]));
    rows = std::move(sorted);
}

std::vector<TJournalRow> ReadJournal(const std::filesystem::path& dataDir, char decimalSeparator,
                                     std::chrono::year currentYear) {
    std::vector<TJournalRow> rows;
    // The names as they stand on disk make the paths: no second look for each file.
    store::ForEachFile(dataDir, store::PlatExt, [&](std::string&& name, std::string_view onDisk) {
        std::string bytes;
        try {
            bytes = store::ReadDataFile(dataDir / onDisk);
        } catch (const std::exception&) {
            return; // gone since the listing, or no file of ours
        }
        name.resize(name.size() - store::PlatExt.size() - 1);
        if (auto row = JournalRow(std::move(name), bytes, decimalSeparator, currentYear))
            rows.push_back(std::move(*row));
    });
    SortJournal(rows);
    return rows;
}

TJournalSearch::TJournalSearch(std::string_view query) {
    const std::string lower = Lower(query);
    for (std::size_t at = 0; at < lower.size();) {
        const std::size_t end = std::min(lower.find(' ', at), lower.size());
        if (end > at)
            Words.push_back(lower.substr(at, end - at));
        at = end + 1;
    }
}

bool TJournalSearch::Keeps(std::string_view searched) const {
    return std::all_of(Words.begin(), Words.end(), [&](const std::string& word) {
        return searched.find(word) != std::string_view::npos;
    });
}

std::string SearchedText(const std::vector<std::string>& texts) {
    std::string joined;
    for (const std::string& text : texts)
        joined += text + '\n';
    return Lower(joined);
}

std::vector<std::size_t> SearchJournal(const std::vector<TJournalRow>& rows,
                                       std::string_view query) {
    const TJournalSearch search(query);
    std::vector<std::size_t> shown;
    for (std::size_t i = 0; i < rows.size(); ++i)
        if (search.Keeps(rows[i]))
            shown.push_back(i);
    return shown;
}

std::int64_t JournalSum(const std::vector<TJournalRow>& rows,
                        const std::vector<std::size_t>& shown) {
    std::int64_t sum = 0;
    for (const std::size_t i : shown)
        sum += rows[i].Kopecks.value_or(0);
    return sum;
}

} // namespace editor
