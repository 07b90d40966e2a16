#pragma once

#include "orvane/Forward.h"
#include "tavrin/Visual.h"

namespace Nightglass {

// The production's finishing pass: a rendered scene drawn to the screen through four tiled
// ordered-dither patterns of increasing coverage.
class Dither : public Tavrin::Visual {
public:
    explicit Dither(Tavrin::Demo* demo);

    // Draws source's colour over the letterboxed screen. fade 0 shows the scene as it is, 1 the
    // full pattern look; tileX and tileY are how often the patterns repeat across the screen.
    // Leaves identity matrices and the screen viewport.
    void apply(Orvane::RenderTarget& source, float fade, float gamma, float tileX, float tileY);

    Orvane::Shader* shader;
    Orvane::Texture* pattern25;
    Orvane::Texture* pattern50;
    Orvane::Texture* pattern75;
    Orvane::Texture* pattern100;
};

// A music level smoothed in fixed steps of 0.01 s, s = (s + (k f0)^2) d, that scales the dither:
// louder music gives larger pattern cells. Its owner updates it once a frame, in its advance.
class DitherLevel {
public:
    DitherLevel(float k, float d)
        : k_(k)
        , d_(d)
    {}

    float update(float frameDelta, float f0);
    float value() const { return level_; }
    void set(float level) { level_ = level; }
    // Silence, as at the start of a showing: the level at 0 and no step begun.
    void reset();

    // The dither with fade = level and tiles of the screen size / (16 or 9 x level).
    void apply(Dither& dither, Orvane::RenderTarget& source, float gamma) const;

private:
    float k_, d_;
    float level_ = 0.0f;
    float pending_ = 0.0f;
};

}
