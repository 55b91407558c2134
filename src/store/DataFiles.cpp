#include "store/DataFiles.h"

#include "platform/Cp1251.h"
#include "platform/Cp1251Literal.h"
#include "platform/Files.h"
#include "platform/Translate.h"

#include <algorithm>
#include <cerrno>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace store {
namespace {

// An empty field is written as "-" so that no line of a file is blank; the one exception is
// the date, which is kept as typed, and the purpose file, which holds the text as it is.
constexpr std::string_view Placeholder = "-";

// Lines 2 to 20 of an order file, in the order of their lines; line 1 is the version.
constexpr auto PlatLines = [] {
    constexpr auto stored = std::count_if(order::Fields.begin(), order::Fields.end(),
                                          [](const auto& info) { return info.PltLine != 0; });
    std::array<const order::TFieldInfo*, stored> lines{};
    for (const order::TFieldInfo& info : order::Fields)
        if (info.PltLine != 0)
            lines.at(std::size_t(info.PltLine - 2)) = &info;
    return lines;
}();

// The lines every version of the order file has, the version line included.
constexpr std::size_t FirstLines = 20;

// A value is one line. The fields never hold a line feed, but should one arrive anyway it
// must not push the following values onto the wrong lines, so it is written as a blank.
// A CR survives as it is: only a CR right before the LF is taken as part of the ending.
void AppendLine(std::string& out, std::string_view value) {
    for (char c : value)
        out += c == '\n' ? ' ' : c;
    out += "\r\n";
}

void AppendField(std::string& out, const std::string& value, bool usesPlaceholder) {
    AppendLine(out, usesPlaceholder && value.empty() ? Placeholder : std::string_view(value));
}

// The line that starts at `at` (before the end of `bytes`), `at` moved past its ending.
std::string_view NextLine(std::string_view bytes, std::size_t& at) {
    const std::size_t start = at;
    const std::size_t lf = bytes.find('\n', start);
    if (lf == std::string_view::npos) {
        at = bytes.size();
        return bytes.substr(start);
    }
    at = lf + 1;
    const std::size_t end = lf > start && bytes[lf - 1] == '\r' ? lf - 1 : lf;
    return bytes.substr(start, end - start);
}

std::string_view ReadField(const std::vector<std::string_view>& lines, size_t index,
                           bool usesPlaceholder) {
    if (index >= lines.size())
        return {};
    if (usesPlaceholder && lines[index] == Placeholder)
        return {};
    return lines[index];
}

std::string_view TrimBlanks(std::string_view t) {
    while (!t.empty() && t.front() == ' ')
        t.remove_prefix(1);
    while (!t.empty() && t.back() == ' ')
        t.remove_suffix(1);
    return t;
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

enum class TVersionCompare { NotANumber, NotGreater, Greater };

// Whether line 1, read as a decimal number with the user's separator, exceeds FileVersion.
// Compared on the digits themselves, so no length of line can overflow anything.
TVersionCompare CompareWithFileVersion(std::string_view line, char decimalSeparator) {
    std::string_view t = TrimBlanks(line);
    bool negative = false;
    if (!t.empty() && (t.front() == '+' || t.front() == '-')) {
        negative = t.front() == '-';
        t.remove_prefix(1);
    }
    size_t i = 0;
    while (i < t.size() && IsDigit(t[i]))
        ++i;
    const std::string_view whole = t.substr(0, i);
    std::string_view fraction;
    if (i < t.size() && t[i] == decimalSeparator) {
        const size_t start = ++i;
        while (i < t.size() && IsDigit(t[i]))
            ++i;
        fraction = t.substr(start, i - start);
    }
    if (i != t.size() || (whole.empty() && fraction.empty()))
        return TVersionCompare::NotANumber;
    if (negative)
        return TVersionCompare::NotGreater;

    std::string_view significant = whole;
    while (!significant.empty() && significant.front() == '0')
        significant.remove_prefix(1);
    const std::string version = std::to_string(FileVersion);
    if (significant.size() != version.size())
        return significant.size() > version.size() ? TVersionCompare::Greater
                                                   : TVersionCompare::NotGreater;
    if (significant != version)
        return significant > version ? TVersionCompare::Greater : TVersionCompare::NotGreater;
    return fraction.find_first_not_of('0') != std::string_view::npos ? TVersionCompare::Greater
                                                                     : TVersionCompare::NotGreater;
}

// The version as the user knows it: "102" is version 1.02.
std::string VersionText(std::string_view line) {
    const size_t cut = line.size() >= 2 ? line.size() - 2 : 0;
    return std::string(line.substr(0, cut)) + "." + std::string(line.substr(cut));
}

[[noreturn]] void ThrowNotInteger(std::string_view line) {
    // A foreign file may have anything on its first line; keep the message readable.
    constexpr size_t Shown = 60;
    std::string text(line.substr(0, Shown));
    if (line.size() > Shown)
        text += "...";
    throw TNotIntegerError("\"" + text + "\" "_w +
                           platform::Tr("Store", "не является целым числом"));
}

void CheckName(std::string_view name) {
    if (name.empty())
        throw TEmptyFileNameError();
}

} // namespace

TEmptyFileNameError::TEmptyFileNameError()
    : TDataFileError(platform::Tr("Store", "Невозможно сохранить файл с пустым именем")) {}

std::optional<std::int32_t> TryStrToInt(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && text[i] == ' ')
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    if (i == text.size())
        return std::nullopt;
    // Accumulated as a negative number: its range reaches one further than the positive.
    constexpr std::int64_t Limit = -2147483648LL;
    std::int64_t value = 0;
    for (; i < text.size(); ++i) {
        if (!IsDigit(text[i]))
            return std::nullopt;
        value = value * 10 - (text[i] - '0');
        if (value < Limit)
            return std::nullopt;
    }
    if (!negative) {
        if (value == Limit)
            return std::nullopt;
        value = -value;
    }
    return static_cast<std::int32_t>(value);
}

std::vector<std::string_view> SplitLines(std::string_view bytes) {
    std::vector<std::string_view> lines;
    lines.reserve(static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\n')) + 1);
    for (std::size_t at = 0; at < bytes.size();)
        lines.push_back(NextLine(bytes, at));
    return lines;
}

void CheckPlatVersion(std::string_view line1, char decimalSeparator) {
    switch (CompareWithFileVersion(line1, decimalSeparator)) {
    case TVersionCompare::Greater:
        throw TPlatVersionError(
            platform::Tr("Store", "Для открытия данного файла необходима программа версии ") +
            VersionText(line1) + platform::Tr("Store", " или выше"));
    case TVersionCompare::NotANumber:
        ThrowNotInteger(line1);
    case TVersionCompare::NotGreater:
        if (!TryStrToInt(line1))
            ThrowNotInteger(line1);
        break;
    }
}

std::string FormatPlat(const TPlatRecord& plat) {
    // The lines after the twentieth came later; left out while empty, an order is the very
    // file that the programs which read twenty lines wrote.
    std::size_t lines = PlatLines.size();
    while (lines > FirstLines - 1 && plat[PlatLines[lines - 1]->Field].empty())
        --lines;
    std::string out;
    AppendLine(out, std::to_string(FileVersion));
    for (std::size_t i = 0; i < lines; ++i)
        AppendField(out, plat[PlatLines[i]->Field], PlatLines[i]->Stored == order::TStored::Dashed);
    return out;
}

TPlatView ParsePlatView(std::string_view bytes, char decimalSeparator) {
    // Line by line where they stand: the journal reads thousands of orders this way.
    std::size_t at = 0;
    CheckPlatVersion(at < bytes.size() ? NextLine(bytes, at) : std::string_view(),
                     decimalSeparator);
    TPlatView plat;
    for (const order::TFieldInfo* line : PlatLines) {
        if (at >= bytes.size())
            break;
        const std::string_view value = NextLine(bytes, at);
        if (line->Stored != order::TStored::Dashed || value != Placeholder)
            plat.Values[static_cast<std::size_t>(line->Field)] = value;
    }
    return plat;
}

TPlatRecord ParsePlat(std::string_view bytes, char decimalSeparator) {
    const TPlatView view = ParsePlatView(bytes, decimalSeparator);
    TPlatRecord plat;
    for (std::size_t i = 0; i < view.Values.size(); ++i)
        plat.Values[i].assign(view.Values[i]);
    return plat;
}

std::string FormatRequisites(const TRequisites& requisites) {
    std::string out;
    for (const std::string& value : requisites.Values)
        AppendField(out, value, true);
    return out;
}

TRequisites ParseRequisites(std::string_view bytes) {
    const std::vector<std::string_view> lines = SplitLines(bytes);
    TRequisites requisites;
    for (size_t index = 0; index < requisites.Values.size(); ++index)
        requisites.Values[index].assign(ReadField(lines, index, true));
    return requisites;
}

std::string FormatPurpose(const std::string& purpose) {
    std::string out;
    AppendLine(out, purpose);
    return out;
}

std::string ParsePurpose(std::string_view bytes) {
    return std::string(ReadField(SplitLines(bytes), 0, false));
}

std::string FitFileName(std::string_view name, std::string_view ext) {
    // Each Windows-1251 byte is one character, so a cut between two bytes is never inside
    // the UTF-8 sequence of the name on disk.
    const std::size_t room = MaxFileNameBytes - 1 - ext.size();
    if (platform::Cp1251ToUtf8(name).size() <= room)
        return std::string(name);
    // An order keeps its number and date: only the recipient's part after them is cut.
    std::size_t keep = 0;
    if (ext == PlatExt && name.starts_with("№"_w))
        if (const std::size_t dash = name.find(" - "); dash != std::string_view::npos)
            keep = dash + 3;
    std::size_t kept = platform::Cp1251ToUtf8(name.substr(0, keep)).size();
    if (kept > room)
        keep = 0, kept = 0;
    std::size_t end = keep;
    while (end < name.size()) {
        const std::size_t next = platform::Cp1251ToUtf8(name.substr(end, 1)).size();
        if (kept + next > room)
            break;
        kept += next;
        ++end;
    }
    // A blank at the very end of a name is lost by many file managers and archivers.
    while (end > keep && name[end - 1] == ' ')
        --end;
    return std::string(name.substr(0, end));
}

fs::path DataFilePath(const fs::path& dataDir, std::string_view name, std::string_view ext) {
    std::string fileName(name);
    fileName += '.';
    fileName += ext;
    // On this system "/" would lead into another folder and a NUL would cut the name short:
    // either way some other file than the one named would be written or read.
    if (fileName.find_first_of(std::string_view("/\0", 2)) != std::string::npos)
        throw platform::TFileError(
            platform::Tr("Store", "Недопустимое имя файла \"") + fileName + "\"", EINVAL);
    const std::string fitted = FitFileName(name, ext) + "." + std::string(ext);
    if (fitted != fileName) {
        // A file copied from Windows keeps its Windows-1251 bytes, which may fit as they are.
        const fs::path own = dataDir / fs::path(fileName);
        struct stat st {};
        if (::lstat(own.c_str(), &st) == 0)
            return own;
    }
    return platform::ExistingPathFromCp1251(dataDir, fitted);
}

void SavePlatFile(const fs::path& dataDir, std::string_view name, const TPlatRecord& plat) {
    CheckName(name);
    WritePlat(DataFilePath(dataDir, name, PlatExt), plat);
}

void SaveRequisitesFile(const fs::path& dataDir, std::string_view name, std::string_view ext,
                        const TRequisites& requisites) {
    CheckName(name);
    WriteRequisites(DataFilePath(dataDir, name, ext), requisites);
}

TRequisites LoadRequisitesFile(const fs::path& dataDir, std::string_view name,
                               std::string_view ext) {
    return ReadRequisites(DataFilePath(dataDir, name, ext));
}

std::string LoadPurposeFile(const fs::path& dataDir, std::string_view name) {
    return ReadPurpose(DataFilePath(dataDir, name, PurposeExt));
}

// The file's bytes, refusing what no data file of ours can be: the largest real one is a
// few kilobytes, and a huge file would take the machine's memory and time, then be laid out
// as a document as huge.
// Only a regular file is read: a FIFO given as an order would wait for a writer for ever, and
// a device would never end.
std::string ReadDataFile(const fs::path& path) {
    using TState = platform::TFileRead::TState;
    platform::TFileRead read = platform::ReadRegularFile(path, MaxDataFileSize);
    switch (read.State) {
    case TState::Read:
        break;
    case TState::NotRegular:
        throw TDataFileError(
            platform::Args(platform::Tr("Files", "Файл \"%1\" не является обычным файлом"),
                           {platform::DisplayPath(path)}));
    case TState::TooLarge:
        throw TDataFileError(platform::Args(platform::Tr("Store", "Файл \"%1\" слишком велик"),
                                            {platform::DisplayPath(path)}));
    case TState::Missing:
    case TState::OpenFailed:
    case TState::ReadFailed: {
        const int e = read.State == TState::Missing ? ENOENT : read.Error;
        throw platform::TFileError((read.State == TState::ReadFailed
                                        ? platform::Tr("Files", "Ошибка чтения файла")
                                        : platform::Tr("Files", "Ошибка открытия файла")) +
                                       std::string(" \"") + platform::DisplayPath(path) +
                                       "\": " + platform::ErrorReason(e),
                                   e);
    }
    }
    return std::move(read.Bytes);
}

std::optional<std::string> ReadDataFileIfAny(const fs::path& path) {
    std::error_code ec;
    if (!fs::exists(fs::symlink_status(path, ec)))
        return std::nullopt;
    return ReadDataFile(path);
}

void WritePlat(const fs::path& path, const TPlatRecord& plat) {
    platform::WriteFileAtomically(path, FormatPlat(plat));
}

TPlatRecord ReadPlat(const fs::path& path, char decimalSeparator) {
    return ParsePlat(ReadDataFile(path), decimalSeparator);
}

void WriteRequisites(const fs::path& path, const TRequisites& requisites) {
    platform::WriteFileAtomically(path, FormatRequisites(requisites));
}

TRequisites ReadRequisites(const fs::path& path) {
    return ParseRequisites(ReadDataFile(path));
}

void WritePurpose(const fs::path& path, const std::string& purpose) {
    platform::WriteFileAtomically(path, FormatPurpose(purpose));
}

std::string ReadPurpose(const fs::path& path) {
    return ParsePurpose(ReadDataFile(path));
}

} // namespace store
