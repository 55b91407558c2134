#include "platform/Files.h"

#include "platform/Cp1251.h"
#include "platform/Translate.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace platform {
namespace {

std::function<bool(TWriteStep)> g_WriteFault;

bool Injected(TWriteStep step) {
    if (g_WriteFault && g_WriteFault(step)) {
        errno = EIO;
        return true;
    }
    return false;
}

// `what` is the UTF-8 source of a message, translated only here: errno is read before it.
[[noreturn]] void Fail(const char* what, const fs::path& path, int e) {
    throw TFileError(Tr("Files", what) + " \"" + DisplayPath(path) + "\": " + ErrorReason(e), e);
}

// The mode for the file that replaces `target`: the old file's (through a link), or what the
// umask gives a new file. `found` is the lstat of `target` when it succeeded.
mode_t NewFileMode(const fs::path& target, const struct stat* found) {
    if (found && S_ISREG(found->st_mode))
        return found->st_mode & 07777;
    struct stat st {};
    if (found && ::stat(target.c_str(), &st) == 0)
        return st.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// Puts `temp` in the place of `path`, a regular file when the caller looked, by exchanging the
// two names, and removes the old file from under the temporary name; false, changing nothing,
// when that cannot be done (the file gone, a file system without exchange), so that the
// caller renames.
// ext4 writes a file's data out to disk when it is renamed over another file (its guard for
// programs that replace files without flushing them), which is the very wait that a file
// written without flushing means to spare; an exchange is as atomic for readers and does
// not trigger it.
bool ExchangedOver(const std::string& temp, const fs::path& path) {
    if (::renameat2(AT_FDCWD, temp.c_str(), AT_FDCWD, path.c_str(), RENAME_EXCHANGE) != 0)
        return false;
    if (::unlink(temp.c_str()) == 0 || errno != EISDIR)
        return true;
    // A folder took the file's place in the meantime: put it back, and let the rename fail.
    ::renameat2(AT_FDCWD, temp.c_str(), AT_FDCWD, path.c_str(), RENAME_EXCHANGE);
    return false;
}

// Writes `count` vectors whole, advancing through them past partial writes.
bool WriteVectors(int fd, iovec* next, std::size_t count) {
    while (count > 0) {
        const ssize_t n = ::writev(fd, next, static_cast<int>(count));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        // Past what was written: whole pieces, then into the first one not finished.
        auto left = static_cast<std::size_t>(n);
        while (count > 0 && left >= next->iov_len) {
            left -= next->iov_len;
            ++next;
            --count;
        }
        if (count > 0) {
            next->iov_base = static_cast<char*>(next->iov_base) + left;
            next->iov_len -= left;
        }
    }
    return true;
}

} // namespace

std::string ErrorReason(int e) {
    // strerror_r's GNU form; the C library answers in the user's message language, which
    // may not be representable: fall back to the English words then.
    char buffer[256];
    const char* text = strerror_r(e, buffer, sizeof buffer);
    if (auto cp = Utf8ToCp1251(text))
        return *cp;
    return "error " + std::to_string(e);
}

fs::path ProgramDirectory() {
    std::error_code ec;
    fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (ec)
        return fs::current_path();
    return exe.parent_path();
}

fs::path TempDirectory() {
    const char* tmp = std::getenv("TMPDIR");
    std::error_code ec;
    fs::path base = tmp && *tmp ? fs::absolute(fs::path(tmp), ec) : fs::path("/tmp");
    if (ec)
        base = fs::path("/tmp");
    return base / ("vantrel-" + std::to_string(::geteuid()));
}

namespace {

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

// Makes the program's temporary folder when it is missing and says why it cannot be used:
// empty when it is a folder nobody else can change. A folder of another user's, or one
// others may write without the sticky bit, lets them rename ours away and put theirs in its
// place; a link, another owner or wider permissions let them into ours.
std::string PrepareTempDirectory(const fs::path& dir) {
    const fs::path base = dir.parent_path();
    const auto cannotMake = [&dir](int e) {
        return Tr("Files", "Ошибка создания временного каталога") + std::string(" \"") +
               DisplayPath(dir) + "\": " + ErrorReason(e);
    };
    const auto unsafe = [&dir] {
        return Args(Tr("Files", "Временный каталог \"%1\" не защищён от других пользователей: он "
                                "должен быть каталогом пользователя с правами 0700 в каталоге "
                                "пользователя или системы; документ не создан"),
                    {DisplayPath(dir)});
    };
    const uid_t user = ::geteuid();
    struct stat st {};
    if (::stat(base.c_str(), &st) != 0 && errno == ENOENT)
        ::mkdir(base.c_str(), 0777);
    if (::stat(base.c_str(), &st) != 0)
        return cannotMake(errno);
    if (!S_ISDIR(st.st_mode))
        return cannotMake(ENOTDIR);
    // Nothing is made in a folder where another user could swap ours for one of theirs.
    if ((st.st_uid != user && st.st_uid != 0) ||
        ((st.st_mode & 022) != 0 && (st.st_mode & S_ISVTX) == 0))
        return unsafe();
    if (::mkdir(dir.c_str(), 0700) != 0 && errno != EEXIST)
        return cannotMake(errno);
    if (::lstat(dir.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == user &&
        (st.st_mode & 07777) == 0700)
        return {};
    return unsafe();
}

} // namespace

TTempDocument WriteTempDocument(std::string_view bytes) {
    const fs::path dir = TempDirectory();
    if (std::string problem = PrepareTempDirectory(dir); !problem.empty())
        return {{}, problem};
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
            if (errno == EEXIST)
                continue;
            Fail(TR_NOOP("Files", "Ошибка создания файла"), file, errno);
        }
        const bool written = WriteAll(fd, {bytes});
        const int e = errno;
        if (::close(fd) != 0 || !written) {
            const int closing = errno;
            ::unlink(file.c_str());
            Fail(TR_NOOP("Files", "Ошибка записи файла"), file, written ? closing : e);
        }
        return {file, {}};
    }
    return {{}, platform::Tr("Files", "Ошибка создания временного файла")};
}

fs::path PathFromCp1251(std::string_view name) {
    return fs::path(Cp1251ToUtf8(name));
}

std::optional<std::string> Cp1251FromPath(const fs::path& path) {
    return Utf8ToCp1251(path.native());
}

std::string DisplayPath(const fs::path& path) {
    return Utf8ToCp1251Lossy(path.native());
}

std::optional<std::string> Cp1251FromFileName(std::string_view onDisk) {
    // One pass: the folder of a busy accountant holds tens of thousands of names, and each
    // is read at every start.
    std::string out;
    switch (ConvertUtf8ToCp1251(onDisk, out)) {
    case TUtf8ToCp1251::Converted:
        return out;
    case TUtf8ToCp1251::NotUtf8:
        return std::string(onDisk);
    case TUtf8ToCp1251::NotInCodePage:
        break;
    }
    return std::nullopt;
}

fs::path ExistingPathFromCp1251(const fs::path& folder, std::string_view name) {
    fs::path utf8 = folder / PathFromCp1251(name);
    struct stat st {};
    if (IsValidUtf8(name) || ::lstat(utf8.c_str(), &st) == 0)
        return utf8;
    fs::path own = folder / fs::path(std::string(name));
    return ::lstat(own.c_str(), &st) == 0 ? own : utf8;
}

namespace {

// The rest of a read once the file is open: only a regular file within `maxBytes` is read.
// Closes `fd`.
TFileRead ReadOpened(int fd, std::size_t maxBytes) {
    using TState = TFileRead::TState;
    struct stat st {};
    TFileRead result{TState::Read};
    if (::fstat(fd, &st) != 0) {
        result = {TState::OpenFailed, errno};
    } else if (!S_ISREG(st.st_mode)) {
        result = {TState::NotRegular};
    } else if (static_cast<std::uintmax_t>(st.st_size) > maxBytes) {
        result = {TState::TooLarge};
    } else {
        // Straight into the string, with room for one byte more than the file holds: that
        // byte read tells a file that grew since the look, and the rest is then read as any.
        const auto size = static_cast<std::size_t>(st.st_size);
        std::string& bytes = result.Bytes;
        bytes.resize(size + 1);
        std::size_t got = 0;
        bool failed = false;
        while (got < bytes.size()) {
            const ssize_t n = ::read(fd, bytes.data() + got, bytes.size() - got);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0) {
                failed = n < 0;
                break;
            }
            got += static_cast<std::size_t>(n);
        }
        bytes.resize(got);
        if (failed || (got > size && !ReadAll(fd, bytes, maxBytes + 1 - got)))
            result = {TState::ReadFailed, errno};
        else if (bytes.size() > maxBytes)
            result = {TState::TooLarge}; // it grew since the look
    }
    ::close(fd);
    return result;
}

} // namespace

TFileRead ReadRegularFile(const fs::path& path, std::size_t maxBytes, bool follow) {
    using TState = TFileRead::TState;
    struct stat st {};
    if ((follow ? ::stat(path.c_str(), &st) : ::lstat(path.c_str(), &st)) != 0)
        return errno == ENOENT ? TFileRead{TState::Missing} : TFileRead{TState::OpenFailed, errno};
    if (!S_ISREG(st.st_mode))
        return {TState::NotRegular};
    const int fd =
        ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | (follow ? 0 : O_NOFOLLOW));
    if (fd < 0) {
        if (errno == ENOENT)
            return {TState::Missing};
        return errno == ELOOP ? TFileRead{TState::NotRegular}
                              : TFileRead{TState::OpenFailed, errno};
    }
    return ReadOpened(fd, maxBytes);
}

TFileRead ReadRegularFileAt(int dirFd, const char* name, std::size_t maxBytes) {
    using TState = TFileRead::TState;
    const int fd = ::openat(dirFd, name, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return errno == ENOENT ? TFileRead{TState::Missing} : TFileRead{TState::OpenFailed, errno};
    return ReadOpened(fd, maxBytes);
}

std::string ReadWholeFile(const fs::path& path, std::size_t maxBytes) {
    TFileRead read = ReadRegularFile(path, maxBytes);
    switch (read.State) {
    case TFileRead::TState::Read:
        break;
    case TFileRead::TState::Missing:
        Fail(TR_NOOP("Files", "Ошибка открытия файла"), path, ENOENT);
    case TFileRead::TState::OpenFailed:
        Fail(TR_NOOP("Files", "Ошибка открытия файла"), path, read.Error);
    case TFileRead::TState::ReadFailed:
        Fail(TR_NOOP("Files", "Ошибка чтения файла"), path, read.Error);
    case TFileRead::TState::NotRegular:
        throw TFileError(
            Args(Tr("Files", "Файл \"%1\" не является обычным файлом"), {DisplayPath(path)}),
            EINVAL);
    case TFileRead::TState::TooLarge:
        throw TFileError(Args(Tr("Files", "Файл \"%1\" слишком велик"), {DisplayPath(path)}),
                         EFBIG);
    }
    return std::move(read.Bytes);
}

bool ReadAll(int fd, std::string& out, std::size_t limit) {
    char buffer[65536];
    for (std::size_t read = 0; read < limit;) {
        const ssize_t n = ::read(fd, buffer, std::min(sizeof buffer, limit - read));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return false;
        if (n == 0)
            break;
        out.append(buffer, static_cast<std::size_t>(n));
        read += static_cast<std::size_t>(n);
    }
    return true;
}

bool WriteAll(int fd, std::initializer_list<std::string_view> pieces) {
    // A document is two or three pieces; more go in groups, one group after the other.
    constexpr std::size_t kGroup = 8;
    iovec vectors[kGroup];
    std::size_t count = 0;
    for (const std::string_view piece : pieces) {
        if (piece.empty())
            continue;
        vectors[count++] = {const_cast<char*>(piece.data()), piece.size()};
        if (count == kGroup) {
            if (!WriteVectors(fd, vectors, count))
                return false;
            count = 0;
        }
    }
    return WriteVectors(fd, vectors, count);
}

void WriteFileAtomically(const fs::path& path, std::string_view bytes, TDurability durability) {
    WriteFileAtomically(path, {bytes}, durability);
}

fs::path FolderOf(const fs::path& file) {
    return file.has_parent_path() ? file.parent_path() : fs::path(".");
}

void WriteFileAtomically(const fs::path& path, std::initializer_list<std::string_view> pieces,
                         TDurability durability) {
    const bool flush = durability == TDurability::Durable;
    const fs::path dir = FolderOf(path);
    std::string temp = (dir / (std::string(TemporaryPrefix) + "XXXXXX")).native();
    struct stat found {};
    const bool exists = ::lstat(path.c_str(), &found) == 0;
    const bool regular = exists && S_ISREG(found.st_mode);
    const mode_t mode = NewFileMode(path, exists ? &found : nullptr);
    // A rename replaces a file that its mode forbids writing, and root may write anything: a
    // file without a single write permission is one its owner protected, so it is refused
    // as the system refuses a read-only folder.
    if (exists && !S_ISDIR(found.st_mode)) {
        if (::access(path.c_str(), W_OK) != 0 && errno != ENOENT)
            Fail(TR_NOOP("Files", "Ошибка записи файла"), path, errno);
        struct stat target {};
        if (::stat(path.c_str(), &target) == 0 && S_ISREG(target.st_mode) &&
            (target.st_mode & 0222) == 0)
            Fail(TR_NOOP("Files", "Ошибка записи файла"), path, EACCES);
    }

    int fd = Injected(TWriteStep::Create) ? -1 : ::mkstemp(temp.data());
    if (fd < 0)
        Fail(TR_NOOP("Files", "Ошибка создания файла"), path, errno);

    auto abandon = [&](const char* what) {
        const int e = errno;
        if (fd >= 0)
            ::close(fd);
        ::unlink(temp.c_str());
        Fail(what, path, e);
    };

    bool empty = true;
    for (const std::string_view piece : pieces)
        empty = empty && piece.empty();
    if (!empty && (Injected(TWriteStep::Write) || !WriteAll(fd, pieces)))
        abandon(TR_NOOP("Files", "Ошибка записи файла"));
    if (::fchmod(fd, mode) != 0)
        abandon(TR_NOOP("Files", "Ошибка записи файла"));
    if (flush && (Injected(TWriteStep::Flush) || ::fsync(fd) != 0))
        abandon(TR_NOOP("Files", "Ошибка записи файла"));
    if (::close(fd) != 0) {
        fd = -1;
        abandon(TR_NOOP("Files", "Ошибка записи файла"));
    }
    fd = -1;
    if (Injected(TWriteStep::Rename))
        abandon(TR_NOOP("Files", "Ошибка записи файла"));
    if (!flush && regular && ExchangedOver(temp, path))
        return;
    if (::rename(temp.c_str(), path.c_str()) != 0)
        abandon(TR_NOOP("Files", "Ошибка записи файла"));

    if (!flush)
        return;
    // Make the rename itself durable; a failure here loses nothing that was there before.
    const int dfd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dfd >= 0) {
        ::fsync(dfd);
        ::close(dfd);
    }
}

namespace {

// Writes into an open stream that is no file of ours to replace; `fd` is closed unless it is
// standard output.
void WriteStream(int fd, const fs::path& target, std::string_view bytes) {
    const bool written = Injected(TWriteStep::Write) ? false : WriteAll(fd, {bytes});
    const int e = errno;
    if (fd == STDOUT_FILENO) {
        if (!written)
            Fail(TR_NOOP("Files", "Ошибка записи файла"), target, e);
        return;
    }
    if (::close(fd) != 0 && written)
        Fail(TR_NOOP("Files", "Ошибка записи файла"), target, errno);
    if (!written)
        Fail(TR_NOOP("Files", "Ошибка записи файла"), target, e);
}

bool IsStream(const struct stat& st) {
    return S_ISFIFO(st.st_mode) || S_ISCHR(st.st_mode);
}

} // namespace

void WriteOutput(const fs::path& target, std::string_view bytes, TDurability durability) {
    if (target == "-") {
        WriteStream(STDOUT_FILENO, target, bytes);
        return;
    }
    // What earlier writes killed in the middle left beside the target.
    RemoveStaleTemporaries(FolderOf(target));
    struct stat st {};
    if (::stat(target.c_str(), &st) != 0) {
        // Nothing there, or a link to nothing: a new file in its place.
        WriteFileAtomically(target, bytes, durability);
        return;
    }
    if (S_ISDIR(st.st_mode))
        Fail(TR_NOOP("Files", "Ошибка записи файла"), target, EISDIR);
    if (IsStream(st)) {
        // A FIFO is opened as any writer opens it: waiting for its reader.
        const int fd = ::open(target.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY);
        if (fd < 0)
            Fail(TR_NOOP("Files", "Ошибка открытия файла"), target, errno);
        if (::fstat(fd, &st) == 0 && IsStream(st)) {
            WriteStream(fd, target, bytes);
            return;
        }
        ::close(fd); // a file took its place since the look: replaced as a file below
    } else if (!S_ISREG(st.st_mode)) {
        throw TFileError(
            Args(Tr("Files", "Файл \"%1\" не является обычным файлом"), {DisplayPath(target)}),
            EINVAL);
    }
    std::error_code ec;
    fs::path file = target;
    if (fs::is_symlink(fs::symlink_status(target, ec))) {
        const fs::path real = fs::canonical(target, ec);
        if (!ec)
            file = real;
    }
    WriteFileAtomically(file, bytes, durability);
}

bool SameFile(const fs::path& target, const fs::path& source) {
    struct stat a {
    }, b{};
    const int found = target == "-" ? ::fstat(STDOUT_FILENO, &a) : ::stat(target.c_str(), &a);
    return found == 0 && ::stat(source.c_str(), &b) == 0 && a.st_dev == b.st_dev &&
           a.st_ino == b.st_ino;
}

void RemoveStaleTemporaries(const fs::path& folder, std::chrono::seconds age) {
    DIR* dir = ::opendir(folder.c_str());
    if (!dir)
        return;
    const std::time_t now = std::time(nullptr);
    while (const dirent* entry = ::readdir(dir)) {
        const std::string_view name = entry->d_name;
        // mkstemp's six characters are letters and digits only.
        if (name.size() != TemporaryPrefix.size() + 6 || !name.starts_with(TemporaryPrefix) ||
            !std::all_of(name.begin() + TemporaryPrefix.size(), name.end(), [](char c) {
                return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
            }))
            continue;
        struct stat st {};
        if (::fstatat(::dirfd(dir), entry->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0 ||
            !S_ISREG(st.st_mode) || now - st.st_mtime <= age.count())
            continue;
        ::unlinkat(::dirfd(dir), entry->d_name, 0);
    }
    ::closedir(dir);
}

void SetWriteFaultForTesting(std::function<bool(TWriteStep)> fault) {
    g_WriteFault = std::move(fault);
}

} // namespace platform

namespace platform {

fs::path XdgBaseFolder(const char* variable, const fs::path& belowHome) {
    const char* xdg = std::getenv(variable);
    if (xdg && *xdg && fs::path(xdg).is_absolute())
        return fs::path(xdg);
    const char* home = std::getenv("HOME");
    if (home && *home)
        return fs::path(home) / belowHome;
    passwd entry{};
    passwd* found = nullptr;
    char buffer[4096];
    if (::getpwuid_r(::getuid(), &entry, buffer, sizeof buffer, &found) == 0 && found &&
        found->pw_dir && *found->pw_dir)
        return fs::path(found->pw_dir) / belowHome;
    return {};
}

} // namespace platform
