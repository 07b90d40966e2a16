#pragma once

#include "orvane/Matrix4.h"
#include "orvane/Shader.h"
#include "tavrin/Demo.h"
#include "tavrin/flow/FlowLoader.h"
#include "tavrin/flow/Node.h"
#include "tavrin/flow/VisualContainerNode.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace FlowTest {

// What a node saw when it was evaluated: its time and the render state in force.
struct Sighting {
    float time;
    Orvane::Matrix4 world, view, projection;
    bool blending;
    int blendSrc, blendDst;
};

Sighting sightingAt(float time, bool readGl);

// A constant that remembers every time it is asked for.
class TimeProbe : public Tavrin::Flow::Node {
public:
    float evaluate(float time) override;
    std::vector<float> times;
};

// A registry effect that remembers what it saw, and whether the tree destroyed it.
class RecordingVisual : public Tavrin::Flow::VisualContainerNode {
public:
    RecordingVisual(Tavrin::Demo* owner, bool readGl, bool* destroyed)
        : VisualContainerNode(owner)
        , readGl_(readGl)
        , destroyed_(destroyed)
    {}
    ~RecordingVisual() override;
    void draw(float time) override;

    std::vector<Sighting> sightings;

private:
    bool readGl_;
    bool* destroyed_;
};

// A visual that is not a flow node, which the loader cannot place in a tree.
class LooseVisual : public Tavrin::Visual {
public:
    using Visual::Visual;
};

// Hands out one shared RecordingVisual for every "probe" element (a second instance for
// "probe2") and a LooseVisual for "loose"; records every name it was asked about.
class TestDemo : public Tavrin::Demo {
public:
    explicit TestDemo(bool readGl = false)
        : readGl_(readGl)
    {}
    Tavrin::Visual* createVisual(const tinyxml2::XMLElement& element) override;

    // Fills the two built-in slots quads draw with, from the engine's shader sources.
    void loadQuadShaders();

    RecordingVisual& probe();
    RecordingVisual& probe2();
    std::vector<std::string> askedFor;
    bool probeDestroyed = false;

private:
    bool readGl_;
    std::unique_ptr<RecordingVisual> probe_, probe2_;
    std::unique_ptr<LooseVisual> loose_;
    std::vector<std::unique_ptr<Orvane::Shader>> shaders_;
};

::testing::AssertionResult matricesNear(const Orvane::Matrix4& actual, const Orvane::Matrix4& expected,
                                        float tolerance = 1e-5f);

Orvane::Matrix4 orthoMatrix(float left, float right, float bottom, float top);
Orvane::Matrix4 perspectiveMatrix(float fov, float aspect, float nearPlane, float farPlane);

void writeFile(const std::string& path, const std::string& text);
int readCountFile(const std::string& path);

}
