#include "MeshExport.h"

#include "orvane/exceptions/Exception.h"
#include "orvane/utils/File.h"
#include "orvane/utils/geometry/FgmWriter.h"

namespace AssetKit {

using Orvane::AttributeSemantic;

Orvane::Utils::FgmMesh toFgm(const Mesh& mesh)
{
    Orvane::Utils::FgmMesh fgm;
    fgm.vertexCount = int(mesh.positions.size());
    std::vector<float> positions, normals, uvs;
    for (size_t i = 0; i < mesh.positions.size(); ++i) {
        positions.insert(positions.end(), {mesh.positions[i].x, mesh.positions[i].y, mesh.positions[i].z});
        normals.insert(normals.end(), {mesh.normals[i].x, mesh.normals[i].y, mesh.normals[i].z});
        uvs.insert(uvs.end(), {mesh.texCoords[i].u, mesh.texCoords[i].v});
    }
    fgm.addAttribute(AttributeSemantic::Position, 3, std::move(positions));
    fgm.addAttribute(AttributeSemantic::Normal, 3, std::move(normals));
    fgm.addAttribute(AttributeSemantic::TexCoord0, 2, std::move(uvs));
    fgm.primitiveType = Orvane::PrimitiveTypeEnum::Triangles;
    fgm.indices = mesh.indices;
    return fgm;
}

void saveFgm(const Mesh& mesh, const std::string& path)
{
    try {
        Orvane::Utils::File file(path, Orvane::Utils::File::Write);
        Orvane::Utils::writeFgm(file, toFgm(mesh));
    } catch (const Orvane::Exceptions::Exception& e) {
        throw Orvane::Exceptions::Exception("Cannot write " + path + ": " + e.getMessage());
    }
}

}
