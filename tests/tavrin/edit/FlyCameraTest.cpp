#include "tavrin/edit/FlyCamera.h"

#include "tavrin/edit/CameraKeys.h"
#include "tavrin/sync/SyncTrack.h"

#include <gtest/gtest.h>

using Orvane::Vector3;
using Orvane::Vector4;
using Tavrin::Edit::CameraPose;
using Tavrin::Edit::FlyCamera;
using Tavrin::Sync::InterpolationMode;

namespace {

::testing::AssertionResult near(const Vector3& actual, const Vector3& expected, float tolerance = 1e-4f)
{
    if (Orvane::length(actual - expected) <= tolerance)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "(" << actual.x << ", " << actual.y << ", " << actual.z << ")";
}

Vector4 at(const std::vector<Tavrin::Sync::SyncKey>& keys, float time)
{
    Tavrin::Sync::SyncTrack track;
    track.setKeys(keys);
    return track.evaluate(time);
}

}

TEST(FlyCamera, StartsWhereThePoseIsTurnsAboutUpAndFliesAlongItsView)
{
    // z up, looking along +y from 10 units away.
    FlyCamera camera({{0, -10, 0}, {0, 0, 0}, {0, 0, 2}, 50.0f});
    CameraPose pose = camera.pose();
    EXPECT_TRUE(near(pose.eye, {0, -10, 0}));
    EXPECT_TRUE(near(pose.target, {0, 0, 0}));
    EXPECT_TRUE(near(pose.up, {0, 0, 1}));
    EXPECT_EQ(pose.fov, 50.0f);

    camera.look(90.0f, 0.0f);
    EXPECT_TRUE(near(camera.pose().target, {10, -10, 0})) << "a right turn looks along +x";
    camera.look(0.0f, 200.0f);
    Vector3 view = camera.pose().target - camera.pose().eye;
    EXPECT_NEAR(view.z / Orvane::length(view), std::sin(89.0f * 3.14159265f / 180.0f), 1e-5f) << "stops short of up";
    camera.look(0.0f, -89.0f);

    float speed = camera.speed();
    camera.move(1.0f, 0.0f, 0.0f, 2.0f);
    EXPECT_TRUE(near(camera.pose().eye, {2 * speed, -10, 0}));
    camera.move(0.0f, -1.0f, 1.0f, 1.0f);
    EXPECT_TRUE(near(camera.pose().eye, {2 * speed, -10 + speed, speed})) << "left of +x is +y";
    camera.changeSpeed(2);
    EXPECT_FLOAT_EQ(camera.speed(), speed * 1.5625f);
}

TEST(CameraKeys, TheCameraTracksHoldThePoseAtTheKeyAndKeepTheirOtherComponentsAndModes)
{
    Tavrin::Sync::SyncTrackKeys keys;
    keys[0] = {{0.0f, {0, 0, 0, 7}, {0, 0, 0, 7}, InterpolationMode::Smooth},
               {10.0f, {10, 0, 0, 7}, {10, 0, 0, 7}, InterpolationMode::Step}};
    keys[1] = {{4.0f, {1, 1, 1, 1}, {2, 2, 2, 2}, InterpolationMode::Linear}};
    keys[2] = {{0.0f, {0, 0, 1, 0}, {0, 0, 1, 0}, InterpolationMode::Step}};
    keys[3] = {{0.0f, {60, 1, 2, 3}, {60, 1, 2, 3}, InterpolationMode::Step}};
    keys[9] = {{1.0f, {9, 9, 9, 9}, {9, 9, 9, 9}, InterpolationMode::Linear}};
    CameraPose pose{{5, 6, 7}, {8, 9, 10}, {0, 1, 0}, 35.0f};

    Tavrin::Sync::SyncTrackKeys keyed = Tavrin::Edit::withCameraKey(keys, 4.0f, pose);
    EXPECT_EQ(at(keyed[0], 4.0f), Vector4(5, 6, 7, 7));
    EXPECT_EQ(at(keyed[1], 4.0f), Vector4(8, 9, 10, 2));
    EXPECT_EQ(at(keyed[2], 4.0f), Vector4(0, 1, 0, 0));
    EXPECT_EQ(at(keyed[3], 4.0f), Vector4(35, 1, 2, 3));
    ASSERT_EQ(keyed[0].size(), 3u);
    EXPECT_EQ(keyed[0][1].mode, InterpolationMode::Smooth) << "a new key takes the mode of the one before";
    ASSERT_EQ(keyed[1].size(), 1u) << "the key at that time takes the pose";
    EXPECT_EQ(keyed[1][0].inValue, Vector4(1, 1, 1, 1)) << "a jump keeps the value it arrives at";
    EXPECT_EQ(keyed[1][0].mode, InterpolationMode::Linear);
    EXPECT_EQ(keyed[9].size(), keys[9].size());
    EXPECT_EQ(keyed[9][0].outValue, keys[9][0].outValue) << "other tracks stay";

    Tavrin::Sync::SyncTrackKeys atTheEnd = Tavrin::Edit::withCameraKey(keys, 10.0f, pose);
    ASSERT_EQ(atTheEnd[0].size(), 2u);
    EXPECT_EQ(atTheEnd[0][1].mode, InterpolationMode::Step);
    EXPECT_EQ(atTheEnd[0][1].inValue, Vector4(5, 6, 7, 7));
}
