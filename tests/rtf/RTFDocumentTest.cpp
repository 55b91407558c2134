// The document as a whole: header, page, fonts, runs, paragraphs, and the font presets.

#include "RtfTestHelpers.h"

#include <cmath>
#include <limits>
#include <stdexcept>

using namespace testing_support;
using namespace rtf_test;
using platform::TMsgIcon;

namespace {

const std::string EmptyDocument = "{\\rtf1\\ansi\\ansicpg1251\\deff0\\deftab720\r\n"
                                  "{\\fonttbl\r\n"
                                  "}\r\n"
                                  "{\\colortbl\\red0\\green0\\blue0;}\r\n"
                                  "\\paperw11906\r\n"
                                  "\\paperh16838\r\n"
                                  "\\deflang1049\r\n"
                                  "\\margl1134\r\n"
                                  "\\margr1134\r\n"
                                  "\\margt850\r\n"
                                  "\\margb850\r\n"
                                  "\r\n"
                                  "\\pard\\fi0\\li0\\ql\r\n"
                                  "\\par}\r\n";

// The run line AddText makes for `text` in the writer's default font.
std::string RunOf(const std::string& text) {
    TRTF rtf;
    rtf.AddText(text);
    return std::string(rtf.Runs.at(0));
}

} // namespace

TEST(RtfDocument, ANewWriterShownAtOnceWritesTheHeaderAndOneEmptyParagraph) {
    TRTF rtf;
    EXPECT_EQ(Saved(rtf), EmptyDocument);
}

TEST(RtfDocument, ClearForgetsTheDocumentAndEveryFormat) {
    TRTF rtf;
    rtf.Font = {"Arial", 14, fsBold};
    rtf.AddText("x");
    rtf.NewParagraph();
    rtf.Par.FirstIndent = 7;
    rtf.Par.Alignment = taCenter;
    rtf.Paper.MarginLeft = 3;
    rtf.Paper.Orientation = 1;
    rtf.BeginTable({10, 20});
    rtf.Cell.Borders.HideAll();
    rtf.Cell.VAlign = 2;
    rtf.Cell.HMerge = 1;
    rtf.CellGap = 1;
    rtf.RowHeight = 9;
    rtf.HeaderRow = true;
    rtf.NextCell();
    rtf.Clear();

    EXPECT_FALSE(rtf.Table.InTable);
    EXPECT_EQ(rtf.Table.CellIndex, 0);
    EXPECT_EQ(rtf.Font.Name, "Times New Roman");
    EXPECT_EQ(rtf.Font.Size, 10);
    EXPECT_EQ(rtf.Font.Style, 0);
    EXPECT_EQ(rtf.Cell.VAlign, 1);
    EXPECT_EQ(rtf.Cell.HMerge, 0);
    for (const TBorder* b : {&rtf.Cell.Borders.Left, &rtf.Cell.Borders.Right, &rtf.Cell.Borders.Top,
                             &rtf.Cell.Borders.Bottom}) {
        EXPECT_TRUE(b->Visible);
        EXPECT_EQ(b->Width, 0.5);
    }
    EXPECT_EQ(rtf.CellGap, 3.8);
    EXPECT_EQ(rtf.RowHeight, 0);
    EXPECT_FALSE(rtf.HeaderRow);
    EXPECT_EQ(Saved(rtf), EmptyDocument);
}

TEST(RtfDocument, MillimetresBecomeTwipsRoundedExactlyWithTiesToEven) {
    const struct {
        double Mm;
        std::int32_t Twips;
    } cases[] = {
        {0, 0},
        {1, 57},
        {2, 113},
        {3, 170},
        {5, 284},  // 283.5
        {15, 850}, // 850.5
        {25, 1418},
        {35, 1984},
        {14, 794},
        {20, 1134},
        {1.9, 108},
        {0.5, 28},
        {0.1, 6},
        {1.5, 85},
        {17, 964},
        {180, 10206},
        {-5, -284},
        {-1.9, -108},
        {-0.0, 0},
        {1e-9, 0},
        {37874491, 2147483640},
        {-37874491, -2147483640},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TRTF::MmToTwips(c.Mm), c.Twips) << c.Mm;
}

TEST(RtfDocument, TwipsThatDoNotFit32BitsAreAnError) {
    for (double mm : {37874492.0, -37874492.0, 1e300, std::numeric_limits<double>::infinity(),
                      std::numeric_limits<double>::quiet_NaN()})
        EXPECT_THROW(TRTF::MmToTwips(mm), std::overflow_error) << mm;
}

TEST(RtfDocument, EveryByteIsEscapedCopiedOrWrittenInHex) {
    const std::string head = "\\plain\\f0\\fs20 ";
    for (int b = 0; b < 256; ++b) {
        const char c = static_cast<char>(b);
        std::string expected;
        if (c == '\\' || c == '{' || c == '}') {
            expected = std::string("\\") + c;
        } else if (b >= 0x80) {
            static const char hex[] = "0123456789abcdef";
            expected = std::string("\\'") + hex[b / 16] + hex[b % 16];
        } else {
            expected = std::string(1, c);
        }
        EXPECT_EQ(RunOf(std::string(1, c)), head + expected) << "byte " << b;
    }
    // Letters and signs alike: no byte above 0x7F stands raw in the file.
    EXPECT_EQ(RunOf(W("АяЁёЄєЇїІі")), head + "\\'c0\\'ff\\'a8\\'b8\\'aa\\'ba\\'af\\'bf\\'b2\\'b3");
    EXPECT_EQ(RunOf(W("№ҐґЎ«»’„“—")), head + "\\'b9\\'a5\\'b4\\'a1\\'ab\\'bb\\'92\\'84\\'93\\'97");
    EXPECT_EQ(RunOf("a{b}c\\d 09"), head + "a\\{b\\}c\\\\d 09");
}

TEST(RtfDocument, RunLinesCarryFontSizeAndStyleWords) {
    TRTF rtf;
    rtf.Font = {"Arial", 11, fsBold};
    rtf.AddText(W("Код"));
    EXPECT_EQ(rtf.Runs.back(), "\\plain\\f0\\fs22\\b \\'ca\\'ee\\'e4");

    rtf.Font.Style = fsUnderline | fsItalic | fsBold | fsStrikeOut; // strike-out never written
    rtf.Font.Size = 9;
    rtf.AddText("");
    EXPECT_EQ(rtf.Runs.back(), "\\plain\\f0\\fs18\\b\\i\\ul ");

    rtf.Font.Style = fsItalic;
    rtf.AddText("x");
    EXPECT_EQ(rtf.Runs.back(), "\\plain\\f0\\fs18\\i x");
}

TEST(RtfDocument, RunsOfSpacesAlternateWithNonBreakingSpaces) {
    const std::string head = "\\plain\\f0\\fs20 ";
    const struct {
        const char* Text;
        const char* Written;
    } cases[] = {
        {"a b", "a b"},
        {"a  b", "a \\~b"},
        {"a     b", "a \\~ \\~ b"},
        {"  x  ", " \\~x \\~"},
        {"-  -  -", "- \\~- \\~-"},
        {"     ________________", " \\~ \\~ ________________"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(RunOf(c.Text), head + c.Written) << c.Text;

    // Each call is its own run: a space ending one and a space starting the next stay plain.
    TRTF rtf;
    rtf.AddText("a ");
    rtf.AddText(" b");
    EXPECT_EQ(rtf.Runs, (std::vector<std::string>{head + "a ", head + " b"}));
}

TEST(RtfDocument, FontsAreNumberedByFirstUseAndComparedCaseSensitively) {
    TRTF rtf;
    for (const std::string& name : std::vector<std::string>{
             "Arial", "Times New Roman", "Arial", "arial", W("Шрифт"), "Times New Roman"}) {
        rtf.Font.Name = name;
        rtf.AddText("x");
    }
    EXPECT_EQ(rtf.FontNames,
              (std::vector<std::string>{"Arial", "Times New Roman", "arial", W("Шрифт")}));
    EXPECT_EQ(rtf.FontIndex, 1);
    std::vector<std::string> fonts;
    for (const auto& run : rtf.Runs)
        fonts.emplace_back(run.substr(6, 3));
    EXPECT_EQ(fonts, (std::vector<std::string>{"\\f0", "\\f1", "\\f0", "\\f2", "\\f3", "\\f1"}));

    const auto lines = Lines(Saved(rtf));
    ASSERT_GE(lines.size(), 7u);
    EXPECT_EQ(lines[1], "{\\fonttbl");
    EXPECT_EQ(lines[2], "{\\f0\\fnil\\fcharset204 Arial;}");
    EXPECT_EQ(lines[3], "{\\f1\\fnil\\fcharset204 Times New Roman;}");
    EXPECT_EQ(lines[4], "{\\f2\\fnil\\fcharset204 arial;}");
    // A name's letters are escaped as in the text.
    EXPECT_EQ(lines[5], "{\\f3\\fnil\\fcharset204 \\'d8\\'f0\\'e8\\'f4\\'f2;}");
    EXPECT_EQ(lines[6], "}");
}

TEST(RtfDocument, ParagraphsCarryIndentsAlignmentAndTabStopsOfTheirOwn) {
    TRTF rtf;
    rtf.Par.FirstIndent = 5;
    rtf.Par.LeftIndent = -1;
    rtf.Par.Alignment = taJustify;
    rtf.Par.Tabs = {{15, tkRight}, {2, tkCenter}, {1.9, tkLeft}, {3, 7}};
    rtf.AddText("a");
    rtf.AddText("b");
    rtf.NewParagraph();
    rtf.Par.FirstIndent = 0;
    rtf.Par.LeftIndent = 0;
    rtf.NewParagraph(); // no tab stops unless set again: an empty paragraph
    rtf.FlushParagraph(false);
    EXPECT_EQ(rtf.Body,
              (std::vector<std::string>{"", "\\pard\\fi284\\li-57\\qj", "\\tqr", "\\tx850", "\\tqc",
                                        "\\tx113", "\\tx108", "\\tx170", "\\plain\\f0\\fs20 a",
                                        "\\plain\\f0\\fs20 b", "\\par", "", "\\pard\\fi0\\li0\\qj",
                                        "\\par", "", "\\pard\\fi0\\li0\\qj"}));
    EXPECT_TRUE(rtf.Par.Tabs.empty());
    EXPECT_TRUE(rtf.Runs.empty());

    const std::pair<std::uint8_t, std::string> words[] = {
        {taLeft, "\\ql"}, {taRight, "\\qr"}, {taCenter, "\\qc"}, {taJustify, "\\qj"}, {4, ""}};
    for (const auto& [alignment, word] : words) {
        TRTF one;
        one.Par.Alignment = alignment;
        TLineList list;
        one.WriteParagraphFormat(list);
        EXPECT_EQ(list, (std::vector<std::string>{"", "\\pard\\fi0\\li0" + word}));
    }
}

TEST(RtfDocument, TheFormatIsTakenWhenTheParagraphIsFlushedAndTheFontWhenTextIsAdded) {
    TRTF rtf;
    rtf.Par.Alignment = taRight;
    rtf.AddText("a");
    rtf.Font.Size = 12;
    rtf.Par.Alignment = taCenter;
    rtf.NewParagraph();
    EXPECT_EQ(rtf.Body, (std::vector<std::string>{"", "\\pard\\fi0\\li0\\qc", "\\plain\\f0\\fs20 a",
                                                  "\\par"}));
}

TEST(RtfDocument, PaperOrientationAndMarginsGoIntoTheHeader) {
    {
        TRTF rtf;
        rtf.Paper.MarginLeft = 15;
        rtf.Paper.MarginRight = 14;
        rtf.Paper.MarginTop = 5;
        rtf.Paper.MarginBottom = 1.9;
        rtf.Paper.Orientation = 1;
        const auto lines = Lines(Saved(rtf));
        ASSERT_EQ(lines.size(), 15u);
        EXPECT_EQ(std::vector<std::string>(lines.begin() + 4, lines.begin() + 12),
                  (std::vector<std::string>{"\\paperw16840", "\\paperh11907", "\\deflang1049",
                                            "\\margl850", "\\margr794", "\\margt284", "\\margb108",
                                            "\\lndscpsxn"}));
    }
    {
        TRecordingBoxes boxes;
        TRTF rtf;
        rtf.Paper.Orientation = 2;
        const auto lines = Lines(Saved(rtf));
        ASSERT_EQ(lines.size(), 12u);
        EXPECT_EQ(lines[3], "{\\colortbl\\red0\\green0\\blue0;}");
        EXPECT_EQ(lines[4], "\\deflang1049");
        ASSERT_EQ(boxes.Boxes.size(), 1u);
        EXPECT_EQ(U(boxes.Boxes[0].Text), "Неправильно задана ориентация бумаги");
        EXPECT_EQ(U(boxes.Boxes[0].Caption), "Ошибка");
        EXPECT_EQ(boxes.Boxes[0].Icon, TMsgIcon::Error);
    }
}

TEST(RtfDocument, TheDocumentIsClosedOnceHoweverOftenItIsSaved) {
    TRTF rtf;
    rtf.AddText("x");
    const std::string first = Saved(rtf);
    EXPECT_EQ(Saved(rtf), first);
    EXPECT_EQ(Lines(first).back(), "\\par}");
}

TEST(FontTable, EntriesAreOneBasedAndKeepTheFontName) {
    TFontTable table;
    table.SetEntries({9, 11, 5}, {0, fsBold, fsItalic});
    TFont font{"Arial", 20, fsUnderline};
    table.Apply(font, 2);
    EXPECT_EQ(font.Name, "Arial");
    EXPECT_EQ(font.Size, 11);
    EXPECT_EQ(font.Style, fsBold);
    table.Apply(font, 3); // the last entry
    EXPECT_EQ(font.Size, 5);
    EXPECT_EQ(font.Style, fsItalic);
}

TEST(FontTable, APresetBeyondTheTableIsReportedAndRefused) {
    TRecordingBoxes boxes;
    TFontTable table;
    table.SetEntries({9, 11}, {0, fsBold});
    TFont font{"Arial", 20, 0};
    EXPECT_THROW(table.Apply(font, 3), std::out_of_range);
    EXPECT_EQ(boxes.TextsUtf8(), (std::vector<std::string>{"Ошибка № 5521"}));
    EXPECT_EQ(boxes.Boxes[0].Caption, "");
    EXPECT_EQ(boxes.Boxes[0].Icon, TMsgIcon::None);
    EXPECT_EQ(font.Size, 20);

    // Below the table nothing is shown, but the index check still refuses.
    EXPECT_THROW(table.Apply(font, 0), std::out_of_range);
    EXPECT_EQ(boxes.Boxes.size(), 1u);
    EXPECT_THROW(TFontTable().Apply(font, 1), std::out_of_range);
}

TEST(FontTable, ListsOfDifferentLengthsAreReported) {
    TRecordingBoxes boxes;
    TFontTable table;
    table.SetEntries({9, 11}, {fsBold, 0, fsItalic}); // more styles: built from the sizes
    EXPECT_EQ(table.Sizes, (std::vector<std::int32_t>{9, 11}));
    EXPECT_EQ(table.Styles, (std::vector<TFontStyles>{fsBold, 0}));
    EXPECT_EQ(boxes.TextsUtf8(), (std::vector<std::string>{"Ошибка № 1152"}));

    EXPECT_THROW(table.SetEntries({1, 2, 3}, {0}), std::out_of_range);
    EXPECT_EQ(boxes.TextsUtf8(), (std::vector<std::string>{"Ошибка № 1152", "Ошибка № 1152"}));
    EXPECT_EQ(table.Sizes, (std::vector<std::int32_t>{9, 11}));
}
