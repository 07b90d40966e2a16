#include "tavrin/capture/PngEncoderPool.h"
#include "orvane/BitmapImage.h"
#include "orvane/ImageLoader.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

TEST(PngEncoderPool, WritesEveryQueuedFrameAndReportsAFailedOne)
{
    TestSupport::TempDir dir;
    constexpr int W = 64, H = 32, Frames = 12;
    {
        Tavrin::Capture::PngEncoderPool pool(W, H, 3);
        std::vector<unsigned char> rgb(W * H * 3);
        for (int i = 0; i < Frames; ++i) {
            std::fill(rgb.begin(), rgb.end(), (unsigned char)(i * 20));
            rgb[0] = 255;
            pool.encode(dir.file("f" + std::to_string(i) + ".png"), rgb.data());
        }
        pool.finish();
    }
    for (int i = 0; i < Frames; ++i) {
        auto image = Orvane::loadImage(dir.file("f" + std::to_string(i) + ".png"));
        ASSERT_EQ(image->getWidth(), W);
        auto* bytes = reinterpret_cast<const unsigned char*>(image->getData());
        EXPECT_EQ(bytes[0], 255) << i;
        EXPECT_EQ(bytes[W * H * 3 - 1], (unsigned char)(i * 20)) << i;
    }

    Tavrin::Capture::PngEncoderPool pool(W, H, 2);
    std::vector<unsigned char> rgb(W * H * 3);
    pool.encode(dir.file("missing/folder/f.png"), rgb.data());
    EXPECT_ANY_THROW(pool.finish());
}
