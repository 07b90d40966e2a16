#include "TextRenderer.h"

#include "orvane/exceptions/Exception.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cmath>

namespace AssetKit {

TextRenderer::TextRenderer(const std::string& fontPath)
{
    if (FT_Init_FreeType(&library_) != 0)
        throw Orvane::Exceptions::Exception("Font engine could not be initialized.");
    if (FT_New_Face(library_, fontPath.c_str(), 0, &face_) != 0) {
        FT_Done_FreeType(library_);
        throw Orvane::Exceptions::Exception("Cannot open the font " + fontPath);
    }
}

TextRenderer::~TextRenderer()
{
    FT_Done_Face(face_);
    FT_Done_FreeType(library_);
}

float TextRenderer::measure(const std::string& text, int pixelSize, float letterSpacing)
{
    FT_Set_Pixel_Sizes(face_, 0, FT_UInt(pixelSize));
    float advance = 0;
    for (unsigned char c : text) {
        if (FT_Load_Char(face_, c, FT_LOAD_DEFAULT) != 0)
            continue;
        advance += float(face_->glyph->advance.x) / 64.0f + letterSpacing;
    }
    return std::max(0.0f, advance - letterSpacing);
}

std::vector<float> TextRenderer::mask(int width, int height, const std::string& text, int pixelSize, float centreX,
                                      float centreY, float letterSpacing)
{
    std::vector<float> coverage(size_t(width) * height, 0.0f);
    float penX = centreX - measure(text, pixelSize, letterSpacing) * 0.5f;
    // Centre on the cap height rather than the full line, so capitals sit visually centred.
    float ascent = float(face_->size->metrics.ascender) / 64.0f * 0.72f;
    int baseline = int(std::lround(centreY + ascent * 0.5f));
    for (unsigned char c : text) {
        if (FT_Load_Char(face_, c, FT_LOAD_RENDER) != 0)
            continue;
        FT_GlyphSlot glyph = face_->glyph;
        int left = int(std::lround(penX)) + glyph->bitmap_left, top = baseline - glyph->bitmap_top;
        for (unsigned row = 0; row < glyph->bitmap.rows; ++row)
            for (unsigned column = 0; column < glyph->bitmap.width; ++column) {
                int x = left + int(column), y = top + int(row);
                if (x < 0 || y < 0 || x >= width || y >= height)
                    continue;
                float value = glyph->bitmap.buffer[row * unsigned(glyph->bitmap.pitch) + column] / 255.0f;
                float& cell = coverage[size_t(y) * width + x];
                cell = std::max(cell, value);
            }
        penX += float(glyph->advance.x) / 64.0f + letterSpacing;
    }
    return coverage;
}

void drawText(Canvas& canvas, TextRenderer& font, const std::string& text, float centreX, float centreY,
              const TextStyle& style)
{
    int w = canvas.width(), h = canvas.height();
    std::vector<float> coverage = font.mask(w, h, text, style.pixelSize, centreX, centreY, style.letterSpacing);
    auto at = [&](float u, float v) {
        int x = std::min(w - 1, int(u * w)), y = std::min(h - 1, int(v * h));
        return coverage[size_t(y) * w + x];
    };
    if (style.glowRadius > 0) {
        Canvas glow(w, h, {0, 0, 0, 0});
        glow.paint([&](float u, float v) {
            float c = at(u, v);
            return Rgba{c, c, c, c};
        });
        glow.blur(int(style.glowRadius));
        canvas.blendOver(
            [&](float u, float v) {
                const Rgba& g = glow.at(std::min(w - 1, int(u * w)), std::min(h - 1, int(v * h)));
                return std::min(1.0f, g.a * 2.5f);
            },
            style.glowColour);
    }
    canvas.blendOver(at, style.colour);
}

}
