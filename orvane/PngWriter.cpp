#include "orvane/PngWriter.h"

#include "orvane/exceptions/Exception.h"

#include <png.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

namespace Orvane {

namespace {

int colourTypeFor(int channels)
{
    switch (channels) {
    case 1: return PNG_COLOR_TYPE_GRAY;
    case 2: return PNG_COLOR_TYPE_GRAY_ALPHA;
    case 3: return PNG_COLOR_TYPE_RGB;
    case 4: return PNG_COLOR_TYPE_RGB_ALPHA;
    }
    return -1;
}

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

}

void writePng(const std::string& path, int width, int height, int channels, const unsigned char* bottomUpPixels,
              int compressionLevel)
{
    int colourType = colourTypeFor(channels);
    if (colourType < 0 || width <= 0 || height <= 0)
        throw Exceptions::Exception("Cannot write " + path + ": unsupported image layout");

    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "wb"));
    if (!file)
        throw Exceptions::Exception("Cannot write " + path + ": " + std::strerror(errno));

    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (info == nullptr) {
        png_destroy_write_struct(&png, nullptr);
        throw Exceptions::Exception("Cannot write " + path + ": out of memory");
    }

    std::vector<png_bytep> rows(height);
    size_t stride = size_t(width) * channels;
    for (int y = 0; y < height; ++y)
        rows[y] = const_cast<png_bytep>(bottomUpPixels + stride * (height - 1 - y));

    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        throw Exceptions::Exception("Cannot write " + path + ": PNG encoder failed");
    }
    png_init_io(png, file.get());
    png_set_compression_level(png, compressionLevel);
    png_set_IHDR(png, info, width, height, 8, colourType, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    png_write_image(png, rows.data());
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);

    if (std::fflush(file.get()) != 0)
        throw Exceptions::Exception("Cannot write " + path + ": " + std::strerror(errno));
}

}
