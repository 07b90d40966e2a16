// Generates the meshes the effects share: the sky dome and the blob.
#include "assetkit/MeshExport.h"
#include "assetkit/Shapes.h"
#include "assetkit/SkyPainter.h"
#include "orvane/exceptions/Exception.h"

#include <cstdio>
#include <filesystem>
#include <string>

using namespace AssetKit;

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s DATA_FOLDER\n", argv[0]);
        return 2;
    }
    std::string data = std::string(argv[1]) + "/";
    try {
        std::filesystem::create_directories(data + "objects");
        saveFgm(makeSkyDome(400.0f, 24, 64, HorizonRow, 12.0f), data + "objects/skydome.fgm");
        saveFgm(makeBlob(1.0f, 64, 128, 0.35f, 21), data + "objects/blob.fgm");
    } catch (const Orvane::Exceptions::Exception& e) {
        std::fprintf(stderr, "%s: %s\n", argv[0], e.getMessage().c_str());
        return 1;
    }
    return 0;
}
