#pragma once

#include "orvane/utils/OutputStream.h"
#include "orvane/utils/scenegraph/Scene.h"

#include <string>

namespace Orvane::Utils::SceneGraph {

// Writes a scene so that loadFsg reads back the same tables, hierarchy and animation. Scalar
// channels must be constants, LinearTracks or BezierTracks, and node transforms Translation,
// Rotation, Scale or CompositeMatrixController. Anything else, a parameter whose components do
// not share one key timeline, anything attached to the scene node itself rather than to a root
// node, or nesting beyond what the reader accepts throws Exception. Meshes are read back from
// their buffers, so hardware buffers need a current GL context. Null table entries (keys that
// nodes named but the scene never defined) are left out.
void writeFsg(OutputStream& stream, const Scene& scene);

// The whole scene is encoded before the file is created, so a refused scene leaves no partial file.
void writeFsg(const std::string& path, const Scene& scene);

}
