#pragma once

#include "orvane/Vector.h"

namespace Tavrin::Edit {

// The camera the sync tracks give every effect: eye (track 0), target (track 1), up (track 2) and
// the vertical field of view in degrees (track 3's x).
struct CameraPose {
    Orvane::Vector3 eye, target, up;
    float fov = 60.0f;
};

CameraPose cameraPoseOf(const Orvane::Vector4 syncValues[4]);
// Writes the pose into the four camera values, leaving what the pose does not hold (the w
// components, the field of view's y to w) as they are.
void putCameraPose(const CameraPose& pose, Orvane::Vector4 syncValues[4]);

// A free camera that starts where a pose is: it turns about the pose's up vector and tilts up and
// down short of it, moves along its view, sideways and along up, at a speed the mouse wheel sets.
// Its target stays as far ahead as the pose's was, so keys written from it interpolate as the
// track's own do.
class FlyCamera {
public:
    static constexpr float SpeedStep = 1.25f;
    static constexpr float MaxPitch = 89.0f;

    explicit FlyCamera(const CameraPose& start);

    // Degrees to the right and upwards.
    void look(float right, float upward);
    // Each of forward, right and rise from -1 to 1, for this many seconds at the current speed.
    void move(float forward, float right, float rise, float seconds);
    // Each notch up makes it SpeedStep times faster, each notch down as much slower.
    void changeSpeed(int notches);

    CameraPose pose() const;
    float speed() const { return speed_; }

private:
    Orvane::Vector3 direction() const;
    Orvane::Vector3 rightward() const;

    Orvane::Vector3 eye_, up_, ahead_, side_;
    float yaw_ = 0.0f, pitch_ = 0.0f;
    float distance_;
    float fov_;
    float speed_;
};

}
