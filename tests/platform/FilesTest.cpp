#include "platform/Files.h"
#include "platform/Clock.h"
#include "platform/Locale.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <unistd.h>

using namespace platform;
using namespace testing_support;
namespace fs = std::filesystem;

namespace {
size_t CountEntries(const fs::path& dir) {
    size_t n = 0;
    for ([[maybe_unused]] auto& e : fs::directory_iterator(dir))
        ++n;
    return n;
}

} // namespace

TEST(WriteFileAtomically, CreatesAndReplacesLeavingNoTemporaryFile) {
    TTempDir dir;
    const fs::path file = dir / "order.plt";
    WriteFileAtomically(file, "first\r\n");
    EXPECT_EQ(ReadFileBytes(file), "first\r\n");
    WriteFileAtomically(file, std::string("\0second", 7));
    EXPECT_EQ(ReadFileBytes(file), std::string("\0second", 7));
    WriteFileAtomically(file, "");
    EXPECT_EQ(ReadFileBytes(file), "");
    EXPECT_EQ(CountEntries(dir.Path()), 1u);
}

TEST(WriteFileAtomically, AFailureAtAnyStepKeepsThePreviousFileAndReportsTheReason) {
    TTempDir dir;
    const fs::path file = dir / "order.plt";
    WriteFileAtomically(file, "previous");
    TWriteFault guard;
    for (auto step :
         {TWriteStep::Create, TWriteStep::Write, TWriteStep::Flush, TWriteStep::Rename}) {
        SetWriteFaultForTesting([step](TWriteStep s) { return s == step; });
        try {
            WriteFileAtomically(file, "replacement that must not appear");
            ADD_FAILURE() << "no error at step " << static_cast<int>(step);
        } catch (const TFileError& e) {
            EXPECT_EQ(e.ErrorNumber, EIO);
            const std::string text = U(e.what());
            EXPECT_NE(text.find("order.plt"), std::string::npos) << text;
            EXPECT_NE(text.find("Input/output error"), std::string::npos) << text;
        }
        EXPECT_EQ(ReadFileBytes(file), "previous");
        EXPECT_EQ(CountEntries(dir.Path()), 1u)
            << "temporary file left at step " << static_cast<int>(step);
    }
}

// The printer's documents are written without waiting for the disk, but just as atomically.
TEST(WriteFileAtomically, NotFlushedStillReplacesWholeOrNotAtAll) {
    TTempDir dir;
    const fs::path file = dir / "blank.rtf";
    WriteFileAtomically(file, "new", TDurability::NotFlushed);
    EXPECT_EQ(ReadFileBytes(file), "new");
    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write);
    WriteFileAtomically(file, "replaced", TDurability::NotFlushed);
    EXPECT_EQ(ReadFileBytes(file), "replaced");
    EXPECT_EQ(fs::status(file).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);

    TWriteFault guard;
    std::vector<TWriteStep> reached;
    SetWriteFaultForTesting([&](TWriteStep s) {
        reached.push_back(s);
        return s == TWriteStep::Rename;
    });
    EXPECT_THROW(WriteFileAtomically(file, "lost", TDurability::NotFlushed), TFileError);
    EXPECT_EQ(ReadFileBytes(file), "replaced");
    EXPECT_EQ(std::count(reached.begin(), reached.end(), TWriteStep::Flush), 0);
    EXPECT_EQ(CountEntries(dir.Path()), 1u);

    // A folder in the file's place is not replaced.
    SetWriteFaultForTesting(nullptr);
    fs::create_directory(dir / "folder.rtf");
    EXPECT_THROW(WriteFileAtomically(dir / "folder.rtf", "x", TDurability::NotFlushed), TFileError);
    EXPECT_TRUE(fs::is_directory(dir / "folder.rtf"));
    EXPECT_EQ(CountEntries(dir.Path()), 2u);
}

TEST(WriteFileAtomically, PiecesAreWrittenOneAfterTheOther) {
    TTempDir dir;
    const fs::path file = dir / "blank.rtf";
    WriteFileAtomically(file, {"{\\rtf1\r\n", "", std::string(70000, 'x'), "}\r\n"},
                        TDurability::NotFlushed);
    EXPECT_EQ(ReadFileBytes(file), "{\\rtf1\r\n" + std::string(70000, 'x') + "}\r\n");

    // Nothing to write reaches no write step, as a single empty text does not.
    TWriteFault guard;
    SetWriteFaultForTesting([](TWriteStep s) { return s == TWriteStep::Write; });
    WriteFileAtomically(file, {"", ""});
    EXPECT_EQ(ReadFileBytes(file), "");
    EXPECT_THROW(WriteFileAtomically(file, {"", "a"}), TFileError);
    EXPECT_EQ(ReadFileBytes(file), "");
    EXPECT_EQ(CountEntries(dir.Path()), 1u);
}

TEST(WriteFileAtomically, ALinkIsReplacedByTheFileWithItsTargetsMode) {
    TTempDir dir;
    const fs::path target = dir / "target.rtf";
    WriteFileAtomically(target, "target");
    fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    fs::create_symlink(target, dir / "link.rtf");
    for (const TDurability durability : {TDurability::Durable, TDurability::NotFlushed}) {
        WriteFileAtomically(dir / "link.rtf", "new", durability);
        EXPECT_FALSE(fs::is_symlink(dir / "link.rtf"));
        EXPECT_EQ(ReadFileBytes(dir / "link.rtf"), "new");
        EXPECT_EQ(ReadFileBytes(target), "target");
        EXPECT_EQ(fs::status(dir / "link.rtf").permissions() & fs::perms::all,
                  fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
        fs::remove(dir / "link.rtf");
        fs::create_symlink(target, dir / "link.rtf");
    }
}

TEST(WriteAll, WritesEveryPieceOrSaysWhyNot) {
    int fds[2];
    ASSERT_EQ(::pipe(fds), 0);
    EXPECT_TRUE(WriteAll(fds[1], {"ab", "", "cd"}));
    EXPECT_TRUE(WriteAll(fds[1], {}));
    char buffer[8] = {};
    EXPECT_EQ(::read(fds[0], buffer, sizeof buffer), 4);
    EXPECT_EQ(std::string(buffer, 4), "abcd");
    // More pieces than one call of the system takes here.
    EXPECT_TRUE(WriteAll(fds[1], {"1", "2", "3", "4", "5", "6", "7", "", "8", "9", "10"}));
    char many[16] = {};
    EXPECT_EQ(::read(fds[0], many, sizeof many), 11);
    EXPECT_EQ(std::string(many, 11), "12345678910");
    ::close(fds[0]);
    ::close(fds[1]);
    EXPECT_FALSE(WriteAll(fds[1], {"x"}));
    EXPECT_EQ(errno, EBADF);
}

TEST(WriteFileAtomically, AMissingFolderIsAnErrorWithTheSystemsWords) {
    TTempDir dir;
    try {
        WriteFileAtomically(dir / "missing" / "x.rpl", "x");
        FAIL();
    } catch (const TFileError& e) {
        EXPECT_NE(U(e.what()).find("No such file or directory"), std::string::npos) << U(e.what());
    }
}

TEST(WriteFileAtomically, CyrillicNamesAreUtf8OnDisk) {
    TTempDir dir;
    WriteFileAtomically(dir.Path() / PathFromCp1251("Оплата №1.nzn"_w), "x");
    EXPECT_TRUE(fs::exists(dir / "Оплата №1.nzn"));
    for (auto& e : fs::directory_iterator(dir.Path()))
        EXPECT_EQ(Cp1251FromPath(e.path().filename()), std::string("Оплата №1.nzn"_w));
    EXPECT_FALSE(Cp1251FromPath("caf\xC3\xA4").has_value()); // ä has no byte
    EXPECT_FALSE(Cp1251FromPath("bad\xFF").has_value());
}

// The program's own folder inside $TMPDIR, absolute even when $TMPDIR looks like an option.
TEST(Platform, TempDirectoryFollowsTmpdir) {
    const char* old = std::getenv("TMPDIR");
    std::string saved = old ? old : "";
    const std::string own = "vantrel-" + std::to_string(::geteuid());
    ::setenv("TMPDIR", "/some/where", 1);
    EXPECT_EQ(TempDirectory(), fs::path("/some/where") / own);
    ::setenv("TMPDIR", "-rf", 1);
    EXPECT_EQ(TempDirectory(), fs::current_path() / "-rf" / own);
    ::setenv("TMPDIR", "", 1);
    EXPECT_EQ(TempDirectory(), fs::path("/tmp") / own);
    ::unsetenv("TMPDIR");
    EXPECT_EQ(TempDirectory(), fs::path("/tmp") / own);
    if (old)
        ::setenv("TMPDIR", saved.c_str(), 1);
}

TEST(Platform, TodayCanBeFixedForTests) {
    using namespace std::chrono;
    SetTodayForTesting(year{2002} / 3 / 4);
    EXPECT_EQ(Today(), year{2002} / 3 / 4);
    SetTodayForTesting(std::nullopt);
    EXPECT_TRUE(Today().ok());
}

TEST(Platform, DecimalSeparatorOfTheCLocaleIsAPoint) {
    const char* old = std::getenv("LC_ALL");
    std::string saved = old ? old : "";
    ::setenv("LC_ALL", "C", 1);
    EXPECT_EQ(UserDecimalSeparator(), '.');
    if (old)
        ::setenv("LC_ALL", saved.c_str(), 1);
    else
        ::unsetenv("LC_ALL");
}
