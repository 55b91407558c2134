#include "store/DataFiles.h"

#include "platform/Files.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <random>

#include <sys/stat.h>

using namespace store;
using namespace testing_support;
namespace fs = std::filesystem;

namespace {

std::string Lines(std::initializer_list<std::string> lines) {
    std::string out;
    for (const auto& l : lines)
        out += l + "\r\n";
    return out;
}

} // namespace

TEST(PlatFormat, WritesTheTwentyLinesInTheirOrderAndReadsThemBack) {
    const TPlatRecord p = RealisticOrder();
    const std::string expected = Lines({"101",
                                        "12",
                                        "05.03.2026",
                                        p[order::TField::PayerName],
                                        p[order::TField::PayerBank],
                                        p[order::TField::PayerBank2],
                                        "12345678",
                                        "305299",
                                        "2600/123",
                                        p[order::TField::RecipientName],
                                        "-",
                                        p[order::TField::RecipientBank2],
                                        "87654321",
                                        "300001",
                                        "2601",
                                        "1500",
                                        "7",
                                        p[order::TField::Purpose],
                                        p[order::TField::PayerCity],
                                        p[order::TField::RecipientCity]});
    EXPECT_EQ(FormatPlat(p), expected);
    TPlatRecord withBlank = p;
    EXPECT_EQ(ParsePlat(expected, ','), withBlank);
    EXPECT_EQ(FormatPlat(ParsePlat(expected, '.')), expected);
    // The VAT choice stands after the twenty lines, where older readers do not look.
    TPlatRecord chosen = p;
    chosen[order::TField::NDSChoice] = "2";
    EXPECT_EQ(FormatPlat(chosen), expected + "2\r\n");
    EXPECT_EQ(ParsePlat(expected + "2\r\n", ','), chosen);
}

TEST(PlatFormat, EmptyFieldsBecomeTheDashExceptTheDate) {
    const std::string bytes = FormatPlat(TPlatRecord{});
    EXPECT_EQ(bytes, "101\r\n-\r\n\r\n" + Lines({"-", "-", "-", "-", "-", "-", "-", "-", "-", "-",
                                                 "-", "-", "-", "-", "-", "-", "-"}));
    EXPECT_EQ(ParsePlat(bytes, ','), TPlatRecord{});
}

TEST(PlatFormat, ADashIsReadAsEmptyButTheDateKeepsIt) {
    TPlatRecord p = RealisticOrder();
    p[order::TField::PayerOKPO] = "-";
    p[order::TField::Purpose] = "-";
    p[order::TField::Date] = "-";
    const TPlatRecord back = ParsePlat(FormatPlat(p), ',');
    EXPECT_EQ(back[order::TField::PayerOKPO], "");
    EXPECT_EQ(back[order::TField::Purpose], "");
    EXPECT_EQ(back[order::TField::Date], "-");
    EXPECT_EQ(back[order::TField::PayerName], p[order::TField::PayerName]);
}

TEST(PlatFormat, ShortLongAndLfOnlyFilesReadWithoutComplaint) {
    const std::string upToPurpose = Lines({"101", "7", "01.02.2003", "A", "B", "C", "D", "E", "F",
                                           "G", "H", "I", "J", "K", "L", "100", "5", "P"});
    TPlatRecord shortOrder = ParsePlat(upToPurpose, ',');
    EXPECT_EQ(shortOrder[order::TField::Purpose], "P");
    EXPECT_EQ(shortOrder[order::TField::PayerCity], "");
    EXPECT_EQ(shortOrder[order::TField::RecipientCity], "");

    EXPECT_EQ(ParsePlat("101", ','), TPlatRecord{});
    EXPECT_EQ(ParsePlat("101\r\n", ','), TPlatRecord{});

    const std::string full = FormatPlat(RealisticOrder());
    TPlatRecord chosen = RealisticOrder();
    chosen[order::TField::NDSChoice] = "2";
    EXPECT_EQ(ParsePlat(full + "2\r\nextra\r\nlines\r\n", ','), chosen);

    std::string lfOnly;
    for (char c : full)
        if (c != '\r')
            lfOnly += c;
    EXPECT_EQ(ParsePlat(lfOnly, ','), RealisticOrder());
    // Without the ending on the last line.
    EXPECT_EQ(ParsePlat(full.substr(0, full.size() - 2), ','), RealisticOrder());
}

TEST(SplitLines, OnlyTheCrBeforeALineFeedBelongsToTheEnding) {
    using V = std::vector<std::string_view>;
    EXPECT_EQ(SplitLines(""), V{});
    EXPECT_EQ(SplitLines("\r\n"), V{""});
    EXPECT_EQ(SplitLines("a\r\n\nb"), (V{"a", "", "b"}));
    EXPECT_EQ(SplitLines("a\rb\r\r\nc\r"), (V{"a\rb\r", "c\r"}));
    EXPECT_EQ(SplitLines(std::string("x\0y\n", 4)), V{std::string_view("x\0y", 3)});
}

TEST(PlatFormat, CarriageReturnsInValuesSurviveAndLineFeedsCannotShiftLines) {
    TPlatRecord p = RealisticOrder();
    p[order::TField::PayerName] = "a\rb\r";
    p[order::TField::Purpose] = "one\ntwo\r\nthree";
    const TPlatRecord back = ParsePlat(FormatPlat(p), ',');
    EXPECT_EQ(back[order::TField::PayerName], "a\rb\r");
    EXPECT_EQ(back[order::TField::Purpose], "one two\r three");
    EXPECT_EQ(back[order::TField::PayerCity], p[order::TField::PayerCity]);
    EXPECT_EQ(back[order::TField::RecipientCity], p[order::TField::RecipientCity]);
}

TEST(PlatVersion, OlderAndCurrentVersionsLoad) {
    for (const char* line : {"100", "101", "0101", " 100", "+100", "-5", "0"}) {
        SCOPED_TRACE(line);
        EXPECT_NO_THROW(CheckPlatVersion(line, ','));
    }
    EXPECT_EQ(ParsePlat(Lines({"100", "3"}), ',')[order::TField::Number], "3");
}

TEST(PlatVersion, ANewerVersionIsRefusedNamingIt) {
    const struct {
        const char* Line;
        char Separator;
        const char* Shown;
    } cases[] = {
        {"102", ',', "1.02"},
        {"1000", ',', "10.00"},
        {"101,01", ',', "101,.01"},
        {"101.5", '.', "101..5"},
        {"+0000000000000000000000000200", ',', "+00000000000000000000000002.00"},
        {"99999999999999999999999999999", ',', "999999999999999999999999999.99"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Line);
        try {
            CheckPlatVersion(c.Line, c.Separator);
            ADD_FAILURE() << "accepted";
        } catch (const TPlatVersionError& e) {
            EXPECT_EQ(U(e.what()), std::string("Для открытия данного файла необходима программа "
                                               "версии ") +
                                       c.Shown + " или выше");
        }
    }
    EXPECT_THROW(ParsePlat(Lines({"102", "3"}), ','), TPlatVersionError);
}

TEST(PlatVersion, AFirstLineThatIsNoWholeNumberIsAConversionError) {
    const struct {
        std::string Line;
        char Separator;
    } cases[] = {
        {"", ','},
        {" ", ','},
        {"abc", ','},
        {"101 ", ','},
        {"100,0", ','},
        {"101.0", '.'},
        {"101.01", ','},
        {"$65", ','},
        {"0x10", ','},
        {"1e2", ','},
        {"+", ','},
        {"-", ','},
        {"--5", ','},
        {"1 0", ','},
        {",", ','},
        {"-99999999999999999999999999", ','},
        {"\xEF\xBB\xBF"
         "101",
         ','},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Line);
        try {
            CheckPlatVersion(c.Line, c.Separator);
            ADD_FAILURE() << "accepted";
        } catch (const TNotIntegerError& e) {
            EXPECT_EQ(U(e.what()), "\"" + U(c.Line) + "\" не является целым числом");
        }
    }
    EXPECT_THROW(ParsePlat("", ','), TNotIntegerError);
    EXPECT_THROW(ParsePlat("\r\n101\r\n", ','), TNotIntegerError);
}

TEST(PlatVersion, AHugeForeignFirstLineGivesAShortMessage) {
    const std::string line(100000, 'z');
    try {
        CheckPlatVersion(line, ',');
        ADD_FAILURE() << "accepted";
    } catch (const TNotIntegerError& e) {
        EXPECT_LT(std::string(e.what()).size(), 200u);
    }
}

TEST(TryStrToInt, AcceptsSignedDecimalsWithin32Bits) {
    const struct {
        const char* Text;
        std::optional<std::int32_t> Value;
    } cases[] = {
        {"0", 0},
        {"0012", 12},
        {"  7", 7},
        {"+42", 42},
        {"-42", -42},
        {"2147483647", 2147483647},
        {"-2147483648", -2147483647 - 1},
        {"00000000000000000000000000002147483647", 2147483647},
        {"2147483648", std::nullopt},
        {"-2147483649", std::nullopt},
        {"99999999999999999999999999999", std::nullopt},
        {"", std::nullopt},
        {"   ", std::nullopt},
        {"-", std::nullopt},
        {"7 ", std::nullopt},
        {"1.0", std::nullopt},
        {"$1F", std::nullopt},
        {"0x1F", std::nullopt},
        {"+-1", std::nullopt},
        {"\t1", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TryStrToInt(c.Text), c.Value) << '"' << c.Text << '"';
}

TEST(RequisitesFormat, SevenLinesWithDashesForEmptyFields) {
    const TRequisites r{W("ПП \"Ромашка\""), "", W("Київ"), "-", "322669", "2600", W("Львів")};
    const std::string bytes = FormatRequisites(r);
    EXPECT_EQ(bytes, Lines({r.Values[0], "-", r.Values[2], "-", "322669", "2600", r.Values[6]}));
    TRequisites expected = r;
    expected[order::TSlot::OKPO] = "";
    EXPECT_EQ(ParseRequisites(bytes), expected);
    EXPECT_EQ(ParseRequisites("Name\nBank"), (TRequisites{"Name", "Bank", "", "", "", "", ""}));
    EXPECT_EQ(ParseRequisites(""), TRequisites{});
}

TEST(RequisitesFormat, PayerAndRecipientMapOntoTheOrder) {
    const TPlatRecord p = RealisticOrder();
    const TRequisites payer = order::RequisitesOf(p, order::TParty::Payer);
    const TRequisites recipient = order::RequisitesOf(p, order::TParty::Recipient);
    EXPECT_EQ(payer, (TRequisites{p[order::TField::PayerName], p[order::TField::PayerBank],
                                  p[order::TField::PayerBank2], p[order::TField::PayerOKPO],
                                  p[order::TField::PayerMFO], p[order::TField::PayerAccount],
                                  p[order::TField::PayerCity]}));
    EXPECT_EQ(recipient[order::TSlot::Account], p[order::TField::RecipientAccount]);
    EXPECT_EQ(recipient[order::TSlot::City], p[order::TField::RecipientCity]);
}

TEST(PurposeFormat, OneLineTakenAsItIs) {
    EXPECT_EQ(FormatPurpose(W("Передоплата \"100%\"")), W("Передоплата \"100%\"\r\n"));
    EXPECT_EQ(FormatPurpose(""), "\r\n");
    EXPECT_EQ(FormatPurpose("-"), "-\r\n");
    EXPECT_EQ(ParsePurpose("-\r\n"), "-");
    EXPECT_EQ(ParsePurpose(""), "");
    EXPECT_EQ(ParsePurpose("first\nsecond\n"), "first");
}

TEST(DataFiles, SaveAndLoadEveryKindByName) {
    TTempDir dir;
    const TPlatRecord p = RealisticOrder();
    const std::string name = W("№ 0012 от 05.03.2002 - Ромашка");
    SavePlatFile(dir.Path(), name, p);
    const fs::path onDisk = dir / "№ 0012 от 05.03.2002 - Ромашка.plt";
    EXPECT_EQ(ReadFileBytes(onDisk), FormatPlat(p));
    EXPECT_EQ(ReadPlat(DataFilePath(dir.Path(), name, PlatExt), ','), p);

    SaveRequisitesFile(dir.Path(), W("Квітка 2600"), PayerExt,
                       order::RequisitesOf(p, order::TParty::Payer));
    SaveRequisitesFile(dir.Path(), W("Ромашка 2600"), RecipientExt,
                       order::RequisitesOf(p, order::TParty::Recipient));
    EXPECT_EQ(ReadFileBytes(dir / "Квітка 2600.rpl"),
              FormatRequisites(order::RequisitesOf(p, order::TParty::Payer)));
    EXPECT_EQ(LoadRequisitesFile(dir.Path(), W("Квітка 2600"), PayerExt),
              order::RequisitesOf(p, order::TParty::Payer));
    EXPECT_EQ(LoadRequisitesFile(dir.Path(), W("Ромашка 2600"), RecipientExt),
              order::RequisitesOf(p, order::TParty::Recipient));

    WritePurpose(DataFilePath(dir.Path(), W("Аванс"), PurposeExt), "-");
    EXPECT_EQ(ReadFileBytes(dir / "Аванс.nzn"), "-\r\n");
    EXPECT_EQ(LoadPurposeFile(dir.Path(), W("Аванс")), "-");

    // Saving again replaces the file.
    TPlatRecord changed = p;
    changed[order::TField::SumaGrn] = "1";
    SavePlatFile(dir.Path(), name, changed);
    EXPECT_EQ(ReadPlat(DataFilePath(dir.Path(), name, PlatExt), ','), changed);
}

// Cyrillic letters take two bytes each on disk, and a company's full name is long: a name is
// cut, a whole character at a time, so that its file fits the file system's 255 bytes. An
// order keeps its number and date, and saves and loads back by the name it was given.
TEST(DataFiles, ALongNameIsCutToFitTheFileSystem) {
    const std::string order = "№ 0012 от 05.03.2026 - "; // 27 bytes on disk
    const auto times = [](std::size_t n, const std::string& s) {
        std::string out;
        while (n-- > 0)
            out += s;
        return out;
    };
    struct Case {
        const char* What;
        std::string Name; // UTF-8
        std::string_view Ext;
        std::string Fitted;
    };
    const Case cases[] = {
        {"a short name", order + "Ромашка", PlatExt, order + "Ромашка"},
        {"exactly 255 bytes", order + times(111, "Ш") + "ab", PlatExt,
         order + times(111, "Ш") + "ab"},
        {"one byte more", order + times(111, "Ш") + "abc", PlatExt, order + times(111, "Ш") + "ab"},
        {"a recipient of 200 letters", order + times(200, "Ш"), PlatExt, order + times(112, "Ш")},
        {"no half letter", order + times(111, "Ш") + "a" + times(5, "Ш"), PlatExt,
         order + times(111, "Ш") + "a"},
        {"no blank at the end", order + times(111, "Ш") + " " + times(5, "Ш"), PlatExt,
         order + times(111, "Ш")},
        {"a number and date too long to keep", "№ " + times(300, "x") + " - Ромашка", PlatExt,
         "№ " + times(247, "x")},
        {"requisites", times(300, "Ї"), RecipientExt, times(125, "Ї")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.What);
        TTempDir dir;
        const std::string name = W(c.Name);
        EXPECT_EQ(U(FitFileName(name, c.Ext)), c.Fitted);
        const fs::path file = dir / (c.Fitted + "." + std::string(c.Ext));
        if (c.Ext == PlatExt) {
            SavePlatFile(dir.Path(), name, RealisticOrder());
            EXPECT_EQ(ReadPlat(DataFilePath(dir.Path(), name, PlatExt), ','), RealisticOrder());
        } else {
            const TRequisites r = order::RequisitesOf(RealisticOrder(), order::TParty::Recipient);
            SaveRequisitesFile(dir.Path(), name, c.Ext, r);
            EXPECT_EQ(LoadRequisitesFile(dir.Path(), name, c.Ext), r);
        }
        EXPECT_TRUE(fs::is_regular_file(file));
        EXPECT_LE(file.filename().native().size(), MaxFileNameBytes);
    }
}

// Every reader of data files takes only a regular file of at most 64 KiB, and never waits: a
// FIFO given as an order would hang the program for ever, a device would never end, and a
// huge file would take the memory and the time of the machine.
TEST(DataFiles, OnlyARegularFileOfAtMost64KiBIsRead) {
    enum TKind { Largest, LinkToIt, Missing, OneByteMore, Terabyte, Fifo, LinkToDevice, Folder };
    const std::string none, big = " слишком велик", odd = " не является обычным файлом";
    const std::pair<TKind, std::string> cases[] = {
        {Largest, none},     {LinkToIt, none}, {Missing, ": No such file or directory"},
        {OneByteMore, big},  {Terabyte, big},  {Fifo, odd},
        {LinkToDevice, odd}, {Folder, odd}};
    const std::string largest = "101\r\n" + std::string(65536 - 5, 'x');
    for (const auto& [kind, problem] : cases) {
        SCOPED_TRACE(kind);
        TTempDir dir;
        const std::pair<std::string_view, std::function<void(const fs::path&)>> readers[] = {
            {PlatExt, [](const fs::path& f) { ReadPlat(f, ','); }},
            {PayerExt, [](const fs::path& f) { ReadRequisites(f); }},
            {PurposeExt, [](const fs::path& f) { ReadPurpose(f); }},
            {"txt", [](const fs::path& f) { platform::ReadWholeFile(f); }}};
        for (const auto& [ext, read] : readers) {
            const fs::path file = DataFilePath(dir.Path(), "order", ext);
            WriteFileBytes(dir / "real", kind == OneByteMore ? largest + "x" : largest);
            if (kind == Largest || kind == OneByteMore || kind == Terabyte)
                fs::rename(dir / "real", file);
            if (kind == Terabyte)
                fs::resize_file(file, std::uintmax_t(1) << 40); // sparse
            if (kind == LinkToIt || kind == LinkToDevice)
                fs::create_symlink(kind == LinkToIt ? dir / "real" : fs::path("/dev/zero"), file);
            if (kind == Fifo) {
                ASSERT_EQ(::mkfifo(file.c_str(), 0600), 0);
            }
            if (kind == Folder)
                fs::create_directory(file);
            const auto start = std::chrono::steady_clock::now();
            try {
                read(file);
                EXPECT_EQ(problem, none) << ext;
            } catch (const std::exception& e) {
                EXPECT_EQ(U(e.what()), (kind == Missing ? "Ошибка открытия файла \"" : "Файл \"") +
                                           file.string() + "\"" + problem)
                    << ext;
                // The window tells a file that is no data file from one that cannot be read.
                if (ext != "txt") {
                    EXPECT_EQ(dynamic_cast<const TDataFileError*>(&e) != nullptr, kind != Missing);
                }
            }
            EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1)) << ext;
        }
    }
}

TEST(DataFiles, AnEmptyNameIsRefusedAndNothingIsWritten) {
    TTempDir dir;
    const auto expectRefused = [](auto&& save) {
        try {
            save();
            ADD_FAILURE() << "written";
        } catch (const TEmptyFileNameError& e) {
            EXPECT_EQ(U(e.what()), "Невозможно сохранить файл с пустым именем");
        }
    };
    expectRefused([&] { SavePlatFile(dir.Path(), "", RealisticOrder()); });
    expectRefused([&] { SaveRequisitesFile(dir.Path(), "", PayerExt, TRequisites{}); });
    expectRefused([&] { SaveRequisitesFile(dir.Path(), "", RecipientExt, TRequisites{}); });
    EXPECT_TRUE(fs::is_empty(dir.Path()));
}

TEST(DataFiles, ANameCannotReachOutsideTheFolder) {
    TTempDir dir;
    fs::create_directory(dir / "sub");
    EXPECT_THROW(SavePlatFile(dir / "sub", "../escaped", RealisticOrder()), platform::TFileError);
    EXPECT_THROW(SavePlatFile(dir.Path(), "05/03/2002", RealisticOrder()), platform::TFileError);
    EXPECT_THROW(SavePlatFile(dir.Path(), std::string("a\0b", 3), RealisticOrder()),
                 platform::TFileError);
    EXPECT_FALSE(fs::exists(dir / "escaped.plt"));
    EXPECT_FALSE(fs::exists(dir / "a"));
    EXPECT_EQ(DataFilePath(dir.Path(), W("Ґ\\x"), "plt"), dir / "Ґ\\x.plt");
}

TEST(DataFiles, AFailedWriteLeavesThePreviousFileIntact) {
    TTempDir dir;
    const std::string name = W("№ 0001 от 02.01.2003");
    SavePlatFile(dir.Path(), name, RealisticOrder());
    const fs::path file = DataFilePath(dir.Path(), name, PlatExt);
    const std::string before = ReadFileBytes(file);
    TWriteFault guard;
    platform::SetWriteFaultForTesting(
        [](platform::TWriteStep s) { return s == platform::TWriteStep::Write; });
    EXPECT_THROW(SavePlatFile(dir.Path(), name, TPlatRecord{}), platform::TFileError);
    EXPECT_EQ(ReadFileBytes(file), before);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), fs::directory_iterator()), 1);
}

TEST(PlatFormat, RandomRecordsRoundTripAndRandomBytesNeverBreakTheReader) {
    std::mt19937 random(2002);
    const std::string alphabet = std::string("-\r 01,.+x") + W("Ґє№") + '\0';
    auto text = [&](size_t maxLength) {
        std::string s(random() % (maxLength + 1), ' ');
        for (char& c : s)
            c = alphabet[random() % alphabet.size()];
        return s;
    };
    for (int round = 0; round < 500; ++round) {
        // Every stored field random; what reads back drops the "-" of an empty field.
        TPlatRecord p, expected;
        for (const order::TFieldInfo& info : order::Fields)
            if (info.Stored != order::TStored::No) {
                p[info.Field] = text(3);
                const bool dashed = info.Stored == order::TStored::Dashed;
                expected[info.Field] = dashed && p[info.Field] == "-" ? "" : p[info.Field];
            }
        ASSERT_EQ(ParsePlat(FormatPlat(p), ','), expected) << U(FormatPlat(p));
        ASSERT_EQ(ParsePurpose(FormatPurpose(p[order::TField::Purpose])),
                  p[order::TField::Purpose]);

        const std::string junk = text(40) + (random() % 2 ? "\n" : "") + text(40);
        try {
            ParsePlat(junk, random() % 2 ? ',' : '.');
        } catch (const TDataFileError&) {
        }
        ParseRequisites(junk);
    }
}
