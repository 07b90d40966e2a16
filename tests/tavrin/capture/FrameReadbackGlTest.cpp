#include "orvane/exceptions/Exception.h"
#include "support/GlTest.h"
#include "tavrin/capture/FrameReadback.h"

#include <GL/gl.h>

#include <deque>
#include <vector>

using TestSupport::GlTest;

class FrameReadbackGlTest : public GlTest {};

// Each frame gets its own picture; what comes back through the ring, frames late, must be
// byte for byte what a synchronous read of that frame gave.
TEST_F(FrameReadbackGlTest, FramesComeBackInOrderAndEqualToASynchronousRead)
{
    constexpr int X = 3, Y = 5, W = 101, H = 37;
    Tavrin::Capture::FrameReadback readback(X, Y, W, H, 3);
    std::deque<std::vector<unsigned char>> expected;
    std::vector<std::vector<unsigned char>> collected;
    auto collectOne = [&] {
        readback.collect([&](const unsigned char* rgb) { collected.emplace_back(rgb, rgb + readback.frameBytes()); });
    };
    for (int frame = 0; frame < 7; ++frame) {
        useFixedFunction();
        glClearColor(frame / 7.0f, 0.5f, 1.0f - frame / 7.0f, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        glBegin(GL_TRIANGLES);
        glColor3f(1, frame % 2, 0);
        glVertex2f(-1, -1);
        glVertex2f(frame / 7.0f, -1);
        glVertex2f(-1, 1);
        glEnd();
        std::vector<unsigned char> now(size_t(W) * H * 3);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(X, Y, W, H, GL_RGB, GL_UNSIGNED_BYTE, now.data());
        expected.push_back(now);
        if (readback.full())
            collectOne();
        readback.submit();
    }
    while (!readback.empty())
        collectOne();
    ASSERT_EQ(collected.size(), expected.size());
    for (size_t i = 0; i < collected.size(); ++i)
        EXPECT_EQ(collected[i], expected[i]) << "frame " << i;
    EXPECT_THROW(collectOne(), Orvane::Exceptions::Exception);
}
