#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "datamodel/memmap/ToneCodes.h"

TEST(ToneCodes, DecodeAndEncodeTheTwelveBits) {
    // code, multi, value; then whether the value encodes back to the same code
    const struct {
        int code;
        bool multi;
        int value;
        bool canonical;
    } cases[] = {
        // clang-format off
        {0x000, true, 0, true},      {0x032, false, 50, true},   {0x033, false, 51, true},
        {0x0FF, true, 51, false},    // above the list: "USER"
        {0x100, true, 4000, true},   // "Multi" in a receive code ...
        {0x100, false, 0, false},    // ... CTCSS index 0 elsewhere
        {0x300, true, 4000, false},  // bit 9 of mode 0 ignored
        {0x413, false, 2023, true},  {0x613, true, 3023, true},  {0x7EC, false, 3754, true},
        {0x5FF, false, 2777, true},  {0x800, true, 1000, true},  {0xC13, false, 1000, false},
        {0x1413, false, 2023, true}, // only 12 bits count
        // clang-format on
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DecodeToneCode(c.code, c.multi), c.value) << std::hex << c.code;
        EXPECT_EQ(EncodeToneCode(c.value, c.multi) == (c.code & 0xFFF), c.canonical) << c.value;
    }
    // Values that are no code of their position encode as "OFF"; decimal digits
    // above 7 keep three bits each.
    for (int v : {52, 999, -1, 4001, 5000})
        EXPECT_EQ(EncodeToneCode(v, true), 0x800) << v;
    EXPECT_EQ(EncodeToneCode(4000, false), 0x800);
    EXPECT_EQ(EncodeToneCode(2089, false), 0x401);
}

TEST(ToneCodes, EveryDecodedValueSurvivesAnotherRound) {
    for (bool multi : {false, true})
        for (int code = 0; code < 0x1000; ++code) {
            const int value = DecodeToneCode(code, multi);
            const int canonical = EncodeToneCode(value, multi);
            ASSERT_EQ(DecodeToneCode(canonical, multi), value) << std::hex << code;
            ASSERT_TRUE(IsToneValue(value, multi)) << std::hex << code;
        }
}

TEST(ToneCodes, TextsShownAndParsed) {
    const struct {
        int value;
        bool multi;
        const char* text;
    } shown[] = {
        // clang-format off
        {0, false, "67.0"},  {50, true, "254.1"},   {51, false, "USER"},    {1000, false, "OFF"},
        {4000, true, "Multi"}, {4000, false, ""},   {52, true, ""},         {2023, false, "023N"},
        {3754, true, "754i"}, {2000, false, "000N"}, {3999, false, "999i"},
        // clang-format on
    };
    for (const auto& c : shown) {
        EXPECT_EQ(ToneText(c.value, c.multi), c.text) << c.value;
        if (IsToneValue(c.value, c.multi)) {
            EXPECT_EQ(ParseToneText(c.text, c.multi), c.value) << c.text;
        }
    }

    const std::optional<int> none;
    const struct {
        const char* text;
        bool multi;
        std::optional<int> value;
    } typed[] = {
        // clang-format off
        {" 254.1 ", false, 50},  {"user", false, 51},    {"Multi", false, none},
        {"023i", false, 3023},   {"023", false, none},   {"3754", false, 3754},
        {"754I", true, 3754},    {"023n", false, 2023},  {"100", false, 13},
        {"67", false, 0},        {"254.10", true, 50},   {"100.05", false, none},
        {"1e2", false, none},    {"100.0.0", false, none}, {"13", false, none},
        {"23", false, none},     {"0238", false, none},  {"028N", false, none},
        {"0231N", false, none},  {"2089", false, none},  {"1000", false, none},
        {"4000", true, none},    {"", false, none},      {"023X", false, none},
        // clang-format on
    };
    for (const auto& c : typed)
        EXPECT_EQ(ParseToneText(c.text, c.multi), c.value) << '"' << c.text << '"';
}
