#include "nightglass/effects/Lolscene.h"
#include "nightglass/kit/SkyDome.h"

#include "orvane/Device.h"
#include "orvane/Shader.h"
#include "orvane/Texture.h"
#include "orvane/VertexBuffer.h"
#include "orvane/exceptions/Exception.h"
#include "orvane/utils/Random.h"
#include "orvane/utils/geometry/Geometry.h"
#include "orvane/utils/geometry/GeometryAttribute.h"
#include "tavrin/Demo.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <tuple>

namespace Nightglass {

using Orvane::AttributeSemantic;
using Orvane::BlendOperandEnum;
using Orvane::Capability;
using Orvane::Utils::randomSigned;

namespace {

constexpr const char* BlobName = "objects/blob.fgm";
constexpr float HitRows[] = {256, 260, 274, 278, 288, 292, 306, 310};

void setColour(Orvane::Shader& shader, float r, float g, float b, float a)
{
    const float rgba[4] = {r, g, b, a};
    shader.getParameter("color").setFloat4(rgba);
}

// Reads an attribute of three floats out of a geometry, or explains what the file lacks.
std::vector<float> copyVectors(Orvane::Utils::Geometry& geometry, AttributeSemantic semantic, const char* what)
{
    auto attribute = geometry.getAttribute(semantic);
    Orvane::Utils::AttributeInfo info{};
    if (attribute)
        info = geometry.getAttributeInfo(semantic);
    if (!attribute || info.vertexBuffer->getStride() < 12)
        throw Orvane::Exceptions::Exception(std::string(BlobName) + ": the mesh has no " + what + " of three floats");
    int n = geometry.getVertexCount();
    std::vector<float> values(size_t(n) * 3);
    for (int i = 0; i < n; ++i) {
        auto v = attribute->get(i);
        values[size_t(i) * 3] = v.x;
        values[size_t(i) * 3 + 1] = v.y;
        values[size_t(i) * 3 + 2] = v.z;
    }
    return values;
}

// x^90 by squaring: the narrow crest of the bump.
float power90(float x)
{
    float x2 = x * x, x4 = x2 * x2, x8 = x4 * x4, x16 = x8 * x8, x32 = x16 * x16, x64 = x32 * x32;
    return x64 * x16 * x8 * x2;
}

}

Lolscene::Lolscene(Tavrin::Demo* owner)
    : VisualContainerNode(owner)
    , stars(owner)
    , clouds(owner, CloudQuads)
    , blob(nullptr)
    , glow_(128, 128, Orvane::RenderTarget::Colour | Orvane::RenderTarget::Depth)
    , glowTemp_(128, 128, Orvane::RenderTarget::Colour)
    , dither_(owner)
{
    for (float hit : HitRows)
        demo->addHitTime(demo->rowsToSeconds(hit));
    clouds.texture = demo->loadTexture("textures/cloudparticle0.png");
    sky_ = demo->loadGeometry("objects/skydome.fgm");
    blob = demo->loadGeometry(BlobName);
    normalMap_ = demo->loadTexture("textures/lolbump.jpg");
    glossMap_ = demo->loadTexture("textures/lolgloss.jpg");
    restPositions = copyVectors(*blob, AttributeSemantic::Position, "positions");
    restNormals = copyVectors(*blob, AttributeSemantic::Normal, "normals");
    phases.resize(restPositions.size() / 3);
    for (size_t i = 0; i < phases.size(); ++i)
        phases[i] = 0.05f * std::hypot(restPositions[3 * i], restPositions[3 * i + 1], restPositions[3 * i + 2]) + 1.0f;
    for (float phase : phases) {
        phaseSines_.push_back(std::sin(phase));
        phaseCosines_.push_back(std::cos(phase));
    }
    installPositionBuffer();
    colourMap_ = demo->loadTexture("textures/lolmap.jpg");
    horizon_ = demo->loadTexture("textures/horizon.jpg");
    lines_ = demo->loadTexture("textures/lines.png");
}

void Lolscene::installPositionBuffer()
{
    const int components[1] = {3};
    int n = int(phases.size());
    auto positions = std::make_unique<Orvane::VertexBuffer>(1, components, n, Orvane::hardware_mem_stream_draw,
                                                            restPositions.data());
    blobPositions_ = positions.get();
    int slot = blob->addVertexBuffer(std::move(positions));
    if (slot == Orvane::Utils::Geometry::MaxVertexBuffers) {
        blobPositions_ = nullptr;
        throw Orvane::Exceptions::Exception(std::string(BlobName)
                                            + ": no free vertex buffer slot for the moving positions");
    }
    blob->removeAttribute(AttributeSemantic::Position);
    blob->bindAttribute(slot, 0, AttributeSemantic::Position);

    // Rounded to a thousandth: the poles' vertices differ in the last bits of their coordinates.
    std::map<std::tuple<long, long, long>, std::vector<int>> byPosition;
    auto rounded = [&](int i, int c) { return std::lround(restPositions[3 * size_t(i) + size_t(c)] * 1000.0f); };
    for (int i = 0; i < n; ++i)
        byPosition[{rounded(i, 0), rounded(i, 1), rounded(i, 2)}].push_back(i);
    for (auto& entry : byPosition)
        if (entry.second.size() > 1)
            seams_.push_back(std::move(entry.second));
}

namespace {

// The four waves that move a blob vertex at one moment: the bump's sine and the three turns'.
struct Waves {
    float bump, a, b, c;
};

// sin and cos of the wave arguments at one moment, so that a vertex needs only its phase's.
struct Clock {
    explicit Clock(float T)
        : sinT(std::sin(T))
        , cosT(std::cos(T))
        , sin20(std::sin(0.2f * T))
        , cos20(std::cos(0.2f * T))
        , sin31(std::sin(0.31f * T))
        , cos31(std::cos(0.31f * T))
        , sin32(std::sin(0.32f * T))
        , cos32(std::cos(0.32f * T))
    {}
    // sin(T - phase), sin(0.2 T - phase), sin(0.31 T - phase), cos(0.32 T - phase).
    Waves at(float sinPhase, float cosPhase) const
    {
        return {sinT * cosPhase - cosT * sinPhase, sin20 * cosPhase - cos20 * sinPhase,
                sin31 * cosPhase - cos31 * sinPhase, cos32 * cosPhase + sin32 * sinPhase};
    }
    float sinT, cosT, sin20, cos20, sin31, cos31, sin32, cos32;
};

void placeVertex(const float* p, const float* normal, const Waves& w, float* out)
{
    float push = 3.0f * power90(w.bump);
    float qx = p[0] + push * normal[0], qy = p[1] + push * normal[1], qz = p[2] + push * normal[2];
    float alpha = w.a * w.a, beta = w.b * w.b, gamma = w.c * w.c;
    float x1 = qx + 6 * alpha, y1 = qy + 6 * beta, z1 = qz + 6 * gamma;
    float ca = std::cos(alpha), sa = std::sin(alpha);
    float y2 = y1 * ca - z1 * sa, z2 = y1 * sa + z1 * ca;
    float cb = std::cos(beta), sb = std::sin(beta);
    float x3 = x1 * cb - z2 * sb, z3 = x1 * sb + z2 * cb;
    float cg = std::cos(gamma), sg = std::sin(gamma);
    out[0] = x3;
    out[1] = y2 * cg - z3 * sg;
    out[2] = y2 * sg + z3 * cg;
}

}

void Lolscene::deformVertex(const float* p, const float* normal, float phase, float T, float* out)
{
    placeVertex(
        p, normal,
        {std::sin(T - phase), std::sin(0.2f * T - phase), std::sin(0.31f * T - phase), std::cos(0.32f * T - phase)},
        out);
}

void Lolscene::deformBlob(float T)
{
    const Clock clock(T);
    auto* out = static_cast<float*>(blobPositions_->lock(false, true));
    for (size_t i = 0; i < phases.size(); ++i)
        placeVertex(&restPositions[3 * i], &restNormals[3 * i], clock.at(phaseSines_[i], phaseCosines_[i]),
                    out + 3 * i);
    blobPositions_->unlock();
    blob->calcVectorsFast(AttributeSemantic::Normal, true);
    weldSeams();
}

void Lolscene::weldSeams()
{
    auto normals = blob->getAttribute(AttributeSemantic::Normal);
    for (const std::vector<int>& group : seams_) {
        float sx = 0, sy = 0, sz = 0;
        for (int i : group) {
            auto v = normals->get(i);
            sx += v.x;
            sy += v.y;
            sz += v.z;
        }
        float length = std::sqrt(sx * sx + sy * sy + sz * sz);
        if (length == 0.0f)
            continue;
        for (int i : group)
            normals->set(i, sx / length, sy / length, sz / length, 0);
    }
}

void Lolscene::moveClouds(float T)
{
    clouds.lock();
    Orvane::Utils::seedRandom(1);
    int quad = 0;
    for (int cluster = 0; cluster < CloudClusters; ++cluster) {
        float z = 370.0f * T + 800.0f * randomSigned();
        // Whole laps at once: the loop of single subtractions would run for every lap flown.
        if (z > 800.0f)
            z -= 1600.0f * std::ceil((z - 800.0f) / 1600.0f);
        float ry = randomSigned(), rx = randomSigned();
        for (int k = 0; k < QuadsPerCluster; ++k, ++quad) {
            float a = randomSigned(), b = randomSigned(), c = randomSigned();
            clouds.setQuadPosition(quad, 800 * rx + 100 * c, 800 * ry + 100 * b, z + 100 * a);
            float d = randomSigned(), e = randomSigned(), f = randomSigned(), g = randomSigned();
            clouds.setQuadColor(quad, 0.05f * g + 0.9f, 0.05f * f + 0.9f, 0.05f * e + 0.9f, 0.1f * d + 0.3f);
            float s = 50.0f * randomSigned() + 200.0f;
            clouds.setQuadSize(quad, s, s);
            clouds.setQuadTexRect(quad, 0, 0, 1, 1);
        }
    }
    clouds.sortByDistance(1);
    clouds.unlock();
}

void Lolscene::drawScene(bool withGlow)
{
    const float white[4] = {1, 1, 1, 1};
    drawSkyDome(*demo, *sky_, *horizon_, white);

    enable(Capability::DepthTest);
    demo->setCamera(1, 1, 1000);
    Orvane::Shader& bump = *demo->loadShader("shaders/bumpenv.cg");
    bump.bind();
    bump.getParameter("texture").setTexture(*colourMap_);
    bump.getParameter("normalmap").setTexture(*normalMap_);
    bump.getParameter("glossmap").setTexture(*glossMap_);
    setColour(bump, 1, 1, 1, 1);
    bump.updateState();
    enable(Capability::Blend);
    setBlendFunc(BlendOperandEnum::SrcAlpha, BlendOperandEnum::OneMinusSrcAlpha);
    blob->draw();
    disable(Capability::Blend);

    identityWorld();
    enable(Capability::Blend);
    setBlendFunc(BlendOperandEnum::SrcAlpha, BlendOperandEnum::OneMinusSrcAlpha);
    setDepthMask(false);
    demo->setCamera(1, 1, 10000);
    stars.drawStars();
    if (withGlow) {
        clouds.shader->bind();
        clouds.shader->updateState();
        clouds.shader->getParameter("texture").setTexture(*clouds.texture);
        clouds.drawQuads();
        disable(Capability::Blend);
    }
    setDepthMask(true);
}

std::optional<float> Lolscene::historyStart(float, float) const { return 0.0f; }
void Lolscene::begin(float) { ditherLevel.reset(); }
void Lolscene::advance(float) { ditherLevel.update(demo->frameDelta, demo->spectrum[0]); }

void Lolscene::draw(float x)
{
    const float T = demo->time;
    stars.update(x);
    moveClouds(T);
    deformBlob(T);

    Orvane::Device& device = *Orvane::Device::current();
    glow_.bind();
    device.clear(Orvane::ClearTarget::All, 0, 0, 0, 0, 1, 0);
    drawScene(true);
    glow_.unbind();
    demo->restoreScreenViewport();
    demo->blurTarget(glow_, glowTemp_, 1, 0.5f, 0);
    demo->blurTarget(glow_, glowTemp_, 1, 0, 0.5f);
    demo->restoreScreenViewport();

    Orvane::RenderTarget& screen = *demo->renderTargets[0];
    screen.bind();
    device.clear(Orvane::ClearTarget::ColorDepth, 0, 0, 0, 0, 1, 0);
    drawScene(false);
    enable(Capability::Blend);
    setBlendFunc(BlendOperandEnum::One, BlendOperandEnum::One);
    demo->drawFullscreenTexture(demo->builtinShader(Tavrin::BuiltinShader::TextureColor), *glow_.getColorTexture());
    disable(Capability::Blend);

    enable(Capability::Blend);
    setBlendFunc(BlendOperandEnum::SrcAlpha, BlendOperandEnum::OneMinusSrcAlpha);
    demo->drawTexturedRect(-1, -1, 2, 2, *lines_);
    demo->drawTexturedRect(-1, -1, 2, 2, *lines_);
    float pulse = demo->beatEnvelope(T, 0.05f, 0.12f);
    demo->drawFullscreenColor({0, 0, 0, pulse});
    screen.unbind();
    demo->restoreScreenViewport();
    disable(Capability::Blend);
    device.clear(Orvane::ClearTarget::Color, 0, 0, 0, 0, 1, 0);

    demo->restoreScreenViewport();
    ditherLevel.apply(dither_, screen, 1.0f);
}

}
