#include "tavrin/edit/FlyCamera.h"

#include <algorithm>
#include <cmath>

namespace Tavrin::Edit {

using Orvane::Vector3;

namespace {

constexpr float DegreesToRadians = 3.14159265f / 180.0f;

Vector3 normalized(Vector3 v, const Vector3& fallback)
{
    float size = Orvane::length(v);
    return size > 1e-6f ? v * (1.0f / size) : fallback;
}

// Any direction square to up, for a pose that looks straight along it.
Vector3 squareTo(const Vector3& up)
{
    Vector3 other = std::fabs(up.x) < 0.9f ? Vector3(1, 0, 0) : Vector3(0, 1, 0);
    return normalized(Orvane::cross(up, other), Vector3(1, 0, 0));
}

}

CameraPose cameraPoseOf(const Orvane::Vector4 syncValues[4])
{
    auto xyz = [](const Orvane::Vector4& v) { return Vector3(v.x, v.y, v.z); };
    return {xyz(syncValues[0]), xyz(syncValues[1]), xyz(syncValues[2]), syncValues[3].x};
}

void putCameraPose(const CameraPose& pose, Orvane::Vector4 syncValues[4])
{
    const Vector3* parts[3] = {&pose.eye, &pose.target, &pose.up};
    for (int track = 0; track < 3; ++track) {
        syncValues[track].x = parts[track]->x;
        syncValues[track].y = parts[track]->y;
        syncValues[track].z = parts[track]->z;
    }
    syncValues[3].x = pose.fov;
}

FlyCamera::FlyCamera(const CameraPose& start)
    : eye_(start.eye)
    , up_(normalized(start.up, Vector3(0, 0, 1)))
    , distance_(std::max(Orvane::length(start.target - start.eye), 1e-3f))
    , fov_(start.fov)
{
    Vector3 view = normalized(start.target - start.eye, squareTo(up_));
    ahead_ = normalized(view - up_ * Orvane::dot(view, up_), squareTo(up_));
    side_ = Orvane::cross(ahead_, up_);
    pitch_ = std::asin(std::clamp(Orvane::dot(view, up_), -1.0f, 1.0f)) / DegreesToRadians;
    pitch_ = std::clamp(pitch_, -MaxPitch, MaxPitch);
    speed_ = std::max(distance_ / 4.0f, 0.1f);
}

void FlyCamera::look(float right, float upward)
{
    yaw_ = std::fmod(yaw_ + right, 360.0f);
    pitch_ = std::clamp(pitch_ + upward, -MaxPitch, MaxPitch);
}

void FlyCamera::move(float forward, float right, float rise, float seconds)
{
    float step = speed_ * seconds;
    eye_ += direction() * (forward * step) + rightward() * (right * step) + up_ * (rise * step);
}

void FlyCamera::changeSpeed(int notches) { speed_ *= std::pow(SpeedStep, float(notches)); }

CameraPose FlyCamera::pose() const { return {eye_, eye_ + direction() * distance_, up_, fov_}; }

Vector3 FlyCamera::direction() const
{
    float yaw = yaw_ * DegreesToRadians, pitch = pitch_ * DegreesToRadians;
    return (ahead_ * std::cos(yaw) + side_ * std::sin(yaw)) * std::cos(pitch) + up_ * std::sin(pitch);
}

Vector3 FlyCamera::rightward() const
{
    float yaw = yaw_ * DegreesToRadians;
    return side_ * std::cos(yaw) - ahead_ * std::sin(yaw);
}

}
