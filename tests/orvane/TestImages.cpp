#include "TestImages.h"

#include "orvane/ImageLoader.h"
#include "orvane/exceptions/Exception.h"
#include "support/MemoryInputStream.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace TestImages {

namespace {

int channelsOf(int colourType)
{
    switch (colourType) {
    case PNG_COLOR_TYPE_GRAY_ALPHA: return 2;
    case PNG_COLOR_TYPE_RGB: return 3;
    case PNG_COLOR_TYPE_RGB_ALPHA: return 4;
    default: return 1;
    }
}

// One PNG row: samples packed most significant bits first below 8 bits, big-endian at 16.
std::vector<png_byte> packRow(const unsigned* samples, size_t count, int bitDepth)
{
    std::vector<png_byte> row((count * size_t(bitDepth) + 7) / 8);
    for (size_t i = 0; i < count; ++i) {
        if (bitDepth == 16) {
            row[2 * i] = png_byte(samples[i] >> 8);
            row[2 * i + 1] = png_byte(samples[i]);
        } else {
            size_t bit = i * size_t(bitDepth);
            row[bit / 8] |= png_byte(samples[i] << (8 - bitDepth - bit % 8));
        }
    }
    return row;
}

void appendToString(png_structp png, png_bytep data, size_t length)
{
    static_cast<std::string*>(png_get_io_ptr(png))->append(reinterpret_cast<char*>(data), length);
}

void flushNothing(png_structp) {}

void setTransparency(png_structp png, png_infop info, const PngDescription& d)
{
    if (!d.paletteAlpha.empty())
        png_set_tRNS(png, info, d.paletteAlpha.data(), int(d.paletteAlpha.size()), nullptr);
    else if (d.hasTransparentColour)
        png_set_tRNS(png, info, nullptr, 0, &d.transparentColour);
}

}

PngDescription describePng(int width, int height, int bitDepth, int colourType, std::vector<unsigned> samples)
{
    PngDescription d;
    d.width = width;
    d.height = height;
    d.bitDepth = bitDepth;
    d.colourType = colourType;
    d.samples = std::move(samples);
    return d;
}

// libpng's default error handling aborts here on misuse, which fails the test loudly.
std::string encodePng(const PngDescription& d)
{
    size_t rowSamples = size_t(d.width) * size_t(channelsOf(d.colourType));
    if (d.samples.size() != rowSamples * size_t(d.height))
        throw std::invalid_argument("sample count does not match the PNG size");
    std::vector<std::vector<png_byte>> rows;
    std::vector<png_bytep> rowPointers;
    for (int y = 0; y < d.height; ++y)
        rows.push_back(packRow(d.samples.data() + rowSamples * size_t(y), rowSamples, d.bitDepth));
    for (auto& row : rows)
        rowPointers.push_back(row.data());

    std::string out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_set_write_fn(png, &out, appendToString, flushNothing);
    png_set_IHDR(png, info, png_uint_32(d.width), png_uint_32(d.height), d.bitDepth, d.colourType,
                 d.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    if (!d.palette.empty())
        png_set_PLTE(png, info, d.palette.data(), int(d.palette.size()));
    setTransparency(png, info, d);
    png_write_info(png, info);
    png_write_image(png, rowPointers.data());
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return out;
}

// libjpeg's default error handling exits on misuse, which fails the test loudly.
std::string encodeJpeg(int width, int height, J_COLOR_SPACE colourSpace, const std::vector<unsigned char>& samples,
                       bool progressive)
{
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr errors{};
    cinfo.err = jpeg_std_error(&errors);
    jpeg_create_compress(&cinfo);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = JDIMENSION(width);
    cinfo.image_height = JDIMENSION(height);
    cinfo.in_color_space = colourSpace;
    cinfo.input_components = colourSpace == JCS_GRAYSCALE ? 1 : colourSpace == JCS_CMYK ? 4 : 3;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, 100, TRUE);
    // Full-resolution chroma, so that neighbouring pixels of a tiny image keep their own colours.
    for (int c = 0; c < cinfo.num_components; ++c)
        cinfo.comp_info[c].h_samp_factor = cinfo.comp_info[c].v_samp_factor = 1;
    if (progressive)
        jpeg_simple_progression(&cinfo);
    jpeg_start_compress(&cinfo, TRUE);
    size_t stride = size_t(width) * size_t(cinfo.input_components);
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(samples.data() + stride * cinfo.next_scanline);
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    std::string out(reinterpret_cast<char*>(buffer), size);
    jpeg_destroy_compress(&cinfo);
    std::free(buffer);
    return out;
}

std::vector<unsigned char> testPattern(int width, int height, int channels)
{
    std::vector<unsigned char> pixels;
    unsigned noise = 12345;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            for (int c = 0; c < channels; ++c) {
                noise = noise * 1103515245u + 12345u;
                pixels.push_back(
                    (unsigned char)((x * 255 / width + y * 97 * (c + 1) / height + (noise >> 16) % 32) & 0xFF));
            }
    return pixels;
}

std::unique_ptr<Orvane::BitmapImage> decode(const std::string& bytes)
{
    TestSupport::MemoryInputStream stream(bytes);
    return Orvane::loadImage(stream);
}

std::string decodeFailure(const std::string& bytes)
{
    try {
        decode(bytes);
        return "decoded";
    } catch (const Orvane::Exceptions::UnsupportedFormatException& e) {
        return e.getMessage();
    } catch (...) {
        return "other exception";
    }
}

unsigned byteAt(const Orvane::BitmapImage& image, size_t n) { return static_cast<unsigned char>(image.getData()[n]); }

std::string readFileBytes(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

}
