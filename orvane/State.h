#pragma once

#include "orvane/Matrix4.h"
#include "orvane/RenderEnums.h"

namespace Orvane {

// The one process-wide render state: world, view and projection matrices with change flags that
// tell the shader upload what to send, a 64-entry save stack per matrix, and the GL switches.
// Render thread only.
class State {
public:
    struct Matrices {
        Matrix4 world, view, projection;
        bool worldDirty = false, viewDirty = false, projectionDirty = false;
    };

    static constexpr int StackSize = 64;

    static void enable(Capability capability);
    static void disable(Capability capability);
    static void setBlendFunc(BlendOperandEnum source, BlendOperandEnum destination);
    // Colour and alpha blended by factors of their own.
    static void setBlendFuncSeparate(BlendOperandEnum source, BlendOperandEnum destination, BlendOperandEnum sourceAlpha,
                                     BlendOperandEnum destinationAlpha);
    static void setDepthFunc(CompareFuncEnum func);
    static void setDepthMask(bool write);
    static void setViewport(int x, int y, int width, int height);

    static void setWorld(const Matrix4& m);
    static void getWorld(float out[16]);
    static void getWorldView(float out[16]);
    static void identityWorld();
    static void identityView();
    static bool resetMatrices();
    static void translateWorld(float x, float y, float z);
    static void rotateWorld(float degrees, float x, float y, float z);
    static void scaleWorld(float x, float y, float z);
    static void lookAt(float eyeX, float eyeY, float eyeZ, float centreX, float centreY, float centreZ, float upX,
                       float upY, float upZ);
    static void perspective(float fovyDegrees, float aspect, float nearPlane, float farPlane);
    static void ortho(float left, float right, float bottom, float top, float nearPlane, float farPlane);

    static void pushWorld();
    static void pushView();
    static void pushProjection();
    static void popWorld();
    static void popView();
    static void popProjection();
    static void pushAll();
    static bool popAll();

    // The matrices and flags as the shader upload sees them.
    static Matrices& matrices();
};

}
