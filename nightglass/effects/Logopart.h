#pragma once

// Logopart: the glass logo in rising smoke, white on the hit.
//
// What the viewer sees: the solid logo ("objects/kavellogo.fgm") under a dusk sky with smoke
// rising past it, a soft glow, scan lines and the dither.
//
// What moves with time: the smoke rises through its cube and comes back at the bottom.
//
// What reacts to the music: the camera trembles with spectrum[0], which also feeds the dither
// level; the biggest hit of the production (row 1792, registered in hitTimes) and the others
// flash the picture white.
//
// Sync tracks: the camera (tracks 0-3, see the logopart section of tracks/default.txt).

#include "nightglass/kit/Dither.h"
#include "nightglass/kit/ParticleLayer.h"
#include "nightglass/kit/Particles.h"
#include "orvane/Forward.h"
#include "orvane/Vector.h"
#include "tavrin/flow/VisualContainerNode.h"

#include "orvane/utils/Random.h"

#include <array>
#include <optional>
#include <vector>

namespace Nightglass {

class Logopart : public Tavrin::Flow::VisualContainerNode {
public:
    static constexpr int SmokeCount = 500;
    // The row of the biggest hit, registered for the flashes of every effect.
    static constexpr float HitRow = 1792.0f;
    // The smoke fills a cube of twice this size around the origin and rises through it.
    static constexpr float SmokeExtent = 100.0f;
    static constexpr float SmokeRise = 50.0f;

    struct SmokeRecord {
        Orvane::Vector3t<float> position;
        Orvane::Vector4t<float> colour;
    };

    explicit Logopart(Tavrin::Demo* demo);

    void draw(float time) override;

    // The smoke, the camera's tremble and the dither level go from frame to frame, all from the
    // start of the showing.
    std::optional<float> historyStart(float time, float demoTime) const override;

    // Rises every record by the frame's drift; one that leaves the top comes back at the bottom
    // with a new colour.
    void updateSmoke(float frameDelta);
    // Up, tilted by two random draws scaled by the bass level f0.
    Orvane::Vector3t<float> shakyUp(float f0);

    std::vector<SmokeRecord> smoke;
    DitherLevel ditherLevel{0.8f, 0.95f};

    // The smoke fills its cube anew, from the same draws every time.
    void begin(float time) override;
    void advance(float time) override;

private:
    void writeSmokeQuads();
    Orvane::Vector4t<float> respawnColour();

    void drawScene(const Orvane::Vector3t<float>& up);
    void drawGlowAndComposite();

    Dither dither_;
    Orvane::Texture* smokeSprite_;
    Orvane::Utils::Geometry* sky_;
    Orvane::Texture* horizon_;
    Orvane::Utils::Geometry* logo_;
    Orvane::Texture* smokeMap_;
    Orvane::Texture* smokeNormals_;
    Orvane::Shader* logoShader_;
    Orvane::Texture* lines_;
    Particles quads_;
    ParticleLayer smokeLayer_;
    Orvane::Utils::RandomGenerator random_;
    Orvane::Vector3t<float> up_{0, 0, 1};
};

}
