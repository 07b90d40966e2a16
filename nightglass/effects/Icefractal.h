#pragma once

// Icefractal: a red moon caught in a burst of ice.
//
// What the viewer sees: under the dark night horizon, a small frozen moon hangs in the middle of
// the picture, bump-mapped and glossy, and out of its surface grows a burst of faceted ice
// crystals that fork into smaller crystals, level after level ("objects/hylle.fgm"). The ice is
// clear and dark in its body, with bright rims, glowing facet edges and glints; near the moon it
// takes the moon's warm light. A slow band of clouds drifts around the horizon, lit by a dusk
// ("textures/horizon.jpg") that rises behind the night sky when the theme returns; glittering
// frost motes orbit the burst. The picture is finished with a soft glow and the dither.
//
// What moves with time: the ice grows out of the moon over the first bars, its freezing front
// glowing as it runs out to the tips, and is complete by the crash that brings the theme back;
// afterwards a swell keeps running out along the branches and the outer branches sway (the
// morph, "shaders/morph.cg"). Moon and burst turn slowly; the clouds drift; the dusk rises after
// the crash.
//
// What reacts to the music: spectrum[0] (kick and bass) widens the swell, brightens the facet
// edges and the motes and feeds the dither level; a hit in hitTimes (this effect registers the
// crash at row 1024) flashes the ice and the screen.
//
// Sync tracks: the camera (tracks 0-3, see the icefractal section of tracks/default.txt).
// Stateless apart from the smoothed dither level, which settles within a fraction of a second.

#include "nightglass/kit/GlowDither.h"
#include "nightglass/kit/Particles.h"
#include "orvane/Forward.h"
#include "tavrin/flow/VisualContainerNode.h"

#include <memory>
#include <optional>
#include <vector>

namespace Nightglass {

class Icefractal : public Tavrin::Flow::VisualContainerNode {
public:
    explicit Icefractal(Tavrin::Demo* demo);
    ~Icefractal() override;

    void draw(float time) override;
    // The CPU work of a frame, which draw does first: clouds and motes placed and depth sorted.
    void update(float time);

    // The ice's growth front (in growth order, 0 .. 1) at a local time: it runs out from the moon
    // and has reached every tip by the crash.
    static float growthAt(float time);

    // The music-smoothed dither level is the only history.
    std::optional<float> historyStart(float time, float demoTime) const override;

    void begin(float time) override;
    void advance(float time) override;

private:
    struct Mote {
        float radius, height, phase, speed, twinkle, size;
    };

    void drawSky(float dusk);
    void drawMoon(float time);
    void drawIce(float time, float pulse, float flash);
    void placeClouds(float time, float dusk);
    void placeMotes(float time, float pulse);
    float duskAt(float time) const;
    float flashAt(float demoTime) const;

    Orvane::Utils::Geometry* sky_;
    Orvane::Utils::Geometry* ice_;
    Orvane::Utils::Geometry* moon_;
    Orvane::Texture* nightSky_;
    Orvane::Texture* duskSky_;
    Orvane::Texture* moonMap_;
    Orvane::Texture* moonBump_;
    Orvane::Texture* moonGloss_;
    Orvane::Shader* moonShader_;
    Orvane::Shader* iceShader_;
    Orvane::Texture* cloudStrip_;
    Particles clouds_;
    Particles motes_;
    std::vector<Mote> cloudLayout_;
    std::vector<Mote> moteLayout_;
    GlowDither finish_;
};

}
