#pragma once

#include "nightglass/kit/Dither.h"
#include "nightglass/kit/Particles.h"
#include "orvane/Vector.h"
#include "tavrin/flow/VisualContainerNode.h"

#include <array>
#include <vector>

namespace Orvane {
class Shader;
class Texture;
namespace Utils {
class Geometry;
}
}

namespace Nightglass {

// The peak: the solid logo under a dusk sky with smoke rising past it, the camera trembling with
// the bass, a soft glow, scan lines, the dither breathing with the music and white flashes on
// the hits.
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

    // Rises every record by the frame's drift; one that leaves the top comes back at the bottom
    // with a new colour. Then writes the quads and sorts them far to near.
    void updateSmoke(float frameDelta);
    // Up, tilted by two random draws scaled by the bass level f0.
    Orvane::Vector3t<float> shakyUp(float f0) const;

    std::vector<SmokeRecord> smoke;
    DitherLevel ditherLevel{0.8f, 0.95f};

private:
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
};

}
