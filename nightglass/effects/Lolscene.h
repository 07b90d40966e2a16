#pragma once

// Lolscene: the glossy blob under the stars, dark on each stab.
//
// What the viewer sees: under the dusk sky, a bump-mapped, glossy blob ("objects/blob.fgm")
// among swaying stars, with a stream of cloud sprites flying past that shows only as a soft
// glow; scan lines and the dither finish the picture.
//
// What moves with time: a narrow bump runs over the blob once per 2 pi seconds while three slow
// waves offset and turn it; the clouds fly along +z and wrap round; the stars sway. All of it is a
// function of the demo time.
//
// What reacts to the music: the chord stabs (rows 256 to 310, registered in hitTimes) darken the
// picture for a moment; spectrum[0] feeds the dither level.
//
// Sync tracks: the camera (tracks 0-3, see the lolscene section of tracks/default.txt).

#include "nightglass/kit/Dither.h"
#include "nightglass/kit/StarField.h"
#include "orvane/Forward.h"
#include "orvane/RenderTarget.h"
#include "tavrin/flow/VisualContainerNode.h"

#include <optional>
#include <vector>

namespace Nightglass {

class Lolscene : public Tavrin::Flow::VisualContainerNode {
public:
    static constexpr int CloudQuads = 300;
    static constexpr int CloudClusters = 20;
    static constexpr int QuadsPerCluster = 5;

    explicit Lolscene(Tavrin::Demo* demo);

    void draw(float x) override;

    // The blob's vertices at demo time T, normals recomputed.
    void deformBlob(float T);
    // Where a blob vertex at rest position p with rest normal n and the given phase lies at demo
    // time T: pushed out by a narrow bump once per 2 pi seconds, offset and turned.
    static void deformVertex(const float* p, const float* n, float phase, float T, float* out);
    // The cloud clusters at demo time T, flying along +z and wrapping back into [-800, 800].
    void moveClouds(float T);

    // The music-smoothed dither level is the only history: blob, clouds and stars follow the time.
    std::optional<float> historyStart(float time, float demoTime) const override;

    StarField stars;
    Particles clouds;
    Orvane::Utils::Geometry* blob;
    std::vector<float> restPositions, restNormals, phases;
    DitherLevel ditherLevel{0.9f, 0.9f};

    void begin(float time) override;
    void advance(float time) override;

private:
    void drawScene(bool withGlow);
    void weldSeams();
    void installPositionBuffer();

    Orvane::RenderTarget glow_, glowTemp_;
    Dither dither_;
    Orvane::Utils::Geometry* sky_;
    Orvane::Texture *horizon_, *colourMap_, *normalMap_, *glossMap_, *lines_;
    Orvane::VertexBuffer* blobPositions_ = nullptr;
    std::vector<float> phaseSines_, phaseCosines_;
    // Vertices that share one rest position (the texture seam, the poles), so that they get one
    // normal: the surface then lights without a crease.
    std::vector<std::vector<int>> seams_;
};

}
