#pragma once

#include "orvane/Device.h"
#include "orvane/Window.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

namespace TestSupport {

using Rgba = std::array<std::uint8_t, 4>;

// Base for tests that need a real GL context: one hidden window and device per test program,
// drawn into and read back. Skips only where no display exists at all (CI runs under Xvfb).
class GlTest : public ::testing::Test {
public:
    static constexpr int Width = 256;
    static constexpr int Height = 256;

protected:
    void SetUp() override;
    // Fails the test for every GL error it left raised.
    void TearDown() override;

    static Orvane::Device& device();
    // No program, identity GL matrices, no depth test or culling: immediate-mode vertices land
    // where they are given, in the colour they carry.
    static void useFixedFunction();

    // Bottom-up, as GL numbers rows.
    static std::vector<std::uint8_t> readPixels(int x, int y, int width, int height);
    static Rgba pixelAt(int x, int y);
    static float depthAt(int x, int y);
    static int stencilAt(int x, int y);
};

bool displayAvailable();

}

#define EXPECT_RGBA_NEAR(actual, r, g, b, a, tolerance)                                                                \
    do {                                                                                                               \
        TestSupport::Rgba pixel_ = (actual);                                                                           \
        EXPECT_NEAR(pixel_[0], (r), (tolerance)) << "red";                                                             \
        EXPECT_NEAR(pixel_[1], (g), (tolerance)) << "green";                                                           \
        EXPECT_NEAR(pixel_[2], (b), (tolerance)) << "blue";                                                            \
        EXPECT_NEAR(pixel_[3], (a), (tolerance)) << "alpha";                                                           \
    } while (0)
