#include "TestImages.h"

#include <gtest/gtest.h>

#include <set>

using namespace TestImages;

namespace {

// Every cut of the file must either decode to the full size or be refused as unsupported.
void sweepPrefixes(const std::string& bytes, int width, int height)
{
    std::set<std::string> outcomes;
    for (size_t length = 0; length < bytes.size(); ++length) {
        std::string prefix = bytes.substr(0, length);
        std::string failure = decodeFailure(prefix);
        if (failure == "decoded") {
            auto image = decode(prefix);
            ASSERT_EQ(image->getWidth(), width) << "prefix of " << length << " bytes";
            ASSERT_EQ(image->getHeight(), height) << "prefix of " << length << " bytes";
        }
        ASSERT_NE(failure, "other exception") << "prefix of " << length << " bytes";
        outcomes.insert(failure);
    }
    EXPECT_EQ(decodeFailure(bytes), "decoded");
    EXPECT_TRUE(outcomes.count("Unsupported format")) << "short prefixes must be refused";
}

// Every single damaged byte, likewise: decoded or refused, never a crash or an overrun.
void sweepDamagedBytes(const std::string& bytes)
{
    for (size_t at = 0; at < bytes.size(); ++at) {
        std::string damaged = bytes;
        damaged[at] = char(damaged[at] ^ 0xA5);
        ASSERT_NE(decodeFailure(damaged), "other exception") << "byte " << at << " damaged";
    }
}

std::string patternPng()
{
    PngDescription d = describePng(12, 9, 8, PNG_COLOR_TYPE_RGB_ALPHA, {});
    for (unsigned char value : testPattern(12, 9, 4))
        d.samples.push_back(value);
    return encodePng(d);
}

// Packed samples, palette expansion and transparency: the other half of the decoder's paths.
std::string palettePng()
{
    PngDescription d = describePng(11, 5, 4, PNG_COLOR_TYPE_PALETTE, {});
    for (unsigned char value : testPattern(11, 5, 1))
        d.samples.push_back(value % 16u);
    for (png_byte index = 0; index < 16; ++index)
        d.palette.push_back({png_byte(index * 16), png_byte(255 - index * 16), png_byte(index * 7)});
    d.paletteAlpha = {0, 64, 128, 192};
    return encodePng(d);
}

std::string patternJpeg() { return encodeJpeg(24, 16, JCS_RGB, testPattern(24, 16, 3)); }

}

TEST(ImagePrefixSweep, EveryPrefixOfAPngDecodesOrIsRefused)
{
    sweepPrefixes(patternPng(), 12, 9);
    sweepPrefixes(palettePng(), 11, 5);
}

TEST(ImagePrefixSweep, EveryPrefixOfAJpegDecodesOrIsRefused) { sweepPrefixes(patternJpeg(), 24, 16); }

TEST(ImageDamageSweep, EveryDamagedByteOfAPngOrJpegDecodesOrIsRefused)
{
    sweepDamagedBytes(patternPng());
    sweepDamagedBytes(palettePng());
    sweepDamagedBytes(patternJpeg());
}
