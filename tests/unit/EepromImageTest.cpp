#include <gtest/gtest.h>

#include "datamodel/EepromImage.h"

TEST(EepromImage, OutOfRangeAccess) {
    CEepromImage image(0x2000);
    EXPECT_EQ(image.GetByte(0x2000), 0xFF);
}
