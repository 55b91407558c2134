#include "rtf/RTF.h"

#include "platform/Cp1251Literal.h"
#include "platform/Desktop.h"
#include "platform/Files.h"
#include "platform/MessageBoxes.h"

#include <array>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstring>
#include <fcntl.h>
#include <iterator>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

std::string Num(std::int64_t value) {
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

// round(x * factor / 10^shift), ties to even, computed on the shortest decimal form of x so
// that the result is the same whatever the floating-point unit does with the product (the
// documented values, such as 5 mm -> 284 twips, are ties that a binary product may miss).
std::int32_t ScaledRoundExactly(double x, unsigned factor, int shift) {
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

// ScaledRoundExactly, remembered: a layout converts the same few lengths (the border width,
// the columns, the indents) thousands of times, and the decimal form costs far more than
// the writing of the line it goes into. Failures are not remembered; they throw every time.
std::int32_t ScaledRound(double x, unsigned factor, int shift) {
    struct TEntry {
        std::uint64_t Bits = 0;
        unsigned Factor = 0; // 0: empty
        int Shift = 0;
        std::int32_t Result = 0;
    };
    thread_local std::array<TEntry, 128> entries;
    std::uint64_t bits;
    std::memcpy(&bits, &x, sizeof bits);
    // Fibonacci hashing: the short decimals of a layout differ in their high bits only.
    const std::uint64_t key =
        (bits ^ factor ^ (std::uint64_t(unsigned(shift)) << 32)) * 0x9E3779B97F4A7C15ull;
    TEntry& entry = entries[key >> 57];
    if (entry.Factor == factor && entry.Bits == bits && entry.Shift == shift && factor != 0)
        return entry.Result;
    const std::int32_t result = ScaledRoundExactly(x, factor, shift);
    entry = {bits, factor, shift, result};
    return result;
}

bool WrittenAsHex(unsigned char b) {
    // The Cyrillic letters; the other high bytes (such as the sign No. 0xB9) go as they are.
    return b == 0xA8 || b == 0xAA || b == 0xAF || b == 0xB2 || b == 0xB3 || b == 0xB8 ||
           b == 0xBA || b >= 0xBF;
}

void AppendEscaped(std::string& line, const std::string& s) {
    static const char hex[] = "0123456789abcdef";
    int spaces = 0;
    for (const char c : s) {
        const auto b = static_cast<unsigned char>(c);
        if (b == ' ') {
            // A word processor stretches every space of a run of spaces when it justifies or
            // wraps; alternating with non-breaking spaces keeps such runs (the cut line, the
            // signature gap) as wide as they were typed.
            ++spaces;
            line += spaces % 2 == 0 ? "\\~" : " ";
            continue;
        }
        spaces = 0;
        if (c == '\\' || c == '{' || c == '}') {
            line += '\\';
            line += c;
        } else if (WrittenAsHex(b)) {
            line += "\\'";
            line += hex[b >> 4];
            line += hex[b & 0x0F];
        } else {
            line += c;
        }
    }
}

void AddBorderLines(std::vector<std::string>& body, const TBorder& border, const char* word) {
    if (!border.Visible || !(border.Width > 0))
        return;
    body.push_back(word);
    body.push_back("\\brdrs");
    body.push_back("\\brdrw" + Num(ScaledRound(border.Width, 20, 0)));
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
        throw std::out_of_range("TFontTable::Apply: no preset " + Num(n));
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

void TRTF::AddText(const std::string& s) {
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

    std::string line = "\\plain\\f" + Num(FontIndex) + "\\fs" + Num(std::int64_t(Font.Size) * 2);
    if (Font.Style & fsBold)
        line += "\\b";
    if (Font.Style & fsItalic)
        line += "\\i";
    if (Font.Style & fsUnderline)
        line += "\\ul";
    line += ' ';
    AppendEscaped(line, s);
    Runs.push_back(std::move(line));
}

void TRTF::WriteParagraphFormat(std::vector<std::string>& list) {
    list.emplace_back();
    std::string line = "\\pard";
    if (Table.InTable)
        line += "\\intbl";
    line += "\\fi" + Num(MmToTwips(Par.FirstIndent));
    line += "\\li" + Num(MmToTwips(Par.LeftIndent));
    switch (Par.Alignment) {
    case taLeft:
        line += "\\ql";
        break;
    case taRight:
        line += "\\qr";
        break;
    case taCenter:
        line += "\\qc";
        break;
    case taJustify:
        line += "\\qj";
        break;
    default:
        break;
    }
    list.push_back(std::move(line));
    for (const TTabStop& tab : Par.Tabs) {
        if (tab.Kind == tkRight)
            list.push_back("\\tqr");
        else if (tab.Kind == tkCenter)
            list.push_back("\\tqc");
        list.push_back("\\tx" + Num(MmToTwips(tab.Position)));
    }
    Par.Tabs.clear();
}

void TRTF::FlushParagraph(bool withMark) {
    std::vector<std::string>& target = Table.InTable ? RowLines : Body;
    WriteParagraphFormat(target);
    // Moved, not copied: the runs are emptied right after.
    target.insert(target.end(), std::make_move_iterator(Runs.begin()),
                  std::make_move_iterator(Runs.end()));
    if (withMark)
        target.push_back("\\par");
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
    RowLines.push_back("\\cell");
    ++Table.CellIndex;
    if (Table.CellIndex == std::int64_t(Table.Widths.size()))
        WriteRow();
}

void TRTF::EndTable() {
    if (!Table.InTable)
        throw std::logic_error("TRTF::EndTable outside a table");
    StoreCell();
    FlushParagraph(false);
    RowLines.push_back("\\cell");
    for (std::int64_t i = std::int64_t(Table.Widths.size()) - 1 - Table.CellIndex; i > 0; --i)
        RowLines.push_back("\\cell");
    WriteRow();
    Table.InTable = false;
}

void TRTF::WriteRow() {
    if (Table.Widths.size() > std::size_t(TTableData::MaxCells))
        throw std::out_of_range("TRTF: a table row holds at most 100 cells");
    Body.emplace_back();
    Body.push_back("\\trowd");
    Body.push_back("\\trgaph" + Num(MmToTwips(CellGap / 2)));
    if (RowHeight != 0)
        Body.push_back("\\trrh-" + Num(MmToTwips(RowHeight)));
    Body.push_back("\\trleft0");
    if (HeaderRow)
        Body.push_back("\\trhdr");
    Body.emplace_back();

    std::int64_t right = 0;
    for (std::size_t i = 0; i < Table.Widths.size(); ++i) {
        const TCell& c = Table.Cells[i];
        right += Table.Widths[i];
        if (c.HMerge == 1)
            Body.push_back("\\clmgf");
        else if (c.HMerge == 2)
            Body.push_back("\\clmrg");
        if (c.VMerge == 1)
            Body.push_back("\\clvmgf");
        else if (c.VMerge == 2)
            Body.push_back("\\clvmrg");
        if (c.VAlign == 2)
            Body.push_back("\\clvertalb");
        else if (c.VAlign == 0)
            Body.push_back("\\clvertalc");
        else
            Body.push_back("\\clvertalt");
        AddBorderLines(Body, c.Borders.Top, "\\clbrdrt");
        AddBorderLines(Body, c.Borders.Left, "\\clbrdrl");
        AddBorderLines(Body, c.Borders.Bottom, "\\clbrdrb");
        AddBorderLines(Body, c.Borders.Right, "\\clbrdrr");
        if (c.TextDirection == 0)
            Body.push_back("\\cltxlrtb");
        else if (c.TextDirection == 1)
            Body.push_back("\\cltxtbrl");
        else if (c.TextDirection == 2)
            Body.push_back("\\cltxbtlr");
        Body.push_back("\\cellx" + Num(MmToTwips(static_cast<double>(right))));
        Body.emplace_back();
    }
    Table.CellIndex = 0;
    // Moved, not copied: the row's lines are emptied right after.
    Body.insert(Body.end(), std::make_move_iterator(RowLines.begin()),
                std::make_move_iterator(RowLines.end()));
    Body.push_back("\\row");
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
    // Body is empty only when the last paragraph went into a table left open.
    if (Body.empty())
        Body.push_back("}");
    else
        Body.back() += "}";
    Closed = true;
}

std::string TRTF::FileText() {
    std::string out;
    // The body is nearly all of the file: one allocation instead of a chain of doublings.
    std::size_t bodySize = 0;
    for (const std::string& text : Body)
        bodySize += text.size() + 2;
    out.reserve(bodySize + 1024);
    auto line = [&out](const std::string& text) {
        out += text;
        out += "\r\n";
    };
    line("{\\rtf1\\ansi\\deff0\\deftab720");
    line("{\\fonttbl");
    for (std::size_t i = 0; i < FontNames.size(); ++i)
        line("{\\f" + Num(std::int64_t(i)) + "\\fnil\\fcharset204 " + FontNames[i] + ";}");
    line("}");
    line("{\\colortbl\\red0\\green0\\blue0;}");
    if (Paper.Orientation == 0) {
        line("\\paperw11906");
        line("\\paperh16838");
    } else if (Paper.Orientation == 1) {
        line("\\paperw16840");
        line("\\paperh11907");
    } else {
        platform::ShowError("Неправильно задана ориентация бумаги"_w);
    }
    line("\\deflang1049");
    line("\\margl" + Num(MmToTwips(Paper.MarginLeft)));
    line("\\margr" + Num(MmToTwips(Paper.MarginRight)));
    line("\\margt" + Num(MmToTwips(Paper.MarginTop)));
    line("\\margb" + Num(MmToTwips(Paper.MarginBottom)));
    if (Paper.Orientation == 1)
        line("\\lndscpsxn");
    for (const std::string& text : Body)
        line(text);
    return out;
}

void TRTF::SaveToFile(const fs::path& path) {
    CloseDocument();
    platform::WriteFileAtomically(path, FileText());
}

std::string TRTF::DocumentText() {
    CloseDocument();
    return FileText();
}

void TRTF::SaveAndOpen(const fs::path& path) {
    SaveToFile(path);
    platform::OpenWithDesktop(path.native());
}

void TRTF::ShowDocument() {
    const fs::path dir = platform::TempDirectory();
    std::error_code ec;
    if (!fs::is_directory(dir, ec)) {
        fs::create_directory(dir, ec);
        if (!fs::is_directory(dir, ec)) {
            platform::ShowError("Ошибка создания временного каталога"_w + std::string(" \"") +
                                platform::DisplayPath(dir) + "\"");
            return;
        }
    }

    for (int n = 1; n <= 99; ++n) {
        const std::string name = "~temp" + Num(n) + ".rtf";
        const fs::path file = dir / name;
        // Deleting a file that a word processor shows succeeds here, and asking it to open
        // that path again brings back the old document: its lock file marks the name taken.
        if (EntryExists(dir / (".~lock." + name + "#")))
            continue;
        ::unlink(file.c_str());
        // The names are predictable and the folder may be shared: claim the name exclusively,
        // so that nothing is ever written through a file or link that someone else put there.
        const int fd =
            ::open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (fd < 0) {
            if (errno == EEXIST)
                continue;
            FileFailure("Ошибка создания файла"_w, file, errno);
        }

        std::string bytes;
        try {
            CloseDocument();
            bytes = FileText();
        } catch (...) {
            ::close(fd);
            ::unlink(file.c_str());
            throw;
        }
        std::size_t done = 0;
        while (done < bytes.size()) {
            const ssize_t written = ::write(fd, bytes.data() + done, bytes.size() - done);
            if (written < 0) {
                if (errno == EINTR)
                    continue;
                const int e = errno;
                ::close(fd);
                ::unlink(file.c_str());
                FileFailure("Ошибка записи файла"_w, file, e);
            }
            done += static_cast<std::size_t>(written);
        }
        if (::close(fd) != 0) {
            const int e = errno;
            ::unlink(file.c_str());
            FileFailure("Ошибка записи файла"_w, file, e);
        }
        platform::OpenWithDesktop(file.native());
        return;
    }
    platform::ShowError("Ошибка создания временного файла"_w);
}
