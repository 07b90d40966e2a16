#include "../EffectGlTest.h"
#include "nightglass/kit/Explosion.h"
#include "orvane/State.h"
#include "orvane/utils/Random.h"

#include <cmath>

using Nightglass::Explosion;

namespace {

class ExplosionGlTest : public NightglassTest::EffectGlTest {
protected:
    void SetUp() override
    {
        EffectGlTest::SetUp();
        if (IsSkipped())
            return;
        demo.time = 0.0f;  // sin(0) = 0: each damping step scales velocities by 0.9
        Explosion::dampingAccumulator = 0.0f;
    }

    float rowTime(float row) const { return row * 60.0f / (4.0f * demo.bpm); }

    struct Look {
        float halfSize, u, red, alpha;
    };
    static Look lookOf(Explosion& explosion, int i)
    {
        const Nightglass::Particles::Vertex* quad = explosion.lock() + 4 * i;
        Look look{quad[1].corner[0], quad[0].texCoord[0], quad[0].color[0], quad[0].color[3]};
        explosion.unlock();
        return look;
    }
    static void paint(Explosion& explosion, int i, float halfSize)
    {
        explosion.lock();
        explosion.setQuadSize(i, halfSize, halfSize);
        explosion.setQuadTexRect(i, 0.25f, 0, 0.5f, 1);
        explosion.setQuadColor(i, 0.125f, 0.125f, 0.125f, 0.5f);
        explosion.unlock();
    }
    static void place(Explosion& explosion, int i, float age, float vx)
    {
        Explosion::Record& p = explosion.records[size_t(i)];
        p = {{5, 6, 7}, {vx, 0, 0}, age, 0.5f, 0.5f};
    }
};

}

TEST_F(ExplosionGlTest, DampsInFixedStepsFromOneAccumulatorAllExplosionsShare)
{
    Explosion first(&demo), second(&demo);
    place(first, 0, 0.5f, 10.0f);
    place(second, 0, 0.5f, 10.0f);
    first.update(0.05f, 0.0f);
    // Two steps of 0.02 s; the ignition only lifts, so x shows the damping alone.
    EXPECT_NEAR(first.records[0].velocity[0], 10.0f * 0.9f * 0.9f, 1e-4f);
    EXPECT_NEAR(Explosion::dampingAccumulator, 0.01f, 1e-6f);
    // The 0.01 left over by the first one completes a step for the second.
    second.update(0.015f, 0.0f);
    EXPECT_NEAR(second.records[0].velocity[0], 10.0f * 0.9f, 1e-4f);
    EXPECT_NEAR(Explosion::dampingAccumulator, 0.005f, 1e-6f);
}

TEST_F(ExplosionGlTest, PhasesChangeAtAgesOneAndThreeAndBurstModeFreezesTheBurningLook)
{
    Explosion explosion(&demo);
    place(explosion, 0, 1.0f, 0);  // burns from exactly 1
    place(explosion, 1, 3.0f, 0);  // exactly 3: moves on unchanged
    place(explosion, 2, 2.0f, 0);
    place(explosion, 3, 3.5f, 0);  // respawns
    for (int i = 0; i < 4; ++i)
        paint(explosion, i, 7.0f);
    explosion.update(0.0f, 1.0f);

    Look burning = lookOf(explosion, 0);
    EXPECT_FLOAT_EQ(burning.halfSize, 0.5f * 1.0f * 11.5f + 3.0f);
    EXPECT_FLOAT_EQ(burning.u, 0.5f);
    Look atThree = lookOf(explosion, 1);
    EXPECT_FLOAT_EQ(atThree.halfSize, 7.0f);
    EXPECT_FLOAT_EQ(atThree.red, 0.125f);
    EXPECT_FLOAT_EQ(explosion.records[1].position[0], 5.0f);
    EXPECT_FLOAT_EQ(lookOf(explosion, 2).halfSize, 0.5f * 2.0f * 11.5f + 3.0f);

    const Explosion::Record& reborn = explosion.records[3];
    EXPECT_EQ(lookOf(explosion, 3).halfSize, 0.0f);
    EXPECT_EQ(reborn.position[0], 0.0f);
    EXPECT_EQ(reborn.sinceRespawn, 0.0f);
    EXPECT_LE(reborn.age, 2.0f);
    EXPECT_GT(std::fabs(reborn.velocity[0]) + std::fabs(reborn.velocity[1]), 0.0f);

    // Between rows 288 and 290 only ignition draws: a 2-second-old particle keeps its look.
    place(explosion, 2, 2.0f, 0);
    paint(explosion, 2, 7.0f);
    explosion.update(0.0f, rowTime(289));
    Look frozen = lookOf(explosion, 2);
    EXPECT_FLOAT_EQ(frozen.halfSize, 7.0f);
    EXPECT_FLOAT_EQ(frozen.u, 0.25f);
    EXPECT_FLOAT_EQ(frozen.alpha, 0.5f);
}

TEST_F(ExplosionGlTest, TheSameTimeGivesTheSameRespawnsWhateverRanBefore)
{
    Explosion explosion(&demo);
    auto respawnAll = [&](float t) {
        for (int i = 0; i < Explosion::ParticleCount; ++i)
            place(explosion, i, 4.0f, 0);
        explosion.update(0.0f, t);
        return explosion.records;
    };
    std::vector<Explosion::Record> first = respawnAll(2.0f);
    for (int i = 0; i < 777; ++i)
        Orvane::Utils::random();
    std::vector<Explosion::Record> again = respawnAll(2.0f);
    std::vector<Explosion::Record> later = respawnAll(2.5f);
    int same = 0, sameLater = 0;
    for (size_t i = 0; i < first.size(); ++i) {
        same += first[i].velocity[0] == again[i].velocity[0] && first[i].age == again[i].age;
        sameLater += first[i].velocity[0] == later[i].velocity[0] && first[i].age == later[i].age;
    }
    EXPECT_EQ(same, Explosion::ParticleCount);
    EXPECT_LT(sameLater, 100);
}

TEST_F(ExplosionGlTest, BurnsAsAWarmFireBallOverBlack)
{
    Explosion explosion(&demo);
    setCamera(0, -700, 150, 0, 0, 150);
    // Three seconds of simulation, then one frame drawn.
    const float frame = 1.0f / 30.0f;
    for (int k = 0; k < 90; ++k) {
        demo.time = 40.0f + k * frame;
        explosion.update(frame, k * frame);
    }
    demo.frameDelta = frame;
    Orvane::State::resetMatrices();
    demo.restoreScreenViewport();
    device().clear(Orvane::ClearTarget::All, 0, 0, 0, 1, 1, 0);
    demo.setCamera(1, 1, 1000);
    explosion.draw(90 * frame);
    std::vector<unsigned char> pixels = readPixels(0, 0, Width, Height);
    double red = 0, blue = 0;
    int lit = 0;
    for (size_t i = 0; i < pixels.size(); i += 4)
        if (pixels[i] + pixels[i + 1] + pixels[i + 2] > 90) {
            ++lit;
            red += pixels[i];
            blue += pixels[i + 2];
        }
    // A ball, not a speck and not the whole screen, glowing warm.
    EXPECT_GT(lit, Width * Height / 50);
    EXPECT_LT(lit, Width * Height * 3 / 4);
    EXPECT_GT(red, blue * 1.5);
    EXPECT_EQ(pixelAt(0, 0)[0] + pixelAt(Width - 1, Height - 1)[0], 0);
}
