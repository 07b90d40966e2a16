#include "orvane/BitmapImage.h"
#include "orvane/PixelType.h"
#include "orvane/Texture.h"
#include "orvane/exceptions/Exception.h"
#include "support/GlTest.h"

#include <GL/glext.h>

#include <cstdint>
#include <vector>

using Orvane::Texture;
using TestSupport::GlTest;

namespace {

class TextureGlTest : public GlTest {
protected:
    static GLint parameter(const Texture& texture, GLenum name)
    {
        glBindTexture(GL_TEXTURE_2D, texture.getName());
        GLint value = -1;
        glGetTexParameteriv(GL_TEXTURE_2D, name, &value);
        return value;
    }

    static GLint levelParameter(const Texture& texture, int level, GLenum name)
    {
        glBindTexture(GL_TEXTURE_2D, texture.getName());
        GLint value = -1;
        glGetTexLevelParameteriv(GL_TEXTURE_2D, level, name, &value);
        return value;
    }

    static std::vector<std::uint8_t> texels(const Texture& texture, int level, GLenum format, int bytes)
    {
        std::vector<std::uint8_t> data(std::size_t(bytes), 0xcd);
        glBindTexture(GL_TEXTURE_2D, texture.getName());
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glGetTexImage(GL_TEXTURE_2D, level, format, GL_UNSIGNED_BYTE, data.data());
        return data;
    }

    static void expectFilters(const Texture& texture, GLint mag, GLint min)
    {
        EXPECT_EQ(parameter(texture, GL_TEXTURE_MAG_FILTER), mag);
        EXPECT_EQ(parameter(texture, GL_TEXTURE_MIN_FILTER), min);
    }

    static void expectWrap(const Texture& texture, GLint wrap)
    {
        EXPECT_EQ(parameter(texture, GL_TEXTURE_WRAP_S), wrap);
        EXPECT_EQ(parameter(texture, GL_TEXTURE_WRAP_T), wrap);
    }
};

}

TEST_F(TextureGlTest, EachPixelTypeGetsStorageOfItsKind)
{
    struct Case {
        int pixelType;
        GLint internalFormat;
        GLenum sizeQuery;
        GLint minimumBits;
    };
    const Case cases[] = {
        {Orvane::Luminance8, 1, GL_TEXTURE_LUMINANCE_SIZE, 8},
        {Orvane::RGBA8, 4, GL_TEXTURE_ALPHA_SIZE, 8},
        {Orvane::RGB8, 3, GL_TEXTURE_BLUE_SIZE, 8},
        {Orvane::RGBA32F, GL_RGBA32F_ARB, GL_TEXTURE_RED_SIZE, 32},
        {Orvane::Depth16, GL_DEPTH_COMPONENT16, GL_TEXTURE_DEPTH_SIZE, 16},
        {Orvane::Depth24, GL_DEPTH_COMPONENT24, GL_TEXTURE_DEPTH_SIZE, 24},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pixelType);
        Texture texture(8, 4, nullptr, c.pixelType, Orvane::Nearest);
        EXPECT_EQ(texture.getInternalFormat(), c.internalFormat);
        EXPECT_EQ(levelParameter(texture, 0, GL_TEXTURE_WIDTH), 8);
        EXPECT_EQ(levelParameter(texture, 0, GL_TEXTURE_HEIGHT), 4);
        EXPECT_GE(levelParameter(texture, 0, c.sizeQuery), c.minimumBits);
    }
    // The legacy component counts give no alpha where the pixel type has none.
    Texture rgb(2, 2, nullptr, Orvane::RGB8, Orvane::Nearest);
    EXPECT_EQ(levelParameter(rgb, 0, GL_TEXTURE_ALPHA_SIZE), 0);
}

TEST_F(TextureGlTest, IllegalPixelTypeThrows)
{
    try {
        Texture texture(2, 2, nullptr, 6, Orvane::Nearest);
        FAIL() << "nothing was thrown";
    } catch (const Orvane::Exceptions::IllegalEnumException& e) {
        EXPECT_EQ(e.getMessage(), "Illegal PixelType");
    }
}

TEST_F(TextureGlTest, RowsOfOddLengthUploadTightlyPacked)
{
    const std::uint8_t pixels[18] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18};
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    Texture texture(3, 2, pixels, Orvane::RGB8, Orvane::Nearest);
    EXPECT_EQ(texels(texture, 0, GL_RGB, 18), std::vector<std::uint8_t>(pixels, pixels + 18));
}

TEST_F(TextureGlTest, ImagesOfEveryWidthKeepEveryRowWhateverTheirRowLength)
{
    // Two halves, the lower one dark and the upper one light, widths 1 to 9: rows whose length is
    // not a multiple of four bytes, and sides that are not a power of two and get scaled.
    const struct {
        int type;
        GLenum format;
        int channels;
    } kinds[] = {{Orvane::RGB8, GL_RGB, 3}, {Orvane::RGBA8, GL_RGBA, 4}, {Orvane::Luminance8, GL_LUMINANCE, 1}};
    constexpr int Rows = 8;
    for (const auto& kind : kinds)
        for (int filter : {Orvane::Nearest, Orvane::Mipmapped})
            for (int width = 1; width <= 9; ++width) {
                SCOPED_TRACE(testing::Message()
                             << "type " << kind.type << ", filter " << filter << ", width " << width);
                std::vector<std::uint8_t> pixels(size_t(width * Rows * kind.channels));
                for (size_t i = 0; i < pixels.size(); ++i)
                    pixels[i] = int(i) / (width * kind.channels) < Rows / 2 ? 60 : 220;
                glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
                Texture texture(width, Rows, pixels.data(), kind.type, filter);
                int stored = levelParameter(texture, 0, GL_TEXTURE_WIDTH);
                ASSERT_EQ(levelParameter(texture, 0, GL_TEXTURE_HEIGHT), Rows);
                std::vector<std::uint8_t> level = texels(texture, 0, kind.format, stored * Rows * kind.channels);
                for (int y = 0; y < Rows; ++y)
                    for (int x = 0; x < stored * kind.channels; ++x)
                        ASSERT_NEAR(level[size_t(y * stored * kind.channels + x)], y < Rows / 2 ? 60 : 220, 1)
                            << "row " << y;
            }
}

TEST_F(TextureGlTest, BitmapImageBecomesATextureOfItsSizeAndPixels)
{
    Orvane::BitmapImage image(2, 3, Orvane::RGBA8);
    for (int i = 0; i < 2 * 3 * 4; ++i)
        image.getData()[i] = char(i * 10);
    Texture texture(image, Orvane::Linear);
    EXPECT_EQ(texture.getWidth(), 2);
    EXPECT_EQ(texture.getHeight(), 3);
    EXPECT_EQ(texture.getPixelType(), Orvane::RGBA8);
    std::vector<std::uint8_t> expected(image.getData(), image.getData() + 24);
    EXPECT_EQ(texels(texture, 0, GL_RGBA, 24), expected);
}

TEST_F(TextureGlTest, NearestAndLinearClampToTheEdge)
{
    Texture nearest(4, 4, nullptr, Orvane::RGBA8, Orvane::Nearest);
    expectFilters(nearest, GL_NEAREST, GL_NEAREST);
    expectWrap(nearest, GL_CLAMP_TO_EDGE);
    Texture linear(4, 4, nullptr, Orvane::RGBA8, Orvane::Linear);
    expectFilters(linear, GL_LINEAR, GL_LINEAR);
    expectWrap(linear, GL_CLAMP_TO_EDGE);
}

TEST_F(TextureGlTest, MipmappedWithoutPixelsHasOnlyLevelZeroAndRepeats)
{
    Texture texture(8, 8, nullptr, Orvane::RGBA8, Orvane::Mipmapped);
    expectFilters(texture, GL_LINEAR, GL_LINEAR_MIPMAP_LINEAR);
    expectWrap(texture, GL_REPEAT);
    EXPECT_EQ(levelParameter(texture, 0, GL_TEXTURE_WIDTH), 8);
    EXPECT_EQ(levelParameter(texture, 1, GL_TEXTURE_WIDTH), 0);
}

TEST_F(TextureGlTest, MipmappedWithPixelsBuildsTheWholeChain)
{
    const std::uint8_t pixels[4] = {0, 200, 200, 0};
    Texture texture(2, 2, pixels, Orvane::Luminance8, Orvane::Mipmapped);
    expectWrap(texture, GL_REPEAT);
    EXPECT_EQ(levelParameter(texture, 1, GL_TEXTURE_WIDTH), 1);
    EXPECT_NEAR(texels(texture, 1, GL_LUMINANCE, 1)[0], 100, 1);
}

TEST_F(TextureGlTest, UnknownFilterDefinesNoImage)
{
    Texture texture(4, 4, nullptr, Orvane::RGBA8, 9);
    EXPECT_EQ(levelParameter(texture, 0, GL_TEXTURE_WIDTH), 0);
}

TEST_F(TextureGlTest, SetFilterIgnoresUnknownValues)
{
    Texture texture(4, 4, nullptr, Orvane::RGBA8, Orvane::Linear);
    texture.setFilter(7);
    expectFilters(texture, GL_LINEAR, GL_LINEAR);
    texture.setFilter(Orvane::Nearest);
    expectFilters(texture, GL_NEAREST, GL_NEAREST);
    texture.setFilter(-1);
    expectFilters(texture, GL_NEAREST, GL_NEAREST);
    texture.setFilter(Orvane::Mipmapped);
    expectFilters(texture, GL_LINEAR, GL_LINEAR_MIPMAP_LINEAR);
    texture.setFilter(Orvane::Linear);
    expectFilters(texture, GL_LINEAR, GL_LINEAR);
}

TEST_F(TextureGlTest, SetWrapClampsOnlyForClamp)
{
    Texture texture(4, 4, nullptr, Orvane::RGBA8, Orvane::Mipmapped);
    texture.setWrap(Orvane::Clamp);
    expectWrap(texture, GL_CLAMP_TO_EDGE);
    texture.setWrap(5);
    expectWrap(texture, GL_REPEAT);
    texture.setWrap(Orvane::Clamp);
    texture.setWrap(Orvane::Repeat);
    expectWrap(texture, GL_REPEAT);
}

TEST_F(TextureGlTest, DestructionReleasesTheName)
{
    GLuint name = 0;
    {
        Texture texture(1, 1, nullptr, Orvane::RGBA8, Orvane::Nearest);
        name = texture.getName();
        EXPECT_TRUE(glIsTexture(name));
    }
    EXPECT_FALSE(glIsTexture(name));
}
