#pragma once

// Explosion: the fire ball, credits before each impact.
//
// What the viewer sees: a fire ball of blended particles (Explosion) under the dusk sky among
// swaying stars, drawn small with a blurred glow and the dither; before each of the four impacts
// a credits page ("overlays/credits1.png" to "credits4.png") comes up while the picture fades
// to black and the dither coarsens.
//
// What moves with time: the fire burns, rises and damps down; at each impact it starts afresh.
//
// What reacts to the music: the impacts on rows 704, 768, 832 and 896 restart the fire; the
// snare roll before them holds the burst; spectrum[0] swells the fire and feeds the dither level.
//
// Sync tracks: the camera (tracks 0-3, see the explosion section of tracks/default.txt).

#include "nightglass/kit/Dither.h"
#include "nightglass/kit/Explosion.h"
#include "nightglass/kit/StarField.h"
#include "orvane/Forward.h"
#include "orvane/RenderTarget.h"
#include "tavrin/flow/VisualContainerNode.h"

#include <array>
#include <optional>

namespace Nightglass {

class ExplosionScene : public Tavrin::Flow::VisualContainerNode {
public:
    static constexpr int CreditCount = 4;

    // Where the credits stand at demo time T.
    struct Credits {
        int window;  // 0 to 3, or -1 from the last boundary on
        float fade;  // 0 until the fade starts, 1 at the window's end
    };

    explicit ExplosionScene(Tavrin::Demo* demo);

    void draw(float x) override;

    Credits creditsAt(float T) const;
    // How many credit boundaries lie before demo time T: the fire starts afresh after each.
    int boundariesBefore(float T) const;

    // The dither level's history reaches back to the start of the showing, the fire's only to the
    // last boundary it started afresh at: a pre-roll burns the fire from there on.
    std::optional<float> historyStart(float x, float demoTime) const override;

    Explosion explosion;
    StarField stars;
    DitherLevel ditherLevel{0.6f, 0.9f};

    void begin(float x) override;
    // Starts the fire afresh when a boundary passed since the frame before, then burns one frame
    // (in a pre-roll, only once the last boundary before its target has passed).
    void advance(float x) override;

private:
    void drawScene(float x);
    void composite();

    Orvane::Utils::Geometry* sky_;
    Orvane::Texture* horizon_;
    Orvane::RenderTarget scene_;
    Dither dither_;
    float previousTime_ = 0.0f;  // the demo time of the frame before
    std::array<Orvane::Texture*, CreditCount> credits_{};
};

}
