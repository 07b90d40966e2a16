#pragma once

// Devil: a chrome head with horns and long burning hair headbangs to theme B while the
// greetings roll.
//
// What the viewer sees: a red dusk sky over dark hills, and beams of light fanning out from
// behind a mirror-bright sphere (the head, "GeoSphere01" of the devil scene) that reflects a
// burning world (the sphere map "lolmap3"). Two ridged horns of dark glassy stone ("Mesh01")
// grow from it, their grooves glowing like lava; slanted eyes and a grin glow through the
// chrome; some two hundred long strands of hair ("hair.png" ribbons) fall from its crown and
// back and burn brighter towards their tips. Embers rise through the frame. A bright-pass glow
// makes the hot parts bloom; the greetings ("overlays/greet%i.png") come one after another, one
// per two bars, in the lower third; the dither finish breathes with the kick.
//
// What moves with time (the scene's animated channels, a function of the local time): the head
// rises out of the dark in the first bars while the horns grow out of the skull; it sways and
// nods every other beat; on the crash half-way through it spins once round, and from then on
// it headbangs on every beat. The hair is a function of the head's recent path: each point of a
// strand follows the head as it was a little earlier, the further down the strand the longer
// ago, so the hair trails every turn and whips on every bang. The embers are a function of time.
//
// What reacts to the music: spectrum[0] (the bass) swings the hair across its fall, makes sparks
// run down to its tips, heats the lava in the horns and the eyes, flares the beams on each beat
// and drives the dither level.
// The crashes at the window's start and half-way through flash the frame white.
//
// Sync tracks: 0-3, the camera; 14.x adds wind to the hair's swing, 14.y heat to horns and eyes.

#include "tavrin/flow/VisualContainerNode.h"

#include "nightglass/kit/Dither.h"
#include "nightglass/kit/Hair.h"
#include "nightglass/kit/Particles.h"
#include "orvane/Forward.h"
#include "orvane/Matrix4.h"

#include <array>
#include <memory>
#include <optional>
#include <vector>

namespace Nightglass {

class Devil : public Tavrin::Flow::VisualContainerNode {
public:
    static constexpr int GreetingCount = 8;
    static constexpr int HairStrandCount = 200;
    static constexpr int HairSegments = 20;
    static constexpr int EmberCount = 360;

    explicit Devil(Tavrin::Demo* demo);
    ~Devil() override;

    void draw(float time) override;
    // All of a frame's work but the drawing: poses the scene and the hair at time and places the
    // glows and embers.
    void animate(float time);

    const HairStrands& hair() const { return hair_; }

    // The music-smoothed dither level is the only history: the hair is posed from the scene's past.
    std::optional<float> historyStart(float time, float demoTime) const override;

    void begin(float time) override;
    void advance(float time) override;

private:
    float bass() const;
    float heat() const;
    void poseHeadAndHair(float time, float sway);
    void placeSparks(float time, float heat);
    void placeFace(float heat);
    void drawSky();
    void drawRays(float time, float kick);
    void drawHead(float time, float heat);
    void drawHair(float time, float heat);
    void drawSparks();
    void finish(float time);
    void drawGreetings(float time);

    Orvane::Utils::SceneGraph::Scene* scene_;
    Orvane::Utils::SceneGraph::Node* head_;
    Orvane::Utils::SceneGraph::Node* horns_;
    Orvane::Utils::Geometry* sky_;
    Orvane::Texture* horizon_;
    Orvane::Texture* stone_;
    Orvane::Texture* sphereMap_;
    Orvane::Texture* hairTexture_;
    Orvane::Texture* spark_;
    Orvane::Texture* lines_;
    std::array<Orvane::Texture*, GreetingCount> greetings_{};
    Orvane::Shader* hornShader_;
    Orvane::Shader* hairShader_;
    Orvane::Shader* postShader_;
    Orvane::Shader* raysShader_;
    HairStrands hair_;
    HairRibbons ribbons_;
    std::vector<Orvane::Matrix4> headPast_;
    Particles sparks_;
    Dither dither_;
    DitherLevel ditherLevel_{0.75f, 0.9f};
};

}
