#include "FlowTestSupport.h"

#include "orvane/State.h"
#include "tavrin/flow/ParentNode.h"

using namespace Tavrin::Flow;
using FlowTest::RecordingVisual;
using FlowTest::TestDemo;
using FlowTest::TimeProbe;

TEST(FlowNodeModel, CountNodesCountsListedDescendants)
{
    Node single(3.0f);
    EXPECT_EQ(single.countNodes(), 1);
    EXPECT_EQ(single.evaluate(9.0f), 3.0f);

    ParentNode root;
    root.addChild(std::make_unique<Node>(1.0f));
    ParentNode* group = root.addChild(std::make_unique<ParentNode>());
    EXPECT_EQ(root.countNodes(), 3);
    group->addChild(std::make_unique<Node>());
    group->keepUnlisted(std::make_unique<Node>());
    EXPECT_EQ(root.countNodes(), 4);
}

TEST(FlowNodeModel, BorrowedVisualsAreEvaluatedUnderEachParentButNeverDestroyed)
{
    TestDemo demo;
    {
        ParentNode root;
        ParentNode* early = root.addChild(std::make_unique<ParentNode>());
        ParentNode* late = root.addChild(std::make_unique<ParentNode>());
        early->addBorrowedChild(&demo.probe());
        late->addBorrowedChild(&demo.probe());
        EXPECT_EQ(root.countNodes(), 5);
        root.evaluate(2.0f);
        EXPECT_EQ(demo.probe().sightings.size(), 2u);
    }
    EXPECT_FALSE(demo.probeDestroyed);
}

TEST(FlowNodeModel, ContainerDrawsInsideSavedMatricesAndSkipsItsChildren)
{
    Orvane::State::resetMatrices();
    Orvane::State::translateWorld(1.0f, 2.0f, 3.0f);
    const Orvane::Matrix4 before = Orvane::State::matrices().world;

    struct Mover : VisualContainerNode {
        using VisualContainerNode::VisualContainerNode;
        void draw(float time) override
        {
            drawnAt = time;
            translateWorld(5.0f, 0.0f, 0.0f);
            perspective(60.0f, 1.0f, 1.0f, 10.0f);
            lookAt(0, 0, 5, 0, 0, 0, 0, 1, 0);
        }
        float drawnAt = -1.0f;
    };
    TestDemo demo;
    Mover mover(&demo);
    TimeProbe* child = mover.addChild(std::make_unique<TimeProbe>());
    EXPECT_EQ(mover.evaluate(1.25f), 0.0f);
    EXPECT_EQ(mover.drawnAt, 1.25f);
    EXPECT_TRUE(child->times.empty());
    const Orvane::State::Matrices& after = Orvane::State::matrices();
    EXPECT_EQ(after.world, before);
    EXPECT_EQ(after.view, Orvane::Matrix4());
    EXPECT_EQ(after.projection, Orvane::Matrix4());
    EXPECT_TRUE(after.worldDirty && after.viewDirty && after.projectionDirty);
    EXPECT_EQ(mover.demo, &demo);
}
