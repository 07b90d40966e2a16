#include "orvane/Matrix4.h"

#include <cmath>

namespace Orvane {

namespace {

double radians(float degrees) { return double(degrees / 180.0f * Pi); }

}

void Matrix4::setZero()
{
    for (float& v : m_)
        v = 0.0f;
}

void Matrix4::setIdentity()
{
    setZero();
    m_[0] = m_[5] = m_[10] = m_[15] = 1.0f;
}

void Matrix4::setTranslation(float x, float y, float z)
{
    setIdentity();
    m_[12] = x;
    m_[13] = y;
    m_[14] = z;
}

void Matrix4::setScale(float x, float y, float z)
{
    setIdentity();
    m_[0] = x;
    m_[5] = y;
    m_[10] = z;
}

void Matrix4::setRotation(float degrees, float x, float y, float z)
{
    // Only an axis that is clearly not unit length is normalised, so unit axes keep their exact bits.
    float squared = x * x + y * y + z * z;
    if (std::fabs(squared - 1.0f) > 1e-7f) {
        float inverse = 1.0f / std::sqrt(squared);
        x *= inverse;
        y *= inverse;
        z *= inverse;
    }
    double a = radians(degrees);
    float k = float(std::cos(a));
    float s = float(std::sin(a));
    float t = 1.0f - k;
    m_[0] = k + t * x * x;
    m_[1] = t * x * y + s * z;
    m_[2] = t * x * z - s * y;
    m_[3] = 0.0f;
    m_[4] = t * x * y - s * z;
    m_[5] = k + t * y * y;
    m_[6] = t * y * z + s * x;
    m_[7] = 0.0f;
    m_[8] = t * x * z + s * y;
    m_[9] = t * y * z - s * x;
    m_[10] = k + t * z * z;
    m_[11] = 0.0f;
    m_[12] = m_[13] = m_[14] = 0.0f;
    m_[15] = 1.0f;
}

void Matrix4::setPerspective(float fovyDegrees, float aspect, float n, float f)
{
    double h = double(fovyDegrees * 0.5f * Pi / 180.0f);
    float q = float(std::cos(h) / std::sin(h));
    setZero();
    m_[0] = q / aspect;
    m_[5] = q;
    m_[10] = -(f + n) / (f - n);
    m_[11] = -1.0f;
    m_[14] = -2.0f * f * n / (f - n);
}

void Matrix4::setOrtho(float l, float r, float b, float t, float n, float f)
{
    setZero();
    m_[0] = 2.0f / (r - l);
    m_[5] = 2.0f / (t - b);
    m_[10] = -2.0f / (f - n);
    m_[12] = -(r + l) / (r - l);
    m_[13] = -(t + b) / (t - b);
    m_[14] = -(f + n) / (f - n);
    m_[15] = 1.0f;
}

void Matrix4::setLookAt(float eyeX, float eyeY, float eyeZ, float centreX, float centreY, float centreZ, float upX,
                        float upY, float upZ)
{
    Vector3t<float> forward(centreX - eyeX, centreY - eyeY, centreZ - eyeZ);
    forward.normalize();
    Vector3t<float> side = cross(forward, Vector3t<float>(upX, upY, upZ));
    Vector3t<float> up = cross(side, forward);
    up.normalize();
    side.normalize();
    setIdentity();
    m_[0] = side.x;
    m_[4] = side.y;
    m_[8] = side.z;
    m_[1] = up.x;
    m_[5] = up.y;
    m_[9] = up.z;
    m_[2] = -forward.x;
    m_[6] = -forward.y;
    m_[10] = -forward.z;
    translate(-eyeX, -eyeY, -eyeZ);
}

void Matrix4::translate(float x, float y, float z)
{
    Matrix4 t;
    t.setTranslation(x, y, z);
    *this = *this * t;
}

void Matrix4::rotate(float degrees, float x, float y, float z)
{
    Matrix4 r;
    r.setRotation(degrees, x, y, z);
    *this = *this * r;
}

void Matrix4::scale(float x, float y, float z)
{
    Matrix4 s;
    s.setScale(x, y, z);
    *this = *this * s;
}

Matrix4 Matrix4::operator*(const Matrix4& b) const
{
    Matrix4 result;
    for (int column = 0; column < 4; ++column)
        for (int row = 0; row < 4; ++row) {
            float sum = 0.0f;
            for (int k = 0; k < 4; ++k)
                sum += m_[k * 4 + row] * b.m_[column * 4 + k];
            result.m_[column * 4 + row] = sum;
        }
    return result;
}

Vector3t<float> Matrix4::transformPoint(float x, float y, float z) const
{
    return {m_[0] * x + m_[4] * y + m_[8] * z + m_[12], m_[1] * x + m_[5] * y + m_[9] * z + m_[13],
            m_[2] * x + m_[6] * y + m_[10] * z + m_[14]};
}

bool Matrix4::operator==(const Matrix4& o) const
{
    for (int i = 0; i < 16; ++i)
        if (m_[i] != o.m_[i])
            return false;
    return true;
}

}
