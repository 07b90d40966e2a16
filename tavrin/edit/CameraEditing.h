#pragma once

#include "tavrin/edit/EditHistory.h"
#include "tavrin/edit/FlyCamera.h"
#include "tavrin/sync/SyncTrackFile.h"

#include <optional>
#include <string>

namespace Tavrin {
class Demo;
}

namespace Tavrin::Edit {

class RocketLink;

// How the user steers the fly camera this frame.
struct FlyControls {
    float forward = 0.0f, right = 0.0f, rise = 0.0f;  // -1 to 1 each
    float lookRight = 0.0f, lookUp = 0.0f;  // degrees
    int speedNotches = 0;
};

// The fly camera of the edit session: while it flies it stands in for the tracks' camera, and its
// pose can be keyed into the camera tracks of the track text.
class CameraEditing {
public:
    explicit CameraEditing(Demo& demo);

    // Takes off from the camera the tracks show now, or lands.
    void toggle();
    bool flying() const { return camera_.has_value(); }
    const FlyCamera* camera() const { return camera_ ? &*camera_ : nullptr; }

    void steer(const FlyControls& controls, float seconds);
    // While flying, puts the pose into the demo's camera values for the frame about to be drawn.
    void standIn() const;

    // The change to the track text at path that keys the pose at the row the playhead is in.
    // Throws Exception naming the file when it cannot be read or does not compile.
    FileEdit keyEdit(const std::string& path, float playhead) const;
    // The same key set in a connected Rocket editor instead, component by component (eye, target
    // and up x to z, the field of view's x), each with the mode keyEdit would give it. live are the
    // tracks in force now.
    void keyInEditor(RocketLink& link, const Sync::SyncTracks& live, float playhead) const;

private:
    float keyTime(float playhead) const;
    CameraPose pose() const;

    Demo& demo_;
    std::optional<FlyCamera> camera_;
};

}
