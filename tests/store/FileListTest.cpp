#include "store/FileList.h"
#include "store/DataFiles.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

using namespace store;
using namespace testing_support;
namespace fs = std::filesystem;

namespace {
std::vector<std::string> Sorted(std::vector<std::string> v) {
    std::sort(v.begin(), v.end());
    return v;
}
} // namespace

TEST(ListFiles, ListsOurRegularFilesOfOneKind) {
    TTempDir dir;
    for (const char* name : {"№ 0012 от 05.03.2002 - Ромашка.plt", "a.plt", "b.rpl", "c.PLT",
                             "d.plt.bak", "eplt", "Їжак.plt", "日本.plt"})
        WriteFileBytes(dir / name, "101\r\n");
    WriteFileBytes(dir / std::string("\xFF\xFE.plt"), "101\r\n"); // not UTF-8: Windows-1251
    fs::create_directory(dir / "folder.plt");
    fs::create_symlink(dir / "nowhere", dir / "dangling.plt");
    fs::create_symlink(dir / "a.plt", dir / "link.plt");

    EXPECT_EQ(Sorted(ListFiles(dir.Path(), PlatExt)),
              Sorted({W("№ 0012 от 05.03.2002 - Ромашка.plt"), "a.plt", W("Їжак.plt"), "link.plt",
                      W("яю.plt")}));
    EXPECT_EQ(Sorted(ListFileNames(dir.Path(), PlatExt)),
              Sorted({W("№ 0012 от 05.03.2002 - Ромашка"), "a", W("Їжак"), "link", W("яю")}));
    EXPECT_EQ(ListFileNames(dir.Path(), PayerExt), std::vector<std::string>{"b"});
    EXPECT_TRUE(ListFiles(dir.Path(), PurposeExt).empty());
}

TEST(ListFiles, AMissingFolderListsNothing) {
    TTempDir dir;
    EXPECT_TRUE(ListFiles(dir / "absent", PlatExt).empty());
    WriteFileBytes(dir / "file", "");
    EXPECT_TRUE(ListFileNames(dir / "file", PlatExt).empty());
}

TEST(ListFiles, SavedFilesAreListedUnderTheirNames) {
    TTempDir dir;
    WritePurpose(DataFilePath(dir.Path(), W("Оплата «послуг»"), PurposeExt), "x");
    SavePlatFile(dir.Path(), W("№ 0003 от 01.01.2004"), TPlatRecord{});
    EXPECT_EQ(ListFileNames(dir.Path(), PurposeExt),
              std::vector<std::string>{W("Оплата «послуг»")});
    EXPECT_EQ(ListFiles(dir.Path(), PlatExt),
              std::vector<std::string>{W("№ 0003 от 01.01.2004.plt")});
}

// Files copied from a Windows archive keep their Windows-1251 bytes as names.
TEST(ListFiles, NamesInWindows1251BytesAreListedNumberedLoadedAndRemoved) {
    TTempDir dir;
    const std::string name = W("№ 0041 от 05.03.2026 - Ромашка");
    TPlatRecord order;
    order[order::TField::Number] = "41";
    order[order::TField::RecipientName] = W("Ромашка");
    WriteFileBytes(dir / (name + ".plt"), FormatPlat(order)); // the bytes as they are
    SavePlatFile(dir.Path(), W("№ 0007 от 01.02.2026"), TPlatRecord{});

    const std::vector<std::string> listed = ListFiles(dir.Path(), PlatExt);
    EXPECT_EQ(Sorted(listed), Sorted({name + ".plt", W("№ 0007 от 01.02.2026.plt")}));
    EXPECT_EQ(NextPlatNumber(listed, 2026), 42);
    EXPECT_EQ(ReadPlat(DataFilePath(dir.Path(), name, PlatExt), ','), order);

    // Saved again under its name, the order stays one file, and it can be deleted.
    order[order::TField::SumaGrn] = "5";
    SavePlatFile(dir.Path(), name, order);
    EXPECT_EQ(ReadFileBytes(dir / (name + ".plt")), FormatPlat(order));
    EXPECT_EQ(ListFiles(dir.Path(), PlatExt).size(), 2u);
    EXPECT_TRUE(fs::remove(DataFilePath(dir.Path(), name, PlatExt)));
    EXPECT_EQ(ListFiles(dir.Path(), PlatExt),
              std::vector<std::string>{W("№ 0007 от 01.02.2026.plt")});
}

TEST(NextPlatNumber, CountsOnlyTheOrdersOfTheYear) {
    const std::vector<std::string> names = {W("№ 0007 от 10.01.2002 - A.plt"),
                                            W("№ 0012 от 05.03.2002.plt"),
                                            W("№ 0040 от 30.12.2001 - B.plt"),
                                            // the Ukrainian interface's name, in the same folder
                                            W("№ 0009 від 11.01.2002 - В.plt")};
    EXPECT_EQ(NextPlatNumber(names, 2002), 13);
    EXPECT_EQ(NextPlatNumber(names, 2003), 1);
    EXPECT_EQ(NextPlatNumber(names, 2001), 41);
    EXPECT_EQ(NextPlatNumber({}, 2002), 1);
}

TEST(NextPlatNumber, NamesOutsideThePatternCountAsZero) {
    const int year = 2002;
    const struct {
        const char* Name; // UTF-8
        std::int32_t Expected;
    } cases[] = {
        {"№ 0050 от 05.03.2002.plt", 51},
        {"№ 0060 від 05.03.2002 - Ромашка.plt", 61},
        {"№ 0060 від 05.03.plt", 1},             // no year after " від"
        {"№ 0050 from 05.03.2002.plt", 1},       // no " от"
        {"№ 0050 от 05.03.02.plt", 1},           // two-digit year
        {"№ 0050 от 05.03.02 - Ромашка.plt", 1}, // the year's place holds other text
        {"№ 0050 от 05.03.2002", 1},             // without extension the name is too short
        {"№ 0050 от 5.3.2002 - Ромашка.plt", 1},
        {"№ $32 от 05.03.2002.plt", 1},
        {"№ 0x32 от 05.03.2002.plt", 1},
        {"№ -50 от 05.03.2002.plt", 1},
        {"№ +50 от 05.03.2002.plt", 51},
        {"№  50 от 05.03.2002.plt", 51},
        {"№ 99999999999 от 05.03.2002.plt", 1},
        {"№ 2147483646 от 05.03.2002.plt", 2147483647},
        {"№ 2147483647 от 05.03.2002.plt", 1}, // no successor: not counted
        {" от", 1},
        {"№ от 05.03.2002.plt", 1},
        {"", 1},
        {"от от от от от от от от", 1},
        {"№ 0050 от 05.03.2002 от 01.01.1999.plt", 51},
        {"12 от 05.03.2002.plt", 1}, // the number starts at the third character: "" fails
        {"AB12 от 05.03.2002.plt", 13},
    };
    for (const auto& c : cases)
        EXPECT_EQ(NextPlatNumber({W(c.Name)}, year), c.Expected) << c.Name;

    EXPECT_EQ(NextPlatNumber({W("№ 0001 от 01.01.65535.plt")}, 6553), 2);
    EXPECT_EQ(NextPlatNumber({W("№ 0001 от 01.01.0000.plt")}, 0), 2);
    EXPECT_EQ(NextPlatNumber({W("№ 0009 от 01.01.-001.plt")}, -1), 1);
}

TEST(NextPlatNumber, ReadsTheFolder) {
    TTempDir dir;
    SavePlatFile(dir.Path(), W("№ 0009 от 01.02.2010 - Ромашка"), TPlatRecord{});
    SavePlatFile(dir.Path(), W("№ 0003 от 01.03.2010"), TPlatRecord{});
    SavePlatFile(dir.Path(), W("№ 0020 от 01.03.2009"), TPlatRecord{});
    EXPECT_EQ(NextPlatNumber(ListFiles(dir.Path(), PlatExt), 2010), 10);
}

TEST(CompareFileNames, AlphabeticalWithoutRegardToCase) {
    // Each group holds names equal without regard to case, in byte order.
    const std::vector<std::string> expected = {"",
                                               " ",
                                               "!",
                                               "-",
                                               "_",
                                               W("«"),
                                               W("№ 0009 от 01.01.2002"),
                                               W("№ 0012 от 05.03.2002"),
                                               W("№ 0012 от 05.03.2002 - Ромашка"),
                                               W("№ 0012 от 31.01.2002"),
                                               W("№ 10000 от 01.01.2002"),
                                               "0",
                                               "1",
                                               "9",
                                               "A",
                                               "a",
                                               "ab",
                                               "B",
                                               "b",
                                               "Z",
                                               "z",
                                               W("А"),
                                               W("а"),
                                               W("Аб"),
                                               W("аб"),
                                               W("Б"),
                                               W("В"),
                                               W("Г"),
                                               W("г"),
                                               W("Ґ"),
                                               W("ґ"),
                                               W("Д"),
                                               W("Е"),
                                               W("Є"),
                                               W("є"),
                                               W("Ё"),
                                               W("ё"),
                                               W("Ж"),
                                               W("З"),
                                               W("И"),
                                               W("І"),
                                               W("і"),
                                               W("Ї"),
                                               W("ї"),
                                               W("Й"),
                                               W("К"),
                                               W("Л"),
                                               W("М"),
                                               W("Н"),
                                               W("О"),
                                               W("П"),
                                               W("Р"),
                                               W("С"),
                                               W("Т"),
                                               W("У"),
                                               W("Ф"),
                                               W("Х"),
                                               W("Ц"),
                                               W("Ч"),
                                               W("Ш"),
                                               W("Щ"),
                                               W("Ъ"),
                                               W("Ы"),
                                               W("Ь"),
                                               W("Э"),
                                               W("Ю"),
                                               W("Я"),
                                               W("я"),
                                               W("яя")};
    std::vector<std::string> names = expected;
    std::mt19937 random(7);
    for (int round = 0; round < 5; ++round) {
        std::shuffle(names.begin(), names.end(), random);
        SortFileNames(names);
        EXPECT_EQ(names, expected);
    }
    EXPECT_LT(CompareFileNames(W("аба"), W("АБВ")), 0);
    EXPECT_GT(CompareFileNames(W("Ромашка 2"), W("ромашка 10")), 0);
}

TEST(CompareFileNames, IsATotalOrderOverAllBytes) {
    std::vector<std::string> all;
    for (int b = 0; b < 256; ++b)
        all.push_back(std::string(1, static_cast<char>(b)));
    for (const auto& a : all)
        for (const auto& b : all) {
            const int ab = CompareFileNames(a, b);
            const int ba = CompareFileNames(b, a);
            EXPECT_EQ(ab == 0, a == b);
            EXPECT_EQ(ab<0, ba> 0);
        }
}

TEST(CompareFileNames, EveryCyrillicLetterIsALetterWithItsCasePartner) {
    // Upper and lower case of a Cyrillic letter weigh alike: the next character decides.
    int letters = 0;
    for (int b = 0x80; b < 256; ++b) {
        const char32_t cp = platform::Cp1251ToUnicode(static_cast<unsigned char>(b));
        char32_t lower = 0;
        if (cp >= 0x0410 && cp <= 0x042F)
            lower = cp + 0x20;
        else if (cp >= 0x0400 && cp <= 0x040F)
            lower = cp + 0x50;
        else if (cp == 0x0490)
            lower = 0x0491;
        else
            continue;
        ++letters;
        const auto lowerByte = platform::UnicodeToCp1251(lower);
        ASSERT_TRUE(lowerByte) << std::hex << static_cast<unsigned>(cp);
        const std::string upper(1, static_cast<char>(b));
        const std::string small(1, static_cast<char>(*lowerByte));
        EXPECT_GT(CompareFileNames(upper + "b", small + "a"), 0)
            << std::hex << static_cast<unsigned>(cp);
        EXPECT_LT(CompareFileNames(upper + "a", small + "b"), 0)
            << std::hex << static_cast<unsigned>(cp);
        EXPECT_GT(CompareFileNames(upper, "z"), 0) << std::hex << static_cast<unsigned>(cp);
        EXPECT_GT(CompareFileNames(small, "Z"), 0) << std::hex << static_cast<unsigned>(cp);
    }
    EXPECT_EQ(letters, 47);
}
