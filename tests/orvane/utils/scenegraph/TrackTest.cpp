#include "orvane/exceptions/Exception.h"
#include "orvane/utils/scenegraph/BezierTrack.h"
#include "orvane/utils/scenegraph/LinearTrack.h"

#include <gtest/gtest.h>

using namespace Orvane::Utils::SceneGraph;
using Orvane::Exceptions::Exception;

namespace {

template <typename Track>
std::string emptyTrackMessage()
{
    Track track;
    try {
        track.Sample(0.0f);
    } catch (const Exception& e) {
        return e.getMessage();
    }
    return "no exception";
}

}

TEST(LinearTrack, HoldsBeforeAndAfterAndInterpolatesBetween)
{
    LinearTrack track;
    track.addKey(0.0f, 0.0f);
    track.addKey(2.0f, 10.0f);
    EXPECT_FLOAT_EQ(track.Sample(-1.0f), 0.0f);
    EXPECT_FLOAT_EQ(track.Sample(0.0f), 0.0f);
    EXPECT_FLOAT_EQ(track.Sample(1.0f), 5.0f);
    EXPECT_FLOAT_EQ(track.Sample(2.0f), 10.0f);
    EXPECT_FLOAT_EQ(track.Sample(5.0f), 10.0f);
}

TEST(LinearTrack, KeyTimesGiveKeyValuesAcrossSeveralSegments)
{
    LinearTrack track;
    track.addKey(1.0f, 3.0f);
    track.addKey(2.0f, -1.0f);
    track.addKey(4.0f, 7.0f);
    EXPECT_EQ(track.Sample(2.0f), -1.0f);
    EXPECT_FLOAT_EQ(track.Sample(1.5f), 1.0f);
    EXPECT_FLOAT_EQ(track.Sample(3.0f), 3.0f);
    EXPECT_EQ(track.Sample(4.0f), 7.0f);
}

TEST(LinearTrack, SingleKeyIsConstant)
{
    LinearTrack track;
    track.addKey(3.0f, 4.5f);
    EXPECT_EQ(track.Sample(-100.0f), 4.5f);
    EXPECT_EQ(track.Sample(100.0f), 4.5f);
}

TEST(LinearTrack, UnorderedKeysAreDecidedByTheFirstLaterKey)
{
    LinearTrack track;
    track.addKey(0.0f, 0.0f);
    track.addKey(4.0f, 40.0f);
    track.addKey(2.0f, 20.0f);
    // t = 3 stops at the key at 4, interpolating from the key at 0.
    EXPECT_FLOAT_EQ(track.Sample(3.0f), 30.0f);
    // t = 5 finds no later key and holds the last one in the list.
    EXPECT_EQ(track.Sample(5.0f), 20.0f);
}

TEST(Tracks, EmptyTracksThrowTheirOwnMessage)
{
    EXPECT_EQ(emptyTrackMessage<LinearTrack>(), "LinearTrack::Sample: track is empty");
    EXPECT_EQ(emptyTrackMessage<BezierTrack>(), "BezierTrack::Sample: track is empty");
}

TEST(BezierTrack, TangentsAreKeptButSampleLinearly)
{
    BezierTrack track;
    track.addKey(0.0f, 0.0f, {5.0f, -3.0f}, {1.0f, 9.0f});
    track.addKey(2.0f, 10.0f, {-7.0f, 2.0f}, {0.5f, 0.25f});
    EXPECT_FLOAT_EQ(track.Sample(-1.0f), 0.0f);
    EXPECT_FLOAT_EQ(track.Sample(1.0f), 5.0f);
    EXPECT_FLOAT_EQ(track.Sample(2.0f), 10.0f);
    EXPECT_FLOAT_EQ(track.Sample(5.0f), 10.0f);
    EXPECT_EQ(track.keys()[1].tangent1, (BezierTrack::Tangent{-7.0f, 2.0f}));
    EXPECT_EQ(track.keys()[0].tangent2, (BezierTrack::Tangent{1.0f, 9.0f}));
}
