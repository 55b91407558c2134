// The core's texts: a sentence's places are filled once, from the left, and without a
// translator the Russian source itself is used, in Windows-1251.
#include "platform/Translate.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace testing_support;

TEST(Translate, ArgsFillEachPlaceOnceAndLeaveTheRest) {
    const struct {
        const char *Text, *First, *Second, *Expected;
    } cases[] = {
        {"%1 / %2", "a", "b", "a / b"},       {"%2 before %1", "a", "b", "b before a"},
        {"%1 and %2", "%2", "x", "%2 and x"}, // an argument is never read again
        {"%1 %3", "a", "b", "a %3"},          // a place without an argument stays
        {"100% %", "a", "b", "100% %"},       {"ends with %", "a", "b", "ends with %"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(platform::Args(c.Text, {c.First, c.Second}), c.Expected) << c.Text;
}

TEST(Translate, TheTranslatorGivesTheTextAndWithoutItTheSourceIsUsed) {
    EXPECT_EQ(platform::Tr("Ctx", "Сумма"), W("Сумма"));
    const platform::TTranslator before =
        platform::SetTranslator([](const char* context, const char* source) {
            return std::string(context) == "Ctx" ? std::string("Сума") : std::string(source);
        });
    EXPECT_EQ(platform::Tr("Ctx", "Сумма"), W("Сума"));
    EXPECT_EQ(platform::TrW("Ctx", W("Сумма")), W("Сума"));
    EXPECT_EQ(platform::Tr("Other", "Сумма"), W("Сумма"));
    EXPECT_EQ(platform::TrW("Ctx", ""), "");
    platform::SetTranslator(before);
}
