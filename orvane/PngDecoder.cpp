#include "orvane/ImageDecoders.h"

#include "orvane/PixelType.h"
#include "orvane/exceptions/Exception.h"

#include <png.h>

#include <climits>
#include <cstring>
#include <vector>

namespace Orvane {

namespace {

[[noreturn]] void throwUnsupported() { throw Exceptions::UnsupportedFormatException("Unsupported format"); }

// Owns libpng's read and info structures. libpng reports errors by longjmp, so every call into it
// happens inside one of the two guarded steps, which hold no object with a destructor; C++ state
// lives in the members and in the caller's frame, which the jump never leaves.
class PngReader {
public:
    explicit PngReader(Utils::InputStream& stream)
        : stream_(stream)
    {
        // The headers' own version: libpng 1.6 refuses a structure asked for with a 1.2 string.
        png_ = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
        info_ = png_ ? png_create_info_struct(png_) : nullptr;
        if (info_ == nullptr) {
            png_destroy_read_struct(&png_, nullptr, nullptr);
            throwUnsupported();
        }
    }
    ~PngReader() { png_destroy_read_struct(&png_, &info_, nullptr); }
    PngReader(const PngReader&) = delete;
    PngReader& operator=(const PngReader&) = delete;

    // Reads the header and sets up the conversions; false on a libpng error.
    bool readHeader(int signatureBytesRead)
    {
        if (setjmp(png_jmpbuf(png_)))
            return false;
        png_set_read_fn(png_, this, readFromStream);
        png_set_sig_bytes(png_, signatureBytesRead);
        png_read_info(png_, info_);
        requestConversions();
        png_read_update_info(png_, info_);
        width_ = png_get_image_width(png_, info_);
        height_ = png_get_image_height(png_, info_);
        colourType_ = png_get_color_type(png_, info_);
        rowBytes_ = png_get_rowbytes(png_, info_);
        return true;
    }

    // rows[i] receives image row i (0 = top); false on a libpng error.
    bool readRows(png_bytepp rows)
    {
        if (setjmp(png_jmpbuf(png_)))
            return false;
        png_read_image(png_, rows);
        png_read_end(png_, nullptr);
        return true;
    }

    png_uint_32 width() const { return width_; }
    png_uint_32 height() const { return height_; }
    int colourType() const { return colourType_; }
    size_t rowBytes() const { return rowBytes_; }

private:
    // Everything becomes 8-bit RGB or RGBA where libpng can do it; 8- and 16-bit grey stays grey.
    void requestConversions()
    {
        int bitDepth = png_get_bit_depth(png_, info_);
        int colourType = png_get_color_type(png_, info_);
        if (colourType == PNG_COLOR_TYPE_PALETTE)
            png_set_palette_to_rgb(png_);
        if (colourType == PNG_COLOR_TYPE_GRAY && bitDepth < 8)
            png_set_gray_to_rgb(png_);
        if (png_get_valid(png_, info_, PNG_INFO_tRNS))
            png_set_tRNS_to_alpha(png_);
        if (bitDepth == 16)
            png_set_strip_16(png_);
        else if (bitDepth < 8)
            png_set_packing(png_);
        png_set_interlace_handling(png_);
    }

    static void readFromStream(png_structp png, png_bytep data, size_t length)
    {
        auto* reader = static_cast<PngReader*>(png_get_io_ptr(png));
        if (!reader->pull(data, length))
            png_error(png, "the file is truncated or unreadable");
    }

    // Never lets an exception reach libpng's C frames.
    bool pull(png_bytep data, size_t length) noexcept
    {
        if (length > size_t(INT_MAX))
            return false;
        try {
            return stream_.read(data, 1, int(length)) == int(length);
        } catch (...) {
            return false;
        }
    }

    Utils::InputStream& stream_;
    png_structp png_ = nullptr;
    png_infop info_ = nullptr;
    png_uint_32 width_ = 0, height_ = 0;
    int colourType_ = 0;
    size_t rowBytes_ = 0;
};

// The eight signature bytes, except the first: the loader sends a file here on bytes 1 to 3 alone,
// so a damaged first byte must not stop an otherwise sound PNG.
bool readSignature(Utils::InputStream& stream)
{
    static const unsigned char signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    unsigned char head[8];
    return stream.read(head, 1, 8) == 8 && std::memcmp(head + 1, signature + 1, 7) == 0;
}

int pixelTypeFor(int colourType)
{
    switch (colourType) {
    case PNG_COLOR_TYPE_RGB: return RGB8;
    case PNG_COLOR_TYPE_RGB_ALPHA: return RGBA8;
    default: return -1;
    }
}

std::vector<png_bytep> topDownRowPointers(BitmapImage& image)
{
    std::vector<png_bytep> rows(size_t(image.getHeight()));
    for (int i = 0; i < image.getHeight(); ++i)
        rows[size_t(i)] = bitmapRow(image, image.getHeight() - 1 - i);
    return rows;
}

}

std::unique_ptr<BitmapImage> decodePng(Utils::InputStream& stream)
{
    if (!readSignature(stream))
        throwUnsupported();
    PngReader reader(stream);
    if (!reader.readHeader(8))
        throwUnsupported();
    int pixelType = pixelTypeFor(reader.colourType());
    if (pixelType < 0)
        throwUnsupported();
    auto image = allocateDecodedBitmap(reader.width(), reader.height(), pixelType);
    if (reader.rowBytes() != size_t(image->getWidth()) * size_t(image->bytesPerPixel()))
        throwUnsupported();
    std::vector<png_bytep> rows = topDownRowPointers(*image);
    if (!reader.readRows(rows.data()))
        throwUnsupported();
    return image;
}

}
