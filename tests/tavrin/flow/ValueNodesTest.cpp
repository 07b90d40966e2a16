#include "FlowTestSupport.h"

#include "tavrin/flow/AtNode.h"
#include "tavrin/flow/Color.h"
#include "tavrin/flow/Fade.h"
#include "tavrin/flow/ParentNode.h"
#include "tavrin/flow/TimeStretch.h"
#include "tavrin/flow/VectorNode.h"

using namespace Tavrin::Flow;
using FlowTest::TimeProbe;

TEST(FlowFade, LinearRampHoldsItsEndValuesOutsideTheSpan)
{
    Fade fade(FadeMode::Linear, 1.0f, 3.0f, 0.0f, 10.0f);
    EXPECT_EQ(fade.evaluate(0.0f), 0.0f);
    EXPECT_EQ(fade.evaluate(1.0f), 0.0f);
    EXPECT_EQ(fade.evaluate(2.0f), 5.0f);
    EXPECT_EQ(fade.evaluate(2.5f), 7.5f);
    EXPECT_EQ(fade.evaluate(3.0f), 10.0f);
    EXPECT_EQ(fade.evaluate(4.0f), 10.0f);
}

TEST(FlowFade, SCurveUsesTheShortPiConstant)
{
    Fade fade(FadeMode::SCurve, 1.0f, 3.0f, 0.0f, 10.0f);
    EXPECT_EQ(fade.evaluate(0.0f), 0.0f);
    EXPECT_FLOAT_EQ(fade.evaluate(2.0f), 4.999848f);
    EXPECT_EQ(fade.evaluate(3.0f), 10.0f);
    EXPECT_EQ(fade.evaluate(7.0f), 10.0f);
}

TEST(FlowFade, ZeroLengthFadeIsAStepToItsTargetNotADivisionByZero)
{
    for (FadeMode mode : {FadeMode::Linear, FadeMode::SCurve}) {
        Fade fade(mode, 2.0f, 2.0f, 3.0f, 7.0f);
        EXPECT_EQ(fade.evaluate(1.9f), 3.0f);
        EXPECT_EQ(fade.evaluate(2.0f), 7.0f);
        EXPECT_EQ(fade.evaluate(2.1f), 7.0f);
    }
}

TEST(FlowFade, UnknownModeGivesZero)
{
    Fade fade(static_cast<FadeMode>(5), 0.0f, 1.0f, 3.0f, 7.0f);
    EXPECT_EQ(fade.evaluate(0.5f), 0.0f);
}

TEST(FlowAtNode, RunsChildrenStrictlyInsideItsWindowOnALocalClock)
{
    AtNode at(2.0f, 3.0f);
    TimeProbe* probe = at.addChild(std::make_unique<TimeProbe>());
    for (float t : {1.0f, 2.0f, 3.5f, 4.99f, 5.0f, 6.0f})
        EXPECT_EQ(at.evaluate(t), 0.0f);
    ASSERT_EQ(probe->times.size(), 2u);
    EXPECT_EQ(probe->times[0], 1.5f);
    EXPECT_FLOAT_EQ(probe->times[1], 2.99f);
}

TEST(FlowTimeStretch, ScalesThenSubtractsTheOffset)
{
    TimeStretch stretch(2.0f, 1.0f);
    TimeProbe* probe = stretch.addChild(std::make_unique<TimeProbe>());
    TimeStretch transparent(1.0f, 0.0f);
    TimeProbe* same = transparent.addChild(std::make_unique<TimeProbe>());
    for (float t : {-1.0f, 0.0f, 3.0f}) {
        EXPECT_EQ(stretch.evaluate(t), 0.0f);
        transparent.evaluate(t);
    }
    EXPECT_EQ(probe->times, (std::vector<float>{-3.0f, -1.0f, 5.0f}));
    EXPECT_EQ(same->times, (std::vector<float>{-1.0f, 0.0f, 3.0f}));
}

TEST(FlowTimeStretch, AnAtInsideAStretchOpensOnTheStretchedClock)
{
    TimeStretch stretch(0.5f, 0.0f);
    AtNode* at = stretch.addChild(std::make_unique<AtNode>(10.0f, 3.0f));
    TimeProbe* probe = at->addChild(std::make_unique<TimeProbe>());
    for (float t : {19.0f, 20.0f, 22.0f, 25.0f, 26.0f, 27.0f})
        stretch.evaluate(t);
    EXPECT_EQ(probe->times, (std::vector<float>{1.0f, 2.5f}));
}

TEST(FlowParentNode, EvaluatesChildrenInListOrderAndReturnsItsValue)
{
    ParentNode parent(4.0f);
    EXPECT_EQ(parent.evaluate(1.0f), 4.0f);
    std::vector<int> order;
    struct Ordered : Node {
        Ordered(std::vector<int>& orderValue, int idValue)
            : order(orderValue)
            , id(idValue)
        {}
        float evaluate(float) override
        {
            order.push_back(id);
            return 0.0f;
        }
        std::vector<int>& order;
        int id;
    };
    for (int id = 0; id < 3; ++id)
        parent.addChild(std::make_unique<Ordered>(order, id));
    parent.evaluate(0.0f);
    EXPECT_EQ(order, (std::vector<int>{0, 1, 2}));
}

TEST(FlowColor, ComponentsAnimateWhileTheNodeItselfStaysZero)
{
    Color color(0.2f, 0.4f, 0.6f, 1.0f);
    color.a = color.addChild(std::make_unique<Fade>(FadeMode::Linear, 0.0f, 2.0f, 0.0f, 1.0f));
    EXPECT_EQ(color.colorAt(1.0f), (Orvane::Vector4t<float>(0.2f, 0.4f, 0.6f, 0.5f)));
    EXPECT_EQ(color.colorAt(2.0f).w, 1.0f);
    EXPECT_EQ(color.evaluate(1.0f), 0.0f);
    EXPECT_EQ(color.countNodes(), 2) << "initial constants are owned, not listed";

    VectorNode vector(1.0f, 2.0f, 3.0f);
    vector.y = vector.addChild(std::make_unique<Fade>(FadeMode::Linear, 0.0f, 1.0f, 0.0f, 8.0f));
    EXPECT_EQ(vector.vectorAt(0.5f), (Orvane::Vector3t<float>(1.0f, 4.0f, 3.0f)));
    EXPECT_EQ(vector.evaluate(0.5f), 0.0f);
}
