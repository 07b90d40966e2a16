#include "FlowTestSupport.h"

#include "tavrin/flow/ValueSyntax.h"

using Orvane::BlendOperandEnum;
using Tavrin::Flow::parseBlendDestination;
using Tavrin::Flow::parseBlendSource;
using Tavrin::Flow::parseTime;
using Tavrin::Flow::parseValue;

namespace {

struct TimeCase {
    const char* text;
    float seconds;
};

}

TEST(FlowTimeSyntax, ColonFormsAreRightAlignedSixteenthsAtTheTempo)
{
    FlowTest::TestDemo demo;
    demo.bpm = 120.0f;
    const TimeCase cases[] = {
        {"16", 2.0f}, {"1:0", 0.5f},  {"1:0:0", 2.0f}, {"1:0:0:0", 8.0f}, {"0:9", 1.125f},     {"2:1", 1.125f},
        {"+4", 0.5f}, {"-2", -0.25f}, {"0x10", 2.0f},  {"010", 1.0f},     {"1:0:0:0:5", 8.0f}, {" 8", 1.0f},
    };
    for (const TimeCase& c : cases)
        EXPECT_FLOAT_EQ(parseTime(c.text, demo), c.seconds) << c.text;
}

TEST(FlowTimeSyntax, ReadingStopsWhereScanfWouldStop)
{
    FlowTest::TestDemo demo;
    demo.bpm = 120.0f;
    // "08" is octal 0 followed by a stray 8; -1 ends the form at its field; "4 :1" has a blank
    // where the colon must be.
    const TimeCase cases[] = {
        {"0:08", 0.0f},    {"", 0.0f},     {"x", 0.0f},  {"-1", 0.0f},       {"-1:4", 0.0f},
        {"2:-1:3", 0.25f}, {"4 :1", 0.5f}, {"4:", 0.5f}, {"3beats", 0.375f},
    };
    for (const TimeCase& c : cases)
        EXPECT_FLOAT_EQ(parseTime(c.text, demo), c.seconds) << c.text;
    EXPECT_EQ(parseTime(nullptr, demo), 0.0f);
}

TEST(FlowTimeSyntax, FollowsTheCurrentTempo)
{
    FlowTest::TestDemo demo;
    EXPECT_FLOAT_EQ(parseTime("1:0:0", demo), 16 * 60.0f / (4 * 162.0f));
    demo.bpm = 60.0f;
    EXPECT_FLOAT_EQ(parseTime("1:0:0", demo), 4.0f);
}

TEST(FlowValueSyntax, SymbolsReadTheDisplayAndTextReadsAsFloat)
{
    FlowTest::TestDemo demo;
    demo.width = 1280;
    demo.height = 720;
    demo.aspect = 1.5f;
    EXPECT_EQ(parseValue("#resolution.x", demo), 1280.0f);
    EXPECT_EQ(parseValue("#resolution.y", demo), 720.0f);
    EXPECT_EQ(parseValue("#aspect", demo), 1.5f);
    EXPECT_EQ(parseValue("#aspect ", demo), 0.0f) << "symbols match exactly";
    EXPECT_EQ(parseValue("  -2.5", demo), -2.5f);
    EXPECT_EQ(parseValue("0.25 units", demo), 0.25f);
    EXPECT_EQ(parseValue("1e2", demo), 100.0f);
    EXPECT_EQ(parseValue("wide", demo), 0.0f);
    EXPECT_EQ(parseValue("", demo), 0.0f);
}

TEST(FlowBlendWords, AlphaIsInverseAlphaAsDestinationAndUnknownWordsKeepTheDefault)
{
    const BlendOperandEnum keep = BlendOperandEnum::Zero;
    EXPECT_EQ(parseBlendSource("alpha", keep), BlendOperandEnum::SrcAlpha);
    EXPECT_EQ(parseBlendDestination("alpha", keep), BlendOperandEnum::OneMinusSrcAlpha);
    EXPECT_EQ(parseBlendSource("invalpha", keep), BlendOperandEnum::OneMinusSrcAlpha);
    EXPECT_EQ(parseBlendDestination("one", keep), BlendOperandEnum::One);
    EXPECT_EQ(parseBlendSource("color", keep), BlendOperandEnum::SrcColor);
    EXPECT_EQ(parseBlendDestination("invcolor", keep), BlendOperandEnum::OneMinusSrcColor);
    EXPECT_EQ(parseBlendSource("dstcolor", keep), BlendOperandEnum::DstColor);
    EXPECT_EQ(parseBlendDestination("invdstcolor", keep), BlendOperandEnum::OneMinusDstColor);
    EXPECT_EQ(parseBlendSource("zero", keep), keep);
    EXPECT_EQ(parseBlendDestination("ONE", keep), keep);
    EXPECT_EQ(parseBlendSource(nullptr, keep), keep);
}
