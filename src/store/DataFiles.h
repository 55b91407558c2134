#pragma once
// The four kinds of data file kept in the working folder: an order (".plt"), payer and
// recipient requisites (".rpl", ".rpo") and a purpose of payment (".nzn"). Each is plain
// Windows-1251 text, one value per line, every line ending with CR LF.
//
// The formatting and parsing functions work on bytes and never touch the disk; the Save and
// Load functions add the file name rules and go through the platform's file functions.
// Nothing here shows a message: errors are thrown, and the window decides how to show them.

#include "doc/Fields.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace store {

// The version this program writes on line 1 of an order file; newer files are refused.
inline constexpr int FileVersion = 101;

// The largest data file that is read; a larger one is refused with TDataFileError
// "Файл "<path>" слишком велик".
inline constexpr std::size_t MaxDataFileSize = 64 * 1024;

// Extensions of the four kinds of file, without the dot.
inline constexpr std::string_view PlatExt = "plt";
inline constexpr std::string_view PayerExt = "rpl";
inline constexpr std::string_view RecipientExt = "rpo";
inline constexpr std::string_view PurposeExt = "nzn";

// An order as its file holds it: the stored fields of the field table, all Windows-1251.
using TPlatRecord = order::TTexts;
// The requisites of one party; the payer's and the recipient's files hold the same seven
// values in the same order.
using TRequisites = order::TRequisites;

// Errors of the data files themselves (input/output failures are platform::TFileError).
// what() is Windows-1251 text for the user.
class TDataFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// An order file written by a newer version of the program. The window shows what() in a
// box of its own (caption "Ошибка", error icon) rather than through the general error box.
class TPlatVersionError : public TDataFileError {
public:
    using TDataFileError::TDataFileError;
};

// Line 1 of an order file is not a whole number: an empty or foreign file.
class TNotIntegerError : public TDataFileError {
public:
    using TDataFileError::TDataFileError;
};

// A file whose name part is empty would be hidden and could never be chosen for loading,
// so it is not written.
class TEmptyFileNameError : public TDataFileError {
public:
    TEmptyFileNameError();
};

// Integer conversion as the data files need it: optional leading blanks, an optional sign,
// then decimal digits only, the whole text, within 32 bits. Anything else (hex, trailing
// characters, an empty text, too many digits) is nothing.
std::optional<std::int32_t> TryStrToInt(std::string_view text);

// The lines of a file: CR LF and a bare LF both end a line (a CR just before an LF is
// dropped; a lone CR elsewhere belongs to the value). A last line without an ending
// counts; an ending at the very end does not start another line.
// The lines point into `bytes`.
std::vector<std::string_view> SplitLines(std::string_view bytes);

// Line 1 of an order file against FileVersion. `decimalSeparator` is the user's.
// Throws TPlatVersionError for a newer version and TNotIntegerError when the line is not a
// whole number.
void CheckPlatVersion(std::string_view line1, char decimalSeparator);

std::string FormatPlat(const TPlatRecord& plat);
// Throws as CheckPlatVersion.
TPlatRecord ParsePlat(std::string_view bytes, char decimalSeparator);

// The same fields as views into `bytes`, for what reads thousands of orders at once (the
// journal) and keeps only a few fields of each.
struct TPlatView {
    std::array<std::string_view, order::FieldCount> Values;

    std::string_view operator[](order::TField field) const {
        return Values[static_cast<std::size_t>(field)];
    }
};
// Throws as CheckPlatVersion.
TPlatView ParsePlatView(std::string_view bytes, char decimalSeparator);

std::string FormatRequisites(const TRequisites& requisites);
TRequisites ParseRequisites(std::string_view bytes);

std::string FormatPurpose(const std::string& purpose);
std::string ParsePurpose(std::string_view bytes);

// The most bytes a file name may have on disk (NAME_MAX of Linux file systems).
inline constexpr std::size_t MaxFileNameBytes = 255;

// `name` (Windows-1251) cut so that the file "name.ext" fits the file system: its UTF-8 form
// on disk and the "." and `ext` take at most MaxFileNameBytes. A name that fits comes back as
// it is; a longer one loses its last characters (blanks left at the end go too). An order's
// name "№ NNNN от DATE - RECIPIENT" (`ext` PlatExt) loses only recipient's characters. The
// name the window shows for a file is this one.
std::string FitFileName(std::string_view name, std::string_view ext);

// dataDir / (name + "." + ext), the name fitted by FitFileName and converted to the UTF-8
// form it has on disk, or kept in its Windows-1251 bytes, whole, when only a file of that
// name exists (one copied from Windows).
// A name the file system cannot take as a single name in that folder (holding "/" or a
// NUL byte) throws platform::TFileError rather than reaching some other file.
std::filesystem::path DataFilePath(const std::filesystem::path& dataDir, std::string_view name,
                                   std::string_view ext);

// Writing replaces the file atomically (the previous version survives any failure) and
// throws TEmptyFileNameError for an empty name, platform::TFileError on failure.
// Reading throws platform::TFileError, TDataFileError for what is no regular file or is
// larger than MaxDataFileSize, and for orders also as CheckPlatVersion.
void SavePlatFile(const std::filesystem::path& dataDir, std::string_view name,
                  const TPlatRecord& plat);
// `ext` is PayerExt or RecipientExt.
void SaveRequisitesFile(const std::filesystem::path& dataDir, std::string_view name,
                        std::string_view ext, const TRequisites& requisites);
TRequisites LoadRequisitesFile(const std::filesystem::path& dataDir, std::string_view name,
                               std::string_view ext);
std::string LoadPurposeFile(const std::filesystem::path& dataDir, std::string_view name);

// The bytes of a data file, read without ever waiting; anything but a regular file of at most
// MaxDataFileSize ("... не является обычным файлом", "... слишком велик") is refused with
// TDataFileError.
std::string ReadDataFile(const std::filesystem::path& path);
// The same; nothing when no file is there.
std::optional<std::string> ReadDataFileIfAny(const std::filesystem::path& path);

// The same on full paths, for callers that already hold one (the purpose name dialog).
void WritePlat(const std::filesystem::path& path, const TPlatRecord& plat);
TPlatRecord ReadPlat(const std::filesystem::path& path, char decimalSeparator);
void WriteRequisites(const std::filesystem::path& path, const TRequisites& requisites);
TRequisites ReadRequisites(const std::filesystem::path& path);
void WritePurpose(const std::filesystem::path& path, const std::string& purpose);
std::string ReadPurpose(const std::filesystem::path& path);

} // namespace store
