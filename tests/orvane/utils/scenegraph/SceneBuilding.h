#pragma once

#include "orvane/utils/scenegraph/BezierTrack.h"
#include "orvane/utils/scenegraph/LinearTrack.h"
#include "orvane/utils/scenegraph/MatrixControllers.h"
#include "orvane/utils/scenegraph/Scene.h"
#include "orvane/utils/scenegraph/TransformFactory.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

// Scenes built in code, as asset tools build them, and a comparison of their animation.
namespace TestSupport {

using namespace Orvane::Utils::SceneGraph;

inline Channel constant(float v) { return constantChannel(v); }

inline std::unique_ptr<LinearTrack> linear(std::vector<std::pair<float, float>> keys)
{
    auto track = std::make_unique<LinearTrack>();
    for (auto [time, value] : keys)
        track->addKey(time, value);
    return track;
}

inline std::unique_ptr<BezierTrack> bezier(std::vector<std::pair<float, float>> keys)
{
    auto track = std::make_unique<BezierTrack>();
    for (auto [time, value] : keys)
        track->addKey(time, value, {time, -value}, {value, 0.5f});
    return track;
}

// root (translate on a shared linear timeline) > arm (bezier rotation, constant scale) > hand
// (matrix with two animated elements), plus a sibling whose translation mixes timelines.
inline std::unique_ptr<Scene> animatedScene()
{
    auto scene = std::make_unique<Scene>();
    auto light = std::make_unique<Entity>("Light01");
    light->firstDetail = "spot";
    AnimatedParameter colour{"colour", {}};
    colour.components.push_back(linear({{0.0f, 1.0f}, {1.0f, 0.0f}}));
    colour.components.push_back(linear({{0.0f, 1.0f}, {1.0f, 1.0f}}));
    colour.components.push_back(linear({{0.0f, 1.0f}, {1.0f, 0.5f}}));
    light->parameters().push_back(std::move(colour));
    Entity* lightPointer = light.get();
    scene->entityTableA()["light"] = std::move(light);
    scene->entityTableB()["camera"] = std::make_unique<Entity>("Camera01");
    auto paint = std::make_unique<Material>("Paint");
    paint->slots().push_back({"diffuse", "paint.png", nullptr});
    scene->materials()["paint"] = std::move(paint);

    Node& root = scene->addChild(std::make_unique<Node>("root"));
    root.addTransform(makeTranslation(linear({{0.0f, 0.0f}, {2.0f, 4.0f}}), linear({{0.0f, 1.0f}, {2.0f, -1.0f}}),
                                      linear({{0.0f, 0.0f}, {2.0f, 0.0f}})));
    Node& arm = root.addChild(std::make_unique<Node>("arm"));
    arm.addTransform(makeRotation(bezier({{0.0f, 0.0f}, {1.0f, 1.0f}}), bezier({{0.0f, 1.0f}, {1.0f, 0.0f}}),
                                  bezier({{0.0f, 0.0f}, {1.0f, 0.0f}}), bezier({{0.0f, 0.0f}, {1.0f, 180.0f}})));
    arm.addTransform(makeScale(2.0f, 1.0f, 0.5f));
    Node& hand = arm.addChild(std::make_unique<Node>("hand"));
    CompositeMatrixController::Elements elements;
    for (int i = 0; i < 16; ++i)
        elements[size_t(i)] = constant(i % 5 == 0 ? 1.0f : 0.0f);
    elements[12] = linear({{0.0f, 0.0f}, {0.5f, 3.0f}, {1.5f, 1.0f}});
    elements[4] = bezier({{0.25f, 0.0f}, {1.0f, 0.5f}});
    hand.addTransform(std::make_unique<CompositeMatrixController>(std::move(elements)));
    scene->addMeshInstance(hand, "absent", "paint");
    hand.entityReferencesA().push_back({"light", lightPointer});
    hand.entityReferencesB().push_back({"camera", scene->entityTableB().at("camera").get()});

    Node& sibling = scene->addChild(std::make_unique<Node>("sibling"));
    sibling.addTransform(
        makeTranslation(linear({{0.0f, 0.0f}, {1.0f, 1.0f}}), constant(7.0f), bezier({{0.5f, 2.0f}, {3.0f, -2.0f}})));
    return scene;
}

inline void expectSameAnimation(Scene& expected, Scene& actual, const std::vector<std::string>& names)
{
    for (float time : {-0.5f, 0.0f, 0.3f, 0.75f, 1.0f, 1.6f, 2.5f, 4.0f}) {
        expected.update(time);
        actual.update(time);
        for (const std::string& name : names) {
            Node* e = expected.findByName(name);
            Node* a = actual.findByName(name);
            ASSERT_NE(a, nullptr) << name;
            EXPECT_EQ(e->getWorldMatrix(), a->getWorldMatrix()) << name << " at " << time;
        }
    }
}

}
