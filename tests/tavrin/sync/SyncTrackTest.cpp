#include "tavrin/sync/SyncTrack.h"

#include "orvane/exceptions/Exception.h"

#include <gtest/gtest.h>

#include <cmath>

using Tavrin::Sync::InterpolationMode;
using Tavrin::Sync::SyncKey;
using Tavrin::Sync::SyncTrack;
using V = Orvane::Vector4t<float>;

namespace {

constexpr auto Step = InterpolationMode::Step;
constexpr auto Linear = InterpolationMode::Linear;
constexpr auto Smooth = InterpolationMode::Smooth;

SyncKey key(float time, InterpolationMode mode, V in, V out)
{
    SyncKey k;
    k.time = time;
    k.mode = mode;
    k.inValue = in;
    k.outValue = out;
    return k;
}

V all(float v) { return {v, v, v, v}; }

SyncTrack trackOf(std::vector<SyncKey> keys)
{
    SyncTrack track;
    track.setKeys(std::move(keys));
    return track;
}

}

TEST(SyncTrack, NewTrackIsOneZeroLinearKey)
{
    SyncTrack track;
    ASSERT_EQ(track.keys().size(), 1u);
    EXPECT_EQ(track.keys()[0].mode, Linear);
    EXPECT_EQ(track.evaluate(-3.0f), all(0));
    EXPECT_EQ(track.evaluate(7.0f), all(0));
}

TEST(SyncTrack, OneKeyGivesInValueBeforeAndOutValueFromItsTime)
{
    SyncTrack track = trackOf({key(2, Linear, all(1), all(5))});
    EXPECT_EQ(track.evaluate(1.999f), all(1));
    EXPECT_EQ(track.evaluate(2.0f), all(5));
    EXPECT_EQ(track.evaluate(100.0f), all(5));
}

TEST(SyncTrack, LinearAndSmoothInterpolateFromOutValueToNextInValue)
{
    SyncTrack linear = trackOf({key(0, Linear, all(-1), all(0)), key(10, Linear, all(10), all(99))});
    EXPECT_EQ(linear.evaluate(2.5f), all(2.5f));

    SyncTrack smooth = trackOf({key(0, Smooth, all(0), all(0)), key(10, Linear, all(10), all(10))});
    V mid = smooth.evaluate(5.0f);
    EXPECT_NEAR(mid.x, 4.99985f, 1e-5f);
    EXPECT_NEAR(mid.x, 10.0f * (0.5f - 0.5f * std::cos(1.570766f)), 1e-6f);
    EXPECT_LT(mid.x, 5.0f);
    EXPECT_EQ(mid.y, mid.x);
    EXPECT_NEAR(smooth.evaluate(10.0f).w, 10.0f, 1e-6f);
}

TEST(SyncTrack, StepHoldsUntilTheLastKeyThenJumpsToItsOutValue)
{
    SyncTrack track = trackOf({key(0, Step, all(0), V(1, 0, 0, 0)), key(1, Linear, all(9), all(7))});
    EXPECT_EQ(track.evaluate(0.999f), V(1, 0, 0, 0));
    EXPECT_EQ(track.evaluate(1.0f), all(7));
}

TEST(SyncTrack, InnerKeyTimeTakesThePreviousSegmentAtItsEnd)
{
    SyncTrack linear = trackOf({key(0, Linear, all(0), all(0)), key(1, Linear, all(3), all(4)),
                                key(2, Linear, all(8), all(8))});
    EXPECT_EQ(linear.evaluate(1.0f), all(3));
    EXPECT_EQ(linear.evaluate(0.0f), all(0));
    SyncTrack step = trackOf({key(0, Step, all(0), all(6)), key(1, Linear, all(3), all(4)),
                              key(2, Linear, all(8), all(8))});
    EXPECT_EQ(step.evaluate(1.0f), all(6));
    EXPECT_EQ(step.evaluate(1.5f), all(6));
    // Coming back from the later segment gives the same value as arriving from the earlier one.
    EXPECT_EQ(linear.evaluate(1.5f), all(6));
    EXPECT_EQ(linear.evaluate(1.0f), all(3));
    EXPECT_EQ(step.evaluate(1.0f), all(6));
}

TEST(SyncTrack, EveryTimeFindsItsSegmentWhateverWasEvaluatedBefore)
{
    std::vector<SyncKey> keys;
    for (int i = 0; i < 6; ++i)
        keys.push_back(key(float(i), Linear, all(float(i * i)), all(float(i * i))));
    const SyncTrack track = trackOf(keys);
    const float times[] = {4.5f, 0.25f, 3.0f, 5.0f, 1.0f, 2.75f, 4.0f};
    for (float t : times) {
        float below = std::floor(t), above = std::ceil(t);
        float expected = t == below ? below * below : below * below + (t - below) * (above * above - below * below);
        EXPECT_EQ(track.evaluate(t), all(expected)) << t;
    }
}

TEST(SyncTrack, RejectsKeysThatCannotFormATrack)
{
    SyncTrack track;
    EXPECT_THROW(track.setKeys({}), Orvane::Exceptions::Exception);
    EXPECT_THROW(track.setKeys({key(1, Linear, all(0), all(0)), key(0, Linear, all(0), all(0))}),
                 Orvane::Exceptions::Exception);
    EXPECT_THROW(track.setKeys({key(1, Linear, all(0), all(0)), key(1, Linear, all(0), all(0))}),
                 Orvane::Exceptions::Exception);
    EXPECT_THROW(track.setKeys({key(NAN, Linear, all(0), all(0))}), Orvane::Exceptions::Exception);
    EXPECT_THROW(track.setKeys({key(0, InterpolationMode(3), all(0), all(0))}), Orvane::Exceptions::Exception);
    EXPECT_EQ(track.keys().size(), 1u) << "a rejected set leaves the keys in force";
}

TEST(SyncTrack, NotANumberTimeGivesTheFirstInValue)
{
    SyncTrack track = trackOf({key(0, Linear, all(1), all(1)), key(1, Linear, all(2), all(2)),
                               key(2, Linear, all(3), all(3))});
    EXPECT_EQ(track.evaluate(NAN), all(1));
}
