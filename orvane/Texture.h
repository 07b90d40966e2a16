#pragma once

#include <GL/gl.h>

namespace Orvane {

class BitmapImage;

enum TextureFilter : int { Nearest = 0, Linear = 1, Mipmapped = 2 };
enum TextureWrap : int { Repeat = 0, Clamp = 1 };

// One GL 2D texture, owned: moving hands the GL name over. The filter also decides the wrap mode
// (Nearest and Linear clamp to the edge) and whether a mipmap chain is built.
class Texture {
public:
    // pixels may be null: storage only. Throws IllegalEnumException "Illegal PixelType" for a pixel
    // type outside PixelType.
    Texture(int width, int height, const void* pixels, int pixelType, int filter);
    Texture(const BitmapImage& image, int filter);
    ~Texture();
    Texture(const Texture&) = delete;
    Texture& operator=(const Texture&) = delete;
    Texture(Texture&& other) noexcept;
    Texture& operator=(Texture&& other) noexcept;

    void upload(int width, int height, const void* pixels, int pixelType, int filter);
    // Any value other than a TextureFilter leaves the filters as they were.
    void setFilter(int filter);
    // Clamp clamps to the edge; every other value repeats.
    void setWrap(int wrap);

    GLuint getName() const { return name_; }
    int getWidth() const { return width_; }
    int getHeight() const { return height_; }
    int getPixelType() const { return pixelType_; }
    int getFilter() const { return filter_; }
    GLint getInternalFormat() const { return internalFormat_; }

private:
    GLuint name_ = 0;
    int pixelType_ = 0;
    int filter_ = 0;
    int width_ = 0, height_ = 0;
    GLint internalFormat_ = 0;
};

}
