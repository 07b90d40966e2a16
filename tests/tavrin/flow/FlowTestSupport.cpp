#include "FlowTestSupport.h"

#include "orvane/State.h"
#include "orvane/utils/StreamReaders.h"

#include <GL/gl.h>
#include <tinyxml2.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <stdexcept>

namespace FlowTest {

Sighting sightingAt(float time, bool readGl)
{
    const Orvane::State::Matrices& matrices = Orvane::State::matrices();
    Sighting sighting{time, matrices.world, matrices.view, matrices.projection, false, 0, 0};
    if (readGl) {
        sighting.blending = glIsEnabled(GL_BLEND) == GL_TRUE;
        glGetIntegerv(GL_BLEND_SRC, &sighting.blendSrc);
        glGetIntegerv(GL_BLEND_DST, &sighting.blendDst);
    }
    return sighting;
}

float TimeProbe::evaluate(float time)
{
    times.push_back(time);
    return value;
}

RecordingVisual::~RecordingVisual()
{
    if (destroyed_)
        *destroyed_ = true;
}

void RecordingVisual::draw(float time) { sightings.push_back(sightingAt(time, readGl_)); }

Tavrin::Visual* TestDemo::createVisual(const tinyxml2::XMLElement& element)
{
    askedFor.emplace_back(element.Name());
    if (std::strcmp(element.Name(), "probe") == 0)
        return &probe();
    if (std::strcmp(element.Name(), "probe2") == 0)
        return &probe2();
    if (std::strcmp(element.Name(), "loose") == 0) {
        loose_ = std::make_unique<LooseVisual>(this);
        return loose_.get();
    }
    return nullptr;
}

void TestDemo::loadQuadShaders()
{
    const char* sources[] = {"tavrin/constant_color.cg", "tavrin/texture_color.cg"};
    for (int slot = 0; slot < 2; ++slot) {
        std::string path = std::string(NIGHTGLASS_SOURCE_DIR) + "/data/" + sources[slot];
        shaders_.push_back(std::make_unique<Orvane::Shader>(Orvane::Utils::readTextFile(path), "vsMain", "psMain"));
        builtinShaders[slot] = shaders_.back().get();
    }
}

RecordingVisual& TestDemo::probe()
{
    if (!probe_)
        probe_ = std::make_unique<RecordingVisual>(this, readGl_, &probeDestroyed);
    return *probe_;
}

RecordingVisual& TestDemo::probe2()
{
    if (!probe2_)
        probe2_ = std::make_unique<RecordingVisual>(this, readGl_, nullptr);
    return *probe2_;
}

::testing::AssertionResult matricesNear(const Orvane::Matrix4& actual, const Orvane::Matrix4& expected, float tolerance)
{
    for (int i = 0; i < 16; ++i)
        if (std::abs(actual[i] - expected[i]) > tolerance)
            return ::testing::AssertionFailure()
                << "element " << i << " is " << actual[i] << ", expected " << expected[i];
    return ::testing::AssertionSuccess();
}

Orvane::Matrix4 orthoMatrix(float left, float right, float bottom, float top)
{
    Orvane::Matrix4 m;
    m.setOrtho(left, right, bottom, top, -1.0f, 1.0f);
    return m;
}

Orvane::Matrix4 perspectiveMatrix(float fov, float aspect, float nearPlane, float farPlane)
{
    Orvane::Matrix4 m;
    m.setPerspective(fov, aspect, nearPlane, farPlane);
    return m;
}

void writeFile(const std::string& path, const std::string& text)
{
    std::ofstream out(path, std::ios::binary);
    out << text;
    if (!out)
        throw std::runtime_error("cannot write " + path);
}

int readCountFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    unsigned char bytes[4] = {};
    if (!in.read(reinterpret_cast<char*>(bytes), 4))
        return -1;
    return std::int32_t(std::uint32_t(bytes[0]) | std::uint32_t(bytes[1]) << 8 | std::uint32_t(bytes[2]) << 16
                        | std::uint32_t(bytes[3]) << 24);
}

}
