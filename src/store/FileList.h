#pragma once
// Listing the data files of one kind, numbering a new order from the orders already stored,
// and the order in which the open dialog lists names.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace store {

// Whether a character can never stand in a file name the program makes: ! " * / : < > ? \ |
bool IsForbiddenFileNameChar(char c);

// The text without those ten characters; every other byte stays, in order.
std::string StripFileNameChars(std::string_view text);

// The name first proposed for storing a purpose (Windows-1251): its first 30 characters,
// trimmed of blanks and control characters at both ends, then without the ten characters
// that cannot stand in a file name.
std::string ProposeNZNFileName(std::string_view purpose);

// The names, with extension and without folder, of the regular files in `directory` whose
// names end in "." + ext (case as written), in the order the file system gives them.
// A name that is not UTF-8 is Windows-1251 as it stands (a file copied from Windows);
// a UTF-8 name holding a character the code page lacks cannot be ours and is left out.
// A missing or unreadable folder lists nothing.
std::vector<std::string> ListFiles(const std::filesystem::path& directory, std::string_view ext);

// Each of those files handed to `each` with its name as ListFileNames gives it and its bytes, read
// as ReadDataFile reads (a regular file within MaxDataFileSize); one that cannot be read so (gone
// since the listing, too large) is passed over.
void ReadEachFile(const std::filesystem::path& directory, std::string_view ext,
                  const std::function<void(std::string&& name, std::string_view bytes)>& each);

// The same files listed at once and read one at a time: for what reads thousands of them in
// slices between the turns of a window (the journal).
class TFolderReader {
public:
    TFolderReader(const std::filesystem::path& directory, std::string_view ext);
    ~TFolderReader();
    TFolderReader(const TFolderReader&) = delete;
    TFolderReader& operator=(const TFolderReader&) = delete;

    std::size_t ListedCount() const { return Listed; }
    std::size_t UnreadCount() const { return Unread.size(); }
    // The next file handed to `each` as ReadEachFile hands it (or passed over as it passes it
    // over); false when every file listed has had its turn.
    bool ReadNext(const std::function<void(std::string&& name, std::string_view bytes)>& each);

private:
    int DirFd; // the folder stays open: its files are opened within it
    std::string Ext;
    std::vector<std::pair<std::string, std::string>> Unread; // Windows-1251, on disk; last first
    std::size_t Listed = 0;
};

// The same names without the dot and the extension: what the open dialog shows and the
// caller turns back into a path with DataFilePath.
std::vector<std::string> ListFileNames(const std::filesystem::path& directory,
                                       std::string_view ext);

// The number and the year of an order file's name with extension, "№ " number " от " date
// with the year at its usual place; nothing for any other name.
struct TNumberAndYear {
    std::int32_t Number;
    int Year;
};
std::optional<TNumberAndYear> PlatNumberAndYear(std::string_view pltName);

// The number proposed for a new order in `year`, from the order file names with extension
// (as ListFiles gives them): one more than the greatest number among the names of that
// year, 1 when there is none. A name counts when it is "№ " number " от " date with the
// year at its usual place; anything else counts as number 0. A name numbered 2147483647
// has no successor and is not counted either, so the result always fits.
std::int32_t NextPlatNumber(const std::vector<std::string>& pltNames, int year);

// Alphabetical order without regard to case for Windows-1251 names: blanks, punctuation
// and other symbols first, then digits, then Latin letters, then Cyrillic letters in the
// order of the Ukrainian and Russian alphabets (А Б В Г Ґ Д Е Є Ё Ж З И І Ї Й К ... Я).
// Names that differ only in case are ordered by their bytes, so the order is total.
// Returns a negative number, 0 or a positive number.
int CompareFileNames(std::string_view a, std::string_view b);
inline bool FileNameLess(std::string_view a, std::string_view b) {
    return CompareFileNames(a, b) < 0;
}
void SortFileNames(std::vector<std::string>& names);

} // namespace store
