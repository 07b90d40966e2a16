// Generates the meshes the effects share: the sky dome, the blob and the solid logo.
#include "assetkit/ExtrudedText.h"
#include "assetkit/GeneratorMain.h"
#include "assetkit/MeshExport.h"
#include "assetkit/Shapes.h"
#include "assetkit/SkyPainter.h"

#include <filesystem>
#include <string>
#include <utility>

using namespace AssetKit;

namespace {

// The blob scene recomputes the blob's normals every frame with a rule that points them to the
// side from which a triangle's corners run clockwise: wind the blob that way seen from outside, so
// the recomputed normals point out like the stored ones.
Mesh clockwiseFromOutside(Mesh mesh)
{
    for (size_t i = 0; i + 2 < mesh.indices.size(); i += 3)
        std::swap(mesh.indices[i + 1], mesh.indices[i + 2]);
    return mesh;
}

// Turns letters built facing +z in a y-up frame to stand on the z-up world's ground facing -y,
// where the cameras look from; a rotation, so the winding stays outward.
Mesh standUpright(Mesh mesh)
{
    for (auto* vectors : {&mesh.positions, &mesh.normals})
        for (Orvane::Vector3& v : *vectors)
            v = Orvane::Vector3(v.x, -v.z, v.y);
    return mesh;
}

}

int main(int argc, char** argv)
{
    return runGenerator(argc, argv, "DATA_FOLDER FONT.ttf", [](const std::vector<std::string>& arguments) {
        std::string data = arguments[0] + "/";
        std::filesystem::create_directories(data + "objects");
        saveFgm(makeSkyDome(400.0f, 24, 64, HorizonRow, 12.0f), data + "objects/skydome.fgm");
        // Lumps of a few units against a bump of 3 units that the scene runs over the surface;
        // 48 x 96 quads keep the per-frame deformation cheap and the silhouette round.
        saveFgm(clockwiseFromOutside(makeBlob(24.0f, 48, 96, 0.35f, 21)), data + "objects/blob.fgm");
        // As large as the logo scene's smoke, which fills a cube 200 units across.
        saveFgm(standUpright(makeExtrudedText(arguments[1], "NIGHTGLASS", 16.0f, 5.0f, 8)),
                data + "objects/kavellogo.fgm");
    });
}
