// Generates the assets of the logo scene, the nested rings and the closing picture: the soft
// smoke sprite, the rough smoke surface (gloss map and its normal map), the ring mesh and the
// end picture.
#include "assetkit/Canvas.h"
#include "assetkit/GeneratorMain.h"
#include "assetkit/Mesh.h"
#include "assetkit/MeshExport.h"
#include "assetkit/Noise.h"
#include "assetkit/TextRenderer.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <string>

using namespace AssetKit;
using Orvane::Vector3;

namespace {

constexpr float TwoPi = 6.2831853f;

// A billowing puff: a soft, thin disc whose edge is eaten by noise, shaded lighter towards the top
// left so it reads as a volume once tinted. White, so the effects colour it; faint, since the
// scenes stack hundreds of them.
void smokeSprite(const std::string& path)
{
    Noise noise(41);
    Canvas puff(128, 128, {1, 1, 1, 0});
    puff.paint([&](float u, float v) {
        float dx = u - 0.5f, dy = v - 0.5f;
        float r = std::sqrt(dx * dx + dy * dy) * 2.0f;
        float billows = 0.5f + 0.5f * noise.fbm(u * 4.0f, v * 4.0f, 5, 0.6f);
        float wisps = smoothstep(0.25f, 0.85f, billows);
        float body = std::exp(-r * r * 3.2f) * (0.15f + 0.85f * wisps);
        float a = std::clamp(body * 0.22f, 0.0f, 1.0f) * (1.0f - smoothstep(0.75f, 1.0f, r));
        float shade = 0.72f + 0.28f * std::clamp(0.5f - dx - dy + 0.4f * (billows - 0.5f), 0.0f, 1.0f);
        return Rgba{shade, shade, shade, a};
    });
    puff.blur(1);
    puff.save(path);
}

// Height of the rough surface, tileable over 256 pixels: swirled smoke over fine grain.
float smokeHeight(const Noise& noise, float x, float y)
{
    float warp = noise.fbm(x * 4, y * 4, 3, 0.5f, 4);
    float swirl = noise.fbm(x * 8 + warp * 1.5f, y * 8 - warp * 1.5f, 5, 0.55f, 8);
    float grain = noise.fbm(x * 64, y * 64, 2, 0.5f, 64);
    return 0.5f + 0.4f * swirl + 0.08f * grain;
}

void smokeSurface(const std::string& glossPath, const std::string& normalPath)
{
    constexpr int Size = 256;
    Noise noise(77);
    Canvas height(Size, Size);
    height.paint([&](float u, float v) {
        float h = smokeHeight(noise, u, v);
        return Rgba{h, h, h, 1};
    });
    Canvas gloss(Size, Size);
    gloss.paint([&](float u, float v) {
        float h = height.at(int(u * Size), int(v * Size)).r;
        float g = std::clamp((h - 0.3f) * 1.6f, 0.0f, 1.0f);
        return Rgba{g, g, g, 1};
    });
    gloss.save(glossPath, false);
    Canvas normals(Size, Size);
    constexpr float Relief = 6.0f;
    normals.paint([&](float u, float v) {
        int x = int(u * Size), y = int(v * Size);
        float dx = height.wrapped(x + 1, y).r - height.wrapped(x - 1, y).r;
        // Row 0 is the top of the picture, where texture t is largest.
        float dy = height.wrapped(x, y - 1).r - height.wrapped(x, y + 1).r;
        Vector3 n(-dx * Relief, -dy * Relief, 1.0f);
        n.normalize();
        return Rgba{n.x * 0.5f + 0.5f, n.y * 0.5f + 0.5f, n.z * 0.5f + 0.5f, 1};
    });
    normals.save(normalPath, false, 95);
}

// A square frame with rounded corners swept by a round tube, lying flat `lift` above the origin.
// Copies nested by scaling about the origin then stack into a funnel that narrows down to it, a
// well the camera looks into from above. A 5% step between copies leaves a thin gap between
// tubes, and the tube's normals sweep the whole sphere, which a normal-shaded copy shows as
// colour.
Mesh ringFrame(float halfSize, float cornerRadius, float tubeRadius, float lift, int pathSteps, int tubeSteps)
{
    Mesh mesh;
    float straight = halfSize - cornerRadius;
    for (int i = 0; i <= pathSteps; ++i) {
        // Half a step off the axes, so each straight side is one segment between the corners' arcs.
        float angle = TwoPi * (float(i) + 0.5f) / float(pathSteps);
        float c = std::cos(angle), s = std::sin(angle);
        // Each quarter turn follows its corner's arc, pushed out to the frame's straight sides.
        Vector3 outward(c, s, 0);
        Vector3 centre(std::copysign(straight, c) + cornerRadius * c, std::copysign(straight, s) + cornerRadius * s,
                       lift);
        for (int j = 0; j <= tubeSteps; ++j) {
            float phi = TwoPi * float(j) / float(tubeSteps);
            Vector3 normal = outward * std::cos(phi) + Vector3(0, 0, std::sin(phi));
            mesh.addVertex(centre + normal * tubeRadius, normal,
                           {float(i) / float(pathSteps), float(j) / float(tubeSteps)});
        }
    }
    addGridTriangles(mesh, 0, pathSteps + 1, tubeSteps + 1, true);
    return mesh;
}

Rgba starAt(const Noise& noise, int x, int y)
{
    float h = noise.hash(x, y);
    if (h < 0.9975f)
        return {0, 0, 0, 0};
    float b = (h - 0.9975f) / 0.0025f;
    return {0.8f + 0.2f * b, 0.85f + 0.15f * b, 1.0f, 0.35f + 0.65f * b * b};
}

// The closing picture: a night sky over the lit rim of a vast glassy planet rising from the
// bottom of the frame, and the production's name across it.
void endPicture(const std::string& path, const std::string& fontPath)
{
    constexpr int W = 1280, H = 720;
    Noise noise(2026);
    const float cx = 0.5f * W, cy = 1.62f * H, radius = 1.02f * H;
    Canvas picture(W, H);
    picture.paint([&](float u, float v) {
        float x = u * W, y = v * H;
        Rgba sky = mix(Rgba{0.01f, 0.01f, 0.04f, 1}, Rgba{0.10f, 0.05f, 0.22f, 1}, std::pow(v, 2.2f));
        float nebula = 0.5f + 0.5f * noise.fbm(u * 3.0f, v * 2.0f, 5);
        sky = sky + Rgba{0.05f, 0.02f, 0.09f, 0} * (nebula * nebula * v);
        Rgba star = starAt(noise, int(x), int(y));
        sky = mix(sky, star, star.a);
        float d = std::hypot(x - cx, y - cy) / radius;
        float halo = std::exp(-std::max(d - 1.0f, 0.0f) * 9.0f);
        sky = sky + Rgba{0.25f, 0.55f, 0.95f, 0} * (halo * 0.55f) + Rgba{0.9f, 0.5f, 0.8f, 0} * (halo * halo * 0.15f);
        if (d >= 1.0f)
            return Rgba{sky.r, sky.g, sky.b, 1};
        // On the disc: bands of cloud, lit from the star rising at the upper left, with a thin
        // bright atmosphere at the limb.
        float nx = (x - cx) / radius, ny = (y - cy) / radius;
        float nz = std::sqrt(std::max(0.0f, 1.0f - nx * nx - ny * ny));
        float light = std::clamp(-ny * 0.6f - nx * 0.55f + nz * 0.2f, 0.0f, 1.0f);
        float bands = 0.5f + 0.5f * noise.fbm(nx * 3.0f + 7.0f, ny * 14.0f + 1.3f * noise.fbm(nx * 4, ny * 4, 3), 5);
        Rgba surface = mix(Rgba{0.03f, 0.06f, 0.16f, 1}, Rgba{0.22f, 0.48f, 0.75f, 1}, bands);
        float rim = std::pow(1.0f - nz, 6.0f);
        Rgba lit = surface * (0.15f + 0.95f * light) + Rgba{0.75f, 0.9f, 1.0f, 0} * (rim * (0.3f + light));
        float edge = smoothstep(1.0f, 0.997f, d);
        Rgba out = mix(sky, lit, edge);
        return Rgba{out.r, out.g, out.b, 1};
    });
    // A star just breaking over the limb: a hot core, a wide halo and a thin horizontal streak.
    const float sunX = 0.3f * W, sunY = cy - std::sqrt(radius * radius - (sunX - cx) * (sunX - cx)) + 4.0f;
    picture.paint([&, source = picture](float u, float v) {
        Rgba base = source.at(int(u * W), int(v * H));
        float dx = u * W - sunX, dy = v * H - sunY;
        float d2 = (dx * dx + dy * dy) / float(H * H);
        float core = std::exp(-d2 * 9000.0f), halo = std::exp(-d2 * 60.0f) * 0.45f;
        float streak = std::exp(-std::abs(dy) * 0.35f) * std::exp(-std::abs(dx) / (0.35f * W)) * 0.6f;
        Rgba light = Rgba{1.0f, 0.95f, 0.9f, 0} * core + Rgba{0.55f, 0.7f, 1.0f, 0} * (halo + streak);
        Rgba out = base + light;
        return Rgba{std::min(out.r, 1.0f), std::min(out.g, 1.0f), std::min(out.b, 1.0f), 1};
    });
    TextRenderer font(fontPath);
    TextStyle title;
    title.pixelSize = 120;
    title.letterSpacing = 26;
    title.colour = {0.97f, 0.98f, 1.0f, 1};
    title.glowRadius = 22;
    title.glowColour = {0.35f, 0.6f, 1.0f, 0.9f};
    drawText(picture, font, "NIGHTGLASS", 0.5f * W, 0.36f * H, title);
    TextStyle maker;
    maker.pixelSize = 28;
    maker.letterSpacing = 16;
    maker.colour = {0.75f, 0.82f, 1.0f, 0.9f};
    maker.glowRadius = 6;
    maker.glowColour = {0.4f, 0.5f, 1.0f, 0.6f};
    drawText(picture, font, "VELKOR", 0.5f * W, 0.50f * H, maker);
    picture.blendOver(
        [&](float u, float v) { return std::abs(v - 0.445f) * H < 1.0f && std::abs(u - 0.5f) < 0.14f ? 0.6f : 0.0f; },
        Rgba{0.6f, 0.75f, 1.0f, 1});
    picture.save(path, false);
}

}

int main(int argc, char** argv)
{
    return runGenerator(argc, argv, "DATA_FOLDER FONT.ttf", [](const std::vector<std::string>& arguments) {
        std::string data = arguments[0] + "/";
        for (const char* folder : {"textures", "objects", "overlays"})
            std::filesystem::create_directories(data + folder);
        smokeSprite(data + "textures/smokejall.png");
        smokeSurface(data + "textures/smoke.jpg", data + "textures/smokenormals.jpg");
        saveFgm(ringFrame(10.0f, 3.0f, 0.5f, 8.0f, 192, 16), data + "objects/lol.fgm");
        endPicture(data + "overlays/end.png", arguments[1]);
    });
}
