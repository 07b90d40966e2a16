#pragma once

#include "orvane/utils/MemoryStream.h"
#include "orvane/utils/StreamReaders.h"

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

namespace TestSupport {

// Builds FGM files field by field, independently of the FGM writer, so reader tests do not
// depend on the code they check against.
class FgmBytes {
public:
    FgmBytes& raw(const std::string& bytes)
    {
        stream_.write(bytes.data(), 1, int(bytes.size()));
        return *this;
    }
    FgmBytes& int32(std::int32_t value)
    {
        Orvane::Utils::writeInt32(stream_, value);
        return *this;
    }
    FgmBytes& string(const std::string& text)
    {
        int32(std::int32_t(text.size()));
        return raw(text);
    }
    FgmBytes& floats(std::initializer_list<float> values)
    {
        for (float value : values)
            Orvane::Utils::writeFloat(stream_, value);
        return *this;
    }
    FgmBytes& indices(std::initializer_list<std::uint32_t> values)
    {
        int32(std::int32_t(values.size()));
        for (std::uint32_t value : values)
            int32(std::int32_t(value));
        return *this;
    }

    const std::vector<unsigned char>& bytes() const { return stream_.bytes(); }
    Orvane::Utils::MemoryStream stream() const { return Orvane::Utils::MemoryStream(bytes()); }

    // The smallest useful file: one triangle with positions only.
    static FgmBytes triangle()
    {
        FgmBytes fgm;
        fgm.raw("FGM100").int32(3).int32(1);
        fgm.string("position").int32(3).floats({0, 0, 0, 1, 0, 0, 0, 1, 0});
        fgm.string("triangles").indices({0, 1, 2});
        return fgm;
    }

private:
    Orvane::Utils::MemoryStream stream_;
};

}
