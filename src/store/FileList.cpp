#include "store/FileList.h"

#include "store/DataFiles.h"

#include "platform/Cp1251.h"
#include "platform/Cp1251Case.h"
#include "platform/Cp1251Literal.h"
#include "platform/Files.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <limits>
#include <system_error>

namespace fs = std::filesystem;

namespace store {

bool IsForbiddenFileNameChar(char c) {
    return std::string_view("!\"*/:<>?\\|").find(c) != std::string_view::npos;
}

std::string StripFileNameChars(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text)
        if (!IsForbiddenFileNameChar(c))
            out += c;
    return out;
}
std::string ProposeNZNFileName(std::string_view purpose) {
    std::string_view name = purpose.substr(0, 30);
    auto blankOrControl = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
    while (!name.empty() && blankOrControl(name.front()))
        name.remove_prefix(1);
    while (!name.empty() && blankOrControl(name.back()))
        name.remove_suffix(1);
    return StripFileNameChars(name);
}

namespace {

bool EndsWithExtension(std::string_view name, std::string_view ext) {
    return name.size() > ext.size() && name.substr(name.size() - ext.size()) == ext &&
           name[name.size() - ext.size() - 1] == '.';
}

// Copy(text, index, count) of the numbering rule: 1-based, empty when the start lies beyond
// the text or the count is not positive, cut short at the end of the text.
std::string_view Copy(std::string_view text, std::int64_t index, std::int64_t count) {
    if (index < 1)
        index = 1;
    if (count <= 0 || index > static_cast<std::int64_t>(text.size()))
        return {};
    return text.substr(static_cast<size_t>(index - 1), static_cast<size_t>(count));
}

// The sorting weight of each byte: symbols keep their byte value (below 256), digits,
// Latin and Cyrillic letters follow in that order (the Cyrillic ones alphabetically), both
// cases of a letter weighing alike.
constexpr std::array<std::uint16_t, 256> MakeWeights() {
    std::array<std::uint16_t, 256> w{};
    for (int b = 0; b < 256; ++b)
        w[b] = static_cast<std::uint16_t>(b);
    for (int d = 0; d < 10; ++d)
        w['0' + d] = static_cast<std::uint16_t>(300 + d);
    for (int l = 0; l < 26; ++l)
        w['a' + l] = w['A' + l] = static_cast<std::uint16_t>(400 + l);
    std::uint16_t next = 500;
    for (const platform::TCaseLetter& letter : platform::CyrillicLetters)
        w[letter.Capital] = w[letter.Small] = next++;
    return w;
}

constexpr std::array<std::uint16_t, 256> Weights = MakeWeights();

} // namespace

namespace {

// Each regular file of the folder open as `dirFd` whose name ends in `ext`, with its name in
// Windows-1251 and as it stands on disk.
void ForEachFile(int dirFd, std::string_view ext,
                 const std::function<void(std::string&& name, const char* onDisk)>& each) {
    // readdir rather than directory_iterator: the type comes with the name, and no path is
    // built for each entry (the open dialog and the numbering list folders of many thousands
    // of orders). The listing has a descriptor of its own, so that `dirFd` stays open.
    const int listing = dirFd < 0 ? -1 : ::dup(dirFd);
    DIR* dir = listing < 0 ? nullptr : ::fdopendir(listing);
    if (!dir) {
        if (listing >= 0)
            ::close(listing);
        return;
    }
    while (const dirent* entry = ::readdir(dir)) {
        const std::string_view name = entry->d_name;
        // The extension is ASCII, the same bytes in UTF-8 and Windows-1251, so only the
        // names that end in it need converting.
        if (!EndsWithExtension(name, ext))
            continue;
        bool regular = entry->d_type == DT_REG;
        if (entry->d_type == DT_UNKNOWN || entry->d_type == DT_LNK) {
            // Followed as a link, as a regular file is recognised everywhere else.
            struct stat st {};
            regular = ::fstatat(dirFd, entry->d_name, &st, 0) == 0 && S_ISREG(st.st_mode);
        }
        if (!regular)
            continue;
        if (std::optional<std::string> cp1251 = platform::Cp1251FromFileName(name))
            each(std::move(*cp1251), entry->d_name);
    }
    ::closedir(dir);
}

int OpenFolder(const fs::path& directory) {
    return ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
}

} // namespace

std::vector<std::string> ListFiles(const fs::path& directory, std::string_view ext) {
    std::vector<std::string> names;
    const int dirFd = OpenFolder(directory);
    ForEachFile(dirFd, ext,
                [&names](std::string&& name, const char*) { names.push_back(std::move(name)); });
    if (dirFd >= 0)
        ::close(dirFd);
    return names;
}

TFolderReader::TFolderReader(const fs::path& directory, std::string_view ext)
    : DirFd(OpenFolder(directory)), Ext(ext) {
    ForEachFile(DirFd, ext, [this](std::string&& name, const char* onDisk) {
        Unread.emplace_back(std::move(name), onDisk);
    });
    std::reverse(Unread.begin(), Unread.end()); // read from the back, in the listing's order
    Listed = Unread.size();
}

TFolderReader::~TFolderReader() {
    if (DirFd >= 0)
        ::close(DirFd);
}

bool TFolderReader::ReadNext(
    const std::function<void(std::string&& name, std::string_view bytes)>& each) {
    if (Unread.empty())
        return false;
    auto [name, onDisk] = std::move(Unread.back());
    Unread.pop_back();
    // Opened within the listed folder: no path walked again for each of thousands.
    const platform::TFileRead read =
        platform::ReadRegularFileAt(DirFd, onDisk.c_str(), MaxDataFileSize);
    if (read.State == platform::TFileRead::TState::Read) {
        name.resize(name.size() - Ext.size() - 1);
        each(std::move(name), read.Bytes);
    }
    return true;
}

void ReadEachFile(const fs::path& directory, std::string_view ext,
                  const std::function<void(std::string&& name, std::string_view bytes)>& each) {
    TFolderReader files(directory, ext);
    while (files.ReadNext(each)) {
    }
}

std::vector<std::string> ListFileNames(const fs::path& directory, std::string_view ext) {
    std::vector<std::string> names = ListFiles(directory, ext);
    for (auto& name : names)
        name.resize(name.size() - ext.size() - 1);
    return names;
}

std::optional<TNumberAndYear> PlatNumberAndYear(std::string_view name) {
    // The Russian interface names an order "№ … от …", the Ukrainian one "№ … від …"; a
    // folder that both have written numbers on across the two.
    std::string_view from = " от"_w;
    size_t found = name.find(from);
    if (found == std::string::npos) {
        from = " від"_w;
        found = name.find(from);
    }
    const std::int64_t p = found == std::string::npos ? 0 : static_cast<std::int64_t>(found) + 1;
    // The year stands after the word, a blank and "DD.MM.".
    const std::int64_t yearAt = p + static_cast<std::int64_t>(from.size()) + 7;
    const std::string_view numberText = Copy(name, 3, p - 3);
    const std::string_view yearText = static_cast<std::int64_t>(name.size()) >= yearAt + 4
                                          ? Copy(name, yearAt, 4)
                                          : std::string_view();
    const std::optional<std::int32_t> number = TryStrToInt(numberText);
    const std::optional<std::int32_t> year = TryStrToInt(yearText);
    if (!number || !year || *year < 0 || *year > 65535)
        return std::nullopt;
    return TNumberAndYear{*number, *year};
}

std::int32_t NextPlatNumber(const std::vector<std::string>& pltNames, int year) {
    std::int32_t max = 0;
    for (const std::string& name : pltNames) {
        const auto found = PlatNumberAndYear(name);
        // The greatest number has no successor; counting it would leave nothing to propose.
        if (found && found->Year == year && found->Number > max &&
            found->Number != std::numeric_limits<std::int32_t>::max())
            max = found->Number;
    }
    return max + 1;
}

int CompareFileNames(std::string_view a, std::string_view b) {
    const size_t common = std::min(a.size(), b.size());
    for (size_t i = 0; i < common; ++i) {
        const int wa = Weights[static_cast<unsigned char>(a[i])];
        const int wb = Weights[static_cast<unsigned char>(b[i])];
        if (wa != wb)
            return wa - wb;
    }
    if (a.size() != b.size())
        return a.size() < b.size() ? -1 : 1;
    for (size_t i = 0; i < common; ++i) {
        const int ba = static_cast<unsigned char>(a[i]);
        const int bb = static_cast<unsigned char>(b[i]);
        if (ba != bb)
            return ba - bb;
    }
    return 0;
}

void SortFileNames(std::vector<std::string>& names) {
    // A comparison the compiler can inline: the open dialog sorts folders of many thousands.
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        return CompareFileNames(a, b) < 0;
    });
}

} // namespace store
