// Generates the devil's assets: the animated head scene (a sphere with a pair of horns), the
// fiery sphere map its chrome skin reflects, the hair strand texture and the greeting overlays.
#include "assetkit/Canvas.h"
#include "assetkit/GeneratorMain.h"
#include "assetkit/Noise.h"
#include "assetkit/SceneBuilder.h"
#include "assetkit/Shapes.h"
#include "assetkit/TextRenderer.h"
#include "orvane/utils/scenegraph/LinearTrack.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <functional>
#include <string>

using namespace AssetKit;
using Orvane::Vector3;

namespace {

constexpr float Pi = 3.1415927f;
// The effect's window: 256 rows of sixteenths at 162 bpm.
constexpr float Beat = 60.0f / 162.0f;
constexpr float Length = 256 * Beat / 4;
// The crash half-way through the window, where the head spins round.
constexpr float SpinStart = 128 * Beat / 4;

float ease(float x)
{
    x = std::clamp(x, 0.0f, 1.0f);
    return x * x * (3 - 2 * x);
}

Vector3 unit(Vector3 v)
{
    v.normalize();
    return v;
}

// A channel keyed from a curve every step seconds: often enough that linear interpolation reads
// as the curve, seldom enough that the effect can sample the scene many times a frame.
SceneBuilder::Channel sampled(const std::function<float(float)>& curve, float step)
{
    auto track = std::make_unique<Orvane::Utils::SceneGraph::LinearTrack>();
    for (float t = 0; t < Length + 1.0f; t += step)
        track->addKey(t, curve(t));
    return track;
}

// Head nods: a fast drop on the beat and a slower lift, gentle every other beat before the spin,
// a full headbang on every beat after it.
float nod(float t)
{
    if (t < SpinStart) {
        float phase = std::fmod(t / (2 * Beat), 1.0f);
        return 7.0f * std::pow(1.0f - phase, 3.0f);
    }
    if (t < SpinStart + 4 * Beat)
        return 0.0f;
    float phase = std::fmod((t - SpinStart) / Beat, 1.0f);
    float drop = std::min(1.0f, phase * 6.0f);
    return 24.0f * (phase < 1.0f / 6.0f ? drop : std::pow((1.0f - phase) / (5.0f / 6.0f), 2.0f));
}

// The head rises out of the dark, sways, spins once round on the crash and ends a little lower.
float yaw(float t)
{
    float spin = 360.0f * ease((t - SpinStart) / (3 * Beat));
    return 26.0f * std::sin(0.42f * t) + spin;
}

float height(float t) { return -80.0f * (1.0f - ease(t / 3.2f)) + 3.5f * std::sin(2 * Pi * t / 4.7f); }

// A horn swept along a cubic curve from inside the skull, out, up and back, tapering to a point.
Mesh makeHorn(float side)
{
    const Vector3 p0(side * 14, -6, 20), p1(side * 36, -12, 36), p2(side * 52, 4, 60), p3(side * 38, 22, 80);
    auto curve = [&](float s) {
        float a = 1 - s;
        return p0 * (a * a * a) + p1 * (3 * a * a * s) + p2 * (3 * a * s * s) + p3 * (s * s * s);
    };
    constexpr int Rings = 48, Segments = 20;
    Mesh mesh;
    Vector3 previousNormal(0, 1, 0);
    for (int r = 0; r <= Rings; ++r) {
        float s = float(r) / Rings;
        Vector3 tangent = unit(curve(std::min(1.0f, s + 0.01f)) - curve(std::max(0.0f, s - 0.01f)));
        // Carry the frame along the curve so the rings do not twist.
        Vector3 binormal = unit(cross(tangent, previousNormal));
        Vector3 normal = unit(cross(binormal, tangent));
        previousNormal = normal;
        float radius = 8.0f * std::pow(1.0f - s, 0.85f) + 0.25f;
        for (int k = 0; k <= Segments; ++k) {
            float angle = side * 2 * Pi * float(k) / Segments;
            Vector3 out = normal * std::cos(angle) + binormal * std::sin(angle);
            mesh.addVertex(curve(s) + out * radius, out, {float(k) / Segments, s});
        }
    }
    addGridTriangles(mesh, 0, Rings + 1, Segments + 1, side < 0);
    return mesh;
}

void buildScene(const std::string& path)
{
    SceneBuilder builder;
    builder.addMesh("head", makeSphere(30.0f, 48, 96));
    Mesh horns = makeHorn(1.0f);
    horns.append(makeHorn(-1.0f));
    builder.addMesh("horns", horns);

    auto& head = builder.addNode("GeoSphere01");
    builder.translate(head, sampled([](float t) { return 14.0f * std::sin(0.31f * t); }, 0.25f),
                      sampled([](float t) { return 8.0f * std::sin(0.23f * t + 1.0f); }, 0.25f), sampled(height, 0.1f));
    builder.rotate(head, 0, 0, 1, sampled(yaw, 0.05f));
    builder.rotate(head, 1, 0, 0, sampled(nod, Beat / 12));
    builder.rotate(head, 0, 1, 0, sampled([](float t) { return 9.0f * std::sin(0.5f * t + 0.7f); }, 0.25f));
    builder.instance(head, "head");

    // The horns grow out of the skull as the head comes up, with a little overshoot.
    auto& crown = builder.addNode("Mesh01", &head);
    auto grow = [](float t) {
        float x = std::clamp((t - 1.2f) / 1.6f, 0.0f, 1.0f);
        return 0.02f + 0.98f * (1.0f - std::pow(1.0f - x, 3.0f)) + 0.1f * std::sin(Pi * x) * x;
    };
    builder.scale(crown, sampled(grow, 0.1f), sampled(grow, 0.1f), sampled(grow, 0.1f));
    builder.instance(crown, "horns");
    builder.save(path);
}

// A sphere map of a burning world: black-red sky, a white-hot horizon band, embers on the dark
// ground and two soft lights, a warm key from the upper left and a cold rim from the right.
Rgba hellColour(const Vector3& r, const Noise& noise)
{
    float up = r.y;
    Rgba zenith{0.3f, 0.03f, 0.05f, 1}, sky{0.7f, 0.1f, 0.06f, 1}, band{0.8f, 0.3f, 0.1f, 1},
        ground{0.22f, 0.025f, 0.03f, 1};
    Rgba c
        = up > 0 ? mix(mix(band, sky, ease(up * 7.0f)), zenith, ease(up * 1.3f)) : mix(band, ground, ease(-up * 9.0f));
    float azimuth = std::atan2(r.x, r.z);
    if (up < 0) {
        float cracks = std::pow(1.0f - std::abs(noise.gradient(azimuth * 5.0f, up * 9.0f)), 14.0f);
        c = c + Rgba{1.0f, 0.3f, 0.04f, 0} * (cracks * 0.35f * ease(-up * 3.0f));
    }
    auto light = [&](const Vector3& at, float sharpness) { return std::pow(std::max(0.0f, dot(r, at)), sharpness); };
    c = c + Rgba{1.0f, 0.85f, 0.6f, 0} * (0.9f * light(unit(Vector3(-0.5f, 0.6f, 0.62f)), 60.0f));
    c = c + Rgba{0.35f, 0.45f, 1.0f, 0} * (0.9f * light(unit(Vector3(0.9f, 0.15f, -0.4f)), 12.0f));
    float clouds = 0.5f + 0.5f * noise.fbm(azimuth * 3.0f, up * 6.0f, 4);
    c = c * (0.75f + 0.5f * clouds * ease(up * 3.0f + 0.5f));
    return {std::min(c.r, 1.0f), std::min(c.g, 1.0f), std::min(c.b, 1.0f), 1};
}

void paintSphereMap(const std::string& path)
{
    Noise noise(66);
    Canvas map(512, 512);
    map.paint([&](float u, float v) {
        float x = u * 2 - 1, y = (1 - v) * 2 - 1;
        float d = std::min(1.0f, x * x + y * y);
        Vector3 n(x, y, std::sqrt(1.0f - d));
        if (d >= 1.0f)
            n = unit(Vector3(x, y, 0));
        Vector3 r = n * (2 * n.z) - Vector3(0, 0, 1);
        return hellColour(r, noise);
    });
    map.save(path);
}

// Fine strands side by side along the picture's height: each wavers a little, has its own
// brightness and ends at its own length, so the ribbon tips look like split ends.
void paintHair(const std::string& path)
{
    Noise noise(13);
    constexpr int Strands = 10;
    Canvas hair(64, 256, {1, 1, 1, 0});
    hair.paint([&](float u, float v) {
        float along = 1.0f - v;  // 0 at the root (bottom row), 1 at the tip
        float a = 0, shade = 0;
        for (int i = 0; i < Strands; ++i) {
            float centre = (i + 0.5f) / Strands + 0.025f * noise.gradient(i * 3.1f, along * 3.0f);
            float end = 0.7f + 0.3f * noise.hash(i, 7);
            float width = 0.027f * (1.0f - 0.5f * along / end);
            float d = (u - centre) / width;
            float strand = std::exp(-d * d) * (1.0f - ease((along - end + 0.12f) / 0.12f));
            a = std::max(a, strand);
            shade = std::max(shade, strand * (0.6f + 0.4f * noise.hash(i, 3)));
        }
        float root = ease(along / 0.04f);
        return Rgba{0.75f + 0.25f * shade, 0.75f + 0.25f * shade, 0.75f + 0.25f * shade,
                    std::min(1.0f, a * 1.2f) * root};
    });
    hair.save(path);
}

struct Greeting {
    const char* small;
    const char* big;
};

// Invented groups, and at the end everyone who makes demos.
constexpr Greeting Greetings[] = {
    {"Velkor of", "NIGHTGLASS"},           {"sends greetings to", "UMBRAL KETTLE"},
    {"greetings to", "NINE COPPER FOXES"}, {"greetings to", "QUIETBYTE FOUNDRY"},
    {"greetings to", "POLYGON ORCHARD"},   {"greetings to", "MOTH & MIRROR"},
    {"greetings to", "THE SALT LANTERNS"}, {"and to everyone", "WHO MAKES DEMOS"},
};
constexpr int GreetingCount = sizeof(Greetings) / sizeof(Greetings[0]);

void paintGreeting(TextRenderer& font, const Greeting& greeting, const std::string& path)
{
    Canvas overlay(1024, 256, {1, 0.4f, 0.1f, 0});
    TextStyle small;
    small.pixelSize = 30;
    small.colour = {1.0f, 0.78f, 0.55f, 0.95f};
    small.glowRadius = 6;
    small.glowColour = {0.9f, 0.15f, 0.02f, 0.7f};
    small.letterSpacing = 6;
    drawText(overlay, font, greeting.small, 512, 78, small);
    TextStyle big;
    big.pixelSize = 76;
    big.colour = {1.0f, 0.96f, 0.88f, 1};
    big.glowRadius = 14;
    big.glowColour = {1.0f, 0.25f, 0.04f, 0.9f};
    big.letterSpacing = 4;
    drawText(overlay, font, greeting.big, 512, 156, big);
    overlay.save(path);
}

}

int main(int argc, char** argv)
{
    return runGenerator(argc, argv, "DATA_FOLDER FONT.ttf", [](const std::vector<std::string>& arguments) {
        std::string data = arguments[0] + "/";
        for (const char* folder : {"scenes", "textures", "overlays"})
            std::filesystem::create_directories(data + folder);
        buildScene(data + "scenes/devil.fsg");
        paintSphereMap(data + "textures/lolmap3.jpg");
        paintHair(data + "textures/hair.png");
        TextRenderer font(arguments[1]);
        for (int i = 0; i < GreetingCount; ++i)
            paintGreeting(font, Greetings[i], data + "overlays/greet" + std::to_string(i) + ".png");
    });
}
