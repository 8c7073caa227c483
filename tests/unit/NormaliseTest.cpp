#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "SignallingTestSupport.h"

namespace {

using signalling_test::SDocument;

// Every value of the bound fields of the variant (the text of text fields), the 2Tone
// decode windows included.
using SValues = std::vector<std::pair<const CNode*, std::string>>;
SValues Values(const CTolvarRadioDataManager& radio, int variant) {
    SValues values;
    radio.ForEachNode([&](CNode& node) {
        const auto info = radio.GetNodeInfo(&node);
        if (info.bound && (info.models & ModelMaskOf(variant)))
            values.emplace_back(&node, signalling_test::Show(node));
    });
    return values;
}

void ExpectSameValues(const SValues& got, const SValues& want) {
    ASSERT_EQ(got.size(), want.size());
    for (size_t i = 0; i < got.size(); ++i)
        ASSERT_EQ(got[i].second, want[i].second)
            << want[i].first->GetParent()->GetName() << "." << want[i].first->GetName();
}

struct Normalised : ::testing::TestWithParam<int> {
    SDocument doc{GetParam()};
    CEepromImage& image = doc.Image();
    void Normalise() { doc.Registry().Adjust()->Normalise(); }
};

} // namespace

// The factory image encodes and normalises to itself, and keeps the values decoded
// from it.
TEST_P(Normalised, FactoryImageIsAFixedPoint) {
    const std::vector<uint8_t>& factory = FactoryTable(GetParam());
    const CTolvarRadioDataManager& radio = *doc.Registry().RadioData();
    const SValues values = Values(radio, GetParam());
    doc.Registry().StoreTreeToImage();
    for (uint32_t a = 0; a < kTableSize; ++a)
        ASSERT_EQ(image.GetByte(a), factory[a]) << "encoded " << std::hex << a;
    Normalise();
    for (uint32_t a = 0; a < kTableSize; ++a)
        ASSERT_EQ(image.GetByte(a), factory[a]) << "normalised " << std::hex << a;
    ExpectSameValues(Values(radio, GetParam()), values);
    EXPECT_EQ(doc.data.GetModel(), GetParam());
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

namespace {

// How a test image is made.
enum class EFill {
    Factory,    // the factory image as it is
    UserArea,   // random bytes over 0x00A0..0x19FF
    WholeTable, // random bytes over 0x0000..0x19FF, header and maker area included
    Sparse,     // the factory image with 300 random bytes in the user area
    Channels,   // as UserArea, each channel blank, inhibited or in use
    Inhibited,  // as UserArea, each channel blank or inhibited
};

// Half of the bytes from values the codecs treat specially. Raw engine output only, so
// the images are the same with every standard library.
uint8_t RandomByte(std::mt19937& rng) {
    static const uint8_t special[] = {0x00, 0x01, 0x04, 0x09, 0x0A, 0x0B, 0x0F, 0x18,
                                      0x19, 0x1F, 0x20, 0x80, 0xF0, 0xFE, 0xFF};
    const uint32_t r = rng();
    return (r & 1) ? special[(r >> 8) % sizeof special] : static_cast<uint8_t>(r >> 24);
}

uint8_t Bcd(uint32_t r) {
    return static_cast<uint8_t>((r % 10) << 4 | (r >> 8) % 10);
}

void Fill(CEepromImage& image, EFill fill, uint32_t seed, int variant) {
    std::mt19937 rng(seed);
    const auto randomise = [&](uint32_t from) {
        for (uint32_t a = from; a < kTableSize; ++a)
            image.SetByte(a, RandomByte(rng));
    };
    switch (fill) {
    case EFill::Factory:
        break;
    case EFill::UserArea:
        randomise(kUserAreaStart);
        break;
    case EFill::WholeTable:
        randomise(0);
        break;
    case EFill::Sparse:
        for (int n = 0; n < 300; ++n)
            image.SetByte(kUserAreaStart + rng() % (kTableSize - kUserAreaStart), RandomByte(rng));
        break;
    case EFill::Channels:
    case EFill::Inhibited:
        randomise(kUserAreaStart);
        // Half of the channels blank, the others inhibited or in use, with frequencies of
        // BCD digits (and a transmit inhibit bit).
        for (uint32_t k = 0; k < 32; ++k) {
            const uint32_t r = rng(), record = 0x200 + 32 * k;
            const bool inhibited = r % 4 == 2 || (r % 4 == 3 && fill == EFill::Inhibited);
            for (uint32_t i = 1; i < 8; ++i)
                image.SetByte(record + i, Bcd(rng()));
            image.SetByte(record + 4, static_cast<uint8_t>((Bcd(rng()) & 0x7F) | (r & 0x80)));
            const uint8_t first = static_cast<uint8_t>(((r >> 8) % 8) << 4 | (r >> 12) % 10);
            image.SetByte(record, r % 4 < 2 ? 0xFF : inhibited ? first | 0x80 : first);
        }
        break;
    }
    image.SetBit(kModelAddr, kModelBit, variant);
}

} // namespace

// Images of every kind, normalised with the tree as decoded from them or as built:
// the result takes the image's variant, and normalising it again (after decoding it,
// for a decoded tree) changes nothing.
TEST(NormalisedImage, IsAFixedPointOfNormalise) {
    for (EFill fill : {EFill::Factory, EFill::UserArea, EFill::WholeTable, EFill::Sparse,
                       EFill::Channels, EFill::Inhibited})
        for (int variant : {ModelLMR, ModelPMR})
            for (uint32_t seed : {1u, 2u}) {
                SCOPED_TRACE(::testing::Message() << int(fill) << " " << variant << " " << seed);
                SDocument doc(1 - variant);
                CCloneManager& registry = doc.Registry();
                Fill(registry.Image(), fill, seed, variant);
                if (seed == 1)
                    registry.LoadImageToTree();
                registry.Adjust()->Normalise();
                const CEepromImage once = registry.Image();
                EXPECT_EQ(doc.data.GetModel(), variant);
                EXPECT_EQ(once.GetBit(kModelAddr, kModelBit), variant);
                registry.Adjust()->Normalise();
                EXPECT_TRUE(registry.Image() == once);
                registry.LoadImageToTree(); // and once more as a save after a load does
                registry.Adjust()->Normalise();
                EXPECT_TRUE(registry.Image() == once || seed != 1);
            }
}

// Random images decode, encode and decode again to the same values, and the image
// encoded from those values encodes to itself.
TEST(MemoryMap, RandomImagesRoundTrip) {
    for (int variant : {ModelLMR, ModelPMR}) {
        SDocument doc(variant);
        CCloneManager& registry = doc.Registry();
        for (EFill fill : {EFill::WholeTable, EFill::Channels})
            for (uint32_t seed = 1; seed <= 50; ++seed) {
                SCOPED_TRACE(::testing::Message() << int(fill) << " " << variant << " " << seed);
                Fill(registry.Image(), fill, seed, variant);
                // A blank channel keeps none of its fields: its record is the factory one.
                for (uint32_t record = 0x200; record < 0x600; record += 32)
                    if (registry.Image().GetByte(record) == 0xFF)
                        registry.Image().Write(record, FactoryTable(variant).data() + record, 32);
                registry.LoadImageToTree();
                const SValues first = Values(*registry.RadioData(), variant);
                registry.StoreTreeToImage();
                const CEepromImage encoded = registry.Image();
                registry.LoadImageToTree();
                ExpectSameValues(Values(*registry.RadioData(), variant), first);
                registry.StoreTreeToImage();
                for (uint32_t a = 0; a < kTableSize; ++a)
                    ASSERT_EQ(registry.Image().GetByte(a), encoded.GetByte(a)) << std::hex << a;
            }
    }
}
