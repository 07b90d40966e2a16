#include "orvane/State.h"

#include "orvane/Extensions.h"
#include "orvane/ProcessState.h"

#include <cstring>

namespace Orvane {

namespace {

ProcessState::Render& render() { return processState().render; }

}

State::Matrices& State::matrices() { return render().matrices; }

void State::enable(Capability capability)
{
    if (GLenum cap = toGl(capability))
        glEnable(cap);
}

void State::disable(Capability capability)
{
    if (GLenum cap = toGl(capability))
        glDisable(cap);
}

void State::setBlendFunc(BlendOperandEnum source, BlendOperandEnum destination)
{
    GLenum dst = toGl(destination);
    GLenum src = toGl(source);
    glBlendFunc(src, dst);
}

void State::setBlendFuncSeparate(BlendOperandEnum source, BlendOperandEnum destination, BlendOperandEnum sourceAlpha,
                                 BlendOperandEnum destinationAlpha)
{
    Ext::glBlendFuncSeparate(toGl(source), toGl(destination), toGl(sourceAlpha), toGl(destinationAlpha));
}

void State::setDepthFunc(CompareFuncEnum func) { glDepthFunc(toGl(func)); }
void State::setDepthMask(bool write) { glDepthMask(write ? GL_TRUE : GL_FALSE); }
void State::setViewport(int x, int y, int width, int height) { glViewport(x, y, width, height); }

void State::setWorld(const Matrix4& m)
{
    render().matrices.world = m;
    render().matrices.worldDirty = true;
}

void State::getWorld(float out[16]) { std::memcpy(out, render().matrices.world.data(), sizeof(float) * 16); }

void State::getWorldView(float out[16])
{
    Matrix4 worldView = render().matrices.view * render().matrices.world;
    std::memcpy(out, worldView.data(), sizeof(float) * 16);
}

void State::identityWorld()
{
    render().matrices.world.setIdentity();
    render().matrices.worldDirty = true;
}

void State::identityView()
{
    render().matrices.view.setIdentity();
    render().matrices.viewDirty = true;
}

bool State::resetMatrices()
{
    render().matrices.world.setIdentity();
    render().matrices.view.setIdentity();
    render().matrices.projection.setIdentity();
    render().matrices.worldDirty = render().matrices.viewDirty = render().matrices.projectionDirty = true;
    return true;
}

void State::translateWorld(float x, float y, float z)
{
    render().matrices.world.translate(x, y, z);
    render().matrices.worldDirty = true;
}

void State::rotateWorld(float degrees, float x, float y, float z)
{
    render().matrices.world.rotate(degrees, x, y, z);
    render().matrices.worldDirty = true;
}

void State::scaleWorld(float x, float y, float z)
{
    render().matrices.world.scale(x, y, z);
    render().matrices.worldDirty = true;
}

void State::lookAt(float eyeX, float eyeY, float eyeZ, float centreX, float centreY, float centreZ, float upX,
                   float upY, float upZ)
{
    render().matrices.view.setLookAt(eyeX, eyeY, eyeZ, centreX, centreY, centreZ, upX, upY, upZ);
    render().matrices.viewDirty = true;
}

void State::perspective(float fovyDegrees, float aspect, float nearPlane, float farPlane)
{
    render().matrices.projection.setPerspective(fovyDegrees, aspect, nearPlane, farPlane);
    render().matrices.projectionDirty = true;
}

void State::ortho(float left, float right, float bottom, float top, float nearPlane, float farPlane)
{
    render().matrices.projection.setOrtho(left, right, bottom, top, nearPlane, farPlane);
    render().matrices.projectionDirty = true;
}

void State::pushWorld() { render().world.push(render().matrices.world); }
void State::pushView() { render().view.push(render().matrices.view); }
void State::pushProjection() { render().projection.push(render().matrices.projection); }
void State::popWorld() { render().world.pop(render().matrices.world, render().matrices.worldDirty); }
void State::popView() { render().view.pop(render().matrices.view, render().matrices.viewDirty); }
void State::popProjection()
{
    render().projection.pop(render().matrices.projection, render().matrices.projectionDirty);
}

void State::pushAll()
{
    pushWorld();
    pushView();
    pushProjection();
}

bool State::popAll()
{
    popWorld();
    popView();
    popProjection();
    return true;
}

}
