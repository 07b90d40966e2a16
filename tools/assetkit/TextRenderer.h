#pragma once

#include "Canvas.h"

#include <string>
#include <vector>

typedef struct FT_LibraryRec_* FT_Library;
typedef struct FT_FaceRec_* FT_Face;

namespace AssetKit {

// Anti-aliased text from a TrueType font, rendered with FreeType into coverage masks.
class TextRenderer {
public:
    // Throws Exception naming the file when the font cannot be opened.
    explicit TextRenderer(const std::string& fontPath);
    ~TextRenderer();
    TextRenderer(const TextRenderer&) = delete;
    TextRenderer& operator=(const TextRenderer&) = delete;

    // Coverage (0..1) of a single line of text at pixelSize, centred on (centreX, centreY) in
    // pixels of a width x height picture (row 0 at the top). letterSpacing adds pixels between glyphs.
    std::vector<float> mask(int width, int height, const std::string& text, int pixelSize, float centreX, float centreY,
                            float letterSpacing = 0.0f);
    float measure(const std::string& text, int pixelSize, float letterSpacing = 0.0f);

private:
    FT_Library library_ = nullptr;
    FT_Face face_ = nullptr;
};

struct TextStyle {
    int pixelSize = 48;
    Rgba colour{1, 1, 1, 1};
    float glowRadius = 0;  // pixels; 0 for no glow
    Rgba glowColour{1, 1, 1, 0.8f};
    float letterSpacing = 0;
};

// Draws a line of text centred on (centreX, centreY) with an optional soft glow behind it.
void drawText(Canvas& canvas, TextRenderer& font, const std::string& text, float centreX, float centreY,
              const TextStyle& style);

}
