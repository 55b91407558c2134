#pragma once
// The file system as the program needs it: where it lives, where temporary files go, how
// a Windows-1251 file name becomes a name on disk, and how a file is replaced without
// ever destroying the previous version.

#include <chrono>
#include <cstddef>
#include <filesystem>
#include <functional>
#include <initializer_list>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace platform {

// An input/output failure. what() is Windows-1251 text for the user: what failed, the
// file, and the system's reason in words ("Permission denied", "No space left on device").
class TFileError : public std::runtime_error {
public:
    TFileError(const std::string& text, int errorNumber)
        : std::runtime_error(text), ErrorNumber(errorNumber) {}
    int ErrorNumber;
};

// The system's reason for errno `e` in words, as Windows-1251.
std::string ErrorReason(int e);

// The folder that holds the running program file.
std::filesystem::path ProgramDirectory();

// A base folder of the XDG rules: `variable` (XDG_CONFIG_HOME, XDG_DATA_HOME) when it holds an
// absolute path (a relative one is ignored, as the rules ask), otherwise the home folder
// ($HOME, else the account's) followed by `belowHome` (".config", ".local/share"). Empty
// when there is no home folder at all.
std::filesystem::path XdgBaseFolder(const char* variable, const std::filesystem::path& belowHome);

// The program's own folder for temporary documents: "vantrel-" and the user's number inside
// $TMPDIR (when set and not empty, otherwise /tmp), always absolute, so that no path made in
// it can be taken for an option by a program it is handed to. It may not exist yet.
std::filesystem::path TempDirectory();

// Where WriteTempDocument put a document: its path, or else why nothing was written (a
// message for the user, Windows-1251).
struct TTempDocument {
    std::filesystem::path Path;
    std::string Error;
};
// Writes `bytes` as "~temp" N ".rtf" (N = 1..99, the lowest free number) into TempDirectory(),
// creating it with mode 0700 (and $TMPDIR, one level, when that is missing). The folder is
// taken only when it is a real folder (no link) of the user's own with mode 0700, inside a
// folder of the user's or root's: nobody else can then put, swap or hold a file in it
// between the writing and the viewing. A name is free when no LibreOffice
// lock file ".~lock.<name>#" exists beside it, its file was not written in the last two
// minutes (its viewer may still be starting), no file of that name remains after deleting
// it, and it can be created anew exclusively. A missing folder or 99 taken names write
// nothing and say so; a file that cannot be written throws TFileError.
TTempDocument WriteTempDocument(std::string_view bytes);

// File names on disk are UTF-8; the system's names are Windows-1251.
std::filesystem::path PathFromCp1251(std::string_view name);
// The Windows-1251 form of a path, or nothing when it is not valid UTF-8 or holds a
// character the code page lacks (such a file cannot be one of ours).
std::optional<std::string> Cp1251FromPath(const std::filesystem::path& path);
// For messages: the Windows-1251 form, with unconvertible characters dropped.
std::string DisplayPath(const std::filesystem::path& path);

// The Windows-1251 name of a folder entry. A name that is not valid UTF-8 came from a
// Windows archive with its bytes unchanged and is taken as Windows-1251 as it stands; a
// valid one is converted, and nothing when it holds a character the code page lacks.
std::optional<std::string> Cp1251FromFileName(std::string_view onDisk);
// The entry of `folder` whose Cp1251FromFileName is `name`: the UTF-8 form when it exists or
// when nothing else does (a new file is always made UTF-8), otherwise the name's own bytes
// when they are an entry there.
std::filesystem::path ExistingPathFromCp1251(const std::filesystem::path& folder,
                                             std::string_view name);

// What ReadRegularFile found.
struct TFileRead {
    enum class TState { Missing, Read, NotRegular, TooLarge, OpenFailed, ReadFailed };
    TFileRead(TState state, int error = 0) : State(state), Error(error) {}
    TState State;
    std::string Bytes; // Read
    int Error;         // OpenFailed, ReadFailed: errno
};
// Reads a regular file of at most `maxBytes` whole without ever waiting: a FIFO, a device or
// a folder is not read at all (not even opened, unless it took the file's place between the
// look and the open, when the open does not wait either), and neither is a larger file.
// Without `follow` a symbolic link is no regular file.
TFileRead ReadRegularFile(const std::filesystem::path& path, std::size_t maxBytes,
                          bool follow = true);
// The same for an entry of a folder being listed, open as `dirFd`, whose listing already told
// a regular file (followed as a link): no path is walked again, and nothing else looked at
// before the open, which does not wait.
TFileRead ReadRegularFileAt(int dirFd, const char* name, std::size_t maxBytes);

// The largest file ReadWholeFile reads unless told otherwise: more than any data file.
inline constexpr std::size_t MaxReadBytes = 64 * 1024;
// The whole content of a regular file of at most `maxBytes` (ReadRegularFile); anything
// else throws TFileError that says why: the system's reason, "не является обычным файлом"
// or "слишком велик".
std::string ReadWholeFile(const std::filesystem::path& path, std::size_t maxBytes = MaxReadBytes);

// Whether WriteFileAtomically waits for the disk. Durable flushes the file before the rename
// and the folder after it, so that a crash or power loss leaves either the old file or the
// new one: what stored data needs. NotFlushed leaves the writing out to the system: readers
// still see either the old file or the whole new one, never a truncated file, but a crash
// right after may lose the new file. For files that are made again at will (a document for
// the printer), where the flushes would cost far more than the writing.
enum class TDurability { Durable, NotFlushed };

// Replaces `path` with `bytes`: writes a temporary file in the same folder, flushes it to
// disk (when Durable) and renames it over the old one. On any failure the old file is
// untouched, the temporary file is removed and TFileError is thrown. An existing file that
// may not be written (access(2)), or that has no write permission for anyone, is refused
// with the system's reason before anything is written: the rename would replace it all the
// same, and root passes every access check. The temporary file's
// name is TemporaryPrefix and six letters or digits, whatever the length of `path`'s, so
// that every name the file system takes can be written.
void WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes,
                         TDurability durability = TDurability::Durable);
// The same with the bytes given in pieces, written one after the other (with one call to
// the system where it takes them all).
void WriteFileAtomically(const std::filesystem::path& path,
                         std::initializer_list<std::string_view> pieces,
                         TDurability durability = TDurability::Durable);

// Writes a document where the user points, never changing what kind of thing is there: "-"
// is standard output; a FIFO or a character device (a pipe, a terminal, /dev/null) is
// written into as a stream; a regular file, or a new one, is replaced as WriteFileAtomically
// does, through a symbolic link to the file it leads to (the link stays). A folder, a block
// device or a socket is refused. The temporary files that killed writes left in the file's
// folder go first (RemoveStaleTemporaries). Throws TFileError unless every byte was written.
void WriteOutput(const std::filesystem::path& target, std::string_view bytes,
                 TDurability durability = TDurability::Durable);
// Whether `target` ("-": standard output) is the very file `source` (same device and inode,
// links followed); false when either cannot be looked at.
bool SameFile(const std::filesystem::path& target, const std::filesystem::path& source);

// The folder `file` stands in ("." for a bare name): where a write leaves its temporary file.
std::filesystem::path FolderOf(const std::filesystem::path& file);

// The start of every temporary file's name. A process killed in the middle of a write leaves
// its temporary file behind; no name the program or its user gives a file looks like it.
inline constexpr std::string_view TemporaryPrefix = ".vantrel~";
// Removes the temporary files of killed writes from `folder`: regular files named
// TemporaryPrefix and six letters or digits, last changed more than `age` ago (a younger
// one may belong to a write still running in another copy of the program). Nothing else
// is touched, and a failure is no error: they are only clutter.
void RemoveStaleTemporaries(const std::filesystem::path& folder,
                            std::chrono::seconds age = std::chrono::hours(1));

// Writes all the pieces to the open file `fd`, one after the other, with as few calls to
// the system as it allows (retrying interrupted and partial writes); false, with errno set,
// when the system refuses.
bool WriteAll(int fd, std::initializer_list<std::string_view> pieces);
// Appends what the open file `fd` holds from where it stands to its end, but no more than
// `limit` bytes, to `out` (retrying interrupted reads); false, with errno set, when the
// system refuses.
bool ReadAll(int fd, std::string& out, std::size_t limit);

// Fault injection for tests: called before each step of WriteFileAtomically; returning
// true makes that step fail as if the system had refused it (EIO). The Flush step is not
// reached when the write is NotFlushed.
enum class TWriteStep { Create, Write, Flush, Rename };
void SetWriteFaultForTesting(std::function<bool(TWriteStep)> fault);

} // namespace platform
