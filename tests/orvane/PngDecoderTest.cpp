#include "TestImages.h"

#include "orvane/PixelType.h"

#include <gtest/gtest.h>

#include <array>

using namespace TestImages;
using Orvane::BitmapImage;

namespace {

// The bitmap's bytes, bottom row first, as the texture upload reads them.
std::vector<unsigned> bytesOf(const BitmapImage& image)
{
    std::vector<unsigned> bytes;
    size_t count = size_t(image.getWidth()) * size_t(image.getHeight()) * size_t(image.bytesPerPixel());
    for (size_t i = 0; i < count; ++i)
        bytes.push_back(byteAt(image, i));
    return bytes;
}

void expectImage(const std::string& png, int pixelType, int width, int height, const std::vector<unsigned>& bytes)
{
    auto image = decode(png);
    ASSERT_EQ(image->getPixelType(), pixelType);
    ASSERT_EQ(image->getWidth(), width);
    ASSERT_EQ(image->getHeight(), height);
    EXPECT_EQ(bytesOf(*image), bytes);
}

PngDescription fourColourPalette()
{
    PngDescription d = describePng(2, 2, 8, PNG_COLOR_TYPE_PALETTE, {0, 1, 2, 3});
    d.palette = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {10, 20, 30}};
    return d;
}

// Five pixels a row so that packed rows end inside a byte; values cycle through every level.
PngDescription lowBitRamp(int bitDepth, int colourType)
{
    unsigned levels = 1u << bitDepth;
    std::vector<unsigned> samples;
    for (unsigned i = 0; i < 10; ++i)
        samples.push_back((i * 7) % levels);
    return describePng(5, 2, bitDepth, colourType, samples);
}

// The same samples, bottom row first.
std::vector<unsigned> bottomUp(const std::vector<unsigned>& topDown, size_t rowLength)
{
    std::vector<unsigned> flipped;
    for (size_t start = topDown.size(); start > 0; start -= rowLength)
        flipped.insert(flipped.end(), topDown.begin() + long(start - rowLength), topDown.begin() + long(start));
    return flipped;
}

uint32_t crc32(const std::string& bytes, size_t begin, size_t end)
{
    uint32_t crc = 0xFFFFFFFFu;
    for (size_t i = begin; i < end; ++i) {
        crc ^= static_cast<unsigned char>(bytes[i]);
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

void putBigEndian(std::string& bytes, size_t at, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes[at + size_t(i)] = char(value >> (24 - 8 * i));
}

}

TEST(PngDecoder, PaletteBecomesRGB8AndWithTransparencyRGBA8)
{
    expectImage(encodePng(fourColourPalette()), Orvane::RGB8, 2, 2, {0, 0, 255, 10, 20, 30, 255, 0, 0, 0, 255, 0});

    PngDescription transparent = fourColourPalette();
    transparent.paletteAlpha = {0, 128};
    expectImage(encodePng(transparent), Orvane::RGBA8, 2, 2,
                {0, 0, 255, 255, 10, 20, 30, 255, 255, 0, 0, 0, 0, 255, 0, 128});
}

TEST(PngDecoder, LowBitPalettesUnpackToRGB8)
{
    for (int bitDepth : {1, 2, 4}) {
        SCOPED_TRACE(bitDepth);
        PngDescription d = lowBitRamp(bitDepth, PNG_COLOR_TYPE_PALETTE);
        std::vector<unsigned> expectedTopDown;
        for (unsigned index = 0; index < (1u << bitDepth); ++index)
            d.palette.push_back({png_byte(index * 16), png_byte(255 - index), png_byte(index + 1)});
        for (unsigned index : d.samples)
            expectedTopDown.insert(expectedTopDown.end(), {index * 16, 255 - index, index + 1});
        expectImage(encodePng(d), Orvane::RGB8, 5, 2, bottomUp(expectedTopDown, 15));
    }
}

TEST(PngDecoder, LowBitGreyBecomesScaledRGB8)
{
    for (int bitDepth : {1, 2, 4}) {
        SCOPED_TRACE(bitDepth);
        PngDescription d = lowBitRamp(bitDepth, PNG_COLOR_TYPE_GRAY);
        unsigned maxLevel = (1u << bitDepth) - 1;
        std::vector<unsigned> expectedTopDown;
        for (unsigned grey : d.samples)
            expectedTopDown.insert(expectedTopDown.end(), 3, grey * 255 / maxLevel);
        expectImage(encodePng(d), Orvane::RGB8, 5, 2, bottomUp(expectedTopDown, 15));
    }
}

TEST(PngDecoder, LowBitGreyWithTransparentLevelBecomesRGBA8)
{
    PngDescription d = describePng(3, 1, 4, PNG_COLOR_TYPE_GRAY, {0, 3, 15});
    d.hasTransparentColour = true;
    d.transparentColour.gray = 3;
    expectImage(encodePng(d), Orvane::RGBA8, 3, 1, {0, 0, 0, 255, 51, 51, 51, 0, 255, 255, 255, 255});
}

TEST(PngDecoder, EightAndSixteenBitGreyWithOrWithoutAlphaAreRejected)
{
    const std::array<std::pair<int, int>, 4> rejected = {{{8, PNG_COLOR_TYPE_GRAY},
                                                          {16, PNG_COLOR_TYPE_GRAY},
                                                          {8, PNG_COLOR_TYPE_GRAY_ALPHA},
                                                          {16, PNG_COLOR_TYPE_GRAY_ALPHA}}};
    for (auto [bitDepth, colourType] : rejected) {
        SCOPED_TRACE(testing::Message() << bitDepth << "-bit colour type " << colourType);
        std::vector<unsigned> samples(colourType == PNG_COLOR_TYPE_GRAY ? 4 : 8, 100);
        EXPECT_EQ(decodeFailure(encodePng(describePng(2, 2, bitDepth, colourType, samples))), "Unsupported format");
    }
    PngDescription greyWithTransparency = describePng(1, 1, 8, PNG_COLOR_TYPE_GRAY, {7});
    greyWithTransparency.hasTransparentColour = true;
    EXPECT_EQ(decodeFailure(encodePng(greyWithTransparency)), "Unsupported format");
}

TEST(PngDecoder, RGBAndRGBAAtEightAndSixteenBits)
{
    expectImage(encodePng(describePng(1, 2, 8, PNG_COLOR_TYPE_RGB, {1, 2, 3, 4, 5, 6})), Orvane::RGB8, 1, 2,
                {4, 5, 6, 1, 2, 3});
    expectImage(encodePng(describePng(1, 2, 8, PNG_COLOR_TYPE_RGB_ALPHA, {1, 2, 3, 4, 5, 6, 7, 8})), Orvane::RGBA8, 1,
                2, {5, 6, 7, 8, 1, 2, 3, 4});
    // 16-bit samples keep their high byte (0x12FF becomes 0x12, not a rounded 0x13).
    expectImage(encodePng(describePng(1, 2, 16, PNG_COLOR_TYPE_RGB, {0x12FF, 0x0000, 0xFFFF, 0x8001, 0x00FF, 0x7F80})),
                Orvane::RGB8, 1, 2, {0x80, 0x00, 0x7F, 0x12, 0x00, 0xFF});
    expectImage(encodePng(describePng(2, 1, 16, PNG_COLOR_TYPE_RGB_ALPHA,
                                      {0x12FF, 0x0000, 0xFFFF, 0x8001, 0x00FF, 0x7F80, 0xABCD, 0x0101})),
                Orvane::RGBA8, 2, 1, {0x12, 0x00, 0xFF, 0x80, 0x00, 0x7F, 0xAB, 0x01});
}

TEST(PngDecoder, RGBWithTransparentColourBecomesRGBA8)
{
    PngDescription d = describePng(2, 1, 8, PNG_COLOR_TYPE_RGB, {1, 2, 3, 9, 9, 9});
    d.hasTransparentColour = true;
    d.transparentColour.red = 9;
    d.transparentColour.green = 9;
    d.transparentColour.blue = 9;
    expectImage(encodePng(d), Orvane::RGBA8, 2, 1, {1, 2, 3, 255, 9, 9, 9, 0});
}

TEST(PngDecoder, InterlacedImageMatchesPlainOne)
{
    PngDescription d = describePng(9, 7, 8, PNG_COLOR_TYPE_RGB, {});
    for (unsigned char value : testPattern(9, 7, 3))
        d.samples.push_back(value);
    auto plain = decode(encodePng(d));
    d.interlaced = true;
    auto interlaced = decode(encodePng(d));
    EXPECT_EQ(bytesOf(*interlaced), bytesOf(*plain));
}

TEST(PngDecoder, DamagedFirstByteStillDecodes)
{
    std::string png = encodePng(describePng(1, 1, 8, PNG_COLOR_TYPE_RGB, {7, 8, 9}));
    png[0] = 'X';
    expectImage(png, Orvane::RGB8, 1, 1, {7, 8, 9});
}

TEST(PngDecoder, DamagedDataIsUnsupportedFormat)
{
    std::string png = encodePng(describePng(1, 1, 8, PNG_COLOR_TYPE_RGB, {7, 8, 9}));
    std::string badSignature = png;
    badSignature[6] = 'x';
    EXPECT_EQ(decodeFailure(badSignature), "Unsupported format");

    std::string badPixelData = png;
    size_t idat = png.find("IDAT");
    ASSERT_NE(idat, std::string::npos);
    badPixelData[idat + 6] ^= 0x55;
    EXPECT_EQ(decodeFailure(badPixelData), "Unsupported format");
}

// A header claiming 60000 x 60000 RGBA pixels (14 GB) must not be allocated.
TEST(PngDecoder, SizeBeyondWhatATextureCanTakeIsRejected)
{
    std::string png = encodePng(describePng(1, 1, 8, PNG_COLOR_TYPE_RGB_ALPHA, {1, 2, 3, 4}));
    size_t ihdr = png.find("IHDR");
    ASSERT_NE(ihdr, std::string::npos);
    putBigEndian(png, ihdr + 4, 60000);
    putBigEndian(png, ihdr + 8, 60000);
    putBigEndian(png, ihdr + 17, crc32(png, ihdr, ihdr + 17));
    EXPECT_EQ(decodeFailure(png), "Unsupported format");
}
