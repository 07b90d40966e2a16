#include "tavrin/edit/TextPanel.h"

#include "orvane/Font.h"
#include "orvane/PixelType.h"
#include "orvane/State.h"
#include "orvane/Texture.h"
#include "tavrin/Demo.h"

#include <algorithm>

namespace Tavrin::Edit {

namespace {

constexpr int Padding = 6;
constexpr size_t MaxLines = 40;

// Bottom-up rows, as GL expects them.
class Canvas {
public:
    Canvas(int width, int height, Rgb paper)
        : width_(width)
        , height_(height)
        , rgb_(size_t(width) * height * 3)
    {
        for (size_t i = 0; i < rgb_.size(); ++i)
            rgb_[i] = paper[i % 3];
    }
    void blend(int x, int yFromTop, unsigned char coverage, Rgb ink)
    {
        if (x < 0 || x >= width_ || yFromTop < 0 || yFromTop >= height_)
            return;
        unsigned char* pixel = &rgb_[(size_t(height_ - 1 - yFromTop) * width_ + x) * 3];
        for (int c = 0; c < 3; ++c)
            pixel[c] = (unsigned char)((ink[c] * coverage + pixel[c] * (255 - coverage)) / 255);
    }
    const unsigned char* data() const { return rgb_.data(); }

private:
    int width_, height_;
    std::vector<unsigned char> rgb_;
};

int advanceOf(FT_Face face, unsigned char c)
{
    return FT_Load_Char(face, c, FT_LOAD_DEFAULT) == 0 ? int(face->glyph->advance.x >> 6) : 0;
}

int widthOf(FT_Face face, const std::string& text)
{
    int width = 0;
    for (unsigned char c : text)
        width += advanceOf(face, c);
    return width;
}

// Continuation lines are indented, so a wrapped message reads as one.
std::vector<std::string> wrapped(FT_Face face, const std::vector<std::string>& lines, int maxWidth)
{
    const std::string indent = "    ";
    std::vector<std::string> result;
    for (const std::string& line : lines) {
        std::string current;
        int width = 0;
        size_t lastSpace = std::string::npos;
        for (unsigned char c : line) {
            int advance = advanceOf(face, c);
            if (width + advance > maxWidth && current.size() > indent.size()) {
                size_t cut = lastSpace != std::string::npos && lastSpace > indent.size() ? lastSpace : current.size();
                result.push_back(current.substr(0, cut));
                current = indent + current.substr(cut < current.size() && current[cut] == ' ' ? cut + 1 : cut);
                width = widthOf(face, current);
                lastSpace = current.rfind(' ');
            }
            if (c == ' ')
                lastSpace = current.size();
            current += char(c);
            width += advance;
        }
        result.push_back(current);
    }
    return result;
}

}

TextPanel::TextPanel(Rgb ink, Rgb paper)
    : ink_(ink)
    , paper_(paper)
{}

TextPanel::~TextPanel() = default;

void TextPanel::setLines(const Orvane::Font& font, const std::vector<std::string>& lines, int maxWidth)
{
    if (lines == lines_ && maxWidth == maxWidth_)
        return;
    lines_ = lines;
    maxWidth_ = maxWidth;
    paint(font);
}

void TextPanel::paint(const Orvane::Font& font)
{
    texture_.reset();
    width_ = height_ = 0;
    FT_Face face = font.face();
    std::vector<std::string> shown = wrapped(face, lines_, std::max(maxWidth_ - 2 * Padding, 1));
    if (shown.size() > MaxLines)
        shown.resize(MaxLines);
    if (shown.empty())
        return;
    int lineHeight = int(face->size->metrics.height >> 6), ascender = int(face->size->metrics.ascender >> 6);
    int textWidth = 0;
    for (const std::string& line : shown)
        textWidth = std::max(textWidth, widthOf(face, line));
    width_ = textWidth + 2 * Padding;
    height_ = lineHeight * int(shown.size()) + 2 * Padding;
    Canvas canvas(width_, height_, paper_);
    for (size_t row = 0; row < shown.size(); ++row) {
        int penX = Padding, baseline = Padding + int(row) * lineHeight + ascender;
        for (unsigned char c : shown[row]) {
            if (FT_Load_Char(face, c, FT_LOAD_RENDER) != 0)
                continue;
            const FT_Bitmap& glyph = face->glyph->bitmap;
            for (unsigned y = 0; y < glyph.rows; ++y)
                for (unsigned x = 0; x < glyph.width; ++x)
                    canvas.blend(penX + face->glyph->bitmap_left + int(x), baseline - face->glyph->bitmap_top + int(y),
                                 glyph.buffer[y * unsigned(glyph.pitch) + x], ink_);
            penX += int(face->glyph->advance.x >> 6);
        }
    }
    texture_ = std::make_unique<Orvane::Texture>(width_, height_, canvas.data(), Orvane::RGB8, Orvane::Nearest);
}

void TextPanel::draw(Demo& demo, int x, int y)
{
    if (!texture_)
        return;
    float sx = 2.0f / float(demo.width), sy = 2.0f / float(demo.viewportHeight);
    Orvane::State::disable(Orvane::Capability::DepthTest);
    Orvane::State::disable(Orvane::Capability::Blend);
    demo.drawTexturedRect(-1.0f + float(x) * sx, 1.0f - float(y + height_) * sy, float(width_) * sx,
                          float(height_) * sy, *texture_);
}

}
