#include "platform/Files.h"

#include "platform/Cp1251.h"
#include "platform/Cp1251Literal.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
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

[[noreturn]] void Fail(const std::string& what, const fs::path& path, int e) {
    throw TFileError(what + " \"" + DisplayPath(path) + "\": " + ErrorReason(e), e);
}

mode_t NewFileMode(const fs::path& target) {
    struct stat st {};
    if (::stat(target.c_str(), &st) == 0)
        return st.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// Puts `temp` in the place of the regular file `path` by exchanging the two names, and
// removes the old file from under the temporary name; false, changing nothing, when that
// cannot be done (no such file, a file system without exchange), so that the caller renames.
// ext4 writes a file's data out to disk when it is renamed over another file (its guard for
// programs that replace files without flushing them), which is the very wait that a file
// written without flushing means to spare; an exchange is as atomic for readers and does
// not trigger it.
bool ExchangedOver(const std::string& temp, const fs::path& path) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return false;
    if (::renameat2(AT_FDCWD, temp.c_str(), AT_FDCWD, path.c_str(), RENAME_EXCHANGE) != 0)
        return false;
    if (::unlink(temp.c_str()) == 0 || errno != EISDIR)
        return true;
    // A folder took the file's place in the meantime: put it back, and let the rename fail.
    ::renameat2(AT_FDCWD, temp.c_str(), AT_FDCWD, path.c_str(), RENAME_EXCHANGE);
    return false;
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
    if (tmp && *tmp)
        return fs::path(tmp);
    return fs::path("/tmp");
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

std::string ReadWholeFile(const fs::path& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        Fail("Ошибка открытия файла"_w, path, errno);
    std::string data;
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            const int e = errno;
            ::close(fd);
            Fail("Ошибка чтения файла"_w, path, e);
        }
        if (n == 0)
            break;
        data.append(buffer, static_cast<size_t>(n));
    }
    ::close(fd);
    return data;
}

void WriteFileAtomically(const fs::path& path, std::string_view bytes, TDurability durability) {
    const bool flush = durability == TDurability::Durable;
    const fs::path dir = path.has_parent_path() ? path.parent_path() : fs::path(".");
    std::string temp = (dir / ("." + path.filename().native() + ".XXXXXX")).native();
    const mode_t mode = NewFileMode(path);

    int fd = Injected(TWriteStep::Create) ? -1 : ::mkstemp(temp.data());
    if (fd < 0)
        Fail("Ошибка создания файла"_w, path, errno);

    auto abandon = [&](const char* what) {
        const int e = errno;
        if (fd >= 0)
            ::close(fd);
        ::unlink(temp.c_str());
        Fail(what, path, e);
    };

    size_t done = 0;
    while (done < bytes.size()) {
        if (Injected(TWriteStep::Write))
            abandon("Ошибка записи файла"_w);
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            abandon("Ошибка записи файла"_w);
        }
        done += static_cast<size_t>(n);
    }
    if (::fchmod(fd, mode) != 0)
        abandon("Ошибка записи файла"_w);
    if (flush && (Injected(TWriteStep::Flush) || ::fsync(fd) != 0))
        abandon("Ошибка записи файла"_w);
    if (::close(fd) != 0) {
        fd = -1;
        abandon("Ошибка записи файла"_w);
    }
    fd = -1;
    if (Injected(TWriteStep::Rename))
        abandon("Ошибка записи файла"_w);
    if (!flush && ExchangedOver(temp, path))
        return;
    if (::rename(temp.c_str(), path.c_str()) != 0)
        abandon("Ошибка записи файла"_w);

    if (!flush)
        return;
    // Make the rename itself durable; a failure here loses nothing that was there before.
    const int dfd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dfd >= 0) {
        ::fsync(dfd);
        ::close(dfd);
    }
}

void SetWriteFaultForTesting(std::function<bool(TWriteStep)> fault) {
    g_WriteFault = std::move(fault);
}

} // namespace platform
