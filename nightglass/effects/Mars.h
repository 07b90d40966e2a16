#pragma once

// Mars: spheres and smoke out of coarse dither.
//
// What the viewer sees: sixty-three bump-mapped spheres rolling over two rock slabs and flying
// after a marker ("scenes/mars9.fsg"), trailing smoke, under the dusk sky; in black and white
// with a glow, scan lines and the pulsing dither.
//
// What moves with time: the scene's animation; the smoke is emitted in fixed steps at the marker
// and at every sphere, then rises, sways, darkens and fades.
//
// What reacts to the music: while the demo opens the dither fades from coarse to fine over 512
// rows; later spectrum[0] drives it; a white flash 2.85 s into the section.
//
// Sync tracks: the camera (tracks 0-3, see the mars sections of tracks/default.txt).

#include "nightglass/kit/Dither.h"
#include "nightglass/kit/ParticleLayer.h"
#include "nightglass/kit/Particles.h"
#include "orvane/Forward.h"
#include "orvane/Vector.h"
#include "tavrin/flow/VisualContainerNode.h"

#include "orvane/utils/Random.h"

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace Nightglass {

// The smoke of the sphere scene: a ring of puff records filled in fixed steps of 0.02 s, one big
// white puff at the marker and one small one at each sphere per step; between steps the puffs
// rise, sway, darken and fade. Every frame's emissions draw from the generator seeded with 1.
class MarsSmoke {
public:
    static constexpr int Capacity = 6000;
    static constexpr int Emitters = 64;  // the marker, then the 63 spheres
    static constexpr float StepSeconds = 0.02f;

    struct Puff {
        Orvane::Vector3 position;
        float size;
        float color[4];
        unsigned char big;  // 1 for the marker's puffs
    };

    MarsSmoke()
        : puffs(Capacity, Puff{})
    {}

    // Emits the steps the frame time completes and moves every puff by dt at effect time t.
    // Returns false, leaving the puffs as they were, when no step completed.
    bool update(float dt, float t, const std::array<Orvane::Vector3, Emitters>& emitters);
    // One step: 64 consecutive slots from next, next left after them.
    void emitStep(const std::array<Orvane::Vector3, Emitters>& emitters);
    // Clears the air: every record zeroed, the ring and the step clock back at their start.
    void clear();
    // Writes every puff into the quad of its slot; a puff shrunk below nothing draws nothing.
    void writeQuads(Particles& quads, float aspect) const;

    std::vector<Puff> puffs;
    int next = 0;
    float pending = 0;

private:
    void drift(Puff& puff, float dt, float t) const;
    void scatter(Puff& puff, const Orvane::Vector3& at, float spread, float offset);
    void tint(Puff& puff, float red, float greenBlue, float alpha);

    Orvane::Utils::RandomGenerator random_;
};

class Mars : public Tavrin::Flow::VisualContainerNode {
public:
    static constexpr int SphereCount = 63;

    explicit Mars(Tavrin::Demo* demo);
    // sceneName is relative to the data folder. Throws Exception naming the file and the node
    // when the scene lacks a node the effect moves.
    Mars(Tavrin::Demo* demo, const std::string& sceneName);
    ~Mars() override;

    void draw(float time) override;
    // The smoke and the dither level go from frame to frame from the start of the showing.
    std::optional<float> historyStart(float time, float demoTime) const override;

    // The white flash over the picture at effect time t.
    float flash(float t) const;
    // The dither's fade: while the demo opens, falling from 1 to 0 over 512 rows.
    float openingDitherLevel(float demoTime) const;

    MarsSmoke smoke;
    DitherLevel ditherLevel{0.9f, 0.9f};

    // Clear air and a quiet level.
    void begin(float t) override;
    // The scene posed at effect time t, the smoke stepped on, the level updated.
    void advance(float t) override;

private:
    void gatherEmitters();
    void renderScene();
    void drawSky();
    void drawNode(const Orvane::Utils::SceneGraph::Node& node, Orvane::Shader& shader);
    void drawSmoke();
    void filter();
    void glow();
    void composite(float t);
    void finish();

    Orvane::RenderTarget* screen_;
    std::unique_ptr<Orvane::RenderTarget> glowA_, glowB_;
    Orvane::Utils::Geometry* skyMesh_;
    Orvane::Texture* horizon_;
    Orvane::Utils::SceneGraph::Scene* scene_;
    Orvane::Shader* planetShader_;
    Orvane::Shader* bumpShader_;
    Orvane::Shader* filterShader_;
    Orvane::Texture* colourMap_;
    Orvane::Texture* normalMap_;
    Orvane::Texture* glossMap_;
    Orvane::Texture* lines_;
    Orvane::Texture* puffTexture_;
    Dither dither_;
    Particles smokeQuads_;
    ParticleLayer smokeLayer_;
    std::array<const Orvane::Utils::SceneGraph::Node*, SphereCount> spheres_{};
    const Orvane::Utils::SceneGraph::Node* marker_ = nullptr;
    const Orvane::Utils::SceneGraph::Node* box1_ = nullptr;
    const Orvane::Utils::SceneGraph::Node* box2_ = nullptr;
    std::array<Orvane::Vector3, MarsSmoke::Emitters> emitters_{};
};

}
