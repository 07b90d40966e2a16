#pragma once

#include <cmath>

namespace Orvane {

template <typename T>
struct Vector3t {
    T x{}, y{}, z{};

    Vector3t() = default;
    Vector3t(T xValue, T yValue, T zValue)
        : x(xValue)
        , y(yValue)
        , z(zValue)
    {}

    // No guard against zero length: callers never normalise a degenerate vector on purpose.
    void normalize()
    {
        T inverse = T(1) / std::sqrt(x * x + y * y + z * z);
        x *= inverse;
        y *= inverse;
        z *= inverse;
    }

    T* data() { return &x; }
    const T* data() const { return &x; }

    Vector3t operator+(const Vector3t& o) const { return {x + o.x, y + o.y, z + o.z}; }
    Vector3t operator-(const Vector3t& o) const { return {x - o.x, y - o.y, z - o.z}; }
    Vector3t operator*(T s) const { return {x * s, y * s, z * s}; }
    Vector3t& operator+=(const Vector3t& o)
    {
        x += o.x;
        y += o.y;
        z += o.z;
        return *this;
    }
    bool operator==(const Vector3t&) const = default;
};

template <typename T>
T dot(const Vector3t<T>& a, const Vector3t<T>& b)
{
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

template <typename T>
Vector3t<T> cross(const Vector3t<T>& a, const Vector3t<T>& b)
{
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

template <typename T>
T length(const Vector3t<T>& v)
{
    return std::sqrt(dot(v, v));
}

template <typename T>
struct Vector4t {
    T x{}, y{}, z{}, w{};

    Vector4t() = default;
    Vector4t(T xValue, T yValue, T zValue, T wValue)
        : x(xValue)
        , y(yValue)
        , z(zValue)
        , w(wValue)
    {}

    T* data() { return &x; }
    const T* data() const { return &x; }
    operator const T*() const { return &x; }
    bool operator==(const Vector4t&) const = default;
};

using Vector3 = Vector3t<float>;
using Vector4 = Vector4t<float>;

}
