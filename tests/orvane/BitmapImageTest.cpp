#include "orvane/BitmapImage.h"
#include "orvane/PixelType.h"
#include "orvane/exceptions/Exception.h"

#include <gtest/gtest.h>

TEST(BitmapImage, AllocatesZeroedPixelsPerType)
{
    Orvane::BitmapImage rgb(3, 2, Orvane::RGB8);
    EXPECT_EQ(rgb.bytesPerPixel(), 3);
    for (int i = 0; i < 3 * 2 * 3; ++i)
        ASSERT_EQ(rgb.getData()[i], 0);
    EXPECT_EQ(Orvane::BitmapImage(1, 1, Orvane::RGBA8).bytesPerPixel(), 4);
    EXPECT_EQ(Orvane::BitmapImage(1, 1, Orvane::Luminance8).bytesPerPixel(), 1);
}

TEST(BitmapImage, RejectsPixelTypesItCannotHold)
{
    try {
        Orvane::BitmapImage image(4, 4, 3);
        FAIL();
    } catch (const Orvane::Exceptions::Exception& e) {
        EXPECT_EQ(e.getMessage(), "Unsupported pixel type for BitmapImage.");
    }
}
