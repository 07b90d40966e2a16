#pragma once

#include "nightglass/kit/Dither.h"
#include "nightglass/kit/Explosion.h"
#include "nightglass/kit/StarField.h"
#include "orvane/RenderTarget.h"
#include "tavrin/flow/VisualContainerNode.h"

#include <array>

namespace Orvane::Utils {
class Geometry;
}

namespace Nightglass {

// The fire ball under the sky among swaying stars, drawn small with a blurred glow, and the
// credits: before each of four music positions the picture fades to black under a credits page
// while the dither coarsens; at each position the fire starts afresh.
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
    float rowTime(float row) const;
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
