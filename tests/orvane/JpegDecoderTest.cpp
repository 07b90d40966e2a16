#include "TestImages.h"

#include "orvane/PixelType.h"

#include <gtest/gtest.h>

using namespace TestImages;

namespace {

void expectColourNear(const Orvane::BitmapImage& image, size_t offset, unsigned r, unsigned g, unsigned b)
{
    const unsigned tolerance = 8;
    EXPECT_NEAR(byteAt(image, offset), r, tolerance) << "red at byte " << offset;
    EXPECT_NEAR(byteAt(image, offset + 1), g, tolerance) << "green at byte " << offset;
    EXPECT_NEAR(byteAt(image, offset + 2), b, tolerance) << "blue at byte " << offset;
}

}

TEST(JpegDecoder, TwoByTwoLandsBottomRowFirst)
{
    // Top row red, green; bottom row blue, white.
    std::string jpeg = encodeJpeg(2, 2, JCS_RGB, {255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 255});
    auto image = decode(jpeg);
    ASSERT_EQ(image->getPixelType(), Orvane::RGB8);
    ASSERT_EQ(image->getWidth(), 2);
    ASSERT_EQ(image->getHeight(), 2);
    expectColourNear(*image, 0, 0, 0, 255);
    expectColourNear(*image, 3, 255, 255, 255);
    expectColourNear(*image, (1 * 2) * 3, 255, 0, 0);
    expectColourNear(*image, (1 * 2) * 3 + 3, 0, 255, 0);
}

TEST(JpegDecoder, GreyscaleAndCmykAreRejectedWithTheirMessages)
{
    std::string grey = encodeJpeg(2, 2, JCS_GRAYSCALE, {0, 80, 160, 240});
    EXPECT_EQ(decodeFailure(grey), "Image format not supported: Greyscale JPEG");

    std::string cmyk = encodeJpeg(2, 1, JCS_CMYK, {0, 255, 255, 0, 255, 0, 255, 0});
    EXPECT_EQ(decodeFailure(cmyk), "Image format not supported: JPEG with 4 components");
}

TEST(JpegDecoder, CutHeaderOrCutPixelDataIsUnsupported)
{
    std::string jpeg = encodeJpeg(16, 16, JCS_RGB, testPattern(16, 16, 3));
    EXPECT_EQ(decodeFailure(jpeg.substr(0, 40)), "Unsupported format");

    // Past the start of scan the library would fill the missing rows with grey and only warn.
    size_t startOfScan = jpeg.find("\xFF\xDA");
    ASSERT_NE(startOfScan, std::string::npos);
    EXPECT_EQ(decodeFailure(jpeg.substr(0, startOfScan + 20)), "Unsupported format");
    EXPECT_EQ(decodeFailure(jpeg.substr(0, jpeg.size() - 2)), "Unsupported format") << "no end-of-image marker";
    EXPECT_EQ(decode(jpeg)->getWidth(), 16);
}

// 20000 x 20000 fits a bitmap, but a progressive decoder would first zero 2.4 GB of coefficients.
TEST(JpegDecoder, ProgressiveHeaderClaimingAHugeSizeIsRefusedBeforeFillingMemory)
{
    std::string jpeg = encodeJpeg(16, 16, JCS_RGB, testPattern(16, 16, 3), true);
    EXPECT_EQ(decode(jpeg)->getWidth(), 16);
    size_t frame = jpeg.find("\xFF\xC2");
    ASSERT_NE(frame, std::string::npos);
    for (size_t at : {frame + 5, frame + 7}) {
        jpeg[at] = char(20000 >> 8);
        jpeg[at + 1] = char(20000 & 0xFF);
    }
    EXPECT_EQ(decodeFailure(jpeg), "Unsupported format");
}
