#include <gtest/gtest.h>

#include <ostream>

#include <string>
#include <vector>

#include "datamodel/DataManagers.h"
#include "document/DocumentData.h"
#include "support/ScriptedInteraction.h"
#include "datamodel/memmap/RadioDataManager.h"

namespace {

class MakerReservedDocument {
public:
    explicit MakerReservedDocument(int model = 0) : doc(ui, model) {}
    CEepromImage& Image() { return doc.Registry().Image(); }
    CNode* Field(const std::string& name) {
        return doc.Registry().Model()->GetNodeByPath("MakerR." + name);
    }
    void Decode() { doc.Registry().RadioData()->DecodeArea(EArea::MakerR, Image()); }
    void Encode() { doc.Registry().RadioData()->EncodeArea(EArea::MakerR, Image()); }
    void Put(uint32_t addr, const std::vector<uint8_t>& bytes) {
        Image().Write(addr, bytes.data(), static_cast<uint32_t>(bytes.size()));
    }
    std::vector<uint8_t> Get(uint32_t addr, size_t n) {
        const auto& bytes = Image().Bytes();
        return {bytes.begin() + addr, bytes.begin() + addr + n};
    }

    CScriptedInteraction ui;
    CTolvarDocumentData doc;
};

// Documents are costly to build: the tests share one, reset to factory.
MakerReservedDocument& FactoryDocument() {
    static MakerReservedDocument doc;
    doc.doc.Registry().InitImage();
    doc.Field("SetModeAcs")->SetValue(0);
    return doc;
}

struct SIfCase {
    std::vector<uint8_t> bytes;
    int hz;
};

std::ostream& operator<<(std::ostream& os, const SIfCase& c) {
    return os << c.hz << " Hz";
}

class IfOffsetDecode : public testing::TestWithParam<SIfCase> {};

TEST_P(IfOffsetDecode, ReadsSignAndBcd) {
    MakerReservedDocument& doc = FactoryDocument();
    doc.Put(0x010, GetParam().bytes);
    doc.Decode();
    EXPECT_EQ(doc.Field("IfFreq")->GetValue(), GetParam().hz);
}

INSTANTIATE_TEST_SUITE_P(
    Bytes, IfOffsetDecode,
    testing::Values(SIfCase{{0x80, 0x02, 0x14, 0x00}, -21400000},
                    SIfCase{{0x00, 0x02, 0x14, 0x12}, 21412500},
                    SIfCase{{0x00, 0x04, 0x51, 0x37}, 45137500},
                    SIfCase{{0x70, 0x02, 0x14, 0x00}, 21400000}, // bits 6..4 are no field
                    SIfCase{{0x00, 0x02, 0x14, 0x13}, 0},        // not a sub-step
                    SIfCase{{0x00, 0x0A, 0x14, 0x00}, 0},        // not BCD
                    SIfCase{{0x0F, 0x02, 0x14, 0x00}, 0},
                    SIfCase{{0x09, 0x99, 0x99, 0x87}, 99987500}, // clamped, no wrap
                    SIfCase{{0x89, 0x99, 0x99, 0x87}, -99987500}));

class IfOffsetEncode : public testing::TestWithParam<SIfCase> {};

TEST_P(IfOffsetEncode, WritesWholeKilohertz) {
    MakerReservedDocument& doc = FactoryDocument();
    doc.Field("IfFreq")->SetValue(GetParam().hz);
    doc.Encode();
    EXPECT_EQ(doc.Get(0x010, 4), GetParam().bytes);
}

INSTANTIATE_TEST_SUITE_P(Values, IfOffsetEncode,
                         testing::Values(SIfCase{{0x80, 0x02, 0x14, 0x00}, -21400000},
                                         SIfCase{{0x00, 0x02, 0x14, 0x12}, 21412500},
                                         SIfCase{{0x00, 0x09, 0x99, 0x87}, 99987500},
                                         SIfCase{{0x80, 0x09, 0x99, 0x87}, -99987500},
                                         SIfCase{{0x00, 0x00, 0x00, 0x12}, 6250},
                                         SIfCase{{0x00, 0x00, 0x00, 0x00}, -6000}));

TEST(IfOffset, EveryStepSurvivesARoundTrip) {
    MakerReservedDocument& doc = FactoryDocument();
    CNode* node = doc.Field("IfFreq");
    // A stride prime to 8 meets every sub-step; both ends are included.
    for (int step = -7999; step <= 7999; step += 19) {
        node->SetValue(step * 12500);
        doc.Encode();
        node->SetValue(1);
        doc.Decode();
        ASSERT_EQ(node->GetValue(), step * 12500);
    }
}

TEST(IfOffset, TypedSubStepIsStoredAndShown) {
    MakerReservedDocument& doc = FactoryDocument();
    doc.Put(0x010, {0x70});
    CNode* node = doc.Field("IfFreq");
    node->SetText("21.4125");
    doc.Encode();
    EXPECT_EQ(doc.Get(0x010, 4), (std::vector<uint8_t>{0x70, 0x02, 0x14, 0x12}));
    doc.Decode();
    EXPECT_EQ(node->GetText(), "21.41250");
}

struct SDtcsCase {
    uint8_t byte;
    int value;
};
void PrintTo(const SDtcsCase& c, std::ostream* os) { *os << static_cast<int>(c.byte) << ' ' << c.value; }

class DtcsDecDecode : public testing::TestWithParam<SDtcsCase> {};

TEST_P(DtcsDecDecode, ClampsAndOffsets) {
    MakerReservedDocument& doc = FactoryDocument();
    doc.Put(0x01E, {GetParam().byte});
    doc.Decode();
    EXPECT_EQ(doc.Field("DtcsDec")->GetValue(), GetParam().value);
    doc.Encode();
    EXPECT_EQ(doc.Get(0x01E, 1)[0], GetParam().value - 11);
}

INSTANTIATE_TEST_SUITE_P(Bytes, DtcsDecDecode,
                         testing::Values(SDtcsCase{0, 12}, SDtcsCase{1, 12}, SDtcsCase{5, 16},
                                         SDtcsCase{12, 23}, SDtcsCase{0x20, 23}));

} // namespace
