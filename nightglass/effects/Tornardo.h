#pragma once

// Tornardo: a funnel of smoke crosses the red plain and takes everything with it.
//
// What the viewer sees: the Mars scene's boxes and its sphere ("scenes/mars9.fsg") stand on a
// red dusty plain ("objects/dustplain.fgm", "shaders/dustplain.cg") under a dusk sky. A tornado, a twisting funnel of dusty smoke that is thin at the ground
// and opens wide into the clouds, sweeps in over them: a dense core of smoke sprites
// ("textures/smokejall.png") with a cloud of glinting dust and debris whirling around its foot
// and up its sides ("textures/dott.png"), under a slowly turning wall of cloud. As it passes, it lifts the boxes (bump-mapped with
// "shaders/mars.cg") one after another and carries them spinning up around its axis; last it
// takes the chrome sphere (the built-in sphere map shader with the storm map "textures/lolmap4.jpg")
// and throws it up into the sky. Lightning flickers inside the funnel; soft glow and the dither
// finish the picture.
//
// What moves with time: the funnel's foot travels across the plain and its axis snakes; the smoke
// rises and turns faster and faster through the section as the snare roll speeds up; the objects
// lift on their own cue times. Everything is a function of the local time.
//
// What reacts to the music: spectrum[0] thickens and brightens the smoke and the debris and feeds
// the dither level; the lightning strikes registered in hitTimes come closer together with the
// snare roll, and the riser brightens the funnel and the glow towards the big hit that follows.
//
// Sync tracks: the camera (tracks 0-3, see the tornardo section of tracks/default.txt).

#include "nightglass/kit/GlowDither.h"
#include "nightglass/kit/Particles.h"
#include "orvane/Matrix4.h"
#include "tavrin/flow/VisualContainerNode.h"

#include <array>
#include <utility>
#include <memory>
#include <vector>

namespace Orvane {
class Shader;
class Texture;
namespace Utils {
class Geometry;
namespace SceneGraph {
class Scene;
}
}
}

namespace Nightglass {

class Tornardo : public Tavrin::Flow::VisualContainerNode {
public:
    explicit Tornardo(Tavrin::Demo* demo);
    ~Tornardo() override;

    void draw(float time) override;

    // Where the funnel's axis is at a height (0 at the ground) and local time: its foot passes
    // each box and then the sphere at their cue times.
    Orvane::Vector3 axisAt(float height, float time) const;
    // How far the funnel has turned by the local time, in radians: it spins up with the snare roll.
    static float spinAt(float time);

private:
    struct Carried {
        Orvane::Utils::Geometry* mesh;
        Orvane::Matrix4 rest;     // the node's place in the scene
        float cue;                // local time the funnel takes it
        float orbit;              // radius it circles at when carried
    };
    struct Grain {
        float rise, offset, phase, spread, size, shade;
    };

    void drawSky(float light);
    void drawGround(float time, float light, float strike);
    void drawCarried(float time);
    Orvane::Vector3 smokePosition(int grain, float time, float spin, float& height, float& angle) const;
    void drawSmoke(float time, float pulse, float light);
    void drawDebris(float time, float pulse);
    Orvane::Matrix4 carriedMatrix(const Carried& object, float time) const;
    float strikeAt(float demoTime) const;

    std::unique_ptr<Orvane::Utils::SceneGraph::Scene> scene_;
    Orvane::Utils::Geometry* sky_;
    Orvane::Utils::Geometry* ground_;
    Orvane::Shader* groundShader_;
    Orvane::Texture* skyMap_;
    Orvane::Texture* boxMap_;
    Orvane::Texture* boxBump_;
    Orvane::Texture* boxGloss_;
    Orvane::Texture* chromeMap_;
    Orvane::Shader* boxShader_;
    std::array<Carried, 3> boxes_{};
    Carried sphere_{};
    Particles smoke_;
    Particles debris_;
    std::vector<Grain> smokeGrains_;
    std::vector<Grain> debrisGrains_;
    std::vector<float> strikes_;
    std::vector<std::pair<float, Orvane::Vector3>> footPath_;
    GlowDither finish_;
};

}
