// Generates the sphere-and-slab scene: two rock slabs side by side, a carousel of spheres rolling
// round the left one, rows of spheres rolling to and fro on the right one as it rocks, and a
// tapering chain of spheres following a marker on a figure-eight flight over both. A pillar
// stands behind the gap. About ten seconds of motion, keyed every tenth of a second.
#include "assetkit/GeneratorMain.h"
#include "assetkit/SceneBuilder.h"
#include "assetkit/Shapes.h"
#include "orvane/utils/scenegraph/BezierTrack.h"
#include "orvane/utils/scenegraph/LinearTrack.h"

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>

using namespace AssetKit;
using Orvane::Vector3;
using Orvane::Utils::SceneGraph::BezierTrack;
using Orvane::Utils::SceneGraph::LinearTrack;
using Orvane::Utils::SceneGraph::Material;

namespace {

constexpr float Pi = 3.14159265f;
constexpr float Duration = 10.2f;
constexpr float KeyStep = 0.1f;
constexpr int KeyCount = int(Duration / KeyStep) + 1;
constexpr float UvPerUnit = 1.0f / 110.0f;

using Curve = std::function<float(float time)>;

SceneBuilder::Channel sampledLinear(const Curve& curve)
{
    auto track = std::make_unique<LinearTrack>();
    for (int k = 0; k < KeyCount; ++k)
        track->addKey(float(k) * KeyStep, curve(float(k) * KeyStep));
    return track;
}

// Keys with tangents a third of a step long along the curve's slope, as an animator's smooth
// curve would carry them.
SceneBuilder::Channel sampledBezier(const Curve& curve)
{
    auto track = std::make_unique<BezierTrack>();
    constexpr float Handle = KeyStep / 3.0f, Epsilon = 0.001f;
    for (int k = 0; k < KeyCount; ++k) {
        float t = float(k) * KeyStep;
        float slope = (curve(t + Epsilon) - curve(t - Epsilon)) / (2 * Epsilon);
        track->addKey(t, curve(t), {-Handle, -Handle * slope}, {Handle, Handle * slope});
    }
    return track;
}

void addFace(Mesh& mesh, Vector3 centre, Vector3 u, Vector3 v, Vector3 normal, float uSize, float vSize)
{
    std::uint32_t first = std::uint32_t(mesh.positions.size());
    const float corners[4][2] = {{-1, -1}, {1, -1}, {1, 1}, {-1, 1}};
    for (const auto& c : corners) {
        Vector3 p = centre + u * c[0] + v * c[1];
        mesh.addVertex(p, normal, {(c[0] + 1) * 0.5f * uSize * UvPerUnit, (c[1] + 1) * 0.5f * vSize * UvPerUnit});
    }
    mesh.addTriangle(first, first + 1, first + 2);
    mesh.addTriangle(first, first + 2, first + 3);
}

// A box from z = bottom to bottom + height, centred on (centreX, 0); texture coordinates follow
// world units so the rock keeps its scale on every face.
Mesh makeBlock(float sizeX, float sizeY, float height, float bottom, float centreX = 0)
{
    Mesh mesh;
    float hx = sizeX / 2, hy = sizeY / 2, hz = height / 2, cx = centreX, cz = bottom + hz;
    addFace(mesh, {cx, 0, cz + hz}, {hx, 0, 0}, {0, hy, 0}, {0, 0, 1}, sizeX, sizeY);
    addFace(mesh, {cx, 0, cz - hz}, {0, hy, 0}, {hx, 0, 0}, {0, 0, -1}, sizeY, sizeX);
    addFace(mesh, {cx + hx, 0, cz}, {0, hy, 0}, {0, 0, hz}, {1, 0, 0}, sizeY, height);
    addFace(mesh, {cx - hx, 0, cz}, {0, 0, hz}, {0, hy, 0}, {-1, 0, 0}, height, sizeY);
    addFace(mesh, {cx, hy, cz}, {0, 0, hz}, {hx, 0, 0}, {0, 1, 0}, height, sizeX);
    addFace(mesh, {cx, -hy, cz}, {hx, 0, 0}, {0, 0, hz}, {0, -1, 0}, sizeX, height);
    return mesh;
}

std::string sphereName(int number)
{
    char name[16];
    std::snprintf(name, sizeof name, "GeoSphere%02d", number);
    return name;
}

void addMaterial(SceneBuilder& builder, const std::string& name, const std::string& texture)
{
    auto material = std::make_unique<Material>(name);
    material->slots().push_back({"texture", texture, nullptr});
    builder.scene().materials()[name] = std::move(material);
}

void addSphere(SceneBuilder& builder, SceneBuilder::Node& node)
{
    builder.scene().addMeshInstance(node, "Sphere", "Metal");
}

// Spheres 1-21: an outer ring of 13 and an inner ring of 8 rolling round the left slab's centre
// in opposite directions.
void carousel(SceneBuilder& builder, SceneBuilder::Node& slab)
{
    for (int i = 0; i < 21; ++i) {
        bool outer = i < 13;
        int slot = outer ? i : i - 13;
        float orbit = outer ? 30.0f : 15.0f, radius = outer ? 4.5f : 3.5f;
        float start = 360.0f * float(slot) / (outer ? 13.0f : 8.0f);
        float degreesPerSecond = outer ? 40.0f : -55.0f;
        float rollDegrees = degreesPerSecond * orbit / radius * Duration;
        auto& sphere = builder.addNode(sphereName(i + 1), &slab);
        builder.rotate(sphere, 0, 0, 1,
                       SceneBuilder::linear({{0, start}, {Duration, start + degreesPerSecond * Duration}}));
        builder.translate(sphere, SceneBuilder::constant(orbit), SceneBuilder::constant(0),
                          SceneBuilder::constant(radius));
        builder.rotate(sphere, 1, 0, 0, SceneBuilder::linear({{0, 0}, {Duration, -rollDegrees}}));
        builder.scale(sphere, SceneBuilder::constant(radius), SceneBuilder::constant(radius),
                      SceneBuilder::constant(radius));
        addSphere(builder, sphere);
    }
}

// Spheres 22-42: three rows of seven on the right slab, which rocks about an axis along the chasm; the balls
// roll down towards the low end a little after it dips, each row a beat behind the one before.
void rockingTable(SceneBuilder& builder, SceneBuilder::Node& slab)
{
    constexpr float Omega = 2 * Pi / 5.1f, Tilt = 4.0f, Travel = 16.0f, Radius = 4.0f;
    builder.rotate(slab, 0, 1, 0, sampledBezier([=](float t) { return Tilt * std::sin(Omega * t); }));
    for (int i = 0; i < 21; ++i) {
        int row = i / 7, column = i % 7;
        float x0 = (float(column) - 3.0f) * 9.5f, y = (float(row) - 1.0f) * 20.0f;
        float lag = 0.9f + 0.35f * float(row);
        Curve travel = [=](float t) { return Travel * std::sin(Omega * t - lag); };
        auto& sphere = builder.addNode(sphereName(22 + i), &slab);
        builder.translate(sphere, sampledLinear([=](float t) { return x0 + travel(t); }), SceneBuilder::constant(y),
                          SceneBuilder::constant(Radius));
        builder.rotate(sphere, 0, 1, 0, sampledLinear([=](float t) { return travel(t) / Radius * 180.0f / Pi; }));
        builder.scale(sphere, SceneBuilder::constant(Radius), SceneBuilder::constant(Radius),
                      SceneBuilder::constant(Radius));
        addSphere(builder, sphere);
    }
}

Vector3 flightPath(float t)
{
    float phase = 2 * Pi * t / Duration;
    return {72.0f * std::sin(phase), 34.0f * std::sin(2 * phase), 28.0f + 9.0f * std::sin(3 * phase)};
}

void followPath(SceneBuilder& builder, SceneBuilder::Node& node, float delay)
{
    builder.translate(node, sampledBezier([=](float t) { return flightPath(t - delay).x; }),
                      sampledBezier([=](float t) { return flightPath(t - delay).y; }),
                      sampledBezier([=](float t) { return flightPath(t - delay).z; }));
}

// The marker and spheres 43-63 trailing it, smaller towards the tail, each spinning.
void flight(SceneBuilder& builder)
{
    auto& marker = builder.addNode("Dummy01");
    followPath(builder, marker, 0);
    for (int i = 0; i < 21; ++i) {
        float radius = 3.4f - 1.6f * float(i) / 20.0f;
        auto& sphere = builder.addNode(sphereName(43 + i));
        followPath(builder, sphere, 0.24f * float(i + 1));
        builder.rotate(sphere, 0.3f, 1, 0.2f,
                       SceneBuilder::linear({{0, float(i) * 17.0f}, {Duration, float(i) * 17.0f + 2200.0f}}));
        builder.scale(sphere, SceneBuilder::constant(radius), SceneBuilder::constant(radius),
                      SceneBuilder::constant(radius));
        addSphere(builder, sphere);
    }
}

void buildScene(const std::string& path)
{
    SceneBuilder builder;
    builder.addMesh("Sphere", makeSphere(1.0f, 24, 48));
    // Two plateaus split by a narrow chasm; each slab's node sits where its spheres gather.
    builder.addMesh("LeftSlab", makeBlock(170, 400, 14, -14, -40));
    builder.addMesh("RightSlab", makeBlock(170, 400, 14, -14, 40));
    builder.addMesh("Pillar", makeBlock(14, 14, 80, -10));
    addMaterial(builder, "Rock", "textures/lolmap2.jpg");
    addMaterial(builder, "Metal", "textures/lolmap2.jpg");

    auto& left = builder.addNode("Box01");
    builder.translate(left, SceneBuilder::constant(-45), SceneBuilder::constant(0), SceneBuilder::constant(0));
    builder.scene().addMeshInstance(left, "LeftSlab", "Rock");
    carousel(builder, left);

    auto& right = builder.addNode("Box02");
    builder.translate(right, SceneBuilder::constant(45), SceneBuilder::constant(0), SceneBuilder::constant(0));
    rockingTable(builder, right);
    builder.scene().addMeshInstance(right, "RightSlab", "Rock");

    auto& pillar = builder.addNode("Box03");
    builder.translate(pillar, SceneBuilder::constant(0), SceneBuilder::constant(55), SceneBuilder::constant(0));
    builder.rotate(pillar, 0, 0, 1, SceneBuilder::linear({{0, 0}, {Duration, 90}}));
    builder.scene().addMeshInstance(pillar, "Pillar", "Rock");

    flight(builder);
    builder.save(path);
}

}

int main(int argc, char** argv)
{
    return runGenerator(argc, argv, "DATA_FOLDER", [](const std::vector<std::string>& arguments) {
        std::string data = arguments[0] + "/";
        std::filesystem::create_directories(data + "scenes");
        buildScene(data + "scenes/mars9.fsg");
    });
}
