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
    // Restarts the fire once at each credit boundary T has passed; returns how many it did now.
    int restartPassedBoundaries(float T);

    Explosion explosion;
    StarField stars;

    // Shared by every ExplosionScene and kept across frames: seeking back replays the fades but
    // never restarts the fire twice at one boundary.
    static std::array<bool, CreditCount> restarted;
    static DitherLevel ditherLevel;

private:
    // After a jump forward in time (a seek, a still capture) the fire burns the missed seconds
    // first, so that it looks as it does when played through.
    void replayMissedFrames(float x);
    void drawScene(float x);
    void composite();

    Orvane::Utils::Geometry* sky_;
    Orvane::Texture* horizon_;
    Orvane::RenderTarget scene_;
    Dither dither_;
    float lastDrawn_ = 0.0f;  // local time of the last frame drawn
    std::array<Orvane::Texture*, CreditCount> credits_{};
};

}
