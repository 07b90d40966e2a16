#pragma once

#include "orvane/utils/geometry/FgmMesh.h"
#include "orvane/utils/geometry/Geometry.h"

namespace Orvane::Utils {

// Puts a mesh read again from its file into the geometry built from the old one, so that every
// holder of the pointer draws the new shape:
// - the same attributes (semantic and components, in file order): the buffers are refilled and
//   keep their identity; the vertex and index counts may change;
// - other attributes: the geometry is rebuilt in place.
// A holder may have extended the geometry (buffers of its own, attributes bound anew) and sized
// them to the old vertices; then only a mesh of the same attributes and vertex count goes in, and
// anything else throws Exception saying that a restart is needed. Validates the mesh first; on
// any throw the geometry is as it was.
void reloadGeometry(Geometry& geometry, const FgmMesh& mesh, int bufferMode);

// Whether the geometry is still as FgmMesh::toGeometry built it (attribute i alone in slot i,
// bound once, nothing added), so that its contents can be replaced without harm to a holder.
bool untouchedSinceLoading(const Geometry& geometry);

}
