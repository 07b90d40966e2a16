// Generates the meshes the effects share: the sky dome, the blob and the solid logo.
#include "assetkit/ExtrudedText.h"
#include "assetkit/GeneratorMain.h"
#include "assetkit/MeshExport.h"
#include "assetkit/Shapes.h"
#include "assetkit/SkyPainter.h"

#include <filesystem>
#include <string>

using namespace AssetKit;

int main(int argc, char** argv)
{
    return runGenerator(argc, argv, "DATA_FOLDER FONT.ttf", [](const std::vector<std::string>& arguments) {
        std::string data = arguments[0] + "/";
        std::filesystem::create_directories(data + "objects");
        saveFgm(makeSkyDome(400.0f, 24, 64, HorizonRow, 12.0f), data + "objects/skydome.fgm");
        saveFgm(makeBlob(1.0f, 64, 128, 0.35f, 21), data + "objects/blob.fgm");
        saveFgm(makeExtrudedText(arguments[1], "NIGHTGLASS", 1.0f, 0.3f, 8), data + "objects/kavellogo.fgm");
    });
}
