#include "orvane/Texture.h"

#include "orvane/BitmapImage.h"
#include "orvane/PixelType.h"
#include "orvane/exceptions/Exception.h"

#include <GL/glext.h>
#include <GL/glu.h>

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
            gluBuild2DMipmaps(GL_TEXTURE_2D, internalFormat_, width, height, upload.format, upload.type, pixels);
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
