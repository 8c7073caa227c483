#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "datamodel/EditGuard.h"
#include "datamodel/memmap/ToneCodes.h"
#include "datamodel/nodes/ChannelNodes.h"
#include "datamodel/nodes/SettingNodes.h"
#include "datamodel/nodes/ValueNodes.h"

TEST(Node, NamesAndLookup) {
    CNode parent("P"), unnamed, first("A"), second("A"), other("B");
    parent.AddChild(&unnamed);
    parent.AddChild(&first);
    parent.AddChild(&second);
    parent.AddChild(&other);
    EXPECT_EQ(unnamed.GetName(), "");
    EXPECT_FALSE(unnamed.HasName());
    EXPECT_EQ(parent.FindChild("A"), &first);  // first appended wins
    EXPECT_EQ(parent.FindChild("B"), &other);
    EXPECT_EQ(parent.FindChild("a"), nullptr);  // exact, case-sensitive
    EXPECT_EQ(parent.FindChild("C"), nullptr);
    EXPECT_EQ(parent.GetText(), "P");
    EXPECT_EQ(parent.GetRow(), -1);
}

TEST(NumNode, ClampsAndKeepsRangeAsGiven) {
    CNumNode node("N");
    struct Case { int in, out; } cases[] = {{1000, 255}, {-5, 0}, {17, 17}, {255, 255}};
    for (const auto& c : cases) {
        node.SetValue(c.in);
        EXPECT_EQ(node.GetValue(), c.out) << c.in;
    }
    node.SetRange(5, 7, 10, 20);
    EXPECT_EQ(node.GetValue(), 5);  // stored as given
    node.SetValue(5);
    EXPECT_EQ(node.GetValue(), 10);
    node.Reset();
    EXPECT_EQ(node.GetValue(), 7);  // default, unchecked

    CBitNode bit("B");
    bit.SetValue(9);
    EXPECT_EQ(bit.GetValue(), 1);
}

TEST(NumNode, OptionTextsKeepOrderAndUnknownTextChangesNothing) {
    CNumNode node("N");
    node.SetRange(0, 0, 0, 5);
    node.AddOption(2, "Two");
    node.AddOption(0, "Zero");
    node.AddOption(9, "Nine");
    node.AddOption(1, "Two");  // an equal text is overwritten in place
    ASSERT_EQ(node.Options().size(), 3u);
    EXPECT_EQ(node.Options()[0].first, "Two");
    EXPECT_EQ(node.Options()[0].second, 1);
    node.SetText("Nine");
    EXPECT_EQ(node.GetValue(), 5);  // clamped
    node.SetText("Zero");
    EXPECT_EQ(node.GetText(), "Zero");
    node.SetText("nonsense");
    EXPECT_EQ(node.GetValue(), 0);
    node.SetValue(3);
    EXPECT_EQ(node.GetText(), "");
}

TEST(NodeValue, CorrectFallsBackInOrder) {
    CNumNode node("N");
    node.SetRange(0, 4, 2, 6);
    node.AddExcluded(3);
    EXPECT_EQ(node.Correct(5), 5);
    EXPECT_EQ(node.Correct(3), 4);  // excluded: the default
    node.AddExcluded(4);
    EXPECT_EQ(node.Correct(3), 2);  // default excluded too: lowest valid
    node.AddExcluded(2), node.AddExcluded(5), node.AddExcluded(6);
    EXPECT_EQ(node.Correct(3), 2);  // nothing valid: the minimum
    EXPECT_EQ(node.Correct(100), 2);
}

TEST(StringNode, RefusesWhatItsRuleDoesNotKeepAndNamesTheCharacter) {
    static constexpr SCharset kDigits{"0-9 A-D * #", "0123456789ABCD*#"};
    static constexpr SCharset kPlain{"letters and space",
                                     " ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"};
    CStringNode name("Text"), code("Code"), fixed("Pswd"), free("Free");
    name.SetRule(10, &kPlain);
    code.SetRule(24, &kDigits);
    fixed.SetRule(4, &kDigits, true);
    free.SetRule(0, nullptr);
    const struct {
        CStringNode* node;
        std::string text;
        bool taken;
        const char* expected; // the text afterwards, or a part of the reason
    } cases[] = {
        {&name, "  Two word \t\r\n", true, "  Two word"},
        {&name, "Ten chars ", true, "Ten chars"},
        {&name, "Straße", false, "\"Straße\" is refused: ß is not in the character set; the "
                                 "field takes up to 10 characters of letters and space"},
        {&name, "a\tb", false, "the byte 0x09 is not in the character set"},
        {&name, "a\x7F", false, "the byte 0x7F is not in the character set"},
        {&name, "a\xC3", false, "the byte 0xC3 is not in the character set"},  // cut UTF-8
        {&name, "Grüße", false, "ü is not in the character set"},               // the first one
        {&name, "x\xE2\x82\xAC", false, "€ is not in the character set"},
        {&name, "Eleven char", false, "is too long: the field holds at most 10 characters"},
        {&name, "Eleven ~har", false, "~ is not in the character set"}, // characters first
        {&code, "", true, ""},
        {&code, "0123456789ABCD*#0123456789", false, "at most 24 characters"},
        {&code, "0123456789ABCD*#01234567", true, "0123456789ABCD*#01234567"},
        {&code, "12 3", false, "a space is not in the character set; the field takes up to 24 "
                              "characters of 0-9 A-D * #"},
        {&code, "12a", false, "a is not in the character set"},
        {&code, "12E", false, "E is not in the character set"},
        {&fixed, "12*#", true, "12*#"},
        {&fixed, "12*# ", true, "12*#"},
        {&fixed, "123", false, "\"123\" is too short: the field holds exactly 4 characters"},
        {&fixed, "", false, "is too short"},
        {&fixed, "12345", false, "is too long: the field holds exactly 4 characters"},
        {&free, "anything ~ ß\t", true, "anything ~ ß"},
    };
    for (const auto& c : cases) {
        c.node->SetString("before");
        std::string reason;
        EXPECT_EQ(c.node->TrySetText(c.text, reason), c.taken) << c.text << ": " << reason;
        if (c.taken) {
            EXPECT_EQ(c.node->GetString(), c.expected) << c.text;
        } else {
            EXPECT_EQ(c.node->GetString(), "before") << c.text;
            EXPECT_NE(reason.find(c.expected), std::string::npos) << reason;
        }
    }
    // The lenient setter of the codecs and dialogs keeps whatever it is given.
    name.SetString("Straße is far too long");
    EXPECT_EQ(name.GetString(), "Straße is far too long");

    EXPECT_EQ(name.Accepts(), "up to 10 characters of letters and space");
    EXPECT_EQ(fixed.Accepts(), "exactly 4 characters of 0-9 A-D * #");
    EXPECT_EQ(free.Accepts(), "a text");
    CStringNode one("Digit"), capped("Capped");
    one.SetRule(1, &kDigits, true);
    capped.SetMaxLength(5);
    EXPECT_EQ(one.Accepts(), "exactly 1 character of 0-9 A-D * #");
    EXPECT_EQ(capped.Accepts(), "a text of at most 5 characters");
}

TEST(FreqNode, ParseAndFormat) {
    CFreqNode node("F");
    struct Case { const char* text; int value; bool valid; } cases[] = {
        {" 145.125", 145125000, true},
        {"\t430", 430000000, true},
        {"-1", 100000000, false},          // reads as 0, clamped to the minimum
        {"abc", 100000000, false},
        {"1e30", 999000000, false},        // no overflow, clamped
        {"145.1250000000000001", 145125000, true},  // only 15 characters are read
    };
    for (const auto& c : cases) {
        EXPECT_EQ(node.SetFreqText(c.text), c.valid) << c.text;
        EXPECT_EQ(node.GetValue(), c.value) << c.text;
    }
    node.SetValue(145125000);
    EXPECT_EQ(node.GetText(), "145.12500");
}

TEST(TrySetText, TakesOrRefusesByTheNodesKindAndTellsOnlyChanges) {
    CNumNode option("RfPwr"), number("ScrmCode"), tone("CTonTx");
    option.SetRange(1, 0, 0, 1);
    option.AddOption(0, "Low");
    option.AddOption(1, "High");
    number.SetRange(5, 1, 1, 255);
    number.AddExcluded(7);
    tone.SetRange(kToneOff, kToneOff, 0, kToneMax);
    for (const SOption& o : ToneOptions(false))
        tone.AddOption(o.value, o.text);
    tone.SetCodes(&ToneCodeTexts(false));
    CTolvarMchFreqNode raster("FreqRx");
    raster.SetValue(150000000);
    CTolvarIfFreqNode grid("IfFreq");
    grid.SetValue(10000000);
    CStringNode text("Text");
    text.SetMaxLength(10);
    text.SetString("Before");
    CNode group("Group");

    const struct {
        CNode* node;
        const char* text;
        bool taken;
        const char* expected; // the node's text afterwards, or a part of the reason
    } cases[] = {
        {&option, " Low ", true, "Low"},
        {&option, "Medium", false, "\"Medium\" is not accepted; the field takes one of Low, High"},
        {&option, "2", false, "one of Low, High"},
        {&option, "high", true, "High"},
        {&number, "255", true, "255"},
        {&number, "0", false, "a whole number from 1 to 255 except 7"},
        {&number, "7", false, "except 7"},
        {&number, "1x", false, "a whole number"},
        {&raster, "145.1234", false,
         "is refused by the field's raster; nearest accepted: 145.12250, 145.12500 "
         "(range from 0.00000 to 799.99500)"},
        {&raster, "800", false, "is outside the range from 0.00000 to 799.99500"},
        {&raster, "-1", false, "is outside the range from 0.00000"},
        {&raster, "5000", false, "is outside the range from 0.00000 to 799.99500"},
        {&raster, "145125000", true, "145.12500"},
        {&raster, "0145131250", true, "145.13125"},
        {&raster, "145125001", false, "nearest accepted: 145.12500 (range"},
        {&raster, "145.1251", false, "nearest accepted: 145.12500, 145.12750"},
        {&raster, "00000000000145.13125", true, "145.13125"},
        {&raster, "1e3", false, "is not a frequency"},
        {&grid, "-21.4", true, "-21.40000"},
        {&grid, "21.405", false, "raster"},
        // Which tone texts parse is the tone codes' own test.
        {&tone, "754i", true, "3754"},
        {&tone, "off", true, "OFF"},
        {&tone, "Multi", false, ", or a DTCS code such as 023N or 754i"},
        {&text, "Ten chars  ", true, "Ten chars"},
        {&text, "ELEVEN CHAR", false, "is too long: the field holds at most 10 characters"},
        {&group, "x", false, "not a field"},
    };
    // A numeric value without option text shows as its number.
    const auto shown = [](const CNode& node) {
        return dynamic_cast<const CNumNode*>(&node) && node.GetText().empty()
                   ? std::to_string(node.GetValue())
                   : node.GetText();
    };
    for (const auto& c : cases) {
        const std::string before = shown(*c.node);
        int told = 0;
        const CNodeSubscription subscription = c.node->Subscribe([&](CNode& changed) {
            EXPECT_EQ(&changed, c.node);
            ++told;
        });
        std::string reason;
        EXPECT_EQ(c.node->TrySetText(c.text, reason), c.taken) << c.text << ": " << reason;
        const std::string after = shown(*c.node);
        if (c.taken) {
            EXPECT_EQ(after, c.expected) << c.text;
            EXPECT_EQ(told, after != before ? 1 : 0) << c.text;
        } else {
            EXPECT_EQ(after, before) << c.text;
            EXPECT_EQ(told, 0) << c.text;
            EXPECT_NE(reason.find(c.expected), std::string::npos) << reason;
        }
    }
}

TEST(EditGuard, SecondEntryIsRefused) {
    CEditGuard guard;
    {
        CEditScope outer(guard);
        ASSERT_TRUE(outer.Entered());
        CEditScope inner(guard);
        EXPECT_FALSE(inner.Entered());
    }
    CEditScope again(guard);
    EXPECT_TRUE(again.Entered());
    // Another document's guard is its own.
    CEditGuard other;
    EXPECT_TRUE(CEditScope(other).Entered());
}
