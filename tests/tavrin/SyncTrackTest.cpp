#include "tavrin/SyncTrack.h"

#include "orvane/exceptions/Exception.h"

#include <gtest/gtest.h>

#include <cmath>

using Tavrin::SyncKey;
using Tavrin::SyncTrack;
using V = Orvane::Vector4t<float>;

namespace {

SyncKey key(float time, int mode, V in, V out)
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
    EXPECT_EQ(track.keys()[0].mode, Tavrin::Linear);
    EXPECT_EQ(track.evaluate(-3.0f), all(0));
    EXPECT_EQ(track.evaluate(7.0f), all(0));
}

TEST(SyncTrack, OneKeyGivesInValueBeforeAndOutValueFromItsTime)
{
    SyncTrack track = trackOf({key(2, Tavrin::Linear, all(1), all(5))});
    EXPECT_EQ(track.evaluate(1.999f), all(1));
    EXPECT_EQ(track.evaluate(2.0f), all(5));
    EXPECT_EQ(track.evaluate(100.0f), all(5));
}

TEST(SyncTrack, LinearAndSmoothInterpolateFromOutValueToNextInValue)
{
    SyncTrack linear = trackOf({key(0, Tavrin::Linear, all(-1), all(0)), key(10, Tavrin::Linear, all(10), all(99))});
    EXPECT_EQ(linear.evaluate(2.5f), all(2.5f));

    SyncTrack smooth = trackOf({key(0, Tavrin::Smooth, all(0), all(0)), key(10, Tavrin::Linear, all(10), all(10))});
    V mid = smooth.evaluate(5.0f);
    EXPECT_NEAR(mid.x, 4.99985f, 1e-5f);
    EXPECT_NEAR(mid.x, 10.0f * (0.5f - 0.5f * std::cos(1.570766f)), 1e-6f);
    EXPECT_LT(mid.x, 5.0f);
    EXPECT_EQ(mid.y, mid.x);
    EXPECT_NEAR(smooth.evaluate(10.0f).w, 10.0f, 1e-6f);
}

TEST(SyncTrack, StepHoldsUntilTheLastKeyThenJumpsToItsOutValue)
{
    SyncTrack track = trackOf({key(0, Tavrin::Step, all(0), V(1, 0, 0, 0)), key(1, Tavrin::Linear, all(9), all(7))});
    EXPECT_EQ(track.evaluate(0.999f), V(1, 0, 0, 0));
    EXPECT_EQ(track.evaluate(1.0f), all(7));
}

TEST(SyncTrack, InnerKeyTimeTakesThePreviousSegmentAtItsEnd)
{
    SyncTrack linear = trackOf({key(0, Tavrin::Linear, all(0), all(0)), key(1, Tavrin::Linear, all(3), all(4)),
                                key(2, Tavrin::Linear, all(8), all(8))});
    EXPECT_EQ(linear.evaluate(1.0f), all(3));
    EXPECT_EQ(linear.evaluate(0.0f), all(0));
    SyncTrack step = trackOf({key(0, Tavrin::Step, all(0), all(6)), key(1, Tavrin::Linear, all(3), all(4)),
                              key(2, Tavrin::Linear, all(8), all(8))});
    EXPECT_EQ(step.evaluate(1.0f), all(6));
    EXPECT_EQ(step.evaluate(1.5f), all(6));
    // Coming back from the later segment gives the same value as arriving from the earlier one.
    EXPECT_EQ(linear.evaluate(1.5f), all(6));
    EXPECT_EQ(linear.evaluate(1.0f), all(3));
    EXPECT_EQ(step.evaluate(1.0f), all(6));
}

TEST(SyncTrack, UnknownModeEvaluatesToZero)
{
    SyncTrack track = trackOf(
        {key(0, 3, all(1), all(1)), key(1, Tavrin::Linear, all(2), all(2)), key(2, Tavrin::Linear, all(4), all(4))});
    EXPECT_EQ(track.evaluate(0.5f), all(0));
    EXPECT_EQ(track.evaluate(1.5f), all(3));
}

TEST(SyncTrack, CachedIndexFollowsTimeBothWaysAndSurvivesFewerKeys)
{
    std::vector<SyncKey> keys;
    for (int i = 0; i < 6; ++i)
        keys.push_back(key(float(i), Tavrin::Linear, all(float(i)), all(float(i))));
    SyncTrack track = trackOf(keys);
    EXPECT_EQ(track.evaluate(4.5f), all(4.5f));
    EXPECT_EQ(track.cachedIndex(), 4);
    EXPECT_EQ(track.evaluate(0.25f), all(0.25f));
    EXPECT_EQ(track.cachedIndex(), 0);
    track.evaluate(4.5f);

    track.setKeys({key(0, Tavrin::Linear, all(0), all(0)), key(2, Tavrin::Linear, all(4), all(4))});
    EXPECT_EQ(track.cachedIndex(), 4) << "a reload keeps the cached index";
    EXPECT_EQ(track.evaluate(1.0f), all(2.0f));
    EXPECT_EQ(track.cachedIndex(), 0);
}

TEST(SyncTrack, RejectsKeysThatCannotFormATrack)
{
    SyncTrack track;
    EXPECT_THROW(track.setKeys({}), Orvane::Exceptions::Exception);
    EXPECT_THROW(track.setKeys({key(1, 1, all(0), all(0)), key(0, 1, all(0), all(0))}), Orvane::Exceptions::Exception);
    EXPECT_THROW(track.setKeys({key(1, 1, all(0), all(0)), key(1, 1, all(0), all(0))}), Orvane::Exceptions::Exception);
    EXPECT_THROW(track.setKeys({key(NAN, 1, all(0), all(0))}), Orvane::Exceptions::Exception);
    EXPECT_EQ(track.keys().size(), 1u) << "a rejected set leaves the keys in force";
}

TEST(SyncTrack, NotANumberTimeGivesTheFirstInValue)
{
    SyncTrack track = trackOf({key(0, Tavrin::Linear, all(1), all(1)), key(1, Tavrin::Linear, all(2), all(2)),
                               key(2, Tavrin::Linear, all(3), all(3))});
    EXPECT_EQ(track.evaluate(NAN), all(1));
}
