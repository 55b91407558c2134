#include "platform/Files.h"
#include "platform/Clock.h"
#include "platform/Locale.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

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

struct FaultGuard {
    ~FaultGuard() { SetWriteFaultForTesting(nullptr); }
};
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
    FaultGuard guard;
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

    FaultGuard guard;
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

TEST(Platform, TempDirectoryFollowsTmpdir) {
    const char* old = std::getenv("TMPDIR");
    std::string saved = old ? old : "";
    ::setenv("TMPDIR", "/some/where", 1);
    EXPECT_EQ(TempDirectory(), fs::path("/some/where"));
    ::setenv("TMPDIR", "", 1);
    EXPECT_EQ(TempDirectory(), fs::path("/tmp"));
    ::unsetenv("TMPDIR");
    EXPECT_EQ(TempDirectory(), fs::path("/tmp"));
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
