#include "assetkit/Canvas.h"
#include "assetkit/MeshExport.h"
#include "assetkit/Shapes.h"
#include "orvane/BitmapImage.h"
#include "orvane/ImageLoader.h"
#include "orvane/PixelType.h"
#include "orvane/exceptions/Exception.h"
#include "orvane/utils/File.h"
#include "orvane/utils/geometry/FgmReader.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace AssetKit;

namespace {

Canvas testPattern()
{
    Canvas canvas(5, 3);
    canvas.paint([](float u, float v) { return Rgba{u, v, 1.0f - u, 0.5f + 0.5f * v}; });
    canvas.at(0, 0) = {1, 0, 0, 1};  // top left is pure red
    return canvas;
}

std::string dataFile(const std::string& name) { return std::string(NIGHTGLASS_SOURCE_DIR) + "/data/" + name; }

}

TEST(AssetWriters, PngRoundTripsThroughTheDemosDecoderInBothPixelTypes)
{
    TestSupport::TempDir dir;
    Canvas canvas = testPattern();
    canvas.save(dir.file("rgba.png"), true);
    canvas.save(dir.file("rgb.png"), false);

    auto rgba = Orvane::loadImage(dir.file("rgba.png"));
    ASSERT_EQ(rgba->getPixelType(), Orvane::RGBA8);
    auto expected = canvas.toBytes(4);
    ASSERT_EQ(rgba->getWidth(), 5);
    ASSERT_EQ(rgba->getHeight(), 3);
    EXPECT_TRUE(std::equal(expected.begin(), expected.end(), reinterpret_cast<const unsigned char*>(rgba->getData())));

    auto rgb = Orvane::loadImage(dir.file("rgb.png"));
    ASSERT_EQ(rgb->getPixelType(), Orvane::RGB8);
    expected = canvas.toBytes(3);
    EXPECT_TRUE(std::equal(expected.begin(), expected.end(), reinterpret_cast<const unsigned char*>(rgb->getData())));
}

TEST(AssetWriters, JpegRoundTripsAsRgbWithTheTopRowLast)
{
    TestSupport::TempDir dir;
    Canvas canvas(16, 16, {0, 0, 1, 1});
    for (int x = 0; x < 16; ++x)
        for (int y = 0; y < 8; ++y)
            canvas.at(x, y) = {1, 0.5f, 0, 1};  // the top half is orange
    canvas.save(dir.file("picture.jpg"));
    auto image = Orvane::loadImage(dir.file("picture.jpg"));
    ASSERT_EQ(image->getPixelType(), Orvane::RGB8);
    auto* bytes = reinterpret_cast<const unsigned char*>(image->getData());
    const unsigned char* bottom = bytes;  // first row in memory: the picture's bottom
    const unsigned char* top = bytes + 15 * 16 * 3;
    EXPECT_NEAR(bottom[2], 255, 6);
    EXPECT_NEAR(bottom[0], 0, 6);
    EXPECT_NEAR(top[0], 255, 6);
    EXPECT_NEAR(top[1], 128, 8);
}

TEST(AssetWriters, FgmRoundTripsThroughTheReader)
{
    TestSupport::TempDir dir;
    Mesh sphere = makeSphere(1.0f, 6, 8);
    saveFgm(sphere, dir.file("sphere.fgm"));
    Orvane::Utils::File file(dir.file("sphere.fgm"), Orvane::Utils::File::Read);
    EXPECT_EQ(Orvane::Utils::readFgmMesh(file), toFgm(sphere));
    EXPECT_THROW(saveFgm(sphere, dir.file("no/such/folder/x.fgm")), Orvane::Exceptions::Exception);
}

TEST(GeneratedAssets, DitherCellsCoverTheirShareAndTheSharedFilesDecode)
{
    for (int percent : {25, 50, 75, 100}) {
        std::string path = dataFile("textures/dither/" + std::to_string(percent) + ".jpg");
        ASSERT_TRUE(std::filesystem::exists(path)) << path << " is made by the build (target demo_assets)";
        auto cell = Orvane::loadImage(path);
        int lit = 0, pixels = cell->getWidth() * cell->getHeight();
        auto* bytes = reinterpret_cast<const unsigned char*>(cell->getData());
        for (int i = 0; i < pixels; ++i)
            lit += bytes[i * 3] > 128;
        EXPECT_EQ(lit * 100, percent * pixels) << path;
    }
    for (const char* name : {"textures/horizon.jpg", "textures/horizon_mork.jpg", "tavrin/loading.jpg"})
        EXPECT_EQ(Orvane::loadImage(dataFile(name))->getPixelType(), Orvane::RGB8) << name;
    for (const char* name : {"textures/dott.png", "textures/lines.png"})
        EXPECT_EQ(Orvane::loadImage(dataFile(name))->getPixelType(), Orvane::RGBA8) << name;
    Orvane::Utils::File dome(dataFile("objects/skydome.fgm"), Orvane::Utils::File::Read);
    EXPECT_GT(Orvane::Utils::readFgmMesh(dome).vertexCount, 1000);
}
