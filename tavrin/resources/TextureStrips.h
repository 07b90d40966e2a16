#pragma once

#include "orvane/Forward.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace Tavrin::Resources {

// Numbered images side by side in one mipmapped RGBA texture ("cell%d.png", 3: cell0.png,
// cell1.png, cell2.png). Every load builds a strip of its own, kept here until clear, so that a
// saved member image can be decoded again into the texture its holders draw with.
class TextureStrips {
public:
    // The folder is read at every load, as the demo's may still change.
    explicit TextureStrips(std::function<std::string()> folder);
    ~TextureStrips();

    // pattern's "%d" or "%i" stands for 0 .. count - 1; all images must share one size. Throws
    // Exception naming the file (a missing or damaged image, a size unlike the first image's)
    // or the pattern (no placeholder, no images).
    Orvane::Texture* load(const std::string& pattern, int count);
    // Decodes again every strip that has the image name among its members. False when none has;
    // a strip that fails throws as load does and keeps its last good picture.
    bool reload(const std::string& name);
    // Releases the textures (GL objects must go while their context exists).
    void clear();

private:
    struct Strip {
        std::string pattern;
        int count;
        std::unique_ptr<Orvane::Texture> texture;
    };

    std::function<std::string()> folder_;
    std::vector<Strip> strips_;
};

}
