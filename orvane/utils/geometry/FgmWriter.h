#pragma once

#include "orvane/utils/OutputStream.h"
#include "orvane/utils/geometry/FgmMesh.h"
#include "orvane/utils/geometry/Geometry.h"

namespace Orvane::Utils {

// Writes the mesh as FGM at the stream's position. The mesh is validated first (Exception naming
// the problem), so nothing is written for a mesh the reader would reject.
void writeFgm(OutputStream& stream, const FgmMesh& mesh);

// The geometry's bound float attributes, in binding order (FgmMesh::fromGeometry).
void writeFgm(OutputStream& stream, const Geometry& geometry);

}
