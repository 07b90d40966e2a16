#include "orvane/utils/scenegraph/Node.h"
#include "orvane/exceptions/Exception.h"
#include "orvane/utils/scenegraph/LinearTrack.h"
#include "orvane/utils/scenegraph/MatrixControllers.h"
#include "orvane/utils/scenegraph/TransformFactory.h"

#include <gtest/gtest.h>

using namespace Orvane::Utils::SceneGraph;
using Orvane::Matrix4;

namespace {

std::unique_ptr<Node> named(const std::string& name) { return std::make_unique<Node>(name); }

void expectPoint(const Orvane::Vector3t<float>& p, float x, float y, float z)
{
    EXPECT_NEAR(p.x, x, 1e-5f);
    EXPECT_NEAR(p.y, y, 1e-5f);
    EXPECT_NEAR(p.z, z, 1e-5f);
}

}

TEST(Node, FirstTransformIsOutermost)
{
    Node node("n");
    node.addTransform(makeTranslation(1.0f, 0.0f, 0.0f));
    node.addTransform(makeRotation(0.0f, 0.0f, 1.0f, 90.0f));
    node.update(0.0f, Matrix4());
    expectPoint(node.getWorldMatrix().transformPoint(1.0f, 0.0f, 0.0f), 1.0f, 1.0f, 0.0f);
    expectPoint(node.getWorldPosition(), 1.0f, 0.0f, 0.0f);
}

TEST(Node, ChildrenComposeWithTheirParentsAtTheSameTime)
{
    Node root("root");
    auto x = std::make_unique<LinearTrack>();
    x->addKey(0.0f, 0.0f);
    x->addKey(1.0f, 4.0f);
    root.addTransform(makeTranslation(std::move(x), constantChannel(0.0f), constantChannel(0.0f)));
    Node& child = root.addChild(named("child"));
    child.addTransform(makeTranslation(0.0f, 2.0f, 0.0f));
    Node& grandchild = child.addChild(named("grandchild"));

    Matrix4 parent;
    parent.setTranslation(0.0f, 0.0f, 10.0f);
    root.update(0.5f, parent);
    expectPoint(child.getWorldPosition(), 2.0f, 2.0f, 10.0f);
    expectPoint(grandchild.getWorldPosition(), 2.0f, 2.0f, 10.0f);
    EXPECT_EQ(grandchild.getLocalMatrix(), Matrix4());

    root.update(1.0f, parent);
    expectPoint(grandchild.getWorldPosition(), 4.0f, 2.0f, 10.0f);
}

TEST(Node, FindByNameSearchesDepthFirstInChildOrder)
{
    Node root("root");
    Node& a = root.addChild(named("a"));
    Node& deep = a.addChild(named("twin"));
    root.addChild(named("twin"));
    a.addChild(named("Box01"));

    EXPECT_EQ(root.findByName("root"), &root);
    EXPECT_EQ(root.findByName("twin"), &deep);
    EXPECT_EQ(root.findByName("Box01")->getName(), "Box01");
    EXPECT_EQ(root.findByName("box01"), nullptr);
    EXPECT_EQ(root.findByName(""), nullptr);
}

TEST(Node, MissingChildOrTransformIsRejected)
{
    Node node;
    EXPECT_THROW(node.addChild(nullptr), Orvane::Exceptions::Exception);
    EXPECT_THROW(node.addTransform(nullptr), Orvane::Exceptions::Exception);
}
