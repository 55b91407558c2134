// Whole documents of realistic orders, byte for byte: every file in cases/ describes an order
// and expected/ holds the document it must give. Run with VANTREL_UPDATE_EXPECTED=1 to write
// the expected documents anew (then look at them before keeping them).
//
// A case file is UTF-8, one "Field = value" per line, '#' starting a comment: the order's
// texts under the names of the field table; Number, Date (YYYY-MM-DD) and the amount in
// Kopecks as the output command reads them; the kind of blank and the languages by their
// stored codes; Booleans 0 or 1.

#include "DocTestHelpers.h"

#include "rtf/RTF.h"

#include "words/BuhProc.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdlib>
#include <functional>
#include <iostream>
#include <map>
#include <sstream>

using namespace doc_test;
using namespace testing_support;
namespace fs = std::filesystem;

namespace {

const fs::path kHere = DOC_TEST_DIR;

template <class T> T Int(const std::string& v) {
    long long value = 0;
    const auto r = std::from_chars(v.data(), v.data() + v.size(), value);
    EXPECT_TRUE(r.ec == std::errc() && r.ptr == v.data() + v.size()) << "not a number: " << v;
    return static_cast<T>(value);
}

TPlatData ReadCase(const fs::path& file) {
    TPlatData d;
    using TSetter = std::function<void(const std::string&)>;
    auto flag = [](bool& field) { return [&field](const std::string& v) { field = v == "1"; }; };
    const std::map<std::string, TSetter> setters{
        {"Kind", [&](const std::string& v) { d.Languages.Kind = blank::TBlankKind(Int<int>(v)); }},
        {"BlankLang", [&](const std::string& v) { d.Languages.Blank = blank::TLang(Int<int>(v)); }},
        {"DateLang",
         [&](const std::string& v) { d.Languages.Date = blank::TLangChoice(Int<int>(v)); }},
        {"SumaLang",
         [&](const std::string& v) { d.Languages.Suma = blank::TLangChoice(Int<int>(v)); }},
        {"Date",
         [&](const std::string& v) {
             d.Date = std::chrono::year{Int<int>(v.substr(0, 4))} / Int<unsigned>(v.substr(5, 2)) /
                      Int<unsigned>(v.substr(8, 2));
         }},
        {"Number", [&](const std::string& v) { d.Number = Int<std::int32_t>(v); }},
        {"Kopecks", [&](const std::string& v) { d.Kopecks = Int<std::int64_t>(v); }},
        {"DecimalSeparator", [&](const std::string& v) { d.DecimalSeparator = v.at(0); }},
        {"ShowCopyNumber", flag(d.ShowCopyNumber)},
        {"ShowOneSignatureRights", flag(d.ShowOneSignatureRights)},
        {"BoldPlatName", flag(d.BoldPlatName)},
        {"BoldPolName", flag(d.BoldPolName)},
    };
    for (const auto& [name, value] : ReadCaseFile(file)) {
        // The order's own texts go by the names of the field table.
        const auto field = std::find_if(order::Fields.begin(), order::Fields.end(),
                                        [&](const auto& info) { return info.Name == name; });
        if (field != order::Fields.end() && name != "Number" && name != "Date") {
            d.Texts[field->Field] = W(value);
            continue;
        }
        const auto setter = setters.find(name);
        if (setter == setters.end()) {
            ADD_FAILURE() << file << ": unknown field " << name;
            continue;
        }
        setter->second(value);
    }
    return d;
}

std::vector<fs::path> Cases() {
    std::vector<fs::path> cases;
    for (const auto& entry : fs::directory_iterator(kHere / "cases"))
        if (entry.path().extension() == ".txt")
            cases.push_back(entry.path());
    std::sort(cases.begin(), cases.end());
    return cases;
}

fs::path ExpectedOf(const fs::path& caseFile) {
    return kHere / "expected" / caseFile.stem().replace_extension(".rtf");
}

// Width and height in points of the first page's media box.
std::pair<double, double> PageSize(const std::string& pdf) {
    const std::string key = "/MediaBox[0 0 ";
    const std::size_t at = pdf.find(key);
    if (at == std::string::npos)
        return {0, 0};
    double width = 0, height = 0;
    const char* p = pdf.data() + at + key.size();
    const char* end = pdf.data() + pdf.size();
    p = std::from_chars(p, end, width).ptr;
    while (p < end && *p == ' ')
        ++p;
    std::from_chars(p, end, height);
    return {width, height};
}

// Converts every .rtf in `dir` with LibreOffice, under a profile of its own so that it never
// meets another running instance.
int ConvertAll(const fs::path& dir, const std::string& format) {
    const std::string d = "'" + dir.string() + "'";
    const std::string command = "cd " + d + " && HOME=" + d +
                                " timeout 300 soffice -env:UserInstallation=file://" +
                                (dir / "profile").string() + " --headless --convert-to " + format +
                                " --outdir " + d + " *.rtf >/dev/null 2>&1";
    return std::system(command.c_str());
}

std::string Utf8Of(unsigned long code) {
    std::string out;
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | ((code >> 12) & 0x0F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
    return out;
}

// The text of unrtf's HTML as UTF-8: tags dropped, entities decoded, every run of blanks one
// space (a non-breaking one included).
std::string HtmlText(const std::string& html) {
    static const std::map<std::string, std::string> named{
        {"amp", "&"},   {"lt", "<"},    {"gt", ">"},    {"quot", "\""}, {"apos", "'"},
        {"nbsp", " "},  {"laquo", "«"}, {"raquo", "»"}, {"rsquo", "’"}, {"lsquo", "‘"},
        {"bdquo", "„"}, {"ldquo", "“"}, {"rdquo", "”"}, {"mdash", "—"}, {"ndash", "–"}};
    std::string text;
    auto put = [&text](const std::string& piece) {
        for (const char c : piece) {
            const bool blank = c == ' ' || c == '\n' || c == '\r' || c == '\t';
            if (!blank)
                text += c;
            else if (!text.empty() && text.back() != ' ')
                text += ' ';
        }
    };
    for (std::size_t i = 0; i < html.size(); ++i) {
        if (html[i] == '<') {
            i = html.find('>', i);
            if (i == std::string::npos)
                break;
            continue;
        }
        const std::size_t semicolon = html[i] == '&' ? html.find(';', i) : std::string::npos;
        if (semicolon == std::string::npos || semicolon - i > 10) {
            put(std::string(1, html[i]));
            continue;
        }
        const std::string name = html.substr(i + 1, semicolon - i - 1);
        if (name.size() > 1 && name[0] == '#') {
            put(Utf8Of(std::stoul(name.substr(1))));
        } else if (named.count(name)) {
            put(named.at(name));
        } else {
            put("&" + name + ";"); // left as it is, so that a check shows it
        }
        i = semicolon;
    }
    return text;
}

std::string WithoutBlanks(const std::string& s) {
    std::string out;
    for (const char c : s)
        if (!std::isspace(static_cast<unsigned char>(c)))
            out += c;
    return out;
}

// What pdftotext reads of a payment instruction's page (UTF-8): everything the order holds,
// each IBAN on a line of its own making (not broken across two), and no bank code.
void ExpectInstructionShowsTheOrder(const TPlatData& d, const fs::path& pdf) {
    const fs::path txt = fs::path(pdf).replace_extension(".pdf.txt");
    const std::string command =
        "pdftotext -enc UTF-8 '" + pdf.string() + "' '" + txt.string() + "' 2>/dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0);
    const std::string text = ReadFileBytes(txt);
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    const auto onOneLine = [&](const std::string& utf8) {
        return std::count_if(lines.begin(), lines.end(), [&](const std::string& line) {
            return line.find(utf8) != std::string::npos;
        });
    };
    EXPECT_EQ(onOneLine("ПЛАТІЖНА ІНСТРУКЦІЯ №" + std::to_string(d.Number)), 2) << text;
    using enum order::TField;
    for (const order::TField field :
         {PayerName, PayerOKPO, PayerAccount, RecipientName, RecipientOKPO, RecipientAccount})
        EXPECT_EQ(onOneLine(U(d.Texts[field])), 2) << U(d.Texts[field]) << " in both copies";
    // A bank code is also inside its IBAN: printed on its own, it is a word of its own.
    std::istringstream words(text);
    for (std::string word; words >> word;)
        EXPECT_TRUE(word != d.Texts[PayerMFO] && word != d.Texts[RecipientMFO])
            << "a bank code is printed";
    const std::string all = WithoutBlanks(text);
    const double suma = static_cast<double>(d.Kopecks) / 100;
    const std::string amount = blank::AmountLanguage(d.Languages) == blank::TLang::Russian
                                   ? SumaToWordsRus(suma)
                                   : SumaToWordsUkr(suma);
    for (const std::string& whole : {FormatNum(suma, d.DecimalSeparator), amount, d.Texts[Purpose],
                                     d.Texts[PayerBank], d.Texts[RecipientBank2]})
        EXPECT_NE(all.find(WithoutBlanks(U(whole))), std::string::npos) << U(whole);
}

} // namespace

TEST(PlatFixtures, EveryCaseGivesItsExpectedDocument) {
    const std::vector<fs::path> cases = Cases();
    ASSERT_GE(cases.size(), 5u);
    for (const fs::path& file : cases) {
        SCOPED_TRACE(file.filename().string());
        const std::string bytes = rtf::Document(ReadCase(file).Blank());
        if (UpdatingExpected()) {
            WriteFileBytes(ExpectedOf(file), bytes);
            continue;
        }
        ASSERT_TRUE(fs::exists(ExpectedOf(file))) << "run with VANTREL_UPDATE_EXPECTED=1";
        const std::string expected = ReadFileBytes(ExpectedOf(file));
        if (bytes == expected)
            continue;
        const std::size_t at =
            std::mismatch(bytes.begin(), bytes.end(), expected.begin(), expected.end()).first -
            bytes.begin();
        const std::size_t line =
            bytes.rfind('\n', at) == std::string::npos ? 0 : bytes.rfind('\n', at) + 1;
        ADD_FAILURE() << "first difference at byte " << at << ", in the line \""
                      << bytes.substr(line, bytes.find('\r', line) - line) << "\"";
    }
}

// The cases themselves are realistic orders: every one has two full copies of its blank.
TEST(PlatFixtures, EveryCaseLaysOutWholeCopies) {
    for (const fs::path& file : Cases()) {
        SCOPED_TRACE(file.filename().string());
        const TPlatData d = ReadCase(file);
        const std::size_t rows =
            d.Languages.Kind == blank::TBlankKind::PaymentInstruction ? 16 : 21;
        std::vector<std::size_t> tables;
        for (const blank::TItem& item : d.Blank().Items)
            if (const auto* table = std::get_if<blank::TTable>(&item))
                tables.push_back(table->Rows.size());
        EXPECT_EQ(tables, std::vector<std::size_t>(2, rows));
    }
}

// What every renderer relies on: the rows of a table cover its columns once each, left to
// right; every cell has a paragraph; a cell joined to the one above sits under a cell of the
// same columns that starts or continues the merge.
TEST(PlatFixtures, EveryCaseDescribesWellFormedTables) {
    for (const fs::path& file : Cases()) {
        SCOPED_TRACE(file.filename().string());
        const blank::TPage page = ReadCase(file).Blank();
        std::size_t tables = 0;
        for (const blank::TItem& item : page.Items) {
            const auto* table = std::get_if<blank::TTable>(&item);
            if (!table)
                continue;
            ++tables;
            const blank::TRow* above = nullptr;
            for (const blank::TRow& row : table->Rows) {
                int next = 0;
                for (const blank::TCell& cell : row.Cells) {
                    EXPECT_EQ(cell.First, next);
                    EXPECT_LE(cell.First, cell.Last);
                    next = cell.Last + 1;
                    EXPECT_FALSE(cell.Paragraphs.empty());
                    if (cell.VMerge != blank::TVMerge::Joined)
                        continue;
                    const auto same = [&](const blank::TCell& c) {
                        return c.First == cell.First && c.Last == cell.Last &&
                               c.VMerge != blank::TVMerge::None;
                    };
                    EXPECT_TRUE(above &&
                                std::any_of(above->Cells.begin(), above->Cells.end(), same))
                        << "a joined cell at column " << cell.First << " without its block above";
                }
                EXPECT_EQ(next, static_cast<int>(table->ColumnsMm.size()));
                above = &row;
            }
        }
        EXPECT_GE(tables, 1u);
    }
}

// What the word processor makes of two copies: exactly one A4 page, both titles on it; the
// payment instruction shows all of the order.
TEST(PlatLibreOffice, TwoCopiesOfARealisticOrderFillOneA4Page) {
    if (std::system("command -v soffice >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "soffice is not installed";
    TTempDir dir;
    std::vector<std::string> names;
    for (const fs::path& file : Cases()) {
        WriteFileBytes(dir / (file.stem().string() + ".rtf"), Bytes(ReadCase(file)));
        names.push_back(file.stem().string());
    }
    ASSERT_GE(names.size(), 3u);
    ASSERT_EQ(ConvertAll(dir.Path(), "pdf"), 0);
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        const fs::path pdf = dir / (name + ".pdf");
        ASSERT_TRUE(fs::exists(pdf)) << "LibreOffice did not convert the document";
        const std::string bytes = ReadFileBytes(pdf);
        EXPECT_EQ(CountPdfPages(bytes), 1u);
        const auto [width, height] = PageSize(bytes);
        EXPECT_NEAR(width, 595.3, 0.5) << "not an A4 page";
        EXPECT_NEAR(height, 841.9, 0.5) << "not an A4 page";
        const TPlatData d = ReadCase(kHere / "cases" / (name + ".txt"));
        if (d.Languages.Kind == blank::TBlankKind::PaymentInstruction &&
            std::system("command -v pdftotext >/dev/null 2>&1") == 0)
            ExpectInstructionShowsTheOrder(d, pdf);
    }

    ASSERT_EQ(ConvertAll(dir.Path(), "\"txt:Text (encoded):UTF8\""), 0);
    const std::string text = ReadFileBytes(dir / "ukrainian.txt");
    const std::string title = "ПЛАТІЖНЕ ДОРУЧЕННЯ №125";
    const std::size_t first = text.find(title);
    ASSERT_NE(first, std::string::npos) << text;
    EXPECT_NE(text.find(title, first + 1), std::string::npos) << "the second copy";
}

// A reader that takes the code page from the header: unrtf gives every field of a blank in
// Cyrillic, the signs № « » and the letter Ґ included (it dropped them while they were raw
// bytes under a bare \ansi).
TEST(PlatUnrtf, EveryFieldOfTheBlankReadsBackAsTyped) {
    if (std::system("command -v unrtf >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "unrtf is not installed";
    using enum order::TField;
    TPlatData d = UkrainianOrder();
    d.Texts[PayerName] = W("ТОВ «Ґалицькі ґудзики»");
    d.Texts[RecipientBank2] = W("Ґ-відділення № 7");
    TTempDir dir;
    WriteFileBytes(dir / "blank.rtf", Bytes(d));
    const std::string command = "unrtf --html '" + (dir / "blank.rtf").string() + "' > '" +
                                (dir / "blank.html").string() + "' 2>/dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0);
    const std::string text = HtmlText(ReadFileBytes(dir / "blank.html"));
    std::vector<std::string> printed;
    for (const order::TFieldInfo& info : order::Fields)
        if (info.Party != order::TParty::None || info.Field == Purpose)
            printed.push_back(d.Texts[info.Field]);
    for (const char* form : {"ПЛАТІЖНЕ ДОРУЧЕННЯ №125", "від 5 березня 2024р.",
                             "Одна тисяча двісті тридцять чотири грн. 50 коп."})
        printed.push_back(W(form));
    for (const std::string& field : printed)
        EXPECT_NE(text.find(U(field)), std::string::npos) << U(field);
    if (HasFailure())
        std::cerr << "unrtf read: " << text << "\n";
}
