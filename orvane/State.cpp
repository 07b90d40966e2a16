#include "orvane/State.h"

#include "orvane/exceptions/Exception.h"

#include <array>
#include <cstring>

namespace Orvane {

namespace {

class MatrixStack {
public:
    void push(const Matrix4& m)
    {
        // The entry is written before the check, so a full stack refuses the 64th push with
        // every write still inside the array.
        entries_[depth_] = m;
        ++depth_;
        if (depth_ >= State::StackSize) {
            --depth_;
            throw Exceptions::Exception("Matrix stack underflow");
        }
    }

    void pop(Matrix4& into, bool& dirty)
    {
        if (depth_ == 0)
            throw Exceptions::Exception("Matrix stack underflow");
        --depth_;
        into = entries_[depth_];
        dirty = true;
    }

private:
    std::array<Matrix4, State::StackSize> entries_;
    int depth_ = 0;
};

State::Matrices stateMatrices;
MatrixStack worldStack, viewStack, projectionStack;

}

State::Matrices& State::matrices() { return stateMatrices; }

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

void State::setDepthFunc(CompareFuncEnum func) { glDepthFunc(toGl(func)); }
void State::setDepthMask(bool write) { glDepthMask(write ? GL_TRUE : GL_FALSE); }
void State::setViewport(int x, int y, int width, int height) { glViewport(x, y, width, height); }

void State::setWorld(const Matrix4& m)
{
    stateMatrices.world = m;
    stateMatrices.worldDirty = true;
}

void State::getWorld(float out[16]) { std::memcpy(out, stateMatrices.world.data(), sizeof(float) * 16); }

void State::getWorldView(float out[16])
{
    Matrix4 worldView = stateMatrices.view * stateMatrices.world;
    std::memcpy(out, worldView.data(), sizeof(float) * 16);
}

void State::identityWorld()
{
    stateMatrices.world.setIdentity();
    stateMatrices.worldDirty = true;
}

void State::identityView()
{
    stateMatrices.view.setIdentity();
    stateMatrices.viewDirty = true;
}

bool State::resetMatrices()
{
    stateMatrices.world.setIdentity();
    stateMatrices.view.setIdentity();
    stateMatrices.projection.setIdentity();
    stateMatrices.worldDirty = stateMatrices.viewDirty = stateMatrices.projectionDirty = true;
    return true;
}

void State::translateWorld(float x, float y, float z)
{
    stateMatrices.world.translate(x, y, z);
    stateMatrices.worldDirty = true;
}

void State::rotateWorld(float degrees, float x, float y, float z)
{
    stateMatrices.world.rotate(degrees, x, y, z);
    stateMatrices.worldDirty = true;
}

void State::scaleWorld(float x, float y, float z)
{
    stateMatrices.world.scale(x, y, z);
    stateMatrices.worldDirty = true;
}

void State::lookAt(float eyeX, float eyeY, float eyeZ, float centreX, float centreY, float centreZ, float upX,
                   float upY, float upZ)
{
    stateMatrices.view.setLookAt(eyeX, eyeY, eyeZ, centreX, centreY, centreZ, upX, upY, upZ);
    stateMatrices.viewDirty = true;
}

void State::perspective(float fovyDegrees, float aspect, float nearPlane, float farPlane)
{
    stateMatrices.projection.setPerspective(fovyDegrees, aspect, nearPlane, farPlane);
    stateMatrices.projectionDirty = true;
}

void State::ortho(float left, float right, float bottom, float top, float nearPlane, float farPlane)
{
    stateMatrices.projection.setOrtho(left, right, bottom, top, nearPlane, farPlane);
    stateMatrices.projectionDirty = true;
}

void State::pushWorld() { worldStack.push(stateMatrices.world); }
void State::pushView() { viewStack.push(stateMatrices.view); }
void State::pushProjection() { projectionStack.push(stateMatrices.projection); }
void State::popWorld() { worldStack.pop(stateMatrices.world, stateMatrices.worldDirty); }
void State::popView() { viewStack.pop(stateMatrices.view, stateMatrices.viewDirty); }
void State::popProjection() { projectionStack.pop(stateMatrices.projection, stateMatrices.projectionDirty); }

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
