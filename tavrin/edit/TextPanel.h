#pragma once

#include "orvane/Forward.h"

#include <array>
#include <memory>
#include <string>
#include <vector>

namespace Tavrin {
class Demo;
}

namespace Tavrin::Edit {

using Rgb = std::array<unsigned char, 3>;

// Lines of text in the engine's font on an opaque panel, kept as a texture and drawn in screen
// pixels over the picture. The texture is painted again only when the text changes.
class TextPanel {
public:
    TextPanel(Rgb ink, Rgb paper);
    ~TextPanel();

    // Lines wider than maxWidth pixels (panel included) break at a space, or anywhere without one.
    void setLines(const Orvane::Font& font, const std::vector<std::string>& lines, int maxWidth);
    // Top-left corner at (x, y) pixels from the viewport's top-left; nothing when there are no lines.
    void draw(Demo& demo, int x, int y);
    int width() const { return width_; }
    int height() const { return height_; }

private:
    void paint(const Orvane::Font& font);

    Rgb ink_, paper_;
    std::vector<std::string> lines_;
    int maxWidth_ = 0;
    std::unique_ptr<Orvane::Texture> texture_;
    int width_ = 0, height_ = 0;
};

}
