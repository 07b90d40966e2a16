#include "orvane/JpegWriter.h"

#include "orvane/exceptions/Exception.h"

#include <cerrno>
#include <csetjmp>
#include <cstdio>
#include <cstring>

#include <jpeglib.h>

namespace Orvane {

namespace {

struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
};

void onError(j_common_ptr info) { std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->jump, 1); }

// Kept free of C++ objects with destructors, since the encoder reports errors by long jump.
bool encode(std::FILE* file, int width, int height, int channels, const unsigned char* pixels, int quality)
{
    jpeg_compress_struct info;
    ErrorManager error;
    info.err = jpeg_std_error(&error.base);
    error.base.error_exit = onError;
    if (setjmp(error.jump)) {
        jpeg_destroy_compress(&info);
        return false;
    }
    jpeg_create_compress(&info);
    jpeg_stdio_dest(&info, file);
    info.image_width = JDIMENSION(width);
    info.image_height = JDIMENSION(height);
    info.input_components = channels;
    info.in_color_space = channels == 1 ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    jpeg_start_compress(&info, TRUE);
    size_t stride = size_t(width) * channels;
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(pixels + stride * (height - 1 - int(info.next_scanline)));
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return true;
}

}

void writeJpeg(const std::string& path, int width, int height, int channels, const unsigned char* bottomUpPixels,
               int quality)
{
    if ((channels != 1 && channels != 3) || width <= 0 || height <= 0)
        throw Exceptions::Exception("Cannot write " + path + ": JPEG holds grey or RGB pixels only");
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr)
        throw Exceptions::Exception("Cannot write " + path + ": " + std::strerror(errno));
    bool encoded = encode(file, width, height, channels, bottomUpPixels, quality);
    bool closed = std::fclose(file) == 0;
    if (!encoded || !closed)
        throw Exceptions::Exception("Cannot write " + path + ": JPEG encoder failed");
}

}
