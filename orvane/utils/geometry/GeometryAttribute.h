#pragma once

#include "orvane/Vector.h"
#include "orvane/utils/geometry/Geometry.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

namespace Orvane::Utils {

// A CPU view of one attribute of a geometry. The vertex buffer stays locked for reading and
// writing while the object lives.
class Geometry::Attribute {
public:
    // Throws Exception "Unable to lock the desired attribute in Geometry::Attribute" when no
    // binding has the semantic.
    Attribute(Geometry* geometry, AttributeSemantic semantic);
    virtual ~Attribute();
    Attribute(const Attribute&) = delete;
    Attribute& operator=(const Attribute&) = delete;

    // Components the attribute lacks read as 0. Throws Exception for an index outside the buffer.
    virtual Vector4t<float> get(int index) const = 0;
    // Writes as many of x, y, z, w as the attribute has components; integer types truncate
    // towards zero, clamped to the type's range.
    virtual void set(int index, float x, float y, float z, float w) = 0;

protected:
    unsigned char* element(int index) const;

    VertexBuffer* vertexBuffer_ = nullptr;
    unsigned char* pointer_ = nullptr;
    int components_ = 0;
    int stride_ = 0;
};

// One per VertexBuffer::DataTypeEnum: Byte (signed, as GL_BYTE), Short, Int, Float, Double.
template <typename T>
class Geometry::TAttribute : public Geometry::Attribute {
public:
    using Attribute::Attribute;

    Vector4t<float> get(int index) const override
    {
        const unsigned char* source = element(index);
        float out[4] = {0, 0, 0, 0};
        for (int k = 0; k < components_ && k < 4; ++k) {
            T value;
            std::memcpy(&value, source + k * sizeof(T), sizeof(T));
            out[k] = float(value);
        }
        return {out[0], out[1], out[2], out[3]};
    }

    void set(int index, float x, float y, float z, float w) override
    {
        unsigned char* target = element(index);
        const float in[4] = {x, y, z, w};
        for (int k = 0; k < components_ && k < 4; ++k) {
            T value = convert(in[k]);
            std::memcpy(target + k * sizeof(T), &value, sizeof(T));
        }
    }

private:
    static T convert(float value)
    {
        if constexpr (std::numeric_limits<T>::is_integer) {
            if (std::isnan(value))
                return 0;
            double truncated = std::trunc(double(value));
            if (truncated <= double(std::numeric_limits<T>::min()))
                return std::numeric_limits<T>::min();
            if (truncated >= double(std::numeric_limits<T>::max()))
                return std::numeric_limits<T>::max();
            return T(truncated);
        } else {
            return T(value);
        }
    }
};

extern template class Geometry::TAttribute<std::int8_t>;
extern template class Geometry::TAttribute<short>;
extern template class Geometry::TAttribute<int>;
extern template class Geometry::TAttribute<float>;
extern template class Geometry::TAttribute<double>;

}
