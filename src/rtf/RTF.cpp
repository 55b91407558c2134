#include "rtf/RTF.h"

#include "platform/Cp1251Literal.h"
#include "platform/Desktop.h"
#include "platform/Files.h"
#include "platform/MessageBoxes.h"

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <stdexcept>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// Lines are built in place at the end of their list (TLineList::BeginLine).
template <std::size_t N> void AddLine(TLineList& list, const char (&word)[N]) {
    char* p = list.BeginLine(N - 1);
    std::memcpy(p, word, N - 1);
    list.EndLine(p + N - 1);
}

// Appends `word` and the decimal `value` at `p` (room for 24 more bytes); returns the end.
template <std::size_t N> char* PutWordNum(char* p, const char (&word)[N], std::int64_t value) {
    std::memcpy(p, word, N - 1);
    p += N - 1;
    return std::to_chars(p, p + 24, value).ptr;
}

template <std::size_t N>
void AddWordNum(TLineList& list, const char (&word)[N], std::int64_t value) {
    list.EndLine(PutWordNum(list.BeginLine(N + 24), word, value));
}

// round(x * factor / 10^shift), ties to even, computed on the shortest decimal form of x so
// that the result is the same whatever the floating-point unit does with the product (the
// documented values, such as 5 mm -> 284 twips, are ties that a binary product may miss).
std::int32_t ScaledRound(double x, unsigned factor, int shift) {
    if (!std::isfinite(x))
        throw std::overflow_error("length out of range");
    char text[64];
    const auto conv = std::to_chars(text, text + sizeof text, x, std::chars_format::scientific);
    // The form is [-]d[.ddd]e(+|-)dd.
    const char* p = text;
    const char* end = conv.ptr;
    bool negative = false;
    if (p < end && *p == '-') {
        negative = true;
        ++p;
    }
    using u128 = unsigned __int128;
    u128 mantissa = 0;
    int exponent = 0;
    bool inFraction = false;
    for (; p < end && *p != 'e'; ++p) {
        if (*p == '.') {
            inFraction = true;
            continue;
        }
        mantissa = mantissa * 10 + static_cast<unsigned>(*p - '0');
        if (inFraction)
            --exponent;
    }
    if (p < end && *p == 'e') {
        ++p;
        if (p < end && *p == '+')
            ++p;
        int e = 0;
        std::from_chars(p, end, e);
        exponent += e;
    }
    // At most 17 significant digits: mantissa < 10^17, the product < 10^21.
    u128 value = mantissa * factor;
    exponent -= shift;
    const u128 limit = negative ? u128(1) << 31 : (u128(1) << 31) - 1;
    if (value == 0)
        return 0;
    if (exponent >= 0) {
        for (int i = 0; i < exponent; ++i) {
            value *= 10;
            if (value > limit)
                throw std::overflow_error("length out of range");
        }
    } else if (exponent < -30) {
        value = 0; // far below one half
    } else {
        u128 divisor = 1;
        for (int i = 0; i < -exponent; ++i)
            divisor *= 10;
        const u128 quotient = value / divisor;
        const u128 twice = (value % divisor) * 2;
        value = quotient;
        if (twice > divisor || (twice == divisor && (quotient & 1) != 0))
            ++value;
    }
    if (value > limit)
        throw std::overflow_error("length out of range");
    const auto magnitude = static_cast<std::int64_t>(value);
    return static_cast<std::int32_t>(negative ? -magnitude : magnitude);
}

// MmToTwips of a whole number of millimetres (the indents, the column edges): 567 * mm / 10
// in integers, ties to even.
std::int32_t WholeMmToTwips(std::int64_t mm) {
    // Far beyond 32 bits of twips, and small enough that the product fits 64 bits.
    if (mm < -(std::int64_t(1) << 40) || mm > (std::int64_t(1) << 40))
        throw std::overflow_error("length out of range");
    const std::int64_t tenths = mm * 567;
    std::int64_t twips = tenths / 10; // toward zero; the rest has the sign of the product
    const std::int64_t rest = tenths % 10;
    if (rest > 5 || (rest == 5 && twips % 2 != 0))
        ++twips;
    else if (rest < -5 || (rest == -5 && twips % 2 != 0))
        --twips;
    if (twips < INT32_MIN || twips > INT32_MAX)
        throw std::overflow_error("length out of range");
    return static_cast<std::int32_t>(twips);
}

// Every byte of 0x80 or more is written as \'hh, and the header names the code page
// (\ansicpg1251): readers decode the escapes by that page, whereas raw high bytes are read
// by whatever each reader assumes, \ansi alone meaning Windows-1252.
char* PutHex(char* p, unsigned char b) {
    static const char hex[] = "0123456789abcdef";
    *p++ = '\\';
    *p++ = '\'';
    *p++ = hex[b >> 4];
    *p++ = hex[b & 0x0F];
    return p;
}

// Writes the escaped `s` at `p` (at most four bytes for each of its bytes); returns the end.
char* PutEscaped(char* p, std::string_view s) {
    int spaces = 0;
    for (const char c : s) {
        const auto b = static_cast<unsigned char>(c);
        if (b == ' ') {
            // A word processor stretches every space of a run of spaces when it justifies or
            // wraps; alternating with non-breaking spaces keeps such runs (the cut line, the
            // signature gap) as wide as they were typed.
            ++spaces;
            if (spaces % 2 == 0) {
                *p++ = '\\';
                *p++ = '~';
            } else {
                *p++ = ' ';
            }
            continue;
        }
        spaces = 0;
        if (b == '\\' || b == '{' || b == '}') {
            *p++ = '\\';
            *p++ = c;
        } else if (b >= 0x80) {
            p = PutHex(p, b);
        } else {
            *p++ = c;
        }
    }
    return p;
}

template <std::size_t N>
void AddBorderLines(TLineList& body, const TBorder& border, const char (&word)[N]) {
    if (!border.Visible || !(border.Width > 0))
        return;
    AddLine(body, word);
    AddLine(body, "\\brdrs");
    AddWordNum(body, "\\brdrw", ScaledRound(border.Width, 20, 0));
}

[[noreturn]] void FileFailure(const char* what, const fs::path& path, int e) {
    throw platform::TFileError(what + std::string(" \"") + platform::DisplayPath(path) +
                                   "\": " + platform::ErrorReason(e),
                               e);
}

bool EntryExists(const fs::path& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0;
}

// A viewer takes seconds to start and shows no lock file until it has read its document, so
// a document written moments ago may still be on its way to the screen: deleting it would
// show the next document in both viewers. Only our own kind of entry, a regular file, is
// spared; and a time far ahead (a clock put back) spares nothing for good.
constexpr std::time_t kFreshSeconds = 120;

bool RecentlyWritten(const fs::path& path) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return false;
    const std::time_t age = std::time(nullptr) - st.st_mtime;
    return age > -kFreshSeconds && age < kFreshSeconds;
}

} // namespace

// ---------------------------------------------------------------------------------------

void TFontTable::SetEntries(const std::vector<std::int32_t>& sizes,
                            const std::vector<TFontStyles>& styles) {
    if (sizes.size() != styles.size())
        platform::MessageBoxes().Show("Ошибка № 1152"_w, "", platform::TMsgIcon::None);
    if (styles.size() < sizes.size())
        throw std::out_of_range("TFontTable::SetEntries: fewer styles than sizes");
    Sizes = sizes;
    Styles.assign(styles.begin(), styles.begin() + static_cast<std::ptrdiff_t>(sizes.size()));
}

void TFontTable::Apply(TFont& font, std::int32_t n) const {
    const std::int64_t index = std::int64_t(n) - 1;
    if (index > std::int64_t(Sizes.size()) - 1 || index > std::int64_t(Styles.size()) - 1)
        platform::MessageBoxes().Show("Ошибка № 5521"_w, "", platform::TMsgIcon::None);
    if (index < 0 || index >= std::int64_t(Sizes.size()) || index >= std::int64_t(Styles.size()))
        throw std::out_of_range("TFontTable::Apply: no preset " + std::to_string(n));
    font.Size = Sizes[static_cast<std::size_t>(index)];
    font.Style = Styles[static_cast<std::size_t>(index)];
}

void TPaper::SetDefaults() {
    MarginLeft = 20;
    MarginRight = 20;
    MarginTop = 15;
    MarginBottom = 15;
    Orientation = 0;
}

void TBorders::HideAll() {
    Left.Hide();
    Right.Hide();
    Top.Hide();
    Bottom.Hide();
}

void TBorders::ShowAll() {
    Left.Show();
    Right.Show();
    Top.Show();
    Bottom.Show();
}

// ---------------------------------------------------------------------------------------

TRTF::TRTF() {
    Clear();
}

void TRTF::Clear() {
    Body.clear();
    RowLines.clear();
    Runs.clear();
    FontNames.clear();
    Font.Size = 10;
    Font.Name = "Times New Roman";
    Font.Style = 0;
    Par.FirstIndent = 0;
    Par.Alignment = taLeft;
    Cell.VAlign = 1;
    Cell.VMerge = 0;
    Cell.HMerge = 0;
    Cell.TextDirection = 0;
    Cell.Borders.ShowAll();
    Cell.Borders.Left.Width = 0.5;
    Cell.Borders.Right.Width = 0.5;
    Cell.Borders.Top.Width = 0.5;
    Cell.Borders.Bottom.Width = 0.5;
    FontIndex = 0;
    Table.InTable = false;
    Table.CellIndex = 0;
    Paper.SetDefaults();
    RowHeight = 0;
    CellGap = 3.8;
    HeaderRow = false;
    Closed = false;
}

std::int32_t TRTF::MmToTwips(double x) {
    return ScaledRound(x, 567, 1);
}

void TRTF::AddText(std::string_view s) {
    FontIndex = -1;
    for (std::size_t i = 0; i < FontNames.size(); ++i)
        if (FontNames[i] == Font.Name) {
            FontIndex = static_cast<std::int32_t>(i);
            break;
        }
    if (FontIndex < 0) {
        FontNames.push_back(Font.Name);
        FontIndex = static_cast<std::int32_t>(FontNames.size() - 1);
    }

    // Room for the longest head and for every byte written as \'hh.
    char* const line = Runs.BeginLine(80 + 4 * s.size());
    char* p = PutWordNum(line, "\\plain\\f", FontIndex);
    p = PutWordNum(p, "\\fs", std::int64_t(Font.Size) * 2);
    if (Font.Style & fsBold) {
        std::memcpy(p, "\\b", 2);
        p += 2;
    }
    if (Font.Style & fsItalic) {
        std::memcpy(p, "\\i", 2);
        p += 2;
    }
    if (Font.Style & fsUnderline) {
        std::memcpy(p, "\\ul", 3);
        p += 3;
    }
    *p++ = ' ';
    Runs.EndLine(PutEscaped(p, s));
}

void TRTF::WriteParagraphFormat(TLineList& list) {
    list.AddEmpty();
    char* p = list.BeginLine(96);
    std::memcpy(p, "\\pard", 5);
    p += 5;
    if (Table.InTable) {
        std::memcpy(p, "\\intbl", 6);
        p += 6;
    }
    p = PutWordNum(p, "\\fi", WholeMmToTwips(Par.FirstIndent));
    p = PutWordNum(p, "\\li", WholeMmToTwips(Par.LeftIndent));
    static constexpr const char* kAlignments[] = {"\\ql", "\\qr", "\\qc", "\\qj"};
    if (Par.Alignment <= taJustify) {
        std::memcpy(p, kAlignments[Par.Alignment], 3);
        p += 3;
    }
    list.EndLine(p);
    for (const TTabStop& tab : Par.Tabs) {
        if (tab.Kind == tkRight)
            AddLine(list, "\\tqr");
        else if (tab.Kind == tkCenter)
            AddLine(list, "\\tqc");
        AddWordNum(list, "\\tx", MmToTwips(tab.Position));
    }
    Par.Tabs.clear();
}

void TRTF::FlushParagraph(bool withMark) {
    TLineList& target = Table.InTable ? RowLines : Body;
    WriteParagraphFormat(target);
    target.Append(Runs);
    if (withMark)
        AddLine(target, "\\par");
    Runs.clear();
}

void TRTF::NewParagraph() {
    FlushParagraph(true);
}

// ---------------------------------------------------------------------------------------
// Tables

void TRTF::BeginTable(const std::vector<std::int32_t>& widths) {
    RowLines.clear();
    Table.InTable = true;
    Table.Widths = widths;
}

void TRTF::StoreCell() {
    if (Table.CellIndex < 0 || Table.CellIndex >= TTableData::MaxCells)
        throw std::out_of_range("TRTF: a table row holds at most 100 cells");
    TCell& stored = Table.Cells[static_cast<std::size_t>(Table.CellIndex)];
    stored.Borders.Left.Visible = Cell.Borders.Left.Visible;
    stored.Borders.Right.Visible = Cell.Borders.Right.Visible;
    stored.Borders.Top.Visible = Cell.Borders.Top.Visible;
    stored.Borders.Bottom.Visible = Cell.Borders.Bottom.Visible;
    stored.Borders.Left.Width = Cell.Borders.Left.Width;
    stored.Borders.Right.Width = Cell.Borders.Right.Width;
    stored.Borders.Top.Width = Cell.Borders.Top.Width;
    stored.Borders.Bottom.Width = Cell.Borders.Bottom.Width;
    stored.VAlign = Cell.VAlign;
    stored.VMerge = Cell.VMerge;
    stored.HMerge = Cell.HMerge;
    Cell.VMerge = 0;
    Cell.HMerge = 0;
    stored.TextDirection = Cell.TextDirection;
}

void TRTF::NextCell() {
    if (!Table.InTable)
        throw std::logic_error("TRTF::NextCell outside a table");
    StoreCell();
    FlushParagraph(false);
    AddLine(RowLines, "\\cell");
    ++Table.CellIndex;
    if (Table.CellIndex == std::int64_t(Table.Widths.size()))
        WriteRow();
}

void TRTF::EndTable() {
    if (!Table.InTable)
        throw std::logic_error("TRTF::EndTable outside a table");
    StoreCell();
    FlushParagraph(false);
    AddLine(RowLines, "\\cell");
    for (std::int64_t i = std::int64_t(Table.Widths.size()) - 1 - Table.CellIndex; i > 0; --i)
        AddLine(RowLines, "\\cell");
    WriteRow();
    Table.InTable = false;
}

void TRTF::WriteRow() {
    if (Table.Widths.size() > std::size_t(TTableData::MaxCells))
        throw std::out_of_range("TRTF: a table row holds at most 100 cells");
    Body.AddEmpty();
    AddLine(Body, "\\trowd");
    AddWordNum(Body, "\\trgaph", MmToTwips(CellGap / 2));
    if (RowHeight != 0)
        AddWordNum(Body, "\\trrh-", MmToTwips(RowHeight));
    AddLine(Body, "\\trleft0");
    if (HeaderRow)
        AddLine(Body, "\\trhdr");
    Body.AddEmpty();

    std::int64_t right = 0;
    for (std::size_t i = 0; i < Table.Widths.size(); ++i) {
        const TCell& c = Table.Cells[i];
        right += Table.Widths[i];
        if (c.HMerge == 1)
            AddLine(Body, "\\clmgf");
        else if (c.HMerge == 2)
            AddLine(Body, "\\clmrg");
        if (c.VMerge == 1)
            AddLine(Body, "\\clvmgf");
        else if (c.VMerge == 2)
            AddLine(Body, "\\clvmrg");
        if (c.VAlign == 2)
            AddLine(Body, "\\clvertalb");
        else if (c.VAlign == 0)
            AddLine(Body, "\\clvertalc");
        else
            AddLine(Body, "\\clvertalt");
        AddBorderLines(Body, c.Borders.Top, "\\clbrdrt");
        AddBorderLines(Body, c.Borders.Left, "\\clbrdrl");
        AddBorderLines(Body, c.Borders.Bottom, "\\clbrdrb");
        AddBorderLines(Body, c.Borders.Right, "\\clbrdrr");
        if (c.TextDirection == 0)
            AddLine(Body, "\\cltxlrtb");
        else if (c.TextDirection == 1)
            AddLine(Body, "\\cltxtbrl");
        else if (c.TextDirection == 2)
            AddLine(Body, "\\cltxbtlr");
        AddWordNum(Body, "\\cellx", WholeMmToTwips(right));
        Body.AddEmpty();
    }
    Table.CellIndex = 0;
    Body.Append(RowLines);
    AddLine(Body, "\\row");
    RowLines.clear();
    RowHeight = 0;
    HeaderRow = false;
}

// ---------------------------------------------------------------------------------------
// Output

void TRTF::CloseDocument() {
    // Closing twice would put a second paragraph after the final brace.
    if (Closed)
        return;
    FlushParagraph(true);
    // Body is empty only when the last paragraph went into a table left open; the brace is
    // then its only line.
    Body.AppendToLast("}");
    Closed = true;
}

TLineList TRTF::FileHead() {
    TLineList head;
    AddLine(head, "{\\rtf1\\ansi\\ansicpg1251\\deff0\\deftab720");
    AddLine(head, "{\\fonttbl");
    for (std::size_t i = 0; i < FontNames.size(); ++i) {
        const std::string& name = FontNames[i];
        char* p = head.BeginLine(48 + 4 * name.size());
        p = PutWordNum(p, "{\\f", std::int64_t(i));
        std::memcpy(p, "\\fnil\\fcharset204 ", 18);
        p += 18;
        for (const char c : name)
            if (static_cast<unsigned char>(c) >= 0x80)
                p = PutHex(p, static_cast<unsigned char>(c));
            else
                *p++ = c;
        *p++ = ';';
        *p++ = '}';
        head.EndLine(p);
    }
    AddLine(head, "}");
    AddLine(head, "{\\colortbl\\red0\\green0\\blue0;}");
    if (Paper.Orientation == 0) {
        AddLine(head, "\\paperw11906");
        AddLine(head, "\\paperh16838");
    } else if (Paper.Orientation == 1) {
        AddLine(head, "\\paperw16840");
        AddLine(head, "\\paperh11907");
    } else {
        platform::ShowError("Неправильно задана ориентация бумаги"_w);
    }
    AddLine(head, "\\deflang1049");
    AddWordNum(head, "\\margl", MmToTwips(Paper.MarginLeft));
    AddWordNum(head, "\\margr", MmToTwips(Paper.MarginRight));
    AddWordNum(head, "\\margt", MmToTwips(Paper.MarginTop));
    AddWordNum(head, "\\margb", MmToTwips(Paper.MarginBottom));
    if (Paper.Orientation == 1)
        AddLine(head, "\\lndscpsxn");
    return head;
}

void TRTF::SaveToFile(const fs::path& path) {
    CloseDocument();
    // A document for the printer, made again at will from its order: it replaces the old
    // file atomically (never a truncated file) but is not flushed to disk, which would cost
    // many times the writing. Stored data keeps the durable default.
    const TLineList head = FileHead();
    platform::WriteFileAtomically(path, {head.Text(), Body.Text()},
                                  platform::TDurability::NotFlushed);
}

std::string TRTF::DocumentText() {
    CloseDocument();
    std::string text(FileHead().Text());
    text += Body.Text();
    return text;
}

void TRTF::SaveAndOpen(const fs::path& path) {
    SaveToFile(path);
    platform::OpenWithDesktop(path.native(), true);
}

bool TRTF::ShowDocument() {
    const fs::path dir = platform::TempDirectory();
    std::error_code ec;
    if (!fs::is_directory(dir, ec)) {
        fs::create_directory(dir, ec);
        if (!fs::is_directory(dir, ec)) {
            platform::ShowError("Ошибка создания временного каталога"_w + std::string(" \"") +
                                platform::DisplayPath(dir) + "\"");
            return false;
        }
    }
    for (int n = 1; n <= 99; ++n) {
        const std::string name = "~temp" + std::to_string(n) + ".rtf";
        const fs::path file = dir / name;
        // Deleting a file that a word processor shows succeeds here, and asking it to open
        // that path again brings back the old document: its lock file marks the name taken.
        if (EntryExists(dir / (".~lock." + name + "#")) || RecentlyWritten(file))
            continue;
        ::unlink(file.c_str());
        // The names are predictable and the folder may be shared: claim the name exclusively,
        // so that nothing is ever written through a file or link that someone else put there.
        const int fd =
            ::open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (fd < 0) {
            const int e = errno;
            if (e == EEXIST)
                continue;
            FileFailure("Ошибка создания файла"_w, file, e);
        }

        TLineList head;
        try {
            CloseDocument();
            head = FileHead();
        } catch (...) {
            ::close(fd);
            ::unlink(file.c_str());
            throw;
        }
        if (!platform::WriteAll(fd, {head.Text(), Body.Text()})) {
            const int e = errno;
            ::close(fd);
            ::unlink(file.c_str());
            FileFailure("Ошибка записи файла"_w, file, e);
        }
        if (::close(fd) != 0) {
            const int e = errno;
            ::unlink(file.c_str());
            FileFailure("Ошибка записи файла"_w, file, e);
        }
        platform::OpenWithDesktop(file.native(), true);
        return true;
    }
    platform::ShowError("Ошибка создания временного файла"_w);
    return false;
}
