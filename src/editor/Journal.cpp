#include "editor/Journal.h"

#include "editor/Procs.h"
#include "platform/Cp1251Case.h"
#include "store/FileList.h"
#include "words/BuhProc.h"

#include <algorithm>
#include <charconv>
#include <tuple>

namespace editor {
namespace {

// Where a row stands, the smaller first: dated rows, the newest first, then the greater
// number.
using TJournalKey = std::tuple<bool, int, int, int, std::int64_t>;

TJournalKey JournalKey(const TJournalRow& row) {
    if (!row.Date)
        return {true, 0, 0, 0, -row.NumberValue};
    const std::chrono::year_month_day& d = *row.Date;
    return {false, -static_cast<int>(d.year()), -static_cast<int>(unsigned(d.month())),
            -static_cast<int>(unsigned(d.day())), -row.NumberValue};
}

} // namespace

std::string_view TJournalRow::operator[](order::TField field) const {
    const auto* kept = std::find(JournalFields.begin(), JournalFields.end(), field);
    if (kept == JournalFields.end())
        return {};
    const auto i = static_cast<std::size_t>(kept - JournalFields.begin());
    const std::size_t begin = i == 0 ? 0 : Ends[i - 1] + 1;
    return std::string_view(Texts).substr(begin, Ends[i] - begin);
}

bool FillJournalRow(TJournalRow& row, std::string&& name, std::string_view bytes,
                    char decimalSeparator, std::chrono::year currentYear) {
    store::TPlatView o;
    try {
        o = store::ParsePlatView(bytes, decimalSeparator);
    } catch (const store::TDataFileError&) {
        return false;
    }
    using enum order::TField;
    row.Name = std::move(name);
    row.Date = ReadDateText(o[Date], currentYear);
    row.Kopecks = AmountKopecks(o[SumaGrn], o[SumaKop], decimalSeparator);
    row.NumberValue = -1;
    std::from_chars(o[Number].data(), o[Number].data() + o[Number].size(), row.NumberValue);
    std::string& texts = row.Texts;
    texts.clear();
    std::size_t kept = 2 * 24; // the amount written twice
    for (const order::TField field : JournalFields)
        kept += o[field].size() + 1;
    texts.reserve(2 * kept);
    for (std::size_t i = 0; i < JournalFields.size(); ++i) {
        (texts += o[JournalFields[i]]) += '\n';
        row.Ends[i] = static_cast<std::uint32_t>(texts.size() - 1);
    }
    if (row.Kopecks) {
        // As it is typed when it is looked for: "1500,07", "1500.07", "1500".
        char cents[4] = {',', static_cast<char>('0' + *row.Kopecks % 100 / 10),
                         static_cast<char>('0' + *row.Kopecks % 10), '\n'};
        const std::string whole = std::to_string(*row.Kopecks / 100);
        (texts += whole).append(cents, 4);
        cents[0] = '.';
        (texts += whole).append(cents, 4);
    }
    // The searched copy follows; the texts' own bytes are kept apart for the columns.
    row.SearchedAt = texts.size();
    texts += platform::Cp1251LowerText(texts);
    return true;
}

namespace {

// Where each row goes: the keys made once per row, not once per comparison (the window
// sorts up to 100,000 rows again as each slice of them is read).
template <typename TRowAt>
std::vector<std::pair<TJournalKey, std::size_t>> JournalOrder(std::size_t count, TRowAt rowAt) {
    std::vector<std::pair<TJournalKey, std::size_t>> order;
    order.reserve(count);
    for (std::size_t i = 0; i < count; ++i)
        order.emplace_back(JournalKey(rowAt(i)), i);
    std::sort(order.begin(), order.end()); // the index settles ties: stable
    return order;
}

} // namespace

void SortJournal(std::vector<TJournalRow>& rows) {
    // A row is a whole order: each is moved once, to its place.
    std::vector<TJournalRow> sorted;
    sorted.reserve(rows.size());
    for (const auto& [key, i] : JournalOrder(
             rows.size(), [&rows](std::size_t i) -> const TJournalRow& { return rows[i]; }))
        sorted.push_back(std::move(rows[i]));
    rows = std::move(sorted);
}

void SortJournal(std::vector<const TJournalRow*>& rows) {
    std::vector<const TJournalRow*> sorted;
    sorted.reserve(rows.size());
    for (const auto& [key, i] : JournalOrder(
             rows.size(), [&rows](std::size_t i) -> const TJournalRow& { return *rows[i]; }))
        sorted.push_back(rows[i]);
    rows = std::move(sorted);
}

TJournalReader::TJournalReader(const std::filesystem::path& dataDir, char decimalSeparator,
                               std::chrono::year currentYear)
    : Files(dataDir, store::PlatExt), Separator(decimalSeparator), Year(currentYear) {}

void TJournalReader::ReadInto(std::vector<TJournalRow>& rows, const std::function<bool()>& enough) {
    const auto fill = [&](std::string&& name, std::string_view bytes) {
        if (!FillJournalRow(rows.emplace_back(), std::move(name), bytes, Separator, Year))
            rows.pop_back();
    };
    while (!enough() && Files.ReadNext(fill)) {
    }
}

std::vector<TJournalRow> ReadJournal(const std::filesystem::path& dataDir, char decimalSeparator,
                                     std::chrono::year currentYear) {
    TJournalReader reader(dataDir, decimalSeparator, currentYear);
    std::vector<TJournalRow> rows;
    rows.reserve(reader.ListedCount());
    reader.ReadInto(rows, [] { return false; });
    SortJournal(rows);
    return rows;
}

TJournalSearch::TJournalSearch(std::string_view query) {
    const std::string lower = platform::Cp1251LowerText(query);
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
    return platform::Cp1251LowerText(joined);
}

std::vector<const TJournalRow*> SearchJournal(const std::vector<TJournalRow>& rows,
                                              std::string_view query) {
    const TJournalSearch search(query);
    std::vector<const TJournalRow*> shown;
    for (const TJournalRow& row : rows)
        if (search.Keeps(row))
            shown.push_back(&row);
    SortJournal(shown);
    return shown;
}

std::int64_t JournalSum(const std::vector<const TJournalRow*>& shown) {
    std::int64_t sum = 0;
    for (const TJournalRow* row : shown)
        sum += row->Kopecks.value_or(0);
    return sum;
}

} // namespace editor
