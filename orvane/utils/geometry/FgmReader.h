#pragma once

#include "orvane/utils/InputStream.h"
#include "orvane/utils/geometry/FgmMesh.h"
#include "orvane/utils/geometry/Geometry.h"

#include <memory>
#include <string>

namespace Orvane::Utils {

// Reads one FGM mesh from the stream's current position and leaves the stream right after the
// last index (scene files embed meshes). Every problem throws UnsupportedFormatException before
// anything is kept: a wrong magic ("Unsupported format"), an unknown semantic or primitive type
// name, a short read (the file is truncated), more than 16 attributes, component counts outside
// 1 to 4, sizes that do not fit, or an index not below the vertex count.
FgmMesh readFgmMesh(InputStream& stream);

// The mesh as a new Geometry with every buffer in bufferMode (a BufferModeEnum; loaders pass
// hardware_mem_static_draw).
std::unique_ptr<Geometry> loadFgm(InputStream& stream, int bufferMode);

// readFgmMesh on a file; format errors carry the path in front of their message.
FgmMesh readFgmFile(const std::string& path);

// loadFgm on a file; format errors carry the path in front of their message.
std::unique_ptr<Geometry> loadFgmFile(const std::string& path, int bufferMode);

}
