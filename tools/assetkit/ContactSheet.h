#pragma once

#include "assetkit/Canvas.h"
#include "assetkit/TextRenderer.h"
#include "orvane/Forward.h"

#include <string>

namespace AssetKit {

// A grid of thumbnails, each with a caption under it, for judging many pictures at a glance.
class ContactSheet {
public:
    struct Layout {
        int cellWidth = 256, cellHeight = 200, thumbHeight = 168, columns = 5;
        int captionPixels = 13;
    };

    ContactSheet(const Layout& layout, int count, const std::string& fontPath);

    // Fits image into cell index; alpha shows over a checkerboard when checker is set, else over
    // the sheet's background.
    void add(int index, const Orvane::BitmapImage& image, const std::string& caption, bool checker);
    void save(const std::string& path) const { sheet_.save(path, false); }

private:
    void drawThumbnail(const Orvane::BitmapImage& image, int left, int top, bool checker);
    void drawCaption(const std::string& caption, int left, int top);

    Layout layout_;
    Canvas sheet_;
    TextRenderer font_;
};

}
