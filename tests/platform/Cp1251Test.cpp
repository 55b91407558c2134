#include "platform/Cp1251.h"
#include "platform/Cp1251Case.h"
#include "platform/Cp1251Literal.h"
#include "platform/Files.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cwctype>
#include <iconv.h>

using namespace platform;

namespace {
// The C library's own converter, as an independent reference for the code page.
std::string IconvToUtf8(unsigned char byte) {
    iconv_t cd = iconv_open("UTF-8", "CP1251");
    char in[1] = {static_cast<char>(byte)};
    char out[8] = {};
    char* ip = in;
    char* op = out;
    size_t il = 1, ol = sizeof out;
    const size_t rc = iconv(cd, &ip, &il, &op, &ol);
    iconv_close(cd);
    if (rc == static_cast<size_t>(-1))
        return "<none>";
    return std::string(out, sizeof out - ol);
}
} // namespace

TEST(Cp1251, EveryByteAgreesWithTheSystemConverterAndRoundTrips) {
    for (int b = 0; b < 256; ++b) {
        const std::string one(1, static_cast<char>(b));
        const std::string utf8 = Cp1251ToUtf8(one);
        if (b != 0x98) {
            EXPECT_EQ(utf8, IconvToUtf8(static_cast<unsigned char>(b))) << "byte " << b;
        }
        auto back = Utf8ToCp1251(utf8);
        ASSERT_TRUE(back.has_value()) << "byte " << b;
        EXPECT_EQ(*back, one) << "byte " << b;
        EXPECT_EQ(UnicodeToCp1251(Cp1251ToUnicode(static_cast<unsigned char>(b))),
                  static_cast<unsigned char>(b));
    }
}

TEST(Cp1251, UnassignedByteMapsToItsC1ControlBothWays) {
    EXPECT_EQ(Cp1251ToUnicode(0x98), U'\u0098');
    EXPECT_EQ(UnicodeToCp1251(U'\u0098'), 0x98);
}

TEST(Cp1251, CharactersOutsideTheCodePageHaveNoByte) {
    for (char32_t cp :
         {U'ä', U'ß', U'\u20B4' /* hryvnia sign */, U'\u4E2D', U'\U0001F600', U'\u0081', U'\uFFFD'})
        EXPECT_FALSE(UnicodeToCp1251(cp).has_value()) << static_cast<unsigned>(cp);
    EXPECT_FALSE(Utf8ToCp1251("Сума \xE2\x82\xB4").has_value());
    EXPECT_EQ(Utf8ToCp1251Lossy("Сума \xE2\x82\xB4!"), "Сума !"_w);
}

TEST(Cp1251, MalformedUtf8IsRefusedNotGuessed) {
    for (const char* bad :
         {"\xC0\xAF", "\xE0\x80\xAF", "\xED\xA0\x80", "\xD0", "\x80", "\xF4\x90\x80\x80", "\xFF"})
        EXPECT_FALSE(Utf8ToCp1251(bad).has_value()) << bad;
    EXPECT_EQ(Utf8ToCp1251Lossy("a\xD0"
                                "b"),
              "ab");
    // A name with a character the code page lacks is not listed; one that is not UTF-8 at
    // all, even after such a character, is a Windows-1251 name taken as it stands.
    const std::pair<const char*, std::optional<std::string>> names[] = {
        {"Сума.plt", "Сума.plt"_w},
        {"\xE2\x82\xB4.plt", std::nullopt},
        {"\xE2\x82\xB4 \xD1\xF3\xEC\xE0.plt", "\xE2\x82\xB4 \xD1\xF3\xEC\xE0.plt"},
        {"\xD1\xF3\xEC\xE0.plt", "\xD1\xF3\xEC\xE0.plt"},
    };
    for (const auto& [onDisk, listed] : names)
        EXPECT_EQ(platform::Cp1251FromFileName(onDisk), listed) << onDisk;
}

TEST(Cp1251, LiteralsConvertAtCompileTime) {
    EXPECT_STREQ("Ошибка"_w, "\xCE\xF8\xE8\xE1\xEA\xE0");
    EXPECT_STREQ("№ ґЄїі'"_w, "\xB9 \xB4\xAA\xBF\xB3'");
    EXPECT_EQ(Cp1251ToUtf8("ПЛАТІЖНЕ ДОРУЧЕННЯ"_w), "ПЛАТІЖНЕ ДОРУЧЕННЯ");
}

TEST(Cp1251Case, EveryByteAgreesWithTheSystemsCaseMapping) {
    // The C library's Unicode case tables as the independent reference.
    const std::string previous = std::setlocale(LC_CTYPE, nullptr);
    ASSERT_TRUE(std::setlocale(LC_CTYPE, "C.UTF-8"));
    auto expected = [](unsigned char b, std::wint_t (*map)(std::wint_t)) {
        const auto mapped =
            static_cast<char32_t>(map(static_cast<std::wint_t>(Cp1251ToUnicode(b))));
        return UnicodeToCp1251(mapped).value_or(b);
    };
    for (int b = 0; b < 256; ++b) {
        const auto c = static_cast<unsigned char>(b);
        EXPECT_EQ(Cp1251Lower(c), expected(c, std::towlower)) << "byte " << b;
        EXPECT_EQ(Cp1251Upper(c), expected(c, std::towupper)) << "byte " << b;
    }
    std::setlocale(LC_CTYPE, previous.c_str());
}
