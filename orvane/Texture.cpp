#include "orvane/Texture.h"

#include "orvane/BitmapImage.h"
#include "orvane/ImageScaling.h"
#include "orvane/PixelType.h"
#include "orvane/exceptions/Exception.h"

#include <GL/glext.h>
#include <GL/glu.h>

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <utility>

namespace Orvane {

namespace {

struct UploadFormat {
    GLint internalFormat;
    GLenum format;
    GLenum type;
};

// Indexed by PixelType. The first three keep the legacy component counts as internal formats.
const UploadFormat uploadFormats[] = {
    {1, GL_LUMINANCE, GL_UNSIGNED_BYTE},
    {4, GL_RGBA, GL_UNSIGNED_BYTE},
    {3, GL_RGB, GL_UNSIGNED_BYTE},
    {GL_RGBA32F_ARB, GL_RGBA, GL_FLOAT},
    {GL_DEPTH_COMPONENT16, GL_DEPTH_COMPONENT, GL_UNSIGNED_BYTE},
    {GL_DEPTH_COMPONENT24, GL_DEPTH_COMPONENT, GL_UNSIGNED_BYTE},
};

const UploadFormat& uploadFormat(int pixelType)
{
    if (pixelType < 0 || pixelType >= int(std::size(uploadFormats)))
        throw Exceptions::IllegalEnumException("Illegal PixelType");
    return uploadFormats[pixelType];
}

void setFilters(GLint mag, GLint min)
{
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, mag);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, min);
}

void setWraps(GLint wrap)
{
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, wrap);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, wrap);
}

int channelsOf(GLenum format)
{
    switch (format) {
    case GL_LUMINANCE: return 1;
    case GL_RGB: return 3;
    case GL_RGBA: return 4;
    default: return 0;
    }
}

bool isPowerOfTwo(int n) { return n > 0 && (n & (n - 1)) == 0; }

// GLU's own scaling of a side that is not a power of two leaves the last row of the scaled image
// black (a dark band across the top of a picture 7 pixels wide), so such an image is brought to
// the size GLU would choose here first, and GLU only builds the smaller levels.
void buildMipmaps(GLint internalFormat, int width, int height, const UploadFormat& upload, const void* pixels)
{
    int channels = channelsOf(upload.format);
    if ((isPowerOfTwo(width) && isPowerOfTwo(height)) || channels == 0) {
        gluBuild2DMipmaps(GL_TEXTURE_2D, internalFormat, width, height, upload.format, upload.type, pixels);
        return;
    }
    GLint largest = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &largest);
    int w = std::min(nearestPowerOfTwo(width), int(largest)), h = std::min(nearestPowerOfTwo(height), int(largest));
    if (upload.type == GL_FLOAT) {
        auto scaled = scaleByArea(static_cast<const float*>(pixels), width, height, channels, w, h);
        gluBuild2DMipmaps(GL_TEXTURE_2D, internalFormat, w, h, upload.format, upload.type, scaled.data());
    } else {
        auto scaled = scaleByArea(static_cast<const std::uint8_t*>(pixels), width, height, channels, w, h);
        gluBuild2DMipmaps(GL_TEXTURE_2D, internalFormat, w, h, upload.format, upload.type, scaled.data());
    }
}

}

Texture::Texture(int width, int height, const void* pixels, int pixelType, int filter)
{
    uploadFormat(pixelType);  // throws before a GL name is taken
    glGenTextures(1, &name_);
    upload(width, height, pixels, pixelType, filter);
}

Texture::Texture(const BitmapImage& image, int filter)
    : Texture(image.getWidth(), image.getHeight(), image.getData(), image.getPixelType(), filter)
{}

Texture::~Texture()
{
    if (name_ != 0)
        glDeleteTextures(1, &name_);
}

Texture::Texture(Texture&& other) noexcept
    : name_(std::exchange(other.name_, 0))
    , pixelType_(other.pixelType_)
    , filter_(other.filter_)
    , width_(other.width_)
    , height_(other.height_)
    , internalFormat_(other.internalFormat_)
{}

Texture& Texture::operator=(Texture&& other) noexcept
{
    if (this != &other) {
        if (name_ != 0)
            glDeleteTextures(1, &name_);
        name_ = std::exchange(other.name_, 0);
        pixelType_ = other.pixelType_;
        filter_ = other.filter_;
        width_ = other.width_;
        height_ = other.height_;
        internalFormat_ = other.internalFormat_;
    }
    return *this;
}

void Texture::upload(int width, int height, const void* pixels, int pixelType, int filter)
{
    const UploadFormat& upload = uploadFormat(pixelType);
    width_ = width;
    height_ = height;
    pixelType_ = pixelType;
    filter_ = filter;
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glBindTexture(GL_TEXTURE_2D, name_);
    internalFormat_ = upload.internalFormat;

    if (filter == Mipmapped) {
        // Mesa keeps a spare copy of the levels uploaded while the filter is still the default one,
        // nearly doubling the texture's memory; naming the filter first avoids it.
        setFilters(GL_LINEAR, GL_LINEAR_MIPMAP_LINEAR);
        if (pixels != nullptr)
            buildMipmaps(internalFormat_, width, height, upload, pixels);
        else
            glTexImage2D(GL_TEXTURE_2D, 0, internalFormat_, width, height, 0, upload.format, upload.type, nullptr);
    } else if (filter == Nearest || filter == Linear) {
        glTexImage2D(GL_TEXTURE_2D, 0, internalFormat_, width, height, 0, upload.format, upload.type, pixels);
        GLint both = filter == Nearest ? GL_NEAREST : GL_LINEAR;
        setFilters(both, both);
        setWraps(GL_CLAMP_TO_EDGE);
    }
}

void Texture::setFilter(int filter)
{
    glBindTexture(GL_TEXTURE_2D, name_);
    switch (filter) {
    case Nearest: setFilters(GL_NEAREST, GL_NEAREST); break;
    case Linear: setFilters(GL_LINEAR, GL_LINEAR); break;
    case Mipmapped: setFilters(GL_LINEAR, GL_LINEAR_MIPMAP_LINEAR); break;
    default: return;
    }
    filter_ = filter;
}

void Texture::setWrap(int wrap)
{
    glBindTexture(GL_TEXTURE_2D, name_);
    setWraps(wrap == Clamp ? GL_CLAMP_TO_EDGE : GL_REPEAT);
}

}
