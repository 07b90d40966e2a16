#include "ByteStreams.h"

#include "orvane/exceptions/Exception.h"
#include "orvane/utils/scenegraph/BezierTrack.h"
#include "orvane/utils/scenegraph/ChannelBlock.h"
#include "orvane/utils/scenegraph/LinearTrack.h"

#include <gtest/gtest.h>

using namespace Orvane::Utils::SceneGraph;
using Orvane::Exceptions::Exception;
using Orvane::Exceptions::UnsupportedFormatException;
using TestSupport::ByteReader;
using TestSupport::ByteWriter;

namespace {

ScalarControllers readBlock(const ByteWriter& file, int components)
{
    ByteReader stream(file.bytes());
    ScalarControllers controllers = readChannelBlock(stream, components);
    EXPECT_EQ(size_t(stream.position()), file.bytes().size()) << "the block was not read to its end";
    return controllers;
}

std::string formatError(const ByteWriter& file, int components)
{
    ByteReader stream(file.bytes());
    try {
        readChannelBlock(stream, components);
    } catch (const UnsupportedFormatException& e) {
        return e.getMessage();
    }
    return "no UnsupportedFormatException";
}

std::vector<const Controller<float>*> view(const ScalarControllers& controllers)
{
    std::vector<const Controller<float>*> result;
    for (const auto& c : controllers)
        result.push_back(c.get());
    return result;
}

}

TEST(ChannelBlock, NoneGivesConstantsFromTheDefaults)
{
    ScalarControllers c = readBlock(ByteWriter().str("none").floats({1.0f, 2.0f, 3.0f}), 3);
    ASSERT_EQ(c.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        ASSERT_NE(dynamic_cast<ConstantController<float>*>(c[size_t(i)].get()), nullptr);
        EXPECT_EQ(c[size_t(i)]->Sample(7.0f), float(i + 1));
    }
}

TEST(ChannelBlock, LinearKeysGoToEveryComponentWithTheirTimeAndDefaultsAreIgnored)
{
    ByteWriter file;
    file.str("linear").i32(2).floats({0.0f, 0.0f, 100.0f}).floats({2.0f, 10.0f, 200.0f}).floats({-1.0f, -1.0f});
    ScalarControllers c = readBlock(file, 2);
    ASSERT_EQ(c.size(), 2u);
    ASSERT_NE(dynamic_cast<LinearTrack*>(c[0].get()), nullptr);
    EXPECT_FLOAT_EQ(c[0]->Sample(1.0f), 5.0f);
    EXPECT_FLOAT_EQ(c[1]->Sample(1.0f), 150.0f);
    EXPECT_FLOAT_EQ(c[1]->Sample(-3.0f), 100.0f);
}

TEST(ChannelBlock, BezierKeysKeepTheirTangentsPerComponent)
{
    ByteWriter file;
    file.str("bezier").i32(2);
    file.f32(0.0f).floats({0.0f, 1.0f}).floats({0.1f, 0.2f, 0.3f, 0.4f}).floats({0.5f, 0.6f, 0.7f, 0.8f});
    file.f32(2.0f).floats({10.0f, 3.0f}).floats({1.1f, 1.2f, 1.3f, 1.4f}).floats({1.5f, 1.6f, 1.7f, 1.8f});
    file.floats({9.0f, 9.0f});
    ScalarControllers c = readBlock(file, 2);
    auto* y = dynamic_cast<BezierTrack*>(c[1].get());
    ASSERT_NE(y, nullptr);
    EXPECT_EQ(y->keys()[0].tangent1, (BezierTrack::Tangent{0.3f, 0.4f}));
    EXPECT_EQ(y->keys()[1].tangent2, (BezierTrack::Tangent{1.7f, 1.8f}));
    EXPECT_FLOAT_EQ(c[0]->Sample(1.0f), 5.0f);
    EXPECT_FLOAT_EQ(c[1]->Sample(1.0f), 2.0f);
}

TEST(ChannelBlock, LinearWithoutKeysGivesEmptyTracksThatThrowWhenSampled)
{
    ScalarControllers c = readBlock(ByteWriter().str("linear").i32(0).floats({4.0f, 5.0f}), 2);
    ASSERT_EQ(c.size(), 2u);
    try {
        c[1]->Sample(0.0f);
        FAIL() << "an empty track sampled without error";
    } catch (const Exception& e) {
        EXPECT_EQ(e.getMessage(), "LinearTrack::Sample: track is empty");
    }
}

TEST(ChannelBlock, DamagedBlocksAreRejected)
{
    EXPECT_EQ(formatError(ByteWriter().str("cubic").floats({1.0f}), 1),
              "readChannelBlock(): unknown channel kind \"cubic\" (expected \"bezier\", \"linear\" or \"none\")");
    EXPECT_EQ(formatError(ByteWriter().str("linear").i32(-1), 1), "readChannelBlock(): negative key count -1");
    EXPECT_EQ(formatError(ByteWriter().str("bezier").i32(0x7fffffff), 3),
              "readChannelBlock(): 2147483647 keys are more than a file can hold");
    EXPECT_EQ(formatError(ByteWriter().str("none").floats({1.0f}), 2), "Unsupported format: the file is truncated");
    EXPECT_EQ(formatError(ByteWriter().str("none"), 5000),
              "readChannelBlock(): component count 5000 is outside 0 to 4096");
}

TEST(ChannelBlock, WrittenBlocksReadBackUnchanged)
{
    ScalarControllers linear;
    for (float scale : {1.0f, -2.0f}) {
        auto track = std::make_unique<LinearTrack>();
        track->addKey(0.0f, 1.0f * scale);
        track->addKey(0.5f, 3.0f * scale);
        linear.push_back(std::move(track));
    }
    ByteWriter file;
    writeChannelBlock(file, view(linear));
    ScalarControllers back = readBlock(file, 2);
    for (float t : {-1.0f, 0.25f, 0.5f, 2.0f})
        for (size_t i = 0; i < 2; ++i)
            EXPECT_EQ(back[i]->Sample(t), linear[i]->Sample(t));

    ScalarControllers bezier;
    auto track = std::make_unique<BezierTrack>();
    track->addKey(1.0f, 2.0f, {0.25f, 0.5f}, {0.75f, 1.0f});
    bezier.push_back(std::move(track));
    ByteWriter bezierFile;
    writeChannelBlock(bezierFile, view(bezier));
    ScalarControllers bezierBack = readBlock(bezierFile, 1);
    auto* backTrack = dynamic_cast<BezierTrack*>(bezierBack[0].get());
    ASSERT_NE(backTrack, nullptr);
    EXPECT_EQ(backTrack->keys()[0].tangent2, (BezierTrack::Tangent{0.75f, 1.0f}));
}

TEST(ChannelBlock, ComponentsThatCannotShareABlockAreRefused)
{
    ScalarControllers mixed;
    mixed.push_back(std::make_unique<ConstantController<float>>(1.0f));
    mixed.push_back(std::make_unique<LinearTrack>());
    EXPECT_FALSE(sharesOneChannelBlock(view(mixed)));
    ByteWriter file;
    EXPECT_THROW(writeChannelBlock(file, view(mixed)), Exception);

    ScalarControllers differentTimes;
    for (float time : {0.0f, 1.0f}) {
        auto track = std::make_unique<LinearTrack>();
        track->addKey(time, 0.0f);
        differentTimes.push_back(std::move(track));
    }
    EXPECT_FALSE(sharesOneChannelBlock(view(differentTimes)));
}
