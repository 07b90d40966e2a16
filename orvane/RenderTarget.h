#pragma once

#include <GL/gl.h>

#include <array>
#include <functional>
#include <memory>

namespace Orvane {

class Texture;

// An off-screen framebuffer with a colour texture and/or a depth texture; owns both, and moving
// hands them over. Drawing between bind and unbind goes into the textures at the target's own size.
class RenderTarget {
public:
    // What the framebuffer holds; combine with |.
    enum Attachment : unsigned { Colour = 1u << 0, Depth = 1u << 1 };
    using Attachments = unsigned;

    // Reports the completeness of the framebuffer now bound; a test hands in its own to play a
    // driver that refuses some depth formats.
    using StatusCheck = std::function<GLenum(const RenderTarget&)>;

    // A depth buffer of 24 bits falls back to 16; when neither is accepted this throws
    // UnsupportedFormatException "Unable to find a valid framebuffer format".
    RenderTarget(int width, int height, Attachments attachments);
    RenderTarget(int width, int height, Attachments attachments, StatusCheck statusCheck);
    ~RenderTarget();
    RenderTarget(const RenderTarget&) = delete;
    RenderTarget& operator=(const RenderTarget&) = delete;
    RenderTarget(RenderTarget&& other) noexcept;
    RenderTarget& operator=(RenderTarget&& other) noexcept;

    // Draws into the target over its whole size.
    void bind();
    // Draws into the window again, over the window's whole client area.
    void unbind();
    // Takes the texture and attaches it as the depth buffer; false when the framebuffer reports the
    // combination unsupported or of mismatched dimensions (the texture stays attached).
    bool setDepthTexture(std::unique_ptr<Texture> texture);

    Texture* getColorTexture() const { return colour_[0].get(); }
    Texture* getDepthTexture() const { return depth_.get(); }
    int getWidth() const { return width_; }
    int getHeight() const { return height_; }
    GLuint getFramebuffer() const { return framebuffer_; }

    static GLenum driverStatus(const RenderTarget& target);

private:
    void attachColour();
    void attachDepth();
    void attachDepthTexture();
    bool depthAccepted() const;

    int width_, height_;
    GLuint framebuffer_ = 0;
    std::array<std::unique_ptr<Texture>, 16> colour_;
    std::unique_ptr<Texture> depth_;
    StatusCheck statusCheck_;
};

}
