#include "assetkit/Canvas.h"
#include "assetkit/Noise.h"
#include "assetkit/TextRenderer.h"
#include "orvane/exceptions/Exception.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace AssetKit;

TEST(Noise, DeterministicBoundedAndTileableWithAPeriod)
{
    Noise a(3), b(3), c(4);
    EXPECT_EQ(a.fbm(1.3f, 2.7f, 5), b.fbm(1.3f, 2.7f, 5));
    EXPECT_NE(a.fbm(1.3f, 2.7f, 5), c.fbm(1.3f, 2.7f, 5));
    float lo = 1, hi = -1;
    for (int i = 0; i < 2000; ++i) {
        float x = i * 0.137f, y = i * 0.071f;
        float v = a.value(x, y);
        ASSERT_GE(v, 0.0f);
        ASSERT_LE(v, 1.0f);
        float g = a.fbm(x, y, 4);
        lo = std::min(lo, g);
        hi = std::max(hi, g);
        // With period 8 the noise repeats every 8 cells in both directions.
        ASSERT_NEAR(a.fbm(x, y, 3, 0.5f, 8), a.fbm(x + 8, y - 8, 3, 0.5f, 8), 1e-4f);
    }
    EXPECT_LT(lo, -0.2f);
    EXPECT_GT(hi, 0.2f);
}

TEST(Canvas, BytesAreBottomRowFirstAndClamped)
{
    Canvas canvas(2, 2);
    canvas.at(0, 0) = {1, 0, 0, 1};  // top left
    canvas.at(1, 1) = {2, -1, 0.5f, 0};  // bottom right, out of range components
    auto rgba = canvas.toBytes(4);
    // Bottom row comes first: (0, 1), (1, 1), then (0, 0), (1, 0).
    EXPECT_EQ(rgba[4 + 0], 255);
    EXPECT_EQ(rgba[4 + 1], 0);
    EXPECT_EQ(rgba[4 + 2], 128);
    EXPECT_EQ(rgba[4 + 3], 0);
    EXPECT_EQ(rgba[8 + 0], 255);
    EXPECT_EQ(rgba[8 + 1], 0);
    EXPECT_EQ(canvas.toBytes(1).size(), 4u);
}

TEST(Canvas, BlurKeepsTheAverageAndWrapsWhenTileable)
{
    Canvas canvas(32, 32, {0, 0, 0, 1});
    canvas.at(0, 0) = {1, 1, 1, 1};
    canvas.blur(2, true);
    float sum = 0;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            sum += canvas.at(x, y).r;
    EXPECT_NEAR(sum, 1.0f, 1e-3f);
    // The spot at the corner spreads across the edge to the opposite side.
    EXPECT_GT(canvas.at(31, 31).r, 0.001f);
    EXPECT_NEAR(canvas.at(31, 0).r, canvas.at(1, 0).r, 1e-5f);
}

TEST(Canvas, SaveRejectsNamesThatImplyNoKnownFormat)
{
    TestSupport::TempDir dir;
    Canvas canvas(4, 4);
    EXPECT_THROW(canvas.save(dir.file("picture.bmp")), Orvane::Exceptions::Exception);
    EXPECT_THROW(canvas.save(dir.file("missing/folder/picture.png")), Orvane::Exceptions::Exception);
    canvas.save(dir.file("picture.png"));
    canvas.save(dir.file("picture.jpg"));
}

TEST(TextRenderer, CoversTheCentreOfTheTextAndNothingFarAway)
{
    TextRenderer font("/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf");
    std::vector<float> mask = font.mask(200, 60, "IIII", 40, 100, 30);
    float inside = 0, outside = 0;
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 200; ++x)
            (x > 60 && x < 140 ? inside : outside) += mask[size_t(y) * 200 + x];
    EXPECT_GT(inside, 300.0f);
    EXPECT_EQ(outside, 0.0f);
    EXPECT_NEAR(font.measure("IIII", 40, 10), font.measure("IIII", 40) + 30, 0.01f);
    EXPECT_THROW(TextRenderer("/nonexistent.ttf"), Orvane::Exceptions::Exception);
}
