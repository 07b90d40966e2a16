// Renders every image under the data folder into one contact sheet, so the generated assets can be
// judged at a glance: thumbnails over a checkerboard (to show alpha), each labelled with its name.
#include "assetkit/ContactSheet.h"
#include "assetkit/GeneratorMain.h"
#include "orvane/BitmapImage.h"
#include "orvane/ImageLoader.h"
#include "orvane/exceptions/Exception.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

using namespace AssetKit;
namespace fs = std::filesystem;

int main(int argc, char** argv)
{
    return runGenerator(argc, argv, "DATA_FOLDER FONT.ttf OUTPUT.png", [](const std::vector<std::string>& arguments) {
        const std::string& data = arguments[0];
        std::vector<fs::path> images;
        for (const auto& entry : fs::recursive_directory_iterator(data)) {
            std::string extension = entry.path().extension().string();
            if (entry.is_regular_file() && (extension == ".png" || extension == ".jpg"))
                images.push_back(entry.path());
        }
        std::sort(images.begin(), images.end());
        if (images.empty())
            throw Orvane::Exceptions::Exception(std::string("No images under ") + data + ": build the assets first");
        ContactSheet sheet({}, int(images.size()), arguments[1]);
        for (size_t i = 0; i < images.size(); ++i)
            sheet.add(int(i), *Orvane::loadImage(images[i].string()), fs::relative(images[i], data).string(), true);
        sheet.save(arguments[2]);
        std::printf("%s: %zu images\n", arguments[2].c_str(), images.size());
    });
}
