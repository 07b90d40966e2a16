#pragma once

#include "orvane/BitmapImage.h"

#include <png.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include <jpeglib.h>

// Small images made with the libraries' encoders, for feeding the decoders.
namespace TestImages {

struct PngDescription {
    int width = 1;
    int height = 1;
    int bitDepth = 8;
    int colourType = PNG_COLOR_TYPE_RGB;
    // Top row first, one value per channel at the bit depth (palette indices for palette images).
    std::vector<unsigned> samples;
    std::vector<png_color> palette;
    std::vector<png_byte> paletteAlpha;
    bool hasTransparentColour = false;
    png_color_16 transparentColour{};
    bool interlaced = false;
};

PngDescription describePng(int width, int height, int bitDepth, int colourType, std::vector<unsigned> samples);
std::string encodePng(const PngDescription& description);

// 8-bit samples, top row first; colourSpace JCS_RGB (3), JCS_GRAYSCALE (1) or JCS_CMYK (4).
std::string encodeJpeg(int width, int height, J_COLOR_SPACE colourSpace, const std::vector<unsigned char>& samples,
                       bool progressive = false);

// A varied picture: a gradient with some noise, so that compressed data has some bulk.
std::vector<unsigned char> testPattern(int width, int height, int channels);

std::unique_ptr<Orvane::BitmapImage> decode(const std::string& bytes);
// The message of the UnsupportedFormatException decoding throws, or "decoded" / "other exception".
std::string decodeFailure(const std::string& bytes);

// Byte n of the bitmap as an unsigned value.
unsigned byteAt(const Orvane::BitmapImage& image, size_t n);

std::string readFileBytes(const std::string& path);

}
