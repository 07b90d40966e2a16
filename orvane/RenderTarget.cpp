#include "orvane/RenderTarget.h"

#include "orvane/Device.h"
#include "orvane/Extensions.h"
#include "orvane/PixelType.h"
#include "orvane/State.h"
#include "orvane/Texture.h"
#include "orvane/Window.h"
#include "orvane/exceptions/Exception.h"

#include <utility>

namespace Orvane {

RenderTarget::RenderTarget(int width, int height, Attachments attachments)
    : RenderTarget(width, height, attachments, driverStatus)
{}

RenderTarget::RenderTarget(int width, int height, Attachments attachments, StatusCheck statusCheck)
    : width_(width)
    , height_(height)
    , statusCheck_(std::move(statusCheck))
{
    Ext::glGenFramebuffersEXT(1, &framebuffer_);
    try {
        if (attachments & Colour)
            attachColour();
        if (attachments & Depth)
            attachDepth();
    } catch (...) {
        unbind();
        Ext::glDeleteFramebuffersEXT(1, &framebuffer_);
        throw;
    }
    unbind();
}

RenderTarget::~RenderTarget()
{
    if (framebuffer_ != 0)
        Ext::glDeleteFramebuffersEXT(1, &framebuffer_);
}

RenderTarget::RenderTarget(RenderTarget&& other) noexcept
    : width_(other.width_)
    , height_(other.height_)
    , framebuffer_(std::exchange(other.framebuffer_, 0))
    , colour_(std::move(other.colour_))
    , depth_(std::move(other.depth_))
    , statusCheck_(std::move(other.statusCheck_))
{}

RenderTarget& RenderTarget::operator=(RenderTarget&& other) noexcept
{
    if (this != &other) {
        if (framebuffer_ != 0)
            Ext::glDeleteFramebuffersEXT(1, &framebuffer_);
        width_ = other.width_;
        height_ = other.height_;
        framebuffer_ = std::exchange(other.framebuffer_, 0);
        colour_ = std::move(other.colour_);
        depth_ = std::move(other.depth_);
        statusCheck_ = std::move(other.statusCheck_);
    }
    return *this;
}

GLenum RenderTarget::driverStatus(const RenderTarget&) { return Ext::glCheckFramebufferStatusEXT(GL_FRAMEBUFFER_EXT); }

void RenderTarget::attachColour()
{
    colour_[0] = std::make_unique<Texture>(width_, height_, nullptr, RGBA8, Linear);
    colour_[0]->setWrap(Clamp);
    Ext::glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, framebuffer_);
    Ext::glFramebufferTexture2DEXT(GL_FRAMEBUFFER_EXT, GL_COLOR_ATTACHMENT0_EXT, GL_TEXTURE_2D, colour_[0]->getName(),
                                   0);
}

void RenderTarget::attachDepth()
{
    depth_ = std::make_unique<Texture>(width_, height_, nullptr, Depth24, Linear);
    Ext::glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, framebuffer_);
    // Without a colour texture there is nothing to draw colour into, and a framebuffer whose draw
    // buffer names a missing attachment is incomplete.
    if (!colour_[0]) {
        glDrawBuffer(GL_NONE);
        glReadBuffer(GL_NONE);
    }
    attachDepthTexture();
    if (depthAccepted())
        return;
    depth_.reset();
    if (!setDepthTexture(std::make_unique<Texture>(width_, height_, nullptr, Depth16, Linear)))
        throw Exceptions::UnsupportedFormatException("Unable to find a valid framebuffer format");
}

void RenderTarget::attachDepthTexture()
{
    Ext::glFramebufferTexture2DEXT(GL_FRAMEBUFFER_EXT, GL_DEPTH_ATTACHMENT_EXT, GL_TEXTURE_2D,
                                   depth_ ? depth_->getName() : 0, 0);
}

bool RenderTarget::depthAccepted() const
{
    GLenum status = statusCheck_(*this);
    return status != GL_FRAMEBUFFER_UNSUPPORTED_EXT && status != GL_FRAMEBUFFER_INCOMPLETE_DIMENSIONS_EXT;
}

bool RenderTarget::setDepthTexture(std::unique_ptr<Texture> texture)
{
    depth_ = std::move(texture);
    Ext::glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, framebuffer_);
    attachDepthTexture();
    return depthAccepted();
}

void RenderTarget::bind()
{
    Ext::glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, framebuffer_);
    State::setViewport(0, 0, width_, height_);
}

void RenderTarget::unbind()
{
    Ext::glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, 0);
    if (Device* device = Device::current())
        State::setViewport(0, 0, device->window()->clientWidth(), device->window()->clientHeight());
}

}
