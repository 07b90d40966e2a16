#include "orvane/ImageDecoders.h"

#include "orvane/PixelType.h"
#include "orvane/exceptions/Exception.h"

#include <csetjmp>
#include <cstdio>
#include <string>
#include <vector>

#include <jerror.h>
#include <jpeglib.h>

namespace Orvane {

namespace {

[[noreturn]] void throwUnsupported() { throw Exceptions::UnsupportedFormatException("Unsupported format"); }

// Decodes from a buffer held by the caller. libjpeg reports fatal errors through error_exit,
// which jumps back into the guarded step that made the call; the steps hold no object with a
// destructor, and the decompressor is destroyed with this object whatever happened.
class JpegReader {
public:
    JpegReader(const unsigned char* data, size_t size)
    {
        cinfo_.err = jpeg_std_error(&errors_.base);
        errors_.base.error_exit = jumpBack;
        errors_.base.emit_message = refuseCorruptData;
        source_.next_input_byte = data;
        source_.bytes_in_buffer = size;
        source_.init_source = doNothing;
        source_.fill_input_buffer = supplyEndOfImage;
        source_.skip_input_data = skip;
        source_.resync_to_restart = jpeg_resync_to_restart;
        source_.term_source = doNothing;
    }
    ~JpegReader() { jpeg_destroy_decompress(&cinfo_); }
    JpegReader(const JpegReader&) = delete;
    JpegReader& operator=(const JpegReader&) = delete;

    // Reads the header and starts decompression with default output settings; false on an error.
    bool start()
    {
        if (setjmp(errors_.jump))
            return false;
        jpeg_create_decompress(&cinfo_);
        cinfo_.mem->max_memory_to_use = MaxWorkingMemory;
        cinfo_.src = &source_;
        jpeg_read_header(&cinfo_, TRUE);
        jpeg_start_decompress(&cinfo_);
        return true;
    }

    // Scanline i (0 = top) goes to bitmap row height - 1 - i; false on an error.
    bool readRows(BitmapImage& image)
    {
        if (setjmp(errors_.jump))
            return false;
        while (cinfo_.output_scanline < cinfo_.output_height) {
            JSAMPROW row = bitmapRow(image, image.getHeight() - 1 - int(cinfo_.output_scanline));
            if (jpeg_read_scanlines(&cinfo_, &row, 1) != 1)
                return false;
        }
        jpeg_finish_decompress(&cinfo_);
        return true;
    }

    const jpeg_decompress_struct& info() const { return cinfo_; }

private:
    // A progressive file keeps all its coefficients in memory, zeroed up front; without a bound a
    // damaged header claiming a huge size would make the library fill gigabytes before failing.
    static constexpr long MaxWorkingMemory = 1L << 30;

    struct ErrorManager {
        jpeg_error_mgr base;
        std::jmp_buf jump;
    };

    [[noreturn]] static void jumpBack(j_common_ptr cinfo)
    {
        (*cinfo->err->output_message)(cinfo);
        std::longjmp(reinterpret_cast<ErrorManager*>(cinfo->err)->jump, 1);
    }

    // The library only warns about damaged data and fills in what is missing with grey; a texture
    // made of that is garbage on screen, so such a warning fails the decode like an error does.
    static void refuseCorruptData(j_common_ptr cinfo, int level)
    {
        bool isWarning = level < 0;
        int code = cinfo->err->msg_code;
        if (isWarning && code != JWRN_JFIF_MAJOR && code != JWRN_ADOBE_XFORM)
            jumpBack(cinfo);
    }

    static void doNothing(j_decompress_ptr) {}

    // Past the end of the data the decoder sees an end-of-image marker, so a truncated file ends
    // (with the library's premature-end warning, refused above) instead of waiting for bytes that never come.
    static boolean supplyEndOfImage(j_decompress_ptr cinfo)
    {
        WARNMS(cinfo, JWRN_JPEG_EOF);
        static const JOCTET endOfImage[2] = {0xFF, JPEG_EOI};
        cinfo->src->next_input_byte = endOfImage;
        cinfo->src->bytes_in_buffer = 2;
        return TRUE;
    }

    static void skip(j_decompress_ptr cinfo, long count)
    {
        if (count <= 0)
            return;
        jpeg_source_mgr& source = *cinfo->src;
        if (size_t(count) > source.bytes_in_buffer) {
            supplyEndOfImage(cinfo);
            return;
        }
        source.next_input_byte += count;
        source.bytes_in_buffer -= size_t(count);
    }

    jpeg_decompress_struct cinfo_{};
    ErrorManager errors_{};
    jpeg_source_mgr source_{};
};

std::vector<unsigned char> readWholeStream(Utils::InputStream& stream)
{
    int size = stream.size();
    std::vector<unsigned char> bytes(size_t(size > 0 ? size : 0));
    int got = bytes.empty() ? 0 : stream.read(bytes.data(), 1, size);
    bytes.resize(size_t(got > 0 ? got : 0));
    return bytes;
}

// The bitmap holds three bytes a pixel, so anything else the library would hand back (CMYK, for
// one) is turned away before a row is written.
void requireThreeComponents(const jpeg_decompress_struct& info)
{
    if (info.num_components == 1)
        throw Exceptions::UnsupportedFormatException("Image format not supported: Greyscale JPEG");
    if (info.output_components != 3)
        throw Exceptions::UnsupportedFormatException("Image format not supported: JPEG with "
                                                     + std::to_string(info.output_components) + " components");
}

}

std::unique_ptr<BitmapImage> decodeJpeg(Utils::InputStream& stream)
{
    std::vector<unsigned char> bytes = readWholeStream(stream);
    JpegReader reader(bytes.data(), bytes.size());
    if (!reader.start())
        throwUnsupported();
    requireThreeComponents(reader.info());
    auto image = allocateDecodedBitmap(reader.info().output_width, reader.info().output_height, RGB8);
    if (!reader.readRows(*image))
        throwUnsupported();
    return image;
}

}
