#include "orvane/utils/scenegraph/BezierTrack.h"
#include "orvane/utils/scenegraph/LinearTrack.h"
#include "orvane/utils/scenegraph/TrackSampling.h"

namespace Orvane::Utils::SceneGraph {

float LinearTrack::Sample(float time) { return sampleKeysLinearly(keys_, time, "LinearTrack"); }

float BezierTrack::Sample(float time) { return sampleKeysLinearly(keys_, time, "BezierTrack"); }

}
