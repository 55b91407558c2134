// The temporary document for the word processor: which ~tempN.rtf it takes, so that a
// document still on its way to a viewer, or shown by one, is never replaced, and nothing is
// ever written through a name that someone else put there; and the private folder it lives
// in, which nobody else may enter or swap.

#include "platform/Files.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <functional>

using namespace testing_support;
namespace fs = std::filesystem;

namespace {

// Dates the file back, as if its viewer had had time to open it long ago.
void Age(const fs::path& path) {
    struct stat st {};
    ASSERT_EQ(::lstat(path.c_str(), &st), 0) << path;
    const timespec times[2] = {st.st_atim, {st.st_mtim.tv_sec - 121, st.st_mtim.tv_nsec}};
    ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, AT_SYMLINK_NOFOLLOW), 0) << path;
}

const std::string Unsafe = "Временный каталог \"$\" не защищён от других пользователей: он должен "
                           "быть каталогом пользователя с правами 0700 в каталоге пользователя или "
                           "системы; документ не создан";

void Lock(const fs::path& dir, int n) {
    WriteFileBytes(dir / (".~lock.~temp" + std::to_string(n) + ".rtf#"), "");
}

} // namespace

TEST(TempDocument, TakesTheFirstFreeNameOrSaysWhyNot) {
    struct TCase {
        const char* What;
        const char* Folder; // $TMPDIR below the test's folder
        // `tmp` is the program's folder inside $TMPDIR.
        std::function<void(const fs::path& tmp, const fs::path& elsewhere)> Before;
        const char* Written; // the name taken, or else
        std::string Error;   // UTF-8
    };
    const auto none = [](const fs::path&, const fs::path&) {};
    const TCase cases[] = {
        {"an empty folder", "t", none, "~temp1.rtf", ""},
        {"a file written moments ago may still be on its way to its viewer", "t",
         [](const fs::path& t, const fs::path&) { WriteFileBytes(t / "~temp1.rtf", "old"); },
         "~temp2.rtf", ""},
        {"an old file nobody holds open gives its name back", "t",
         [](const fs::path& t, const fs::path&) {
             WriteFileBytes(t / "~temp1.rtf", "old");
             Age(t / "~temp1.rtf");
         },
         "~temp1.rtf", ""},
        {"a document held open by LibreOffice keeps its name", "t",
         [](const fs::path& t, const fs::path&) {
             WriteFileBytes(t / "~temp1.rtf", "old");
             Age(t / "~temp1.rtf");
             Lock(t, 1);
         },
         "~temp2.rtf", ""},
        {"a lock file alone keeps the name", "t",
         [](const fs::path& t, const fs::path&) { Lock(t, 1); }, "~temp2.rtf", ""},
        {"a name that cannot be deleted is skipped", "t",
         [](const fs::path& t, const fs::path&) {
             fs::create_directory(t / "~temp1.rtf");
             WriteFileBytes(t / "~temp1.rtf" / "inside", "");
         },
         "~temp2.rtf", ""},
        {"planted links are replaced, never written through", "t",
         [](const fs::path& t, const fs::path& elsewhere) {
             WriteFileBytes(elsewhere / "victim", "precious");
             fs::create_symlink(elsewhere / "victim", t / "~temp1.rtf");
             fs::create_symlink(elsewhere / "created-by-us", t / "~temp2.rtf");
             Lock(t, 1);
         },
         "~temp2.rtf", ""},
        {"all ninety-nine names taken", "t",
         [](const fs::path& t, const fs::path&) {
             for (int n = 1; n <= 99; ++n)
                 Lock(t, n);
         },
         nullptr, "Ошибка создания временного файла"},
        {"a missing folder is made", "sub", none, "~temp1.rtf", ""},
        {"but only one level deep", "missing/deeper", none, nullptr,
         "Ошибка создания временного каталога \"$\": No such file or directory"},
        {"a file where the folder should be", "plain",
         [](const fs::path& t, const fs::path&) { WriteFileBytes(t.parent_path(), ""); }, nullptr,
         "Ошибка создания временного каталога \"$\": Not a directory"},
        {"a link in place of the private folder", "t",
         [](const fs::path& t, const fs::path& elsewhere) {
             fs::remove(t);
             fs::create_symlink(elsewhere, t);
         },
         nullptr, Unsafe},
        {"a private folder others may enter", "t",
         [](const fs::path& t, const fs::path&) { ::chmod(t.c_str(), 0755); }, nullptr, Unsafe},
        {"a private folder of another user's", "t",
         [](const fs::path& t, const fs::path&) { ASSERT_EQ(::chown(t.c_str(), 65534, 65534), 0); },
         nullptr, Unsafe},
        {"a $TMPDIR of another user's, who could swap the folder", "t",
         [](const fs::path& t, const fs::path&) {
             ASSERT_EQ(::chown(t.parent_path().c_str(), 65534, 65534), 0);
         },
         nullptr, Unsafe},
    };
    // TTempDir makes its folders in $TMPDIR too.
    const std::string saved = std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "/tmp";
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.What);
        TTempDir dir, elsewhere;
        const fs::path tmp = dir / c.Folder / ("vantrel-" + std::to_string(::geteuid()));
        if (std::string(c.Folder) == "t")
            fs::create_directories(tmp), ::chmod(tmp.c_str(), 0700);
        if (::geteuid() != 0 && std::string(c.What).find("another") != std::string::npos)
            continue; // only root can give a folder away
        c.Before(tmp, elsewhere.Path());
        ::setenv("TMPDIR", (dir / c.Folder).c_str(), 1);
        const platform::TTempDocument written = platform::WriteTempDocument("{\\rtf1 x}");
        ::setenv("TMPDIR", saved.c_str(), 1);
        std::string error = c.Error;
        if (error.find('$') != std::string::npos)
            error.replace(error.find('$'), 1, tmp.string());
        EXPECT_EQ(U(written.Error), error);
        if (!c.Written) {
            EXPECT_TRUE(written.Path.empty());
            EXPECT_FALSE(fs::exists(tmp / "~temp1.rtf"));
            continue;
        }
        EXPECT_EQ(written.Path, tmp / c.Written);
        EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(written.Path)));
        EXPECT_EQ(ReadFileBytes(written.Path), "{\\rtf1 x}");
        EXPECT_EQ(fs::status(written.Path).permissions() & fs::perms::others_all, fs::perms::none)
            << "others may read the order";
        if (fs::is_regular_file(fs::symlink_status(tmp / "~temp1.rtf")) &&
            written.Path != tmp / "~temp1.rtf") {
            EXPECT_NE(ReadFileBytes(tmp / "~temp1.rtf"), "{\\rtf1 x}") << "the older one kept";
        }
        EXPECT_FALSE(fs::exists(elsewhere / "created-by-us"));
        if (fs::exists(elsewhere / "victim")) {
            EXPECT_EQ(ReadFileBytes(elsewhere / "victim"), "precious");
        }
    }
}
