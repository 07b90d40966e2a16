#include "../EffectGlTest.h"
#include "nightglass/kit/Particles.h"
#include "orvane/PixelType.h"
#include "orvane/Shader.h"
#include "orvane/State.h"
#include "orvane/Texture.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <random>

using Nightglass::Particles;
using Orvane::State;

namespace {

class ParticlesGlTest : public NightglassTest::EffectGlTest {};

std::vector<int> drawOrder(const Particles& particles)
{
    std::vector<int> quads;
    const auto& indices = particles.getIndices();
    for (size_t k = 0; k < indices.size(); k += 4)
        quads.push_back(int(indices[k] / 4));
    return quads;
}

}

TEST(ParticleSort, OrdersFarToNearLikeAFullSort)
{
    std::mt19937 generator(7);
    std::uniform_real_distribution<float> distance(0.0f, 5.0e6f);
    std::vector<Particles::SortEntry> entries(5000), scratch(5000);
    for (size_t i = 0; i < entries.size(); ++i)
        entries[i] = {int(i), i % 7 == 0 ? 0.0f : distance(generator)};
    std::vector<Particles::SortEntry> expected = entries;
    std::stable_sort(expected.begin(), expected.end(), [](auto& a, auto& b) { return a.key > b.key; });
    Nightglass::sortFarToNear(entries, scratch);
    for (size_t i = 0; i < entries.size(); ++i)
        ASSERT_EQ(entries[i].key, expected[i].key) << i;
    EXPECT_EQ(entries.back().key, 0.0f);
}

TEST_F(ParticlesGlTest, SortsFromTheScaledEyeAndAQuadAtTheEyeComesLast)
{
    Particles particles(&demo, 4);
    setCamera(0, 0, 10, 0, 0, 0);
    particles.lock();
    particles.setQuadPosition(0, 0, 0, 20);  // at the eye scaled by 2
    particles.setQuadPosition(1, 0, 0, -30);  // 50 away
    particles.setQuadPosition(2, 0, 0, 0);  // 20 away
    particles.setQuadPosition(3, 0, 0, 50);  // 30 away
    particles.unlock();
    particles.sortByDistance(2);
    EXPECT_EQ(drawOrder(particles), (std::vector<int>{1, 3, 2, 0}));
}

TEST_F(ParticlesGlTest, QuadsFaceTheCameraAndNeverDarkenOrInvertWhatIsBehind)
{
    Particles particles(&demo, 3);
    const unsigned char opaque[4] = {255, 255, 255, 255};
    Orvane::Texture plain(1, 1, opaque, Orvane::RGBA8, Orvane::Nearest);
    particles.texture = &plain;
    // Seen from the side, a quad in the x-z plane would be a line; a billboard is a full square.
    setCamera(-100, 0, 0, 0, 0, 0, 60);
    particles.lock();
    particles.setQuadPosition(0, 0, 0, 0);
    particles.setQuadSize(0, 10, 10);
    particles.setQuadTexRect(0, 0, 0, 1, 1);
    particles.setQuadColor(0, 1, 0.5f, 0, 1);
    // Quad 1 faded past zero alpha with an over-bright colour; quad 2 is never written.
    particles.setQuadPosition(1, 0, 40, 0);
    particles.setQuadSize(1, 10, 10);
    particles.setQuadColor(1, 4, 4, 4, -0.7f);
    particles.unlock();

    device().clear(Orvane::ClearTarget::All, 0.2f, 0.2f, 0.2f, 1, 1, 0);
    State::resetMatrices();
    demo.setCamera(1, 1, 1000);
    particles.drawSorted();
    // The quad's centre lies on the screen's centre; the square reaches 10/(100 tan 30deg) of the
    // half-height in both directions.
    EXPECT_RGBA_NEAR(pixelAt(Width / 2, Height / 2), 255, 128, 0, 255, 2);
    int reach = int(Height / 2 * 10 / (100 * std::tan(30 * M_PI / 180)));
    EXPECT_RGBA_NEAR(pixelAt(Width / 2 + reach - 3, Height / 2 + reach - 3), 255, 128, 0, 255, 2);
    EXPECT_RGBA_NEAR(pixelAt(Width / 2 + reach + 3, Height / 2), 51, 51, 51, 255, 2);
    // Quad 1 lies to the viewer's left of the centre.
    for (int x = 0; x < Width / 2 - reach; x += 4) {
        SCOPED_TRACE(x);
        EXPECT_RGBA_NEAR(pixelAt(x, Height / 2), 51, 51, 51, 255, 2);
    }
}
