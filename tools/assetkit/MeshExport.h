#pragma once

#include "Mesh.h"
#include "orvane/utils/geometry/FgmMesh.h"

#include <string>

namespace AssetKit {

// Positions, normals and texture unit 0, indexed triangles, as the FGM format holds them.
Orvane::Utils::FgmMesh toFgm(const Mesh& mesh);

// Writes the mesh as an FGM file. Throws Exception naming the file on any error.
void saveFgm(const Mesh& mesh, const std::string& path);

}
