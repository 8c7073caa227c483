#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <set>
#include <string>

#include "SignallingTestSupport.h"
#include "datamodel/nodes/NodeValue.h"

using namespace signalling_test;

namespace {

const std::string kCommon = "CommonSet.Common.", kExpert = "CommonSet.Expert.",
                  kKeys = "CommonSet.KeyDisp.";
constexpr EArea kCom = EArea::Common, kExp = EArea::Expert, kKeyDisp = EArea::KeyDisp;

TEST(SettingsMap, Decoding) {
    // clang-format off
    CheckDecoding(ModelLMR, {
        {{{0x0A5, {0x03}}}, kCom, 0, kCommon + "ScrmGrp", "4", "4"},
        {{{0x0A5, {0xFC}}}, kCom, 0, kCommon + "ScrmGrp", "1", "1"},
        {{{0x0A5, {0x80}}}, kCom, 0, kCommon + "SyncCap", "0", "Standard"},
        {{{0x0A5, {0xC0}}}, kCom, 0, kCommon + "SyncCap", "1", "Continuous"},
        {{{0x0A5, {0x30}}}, kCom, 0, kCommon + "TonStrTim", "3", "1.100"},
        {{{0x100, {0x01, 0x02}}}, kCom, 0, kCommon + "BaseTotTim", "258"},
        {{{0x100, {0xFF, 0xFF}}}, kCom, 0, kCommon + "BaseTotTim", "4095"},
        {{{0x108, {0x17, 0x35}}}, kCom, 0, kCommon + "RptLogIntTim", "5940"},
        {{{0x0A0, {0x12, 0xAB}}}, kCom, 0, kCommon + "UsrPswd", "12AB"},
        {{{0x150, {'A', 0x01, 'B', '~', 'C', ' '}}}, kCom, 0, kCommon + "Comment1", "A B C"},
        {{{0x0F7, {61}}}, kExp, 0, kExpert + "BeepRepTim", "60"},
        {{{0x0C5, {0x78}}}, kExp, 0, kExpert + "AlertTempReg", "50", "50"},
        {{{0x0C5, {0x00}}}, kExp, 0, kExpert + "AlertTempReg", "130"},
        {{{0x1EA, {0x08, 0x79}}}, kExp, 0, kExpert + "UsrCtcssFreq", "885", "88.50000"},
        {{{0x1EA, {0x00, 0x00}}}, kExp, 0, kExpert + "UsrCtcssFreq", "3000"},
        {{{0x1EA, {0xFF, 0xFF}}}, kExp, 0, kExpert + "UsrCtcssFreq", "600"},
        {{{0x0B3, {55}}}, kExp, 0, kExpert + "BeepFreqL", "1714"},
        {{{0x0B4, {0}}}, kExp, 0, kExpert + "BeepFreqH", "3000"},
        {{{0xC28, {0x1E, 0xF0}}}, kExp, 0, kExpert + "AlertTelCode", "1*#0"},
        {{{0x1960, {'D', 'E', 0xFF, 'X'}}}, kExp, 0, kExpert + "CwIdCode", "DE"},
        {{{0x1960, {'d', 'E', 0x00, '"', 0xFF}}}, kExp, 0, kExpert + "CwIdCode", " E \""},
        {{{0x0AC, {24}}}, kKeyDisp, 0, kKeys + "KeyP0Conv", "0", "Null"},
        {{{0x0AC, {48}}}, kKeyDisp, 0, kKeys + "KeyP0Conv", "48", "Sp. Func 1"},
        // The opening text counts only while its flag is set.
        {{{0x0D4, {0x20}}}, kKeyDisp, 0, kKeys + "Text", ""},
        {{{0x1880, {'H', 'E', 'L', 'L', 'O'}}, {0x0D4, {0x00}}}, kKeyDisp, 0, kKeys + "Text", ""},
        {{{0x0D4, {0x20}}}, kKeyDisp, 0, kKeys + "Text", "HELLO"},
        {{{0x0D4, {0x80}}}, kKeyDisp, 0, kKeys + "Beep", "1", "ON"},
    });
    CheckDecoding(ModelPMR, {
        {{{0x0C6, {0xFF}}}, kExp, 0, kExpert + "AlertTempPa", "-30"},
        {{{0x0B6, {0xFF}}}, kExp, 0, kExpert + "CwIdTonFreq", "400"},
        {{{0x0AC, {24}}}, kKeyDisp, 0, kKeys + "KeyP0Conv", "24", "Call A (Code 30)"},
        {{{0x0AC, {31}}}, kKeyDisp, 0, kKeys + "KeyP0Conv", "31", "ID-MR Select"},
        {{{0x0AC, {1}}}, kKeyDisp, 0, kKeys + "KeyP0Conv", "0"},
        {{{0x0AC, {64}}}, kKeyDisp, 0, kKeys + "KeyP0Conv", "0"},
    });
    // clang-format on
}

Bytes Padded(const std::string& text, size_t length, uint8_t fill) {
    Bytes bytes(text.begin(), text.end());
    bytes.resize(length, fill);
    return bytes;
}

TEST(SettingsMap, Encoding) {
    const std::string longCw(40, 'K');
    const std::string cw = kExpert + "CwIdCode";
    // clang-format off
    CheckEncoding(ModelLMR, {
        {kCommon + "ScrmGrp", "4", kCom, 0, {0x0A5, {0xF4}}, {0x07}},
        {kCommon + "ScrmGrp", "1", kCom, 0, {0x0A5, {0x03}}, {0x00}},
        {kCommon + "SyncCap", "1", kCom, 0, {0x0A5, {0x00}}, {0xC0}},
        {kCommon + "UsrPswd", "12ab", kCom, 0, {0x0A0, {}}, {0x12, 0xAB}},
        {kCommon + "RptTotTim", "4095", kCom, 0, {0x102, {}}, {0x0F, 0xFF}},
        {kExpert + "AlertTelCode", "#*9", kExp, 0, {0xC28, {}}, {0xFE, 0x90}},
        {kExpert + "AlertTempReg", "50", kExp, 0, {0x0C5, {}}, {0x78}},
        {kExpert + "AlertTempPa", "-30", kExp, 0, {0x0C6, {}}, {200}},
        {kExpert + "UsrCtcssFreq", "88.5", kExp, 0, {0x1EA, {}}, {0x08, 0x79}},
        {kExpert + "BeepFreqL", "1700", kExp, 0, {0x0B3, {}}, {55}},
        // Up to 32 characters, the rest filled with 0xFF; a full text has no end mark.
        {cw, "VK1ab ", kExp, 0, {0x1960, {}}, Padded("VK1", 32, 0xFF)},
        {cw, " QRZ?\"", kExp, 0, {0x1960, {}}, Padded(" QRZ?\"", 32, 0xFF)},
        {cw, "", kExp, 0, {0x1960, {'A'}}, Padded("", 32, 0xFF)},
        {cw, longCw, kExp, 0, {0x1960, {}}, Padded(longCw, 32, 0)},
        {kKeys + "KeyP0Conv", "24", kKeyDisp, 0, {0x0AC, {}}, {24}},
        {kKeys + "Text", "HI", kKeyDisp, 0, {0x1880, {}}, Padded("HI", 16, ' ')},
        {kKeys + "Text", "HI", kKeyDisp, 0, {0x0D4, {0x84}}, {0xA4}},
        {kKeys + "Text", "", kKeyDisp, 0, {0x0D4, {0xA4}}, {0x84}},
    });
    // clang-format on
}

// Leaves that have no place in the image.
const std::set<std::string> kUnbound = {"CommonSet.Common.RptTotBeepSp",
                                        "CommonSet.KeyDisp.Key_Conv_LMR",
                                        "CommonSet.KeyDisp.Key_Conv_PMR", "MakerR.SetModeAcs"};

// Which leaves are bound, and the factory image holds every leaf's default.
TEST(SettingsTree, BoundFieldsAndFactoryDefaults) {
    const std::map<std::string, std::string> codes = {{kCommon + "UsrPswd", "0000"},
                                                      {kExpert + "AlertTelCode", "0000"}};
    for (int model : {ModelLMR, ModelPMR}) {
        SDocument doc(model);
        int leaves = 0;
        std::function<void(const std::string&, CNode&)> walk = [&](const std::string& path,
                                                                   CNode& node) {
            for (CNode* child : node.Children())
                walk(path + "." + child->GetName(), *child);
            if (!node.Children().empty())
                return;
            ++leaves;
            EXPECT_EQ(doc.Radio().GetNodeInfo(&node).bound, kUnbound.count(path) == 0) << path;
            if (const auto* value = dynamic_cast<const CNodeValue*>(&node))
                EXPECT_EQ(value->Value(), value->Default()) << path;
            else
                EXPECT_EQ(node.GetText(), codes.count(path) ? codes.at(path) : "") << path;
        };
        walk("CommonSet", doc.Node("CommonSet"));
        walk("MakerR", doc.Node("MakerR"));
        EXPECT_EQ(leaves, 33 + 27 + 7 + 18);
        EXPECT_EQ(doc.Radio().GetNodeInfo(&doc.Node(kKeys + "Key_Conv_PMR")).models, kModelsPMR);
    }
}

} // namespace
