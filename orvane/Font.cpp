#include "orvane/Font.h"

#include "orvane/ProcessState.h"
#include "orvane/exceptions/Exception.h"
#include "orvane/utils/StreamReaders.h"

namespace Orvane {

namespace {

FT_Library startEngine()
{
    ProcessState::Fonts& fonts = processState().fonts;
    if (fonts.library != nullptr)
        return fonts.library;
    FT_Library library = nullptr;
    if (FT_Init_FreeType(&library) != 0)
        throw Exceptions::Exception("Font engine could not be initialized.");
    fonts.library = library;
    ++fonts.starts;
    return library;
}

FT_Face openFace(FT_Library library, const unsigned char* data, int size)
{
    FT_Face face = nullptr;
    FT_Error error = FT_New_Memory_Face(library, data, size, 0, &face);
    if (error == FT_Err_Unknown_File_Format)
        throw Exceptions::Exception("Unknown font file format.");
    if (error != 0)
        throw Exceptions::Exception("Error creating font.");
    return face;
}

void setSizes(FT_Face face, int pixelSize)
{
    if (FT_Set_Char_Size(face, 0, 12 * 64, 0, 0) != 0)
        throw Exceptions::Exception("Error setting font size. The font might not support the desired size.");
    if (FT_Set_Pixel_Sizes(face, 0, FT_UInt(pixelSize)) != 0)
        throw Exceptions::Exception("Error setting font pixel size.");
}

}

Font::Font(Utils::InputStream& stream, int pixelSize)
{
    FT_Library library = startEngine();
    int size = stream.size();
    fileData_ = std::make_unique<unsigned char[]>(size_t(size > 0 ? size : 0));
    if (size > 0)
        Utils::readExactly(stream, fileData_.get(), size, 1);
    face_ = openFace(library, fileData_.get(), size > 0 ? size : 0);
    try {
        setSizes(face_, pixelSize);
    } catch (...) {
        FT_Done_Face(face_);
        throw;
    }
}

Font::~Font() { FT_Done_Face(face_); }

int Font::engineStarts() { return processState().fonts.starts; }

}
