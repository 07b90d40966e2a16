#include "assetkit/ContactSheet.h"

#include "orvane/BitmapImage.h"

#include <algorithm>

namespace AssetKit {

namespace {

const Rgba Background{0.08f, 0.07f, 0.11f, 1};

Rgba texel(const Orvane::BitmapImage& image, int x, int y)
{
    int channels = image.bytesPerPixel();
    // Bitmaps keep their bottom row first; the sheet draws top down.
    auto* p = reinterpret_cast<const unsigned char*>(image.getData())
        + (size_t(image.getHeight() - 1 - y) * image.getWidth() + x) * channels;
    if (channels == 1)
        return {p[0] / 255.0f, p[0] / 255.0f, p[0] / 255.0f, 1};
    return {p[0] / 255.0f, p[1] / 255.0f, p[2] / 255.0f, channels == 4 ? p[3] / 255.0f : 1.0f};
}

}

ContactSheet::ContactSheet(const Layout& layout, int count, const std::string& fontPath)
    : layout_(layout)
    , sheet_(layout.cellWidth * layout.columns,
             layout.cellHeight * std::max(1, (count + layout.columns - 1) / layout.columns), Background)
    , font_(fontPath)
{}

void ContactSheet::add(int index, const Orvane::BitmapImage& image, const std::string& caption, bool checker)
{
    int left = (index % layout_.columns) * layout_.cellWidth, top = (index / layout_.columns) * layout_.cellHeight;
    drawThumbnail(image, left, top, checker);
    drawCaption(caption, left, top + layout_.thumbHeight);
}

void ContactSheet::drawThumbnail(const Orvane::BitmapImage& image, int left, int top, bool checker)
{
    const int cellWidth = layout_.cellWidth, thumbHeight = layout_.thumbHeight;
    float scale = std::min(float(cellWidth - 16) / image.getWidth(), float(thumbHeight - 8) / image.getHeight());
    // Tiny patterns (dither cells) are shown large with hard pixels, which is how the demo tiles them.
    int w = std::max(1, int(image.getWidth() * scale)), h = std::max(1, int(image.getHeight() * scale));
    int x0 = left + (cellWidth - w) / 2, y0 = top + (thumbHeight - h) / 2;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            bool light = ((x / 8) + (y / 8)) % 2 == 0;
            Rgba under = !checker ? Background : light ? Rgba{0.42f, 0.42f, 0.45f, 1} : Rgba{0.28f, 0.28f, 0.30f, 1};
            Rgba t = texel(image, std::min(image.getWidth() - 1, int(x / scale)),
                           std::min(image.getHeight() - 1, int(y / scale)));
            Rgba c = mix(under, t, t.a);
            c.a = 1;
            sheet_.at(x0 + x, y0 + y) = c;
        }
}

void ContactSheet::drawCaption(const std::string& caption, int left, int top)
{
    TextStyle label;
    label.pixelSize = layout_.captionPixels;
    label.colour = {0.85f, 0.85f, 0.9f, 1};
    Canvas text(layout_.cellWidth, layout_.cellHeight - layout_.thumbHeight, {0, 0, 0, 0});
    drawText(text, font_, caption, layout_.cellWidth / 2.0f, text.height() / 2.0f, label);
    for (int y = 0; y < text.height(); ++y)
        for (int x = 0; x < text.width(); ++x) {
            Rgba& into = sheet_.at(left + x, top + y);
            into = mix(into, text.at(x, y), text.at(x, y).a);
            into.a = 1;
        }
}

}
