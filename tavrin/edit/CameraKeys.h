#pragma once

#include "tavrin/edit/FlyCamera.h"
#include "tavrin/sync/SyncTrackFile.h"

namespace Tavrin::Edit {

// The camera tracks hold this pose at time: tracks 0 to 2 get the eye, target and up as x, y, z,
// track 3 the field of view as x; each keeps the other components it has there. A key already at
// that time takes the values and keeps its mode (and a jump's arriving value); otherwise a new key
// comes in with the mode of the key before it (linear before the first key), so the curve around
// it keeps its character.
Sync::SyncTrackKeys withCameraKey(const Sync::SyncTrackKeys& keys, float time, const CameraPose& pose);

}
