#include "tavrin/Demo.h"

#include "orvane/Device.h"
#include "orvane/RenderTarget.h"
#include "orvane/Shader.h"
#include "orvane/State.h"
#include "orvane/Texture.h"
#include "tavrin/sync/Curves.h"

#include <GL/gl.h>

namespace Tavrin {

using Orvane::State;

namespace {

void setColor(Orvane::Shader& shader, const Orvane::Vector4t<float>& rgba)
{
    shader.getParameter("color").setFloat4(rgba);
}

}

void Demo::drawQuad(float x, float y, float w, float h, float u, float v, float du, float dv)
{
    using Orvane::AttributeSemantic;
    Orvane::Device* device = Orvane::Device::current();
    auto corner = [&](float cu, float cv, float cx, float cy) {
        device->vertexAttribute(AttributeSemantic::TexCoord0, cu, cv, 0, 1);
        device->vertexAttribute(AttributeSemantic::Position, cx, cy, 0, 1);
    };
    device->beginPrimitives(Orvane::PrimitiveTypeEnum::Quads);
    corner(u, v, x, y);
    corner(u + du, v, x + w, y);
    corner(u + du, v + dv, x + w, y + h);
    corner(u, v + dv, x, y + h);
    glEnd();
}

void Demo::drawFullscreenQuad() { drawQuad(-1, -1, 2, 2, 0, 0, 1, 1); }

void Demo::drawTexturedRect(float x, float y, float w, float h, const Orvane::Texture& texture)
{
    Orvane::Shader& shader = builtinShader(BuiltinShader::TextureColor);
    shader.bind();
    shader.getParameter("texture").setTexture(texture);
    setColor(shader, {1, 1, 1, 1});
    State::pushAll();
    State::resetMatrices();
    shader.updateState();
    drawQuad(x, y, w, h, 0, 0, 1, 1);
    State::popAll();
}

void Demo::drawFullscreenTexture(Orvane::Shader& shader, const Orvane::Texture& texture)
{
    State::disable(Orvane::Capability::DepthTest);
    State::pushAll();
    State::resetMatrices();
    shader.bind();
    shader.getParameter("texture").setTexture(texture);
    shader.updateState();
    drawFullscreenQuad();
    State::popAll();
}

void Demo::restoreScreenViewport() { State::setViewport(0, viewportY, width, viewportHeight); }

void Demo::copyTarget(Orvane::RenderTarget& source, Orvane::RenderTarget& destination)
{
    destination.bind();
    // A copy is untinted, whatever colour the shader was last given.
    Orvane::Shader& copy = builtinShader(BuiltinShader::TextureColor);
    setColor(copy, {1, 1, 1, 1});
    drawFullscreenTexture(copy, *source.getColorTexture());
    destination.unbind();
    restoreScreenViewport();
}

void Demo::blurTarget(Orvane::RenderTarget& target, Orvane::RenderTarget& scratch, int passes, float stepX, float stepY)
{
    State::disable(Orvane::Capability::DepthTest);
    State::pushAll();
    State::resetMatrices();
    Orvane::Shader& blur = builtinShader(BuiltinShader::BoxBlur);
    blur.bind();
    blur.updateState();
    const Orvane::Texture& targetTexture = *target.getColorTexture();
    float w = float(targetTexture.getWidth()), h = float(targetTexture.getHeight());
    auto pass = [&](Orvane::RenderTarget& into, const Orvane::Texture& from) {
        into.bind();
        blur.getParameter("texture").setTexture(from);
        const float step[2] = {stepX / w, stepY / h};
        blur.getParameter("pixelStep").setFloat2(step);
        drawFullscreenQuad();
        stepX *= 2;
        stepY *= 2;
    };
    for (int i = 0; i < passes; ++i) {
        pass(scratch, targetTexture);
        pass(target, *scratch.getColorTexture());
        target.unbind();
        restoreScreenViewport();
    }
    State::popAll();
}

void Demo::drawFullscreenColor(const Orvane::Vector4t<float>& rgba)
{
    if (rgba.w < 0.001f)
        return;
    State::pushAll();
    State::resetMatrices();
    Orvane::Shader& shader = builtinShader(BuiltinShader::ConstantColor);
    shader.bind();
    shader.updateState();
    setColor(shader, rgba);
    drawFullscreenQuad();
    State::popAll();
}

void Demo::drawFullscreenTextureAlpha(const Orvane::Texture& texture, float alpha)
{
    if (alpha < 0.001f)
        return;
    State::pushAll();
    State::resetMatrices();
    Orvane::Shader& shader = builtinShader(BuiltinShader::TextureColor);
    shader.bind();
    shader.updateState();
    setColor(shader, {1, 1, 1, alpha});
    shader.getParameter("texture").setTexture(texture);
    drawFullscreenQuad();
    State::popAll();
}

void Demo::setCamera(float scale, float nearPlane, float farPlane)
{
    const auto& eye = syncValues[0];
    const auto& target = syncValues[1];
    const auto& up = syncValues[2];
    float ex = eye.x * scale, ey = eye.y * scale, ez = eye.z * scale;
    State::lookAt(ex, ey, ez, ex + target.x - eye.x, ey + target.y - eye.y, ez + target.z - eye.z, up.x, up.y, up.z);
    State::perspective(syncValues[3].x, aspect, nearPlane, farPlane);
}

void Demo::setSkyCamera()
{
    setCamera(1, 1, 1000);
    State::perspective(60, aspect, 1, 500);
    const auto& eye = syncValues[0];
    const auto& target = syncValues[1];
    State::lookAt(0, 0, 0, target.x - eye.x, target.y - eye.y, target.z - eye.z, 0, 0, 1);
}

float Demo::cosineEase(float x) const { return Sync::cosineEase(x); }

float Demo::envelope(float t, float peak, float attack, float decay, float power) const
{
    return Sync::envelope(t, peak, attack, decay, power);
}

float Demo::beatEnvelope(float t, float attack, float decay)
{
    return Sync::beatEnvelope(hitTimes, t, attack, decay, lastHitIndex);
}

Orvane::Vector3t<float> Demo::randomPath(float t) const { return Sync::randomPath(randomPoints, t); }

}
