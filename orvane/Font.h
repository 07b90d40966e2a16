#pragma once

#include "orvane/utils/InputStream.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <memory>

namespace Orvane {

// One FreeType face read from a stream, set to a pixel height. The font engine is started by the
// first Font and kept until the process ends.
class Font {
public:
    // Throws Exception "Font engine could not be initialized.", "Unknown font file format.",
    // "Error creating font.", "Error setting font size. The font might not support the desired
    // size." or "Error setting font pixel size."; a stream shorter than its size is
    // UnsupportedFormatException.
    Font(Utils::InputStream& stream, int pixelSize);
    ~Font();
    Font(const Font&) = delete;
    Font& operator=(const Font&) = delete;

    FT_Face face() const { return face_; }

    // How many times this process has started the engine: 1 once any font exists.
    static int engineStarts();

private:
    // FreeType reads the face from this memory for as long as the face lives.
    std::unique_ptr<unsigned char[]> fileData_;
    FT_Face face_ = nullptr;
};

}
