#include <gtest/gtest.h>

#include <array>

#include "datamodel/EepromImage.h"

TEST(EepromImage, OutOfRangeRules) {
    CEepromImage image(0x2000);
    image.SetByte(0x1FFF, 0x12);
    image.SetByte(0x2000, 0x34);  // ignored
    EXPECT_EQ(image.GetByte(0x1FFF), 0x12);
    EXPECT_EQ(image.GetByte(0x2000), 0xFF);
    EXPECT_EQ(image.GetByte(0xFFFFFFFF), 0xFF);
    for (int bit = 0; bit < 8; ++bit)
        EXPECT_EQ(image.GetBit(0x2000, bit), 1);
    EXPECT_EQ(image.GetWord(0x1FFF, true), 0xFFFF);  // second byte outside
    image.SetWord(0x1FFF, 0xABCD, true);
    EXPECT_EQ(image.GetByte(0x1FFF), 0x12);

    std::array<uint8_t, 17> src{};
    src.fill(0x55);
    EXPECT_FALSE(image.Write(0x1FF0, src.data(), 17));
    EXPECT_EQ(image.GetByte(0x1FF0), 0x00);
    EXPECT_TRUE(image.Write(0x1FF0, src.data(), 16));
    EXPECT_FALSE(image.Read(0xFFFFFFF0, src.data(), 32));  // no wrap-around
    EXPECT_FALSE(image.Write(0, src.data(), 0));
}

TEST(EepromImage, WordsBitsAndCopies) {
    CEepromImage image(0x2000);
    image.SetByte(0, 0x23);
    image.SetByte(1, 0x68);
    EXPECT_EQ(image.GetWord(0, true), 0x2368);
    EXPECT_EQ(image.GetWord(0, false), 0x6823);
    image.SetWord(2, 0x0100, false);
    EXPECT_EQ(image.GetByte(2), 0x00);
    EXPECT_EQ(image.GetByte(3), 0x01);

    image.SetBit(0xD1, 4, 7);  // any non-zero sets
    EXPECT_EQ(image.GetByte(0xD1), 0x10);
    image.SetBit(0xD1, 4, 0);
    EXPECT_EQ(image.GetByte(0xD1), 0x00);

    CEepromImage copy(16);
    copy.CopyFrom(image);
    EXPECT_EQ(copy.GetSize(), 0x2000u);
    EXPECT_TRUE(copy == image);
    copy.Resize(8);
    EXPECT_EQ(copy.GetSize(), 8u);
    EXPECT_EQ(copy.GetByte(0), 0);
}
