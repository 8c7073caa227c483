#include <gtest/gtest.h>

#include <string>

#include "datamodel/DataManagers.h"
#include "document/DocumentData.h"
#include "support/ScriptedInteraction.h"
#include "datamodel/memmap/RadioDataManager.h"

namespace {

struct Normalised : ::testing::TestWithParam<int> {
    CScriptedInteraction ui;
    CTolvarDocumentData doc{ui, GetParam()};
    CEepromImage& image = doc.Registry().Image();
    void Normalise() { doc.Registry().Adjust()->Normalise(); }
};

} // namespace

TEST_P(Normalised, FactoryImageIsAFixedPoint) {
    const CEepromImage before = image;
    Normalise();
    for (uint32_t a = 0; a < 0x1A00; ++a)
        ASSERT_EQ(image.GetByte(a), before.GetByte(a)) << std::hex << a;
    EXPECT_EQ(doc.GetModel(), GetParam());
}

TEST_P(Normalised, RestoresHeaderSignatureAndFixedBits) {
    for (uint32_t a : {0u, 1u, 2u, 3u, 0x19F8u, 0x19FFu})
        image.SetByte(a, 0x5A);
    image.SetBit(0xD8, 5, 1);
    image.SetByte(0xB3, 0x11), image.SetByte(0xB4, 0x22), image.SetByte(0xB5, 0x33);
    image.SetByte(0x128, 0xFF);
    image.SetByte(0xD6, 0x24);
    image.SetByte(0xDE, 0xFF);
    image.SetByte(0xAC, 0x1F);
    Normalise();
    EXPECT_EQ(image.GetWord(0, true), 0x2368);
    EXPECT_EQ(image.GetWord(2, true), 0x0100);
    EXPECT_EQ(std::string(image.Bytes().begin() + 0x19F8, image.Bytes().begin() + 0x1A00),
              "VELK Inc");
    EXPECT_EQ(image.GetBit(0xD8, 5), 0);
    EXPECT_EQ(image.GetByte(0xB0), image.GetByte(0xB3));
    EXPECT_EQ(image.GetByte(0xB1), image.GetByte(0xB4));
    EXPECT_EQ(image.GetByte(0xB2), image.GetByte(0xB5));
    EXPECT_EQ(image.GetByte(0x128), 0x20);
    EXPECT_EQ(image.GetByte(0xD6), 0x50);
    EXPECT_EQ(image.GetByte(0xDE) & 0xAA, 0x00);
    // Front key code 0x1F ("ID-MR Select") survives only in PMR; LMR clears it first.
    EXPECT_EQ(image.GetBit(0xD2, 0), GetParam() == ModelPMR ? 1 : 0);
}

TEST_P(Normalised, FollowsTheVariantBitOfTheImage) {
    const int other = 1 - GetParam();
    image.SetBit(0xD1, 4, other);
    Normalise();
    EXPECT_EQ(doc.GetModel(), other);
    EXPECT_EQ(image.GetBit(0xD1, 4), other);
}

TEST_P(Normalised, KeepsEveryFrequencyDigit) {
    // Every BCD digit of every channel frequency set, bit 7 of byte 0x0B set too.
    for (uint32_t n = 0; n < 32; ++n) {
        const uint32_t r = 0x200 + 32 * n;
        for (uint32_t i = 0; i < 8; ++i)
            image.SetByte(r + i, static_cast<uint8_t>(0x99 - i));
        image.SetByte(r + 0x0B, 0x81);
    }
    Normalise();
    for (uint32_t n = 0; n < 32; ++n) {
        const uint32_t r = 0x200 + 32 * n;
        for (uint32_t i = 0; i < 8; ++i)
            ASSERT_EQ(image.GetByte(r + i), 0x99 - i) << "channel " << n + 1 << " byte " << i;
        EXPECT_EQ(image.GetByte(r + 0x0B), 0x01) << "channel " << n + 1;
    }
}

TEST_P(Normalised, PriorityByteNamesTheLowestUsableChannel) {
    CQModelManager& model = *doc.Registry().Model();
    if (!model.GetNodeByPath("Mch.CH1.ChOn"))
        GTEST_SKIP() << "channel nodes not built";
    auto set = [&](int n, int on, int inhibit) {
        model.GetNodeByPath("Mch.CH" + std::to_string(n) + ".ChOn")->SetValue(on);
        model.GetNodeByPath("Mch.CH" + std::to_string(n) + ".InhCh")->SetValue(inhibit);
    };
    struct Case {
        std::vector<std::array<int, 3>> channels;  // number, on, inhibited
        int expected;
    } cases[] = {
        {{}, 0},
        {{{5, 1, 0}, {9, 1, 0}}, 4},
        {{{2, 1, 1}, {7, 1, 0}}, 6},   // inhibited channels give way
        {{{3, 1, 1}, {8, 1, 1}}, 2},   // only inhibited: the lowest of them
        {{{1, 0, 0}, {32, 1, 0}}, 31},
    };
    for (const auto& c : cases) {
        for (int n = 1; n <= 32; ++n)
            set(n, 0, 0);
        for (const auto& ch : c.channels)
            set(ch[0], ch[1], ch[2]);
        image.SetByte(0x120, 0x55);
        Normalise();
        EXPECT_EQ(image.GetByte(0x120), c.expected);
    }
}

INSTANTIATE_TEST_SUITE_P(Variants, Normalised, ::testing::Values(ModelLMR, ModelPMR),
                         [](const auto& info) { return info.param == ModelPMR ? "PMR" : "LMR"; });
