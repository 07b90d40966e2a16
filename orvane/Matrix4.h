#pragma once

#include "orvane/Vector.h"

namespace Orvane {

// The float approximation of pi that every angle conversion uses.
inline constexpr float Pi = 3.141592f;

// Column-major 4x4 matrix acting on column vectors: element (row i, column j) is at j * 4 + i,
// so the 16 floats go to OpenGL and to shader uniforms without transposing.
class Matrix4 {
public:
    Matrix4() { setIdentity(); }

    float& operator[](int index) { return m_[index]; }
    float operator[](int index) const { return m_[index]; }
    float* data() { return m_; }
    const float* data() const { return m_; }

    void setIdentity();
    void setTranslation(float x, float y, float z);
    void setScale(float x, float y, float z);
    void setRotation(float degrees, float x, float y, float z);
    void setPerspective(float fovyDegrees, float aspect, float nearPlane, float farPlane);
    void setOrtho(float left, float right, float bottom, float top, float nearPlane, float farPlane);
    void setLookAt(float eyeX, float eyeY, float eyeZ, float centreX, float centreY, float centreZ, float upX,
                   float upY, float upZ);

    // Post-multiplying: the new transform applies to geometry before the existing one.
    void translate(float x, float y, float z);
    void rotate(float degrees, float x, float y, float z);
    void scale(float x, float y, float z);

    Matrix4 operator*(const Matrix4& b) const;
    Vector3t<float> transformPoint(float x, float y, float z) const;
    Vector3t<float> transformPoint(const Vector3t<float>& p) const { return transformPoint(p.x, p.y, p.z); }

    bool operator==(const Matrix4& o) const;

private:
    void setZero();
    float m_[16];
};

}
