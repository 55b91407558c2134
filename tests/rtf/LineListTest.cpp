// The writer's line list: lines kept in one block, each followed by CR LF.

#include "rtf/LineList.h"

#include <gtest/gtest.h>

#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

std::vector<std::string> Copied(const TLineList& list) {
    return {list.begin(), list.end()};
}

} // namespace

TEST(LineList, LinesReadBackAndTheBlockIsTheFilesText) {
    TLineList list;
    EXPECT_TRUE(list.empty());
    EXPECT_EQ(list.Text(), "");
    list.push_back("\\pard");
    list.AddEmpty();
    // Any byte may be part of a line, line ends and NUL included.
    list.push_back(std::string("a\r\nb\0c", 6));
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[0], "\\pard");
    EXPECT_EQ(list[1], "");
    EXPECT_EQ(list.back(), std::string("a\r\nb\0c", 6));
    EXPECT_EQ(list.Text(), std::string("\\pard\r\n\r\na\r\nb\0c\r\n", 17));
    EXPECT_THROW(list.at(3), std::out_of_range);

    char* p = list.BeginLine(16);
    std::memcpy(p, "\\cellx", 6);
    list.EndLine(p + 6);
    EXPECT_EQ(list.back(), "\\cellx");
    EXPECT_EQ(list,
              (std::vector<std::string>{"\\pard", "", std::string("a\r\nb\0c", 6), "\\cellx"}));
    EXPECT_FALSE(list == (std::vector<std::string>{"\\pard", "", "a", "\\cellx"}));
}

TEST(LineList, AppendingToTheLastLineAndAnotherListKeepsEveryLineWhole) {
    TLineList body;
    body.AppendToLast("}"); // an empty list: the brace is its only line
    EXPECT_EQ(body, (std::vector<std::string>{"}"}));

    TLineList runs{"run 1", "", "run 3"};
    body.Append(runs);
    body.Append(TLineList());
    body.AppendToLast("}");
    EXPECT_EQ(body, (std::vector<std::string>{"}", "run 1", "", "run 3}"}));
    EXPECT_EQ(body.Text(), "}\r\nrun 1\r\n\r\nrun 3}\r\n");
    EXPECT_EQ(runs.size(), 3u) << "the appended list is left as it was";

    runs.clear();
    EXPECT_TRUE(runs.empty());
    runs.push_back("again");
    EXPECT_EQ(runs.Text(), "again\r\n");
}

TEST(LineList, GrowingFarBeyondItsFirstRoomMovesNoLine) {
    TLineList list;
    TLineList copy;
    std::vector<std::string> expected;
    for (int i = 0; i < 20000; ++i) {
        const std::string line(static_cast<std::size_t>(i % 97), static_cast<char>('a' + i % 26));
        expected.push_back(line);
        list.push_back(line);
        if (i % 1000 == 0) {
            copy = list; // a copy is a list of its own
            copy.push_back("extra");
        }
    }
    EXPECT_EQ(Copied(list), expected);
    EXPECT_EQ(copy.back(), "extra");
    EXPECT_EQ(list.size(), 20000u);
    // Lines of a later list appended at an offset: their ends are shifted, not copied.
    TLineList tail{"x"};
    tail.Append(list);
    EXPECT_EQ(tail[20000], expected.back());
    EXPECT_EQ(tail.Text().size(), list.Text().size() + 3);
}
