#include "tavrin/edit/CameraEditing.h"

#include "orvane/utils/StreamReaders.h"
#include "tavrin/Demo.h"
#include "tavrin/edit/CameraKeys.h"
#include "tavrin/edit/RocketLink.h"
#include "tavrin/edit/RocketTracks.h"
#include "tavrin/sync/SyncTrackText.h"

#include <algorithm>

namespace Tavrin::Edit {

namespace {

// The eye, target and up tracks, then the field of view's.
constexpr size_t CameraTracks = 4;
constexpr int FieldOfViewTrack = 3;

}

CameraEditing::CameraEditing(Demo& demo)
    : demo_(demo)
{}

void CameraEditing::toggle()
{
    if (camera_)
        camera_.reset();
    else
        camera_.emplace(cameraPoseOf(demo_.syncValues));
}

void CameraEditing::steer(const FlyControls& controls, float seconds)
{
    if (!camera_)
        return;
    camera_->changeSpeed(controls.speedNotches);
    camera_->look(controls.lookRight, controls.lookUp);
    camera_->move(controls.forward, controls.right, controls.rise, seconds);
}

void CameraEditing::standIn() const
{
    if (camera_)
        putCameraPose(camera_->pose(), demo_.syncValues);
}

// Keys go on the row the playhead is in, where the Rocket editor would put them.
float CameraEditing::keyTime(float playhead) const { return rocketRowTime(rocketRowAt(playhead, demo_.bpm), demo_.bpm); }

CameraPose CameraEditing::pose() const { return camera_ ? camera_->pose() : cameraPoseOf(demo_.syncValues); }

FileEdit CameraEditing::keyEdit(const std::string& path, float playhead) const
{
    std::string text = Orvane::Utils::readTextFile(path);
    Sync::SyncTrackKeys keys = Sync::compileSyncTrackText(text, path);
    Sync::SyncTrackKeys keyed = withCameraKey(keys, keyTime(playhead), pose());
    return {path, text, Sync::updateSyncTrackText(text, keyed, path, "camera keys written by the fly camera"), true};
}

void CameraEditing::keyInEditor(RocketLink& link, const Sync::SyncTracks& live, float playhead) const
{
    float time = keyTime(playhead);
    Sync::SyncTrackKeys keys;
    for (size_t track = 0; track < CameraTracks; ++track)
        keys[track] = live[track].keys();
    Sync::SyncTrackKeys keyed = withCameraKey(keys, time, pose());
    for (int track = 0; track < int(CameraTracks); ++track) {
        const std::vector<Sync::SyncKey>& trackKeys = keyed[size_t(track)];
        auto key = std::find_if(trackKeys.begin(), trackKeys.end(), [&](const Sync::SyncKey& k) { return k.time == time; });
        int components = track == FieldOfViewTrack ? 1 : 3;
        for (int c = 0; c < components; ++c)
            link.setKey(track, c, time, key->outValue.data()[c], key->mode);
    }
}

}
