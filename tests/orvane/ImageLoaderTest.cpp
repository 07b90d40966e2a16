#include "TestImages.h"

#include "orvane/ImageLoader.h"
#include "orvane/PixelType.h"
#include "orvane/exceptions/Exception.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace TestImages;
using Orvane::Exceptions::FileNotFoundException;

namespace {

// Files shipped by packages that scripts/setup.sh installs; a missing one is a set-up fault.
const char* const DebianPng = "/usr/share/gitweb/static/git-logo.png";  // git
const char* const DebianJpeg = "/usr/share/doc/libsndfile1-dev/markdown/libsndfile.jpg";  // libsndfile1-dev

std::string missing(const char* path, const char* package)
{
    return std::string(path) + " is missing: install the Debian package " + package + " (scripts/setup.sh does)";
}

}

TEST(ImageLoader, ChoosesByContentAndReadsFromTheStart)
{
    std::string png = encodePng(describePng(1, 1, 8, PNG_COLOR_TYPE_RGB, {1, 2, 3}));
    std::string jpeg = encodeJpeg(1, 1, JCS_RGB, {200, 100, 50});
    EXPECT_EQ(decode(png)->getPixelType(), Orvane::RGB8);
    EXPECT_EQ(decode(jpeg)->getPixelType(), Orvane::RGB8);
    EXPECT_EQ(decodeFailure("This is a plain text file, neither PNG nor JPEG.\n"), "Unsupported format");
    EXPECT_EQ(decodeFailure("xPN"), "Unsupported format");
    EXPECT_EQ(decodeFailure(""), "Unsupported format");
}

TEST(ImageLoader, LoadsFromPathAndReportsMissingFile)
{
    TestSupport::TempDir dir;
    std::ofstream(dir.file("pixel.png"), std::ios::binary)
        << encodePng(describePng(1, 1, 8, PNG_COLOR_TYPE_RGB_ALPHA, {1, 2, 3, 4}));
    auto image = Orvane::loadImage(dir.file("pixel.png"));
    EXPECT_EQ(image->getPixelType(), Orvane::RGBA8);
    EXPECT_EQ(byteAt(*image, 3), 4u);

    try {
        Orvane::loadImage(dir.file("absent.png"));
        FAIL() << "a missing file must throw";
    } catch (const FileNotFoundException& e) {
        EXPECT_EQ(e.getMessage(), "File not found: " + dir.file("absent.png"));
    }
}

TEST(ImageLoader, DecodesRealFilesFromDebianPackages)
{
    ASSERT_TRUE(std::filesystem::exists(DebianPng)) << missing(DebianPng, "git");
    auto png = Orvane::loadImage(DebianPng);
    EXPECT_EQ(png->getWidth(), 72);
    EXPECT_EQ(png->getHeight(), 27);
    EXPECT_EQ(png->getPixelType(), Orvane::RGB8);

    ASSERT_TRUE(std::filesystem::exists(DebianJpeg)) << missing(DebianJpeg, "libsndfile1-dev");
    auto jpeg = Orvane::loadImage(DebianJpeg);
    EXPECT_EQ(jpeg->getWidth(), 367);
    EXPECT_EQ(jpeg->getHeight(), 98);
    EXPECT_EQ(jpeg->getPixelType(), Orvane::RGB8);
}
