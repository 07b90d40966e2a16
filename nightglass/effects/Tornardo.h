#pragma once

// Tornardo: a funnel of smoke crosses the plateaus and takes what stands on them.
//
// What the viewer sees: the Mars scene ("scenes/mars9.fsg") stands on a red dusty plain
// ("objects/dustplain.fgm", "shaders/dustplain.cg") under a dusk sky ("textures/horizon.jpg"):
// its two rock slabs "Box01" and "Box02" as plateaus, bump-mapped with "shaders/mars.cg", the
// pillar "Box03" behind them and the carousel of chrome spheres "GeoSphere01" to "GeoSphere21"
// rolling on the left slab (the built-in sphere map shader with the storm map
// "textures/lolmap4.jpg"). A tornado, a twisting funnel of dusty smoke that is thin at the ground
// and opens wide into a turning wall of cloud, comes in from the back: a dense core of smoke
// sprites ("textures/smokejall.png") winding up in three bands, with dust rolling out at its foot,
// and dark grit and stones whirling up its sides ("textures/dott.png"). It tears the pillar off and carries it spinning up around
// its axis, then crosses the carousel and takes the spheres one after another. Lightning flickers
// inside the funnel; soft glow and the dither finish the picture.
//
// What moves with time: the funnel reaches down out of the cloud and touches the ground in the
// first seconds; then its foot travels across the plateaus and its axis snakes; the
// smoke rises and turns faster and faster through the section as the snare roll speeds up; each
// object lifts when the foot passes it. Everything is a function of the local time.
//
// What reacts to the music: spectrum[0] swells the smoke and the debris and feeds the
// dither level; the lightning strikes registered in hitTimes come closer together with the snare
// roll, and the riser lights the funnel and the glow towards the big hit that follows.
//
// Sync tracks: the camera (tracks 0-3, see the tornardo section of tracks/default.txt).

#include "nightglass/kit/GlowDither.h"
#include "nightglass/kit/ParticleLayer.h"
#include "nightglass/kit/Particles.h"
#include "orvane/Forward.h"
#include "orvane/Matrix4.h"
#include "tavrin/flow/VisualContainerNode.h"

#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace Nightglass {

class Tornardo : public Tavrin::Flow::VisualContainerNode {
public:
    explicit Tornardo(Tavrin::Demo* demo);
    ~Tornardo() override;

    void draw(float time) override;
    // The CPU work of a frame, which draw does first: the scene's animation, smoke and debris
    // placed and depth sorted.
    void update(float time);

    // Where the funnel's foot is at a time, in the plane.
    struct FootKey {
        float time, x, y;
    };

    // Where the funnel's axis is at a height (0 at the ground) and local time.
    Orvane::Vector3 axisAt(float height, float time) const;
    // How far the funnel has turned by the local time, in radians: it spins up with the snare roll.
    float spinAt(float time) const;
    // The section's length in seconds at the demo's tempo.
    float length() const { return length_; }
    // The local time the funnel takes the named object, or a negative value if it never does.
    float cueOf(const std::string& node) const;

    // The music-smoothed dither level is the only history.
    std::optional<float> historyStart(float time, float demoTime) const override;

    void begin(float time) override;
    void advance(float time) override;

private:
    struct SceneObject {
        Orvane::Utils::SceneGraph::Node* node;
        Orvane::Utils::Geometry* mesh;
        float cue;  // local time the funnel takes it; infinite if it is never taken
        float orbit;  // radius it circles at when carried; 0 for what stays on the ground
        float tumble;  // degrees per second it turns over when carried
    };
    struct Grain {
        float rise, offset, phase, spread, size, shade;
    };

    void drawSky(float light);
    void drawGround(float time, float strike);
    void drawSlabs();
    void drawCarried(float time);
    void placeSmoke(float time, float pulse, float light);
    void placeDebris(float time, float pulse, float light);
    float riserAt(float time) const;
    Orvane::Vector3 smokePosition(int grain, float time, float spin, float& height, float& angle) const;
    Orvane::Matrix4 carriedMatrix(const SceneObject& object, float time) const;
    SceneObject findObject(const std::string& name, float orbit, float tumble);
    void findCues();
    float strikeAt(float demoTime) const;

    float length_;
    float rollStart_;
    std::vector<FootKey> footPath_;
    Orvane::Utils::SceneGraph::Scene* scene_;
    Orvane::Utils::Geometry* sky_;
    Orvane::Utils::Geometry* ground_;
    Orvane::Shader* groundShader_;
    Orvane::Texture* skyMap_;
    Orvane::Texture* rockMap_;
    Orvane::Texture* rockBump_;
    Orvane::Texture* rockGloss_;
    Orvane::Texture* chromeMap_;
    Orvane::Shader* rockShader_;
    std::vector<SceneObject> slabs_;
    std::vector<SceneObject> carried_;
    Particles smoke_;
    Particles debris_;
    ParticleLayer smokeLayer_;
    std::vector<Grain> smokeGrains_;
    std::vector<Grain> debrisGrains_;
    std::vector<float> strikes_;
    GlowDither finish_;
};

}
