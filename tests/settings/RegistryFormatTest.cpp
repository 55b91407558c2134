// Tests of the registry file's text: what each line reads as, and what setting a value
// writes.
#include "settings/RegistryFormat.h"

#include "RegistryTestHelpers.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace settings;
using namespace testing_support;

namespace {

using namespace registry_test;

TEST(RegistryFormat, ReadsEveryValueForm) {
    struct Case {
        const char* Line;
        std::uint32_t Type;
        std::string Data;
    };
    const Case cases[] = {
        {"\"v\"=dword:00000001", RegDword, Dword(1)},
        {"\"v\"=dword:ffffffff", RegDword, Dword(0xFFFFFFFF)},
        {"\"v\"=DWORD:7FFFFFFF", RegDword, Dword(0x7FFFFFFF)},
        {"\"v\"=\"plain\"", RegSz, Sz("plain")},
        {"\"v\"=\"\"", RegSz, Sz("")},
        {"\"v\"=\"a \\\\ b \\\" c\"", RegSz, Sz("a \\ b \" c")},
        {"\"v\"=\"C:\\temp\"", RegSz, Sz("C:\\temp")},
        {"\"v\"=hex:00,ff,1A", RegBinary, std::string("\0\xff\x1a", 3)},
        {"\"v\"=hex:", RegBinary, ""},
        {"\"v\"=hex(2):25,00", RegExpandSz, std::string("%\0", 2)},
        {"\"v\"=hex(4):01,00,00,00,00,00,00,00", RegDword, std::string("\1\0\0\0\0\0\0\0", 8)},
        {"\"v\"=hex(1):61,0a,62,00", RegSz, std::string("a\nb\0", 4)},
        {"\"v\"=hex(7):61,00,00", 7, std::string("a\0\0", 3)},
        {"\"v\" = dword:00000002  ", RegDword, Dword(2)},
        {"  \"v\"=hex: 01 , 02 ", RegBinary, "\1\2"},
    };
    for (const auto& c : cases) {
        const TRegistryText text("REGEDIT4\r\n\r\n" + Section + "\r\n" + c.Line + "\r\n");
        ASSERT_TRUE(text.HasKey(KeyPath)) << c.Line;
        auto value = text.Value(KeyPath, "v");
        ASSERT_TRUE(value) << c.Line;
        EXPECT_EQ(value->Type, c.Type) << c.Line;
        EXPECT_EQ(value->Data, c.Data) << c.Line;
    }
}

TEST(RegistryFormat, LinesThatCannotBeParsedAreValuesOfUnknownTypeWithData) {
    for (const char* line :
         {"\"v\"=dword:1", "\"v\"=dword:000000001", "\"v\"=dword:-0000001", "\"v\"=\"unterminated",
          "\"v\"=\"text\" tail", "\"v\"=hex:1,2", "\"v\"=hex:zz", "\"v\"=hex(x):00",
          "\"v\"=qword:1", "\"v\"=", "\"v\"", "\"v\"=-", "\"v\"=hex:01,"}) {
        const TRegistryText text("REGEDIT4\r\n" + Section + "\r\n" + line +
                                 "\r\n\"after\"=dword:00000003\r\n");
        auto value = text.Value(KeyPath, "v");
        ASSERT_TRUE(value) << line;
        EXPECT_EQ(value->Type, RegMalformed) << line;
        EXPECT_FALSE(value->Data.empty()) << line;
        auto after = text.Value(KeyPath, "after");
        ASSERT_TRUE(after) << line;
        EXPECT_EQ(after->Data, Dword(3)) << line;
    }
}

TEST(RegistryFormat, NamesAndKeysCompareWithoutRegardToCase) {
    TRegistryText text("REGEDIT4\r\n\r\n[hkey_local_machine\\SOFTWARE\\morvane\\VANTREL]\r\n"
                       "\"BoldPlatName\"=dword:00000001\r\n" +
                       W("\"Ёлка Ґ Ї\"=dword:00000002\r\n"));
    EXPECT_TRUE(text.Value(KeyPath, "boldplatname"));
    EXPECT_TRUE(text.Value(KeyPath, "BOLDPLATNAME"));
    EXPECT_FALSE(text.Value(KeyPath, "BoldPlatNam"));
    auto cyr = text.Value(KeyPath, W("ёЛКА ґ ї"));
    ASSERT_TRUE(cyr);
    EXPECT_EQ(cyr->Data, Dword(2));

    // Writing under another spelling replaces the value rather than adding a second one.
    ASSERT_TRUE(text.SetValue(KeyPath, "BOLDPLATNAME", RegDword, Dword(0)));
    const std::string bytes = text.Bytes();
    EXPECT_EQ(bytes.find("BoldPlatName"), std::string::npos) << bytes;
    EXPECT_NE(bytes.find("\"BOLDPLATNAME\"=dword:00000000"), std::string::npos) << bytes;
}

TEST(RegistryFormat, CommentsOtherKeysLfAndWrappedHexAreRead) {
    const TRegistryText text("REGEDIT4\n"
                             "; a comment \"v\"=dword:00000009\n"
                             "[HKEY_LOCAL_MACHINE\\Software\\Other]\n"
                             "\"v\"=dword:00000005\n"
                             "\n" +
                             Section +
                             "\n"
                             "; \"v\"=dword:00000007\n"
                             "\"v\"=hex:01,02,\\\n"
                             "  03,04\n"
                             "\"w\"=\"x\"\n");
    auto v = text.Value(KeyPath, "v");
    ASSERT_TRUE(v);
    EXPECT_EQ(v->Type, RegBinary);
    EXPECT_EQ(v->Data, "\1\2\3\4");
    auto w = text.Value(KeyPath, "w");
    ASSERT_TRUE(w);
    EXPECT_EQ(w->Data, Sz("x"));
}

TEST(RegistryFormat, ValuesBelongOnlyToTheirOwnReadableSection) {
    EXPECT_FALSE(TRegistryText("REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\Software\\Other]\r\n"
                               "\"v\"=\"x\"\r\n")
                     .HasKey(KeyPath));
    // Values before any section, or under a broken header, belong to no key.
    const TRegistryText before("REGEDIT4\r\n\"v\"=\"x\"\r\n");
    EXPECT_FALSE(before.HasKey(KeyPath));
    EXPECT_FALSE(before.Value(KeyPath, "v"));
    const TRegistryText broken("REGEDIT4\r\n" + Section +
                               "\r\n[HKEY_LOCAL_MACHINE\\Software\r\n\"v\"=\"x\"\r\n");
    EXPECT_TRUE(broken.HasKey(KeyPath));
    EXPECT_FALSE(broken.Value(KeyPath, "v"));
}

// A hand-edited value left with a dangling continuation must not swallow the value written
// after it (found by fuzzing: the write reported success and the value was lost).
TEST(RegistryFormat, AValueWrittenAfterADanglingContinuationReadsBack) {
    TRegistryText text("REGEDIT4\r\n\r\n" + Section + "\r\n\"Blob\"=hex:00,ff,\\\r\n");
    ASSERT_TRUE(text.SetValue(KeyPath, "Lang", RegDword, Dword(1)));
    auto lang = TRegistryText(text.Bytes()).Value(KeyPath, "Lang");
    ASSERT_TRUE(lang);
    EXPECT_EQ(lang->Type, RegDword);
    EXPECT_EQ(lang->Data, Dword(1));
}

TEST(RegistryFormat, TheLastOfRepeatedValuesAndSectionsWins) {
    TRegistryText text("REGEDIT4\r\n" + Section +
                       "\r\n\"v\"=dword:00000001\r\n\"v\"=dword:00000002\r\n" + Section +
                       "\r\n\"v\"=dword:00000003\r\n");
    EXPECT_EQ(text.Value(KeyPath, "v")->Data, Dword(3));
    ASSERT_TRUE(text.SetValue(KeyPath, "v", RegDword, Dword(4)));
    EXPECT_EQ(text.Bytes(), "REGEDIT4\r\n" + Section +
                                "\r\n\"v\"=dword:00000001\r\n\"v\"=dword:00000002\r\n" + Section +
                                "\r\n\"v\"=dword:00000004\r\n");
}

TEST(RegistryFormat, WritingKeepsEverythingElseAndRewritesOnlyTheValue) {
    TRegistryText text("REGEDIT4\r\n"
                       "\r\n"
                       "[HKEY_LOCAL_MACHINE\\Software\\Other]\r\n"
                       "\"a\"=dword:00000001\r\n"
                       "\r\n" +
                       Section +
                       "\r\n"
                       "\"Old\"=DWORD:0000000A\r\n"
                       "\"Broken\"=dword:xyz\r\n"
                       "\"v\"=hex:01,02,\\\r\n"
                       "  03\r\n"
                       "garbage without a name\r\n"
                       "\r\n"
                       "; about the next key\r\n"
                       "[HKEY_LOCAL_MACHINE\\Software\\Third]\r\n"
                       "\"b\"=\"x\"");
    ASSERT_TRUE(text.SetValue(KeyPath, "v", RegDword, Dword(0xFFFFFFFF)));
    ASSERT_TRUE(text.SetValue(KeyPath, "New", RegSz, Sz("q\"\\")));
    const std::string after = "REGEDIT4\r\n"
                              "\r\n"
                              "[HKEY_LOCAL_MACHINE\\Software\\Other]\r\n"
                              "\"a\"=dword:00000001\r\n"
                              "\r\n" +
                              Section +
                              "\r\n"
                              "\"Old\"=DWORD:0000000A\r\n"
                              "\"Broken\"=dword:xyz\r\n"
                              "\"v\"=dword:ffffffff\r\n"
                              "garbage without a name\r\n"
                              "\"New\"=\"q\\\"\\\\\"\r\n"
                              "\r\n"
                              "; about the next key\r\n"
                              "[HKEY_LOCAL_MACHINE\\Software\\Third]\r\n"
                              "\"b\"=\"x\"\r\n";
    EXPECT_EQ(text.Bytes(), after);
    EXPECT_EQ(text.Value(KeyPath, "New")->Data, Sz("q\"\\"));
}

TEST(RegistryFormat, WrittenValuesReadBackExactly) {
    struct Case {
        std::uint32_t Type;
        std::string Data;
        const char* Line; // as stored
    };
    const Case cases[] = {
        {RegDword, Dword(0x80000000), "\"v\"=dword:80000000"},
        {RegSz, Sz(""), "\"v\"=\"\""},
        {RegSz, Sz("two\r\nlines"), "\"v\"=hex(1):74,77,6f,0d,0a,6c,69,6e,65,73,00"},
        {RegSz, std::string("a\0b\0", 4), "\"v\"=hex(1):61,00,62,00"},
        {RegSz, "no zero", "\"v\"=hex(1):6e,6f,20,7a,65,72,6f"},
        {RegExpandSz, Sz("%P%"), "\"v\"=hex(2):25,50,25,00"},
        {RegBinary, std::string("\0\xff", 2), "\"v\"=hex:00,ff"},
        {RegDword, "\1\2", "\"v\"=hex(4):01,02"},
        {0x1234, "", "\"v\"=hex(1234):"},
    };
    for (const auto& c : cases) {
        TRegistryText text("REGEDIT4\r\n" + Section + "\r\n");
        ASSERT_TRUE(text.SetValue(KeyPath, "v", c.Type, c.Data));
        EXPECT_EQ(text.Bytes(), "REGEDIT4\r\n" + Section + "\r\n" + c.Line + "\r\n");
        auto value = TRegistryText(text.Bytes()).Value(KeyPath, "v");
        ASSERT_TRUE(value);
        EXPECT_EQ(value->Type, c.Type) << c.Line;
        EXPECT_EQ(value->Data, c.Data) << c.Line;
    }
    // A name that cannot stand on one line is refused, and the text stays as it was.
    TRegistryText text("REGEDIT4\r\n");
    EXPECT_FALSE(text.SetValue(KeyPath, "a\nb", RegDword, Dword(1)));
    EXPECT_EQ(text.Bytes(), "REGEDIT4\r\n");
}

TEST(RegistryFormat, BytesThatAreNoRegistryFileReadEmptyAndAreKeptOnWrite) {
    const std::string alien = std::string("\x89PNG\r\n\x1a\n\0\0binary", 16) + "\n" + Section +
                              "\n\"v\"=dword:00000001\n";
    for (const std::string& content : {std::string(), alien, std::string("REGEDIT5\r\n")}) {
        TRegistryText text(content);
        EXPECT_FALSE(text.IsRegistryFile());
        EXPECT_FALSE(text.HasKey(KeyPath));
        EXPECT_FALSE(text.Value(KeyPath, "v"));
        ASSERT_TRUE(text.SetValue(KeyPath, "w", RegDword, Dword(2)));
        const std::string bytes = text.Bytes();
        EXPECT_EQ(bytes.rfind("REGEDIT4\r\n\r\n", 0), 0u) << bytes;
        if (content == alien) {
            // Every line of the old content is still there.
            EXPECT_NE(bytes.find("\x89PNG"), std::string::npos);
            EXPECT_NE(bytes.find(std::string("\0\0binary", 8)), std::string::npos);
        }
        EXPECT_EQ(TRegistryText(bytes).Value(KeyPath, "w")->Data, Dword(2));
        if (content == "REGEDIT5\r\n") {
            EXPECT_EQ(bytes, "REGEDIT4\r\n\r\nREGEDIT5\r\n\r\n" + Section +
                                 "\r\n\"w\"=dword:00000002\r\n\r\n");
        }
    }
}

} // namespace
