#include <gtest/gtest.h>

#include "datamodel/nodes/TextHelpers.h"

TEST(TextHelpers, LimitText) {
    struct Case { const char* in; int max; bool cut; const char* out; } cases[] = {
        {"AB%AC", 4, false, "AB%AC"},  // %A counts as one character
        {"AB%AC", 3, true, "AB%A"},
        {"AB%ZC", 4, true, "AB%Z"},    // %Z is two characters
        {"A\tB", 10, true, "AB"},      // filtered: returns at once
        {"", 0, false, ""},
    };
    for (const auto& c : cases) {
        std::string text = c.in;
        EXPECT_EQ(LimitText(text, c.max), c.cut) << c.in;
        EXPECT_EQ(text, c.out) << c.in;
    }
}

TEST(TextHelpers, FiltersAndFormatting) {
    std::string text = "1a2.b3";
    EXPECT_TRUE(KeepNumeric(text));
    EXPECT_EQ(text, "12.3");
    EXPECT_FALSE(KeepNumeric(text));
    EXPECT_EQ(FormatDecimals("12", 3), "12.000");
    EXPECT_EQ(FormatDecimals("1.23456", 0), "1");
    EXPECT_EQ(FormatDecimals("x1.23456", 2), "1.23");
}

TEST(TextHelpers, ParseScaled) {
    struct Case { const char* text; int scale; int value; } cases[] = {
        {"1.25", 100, 125}, {"-1.25", 100, -125}, {"0.005", 100, 0},
        {"junk", 10, 0},    {"1e20", 1, 214748364}, {"-1e20", 1, -214748364},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParseScaled(c.text, c.scale), c.value) << c.text;
}
