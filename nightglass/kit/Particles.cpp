#include "nightglass/kit/Particles.h"

#include "orvane/Shader.h"
#include "orvane/Texture.h"
#include "orvane/VertexBinding.h"
#include "tavrin/Demo.h"

#include <array>
#include <cstring>
#include <numeric>

namespace Nightglass {

namespace {

static_assert(sizeof(Particles::Vertex) == 44, "four float attributes, tightly packed");

constexpr int VertexComponents[4] = {3, 2, 2, 4};

std::vector<Particles::Vertex> zeroVertices(int count)
{
    // Quads nobody writes have size 0 and transparent black corners, so they draw nothing.
    return std::vector<Particles::Vertex>(size_t(count) * 4, Particles::Vertex{});
}

std::uint32_t descendingKeyBits(float key)
{
    std::uint32_t bits;
    std::memcpy(&bits, &key, sizeof bits);
    return ~bits;
}

}

Particles::Particles(Tavrin::Demo* owner, int countValue)
    : Visual(owner)
    , count(countValue)
    , vertices(4, VertexComponents, 4 * countValue, Orvane::hardware_mem_stream_draw, zeroVertices(countValue).data())
    , indices(4 * countValue, Orvane::system_mem, nullptr, Orvane::IndexBuffer::UnsignedInt)
    , shader(owner->loadShader("shaders/particles.cg"))
    , order(size_t(countValue))
    , drawn_(countValue)
    , indexData_(size_t(countValue) * 4)
    , sortScratch_(size_t(countValue))
{
    std::iota(indexData_.begin(), indexData_.end(), 0u);
    indices.setData(indexData_.data(), 4 * count);
}

Particles::Vertex* Particles::lock()
{
    locked = static_cast<Vertex*>(vertices.lock(true, true));
    return locked;
}

void Particles::unlock()
{
    vertices.unlock();
    if (vertices.getLockCount() == 0)
        locked = nullptr;
}

void Particles::setQuadPosition(int i, float x, float y, float z)
{
    Vertex* quad = locked + 4 * i;
    for (int k = 0; k < 4; ++k) {
        quad[k].position[0] = x;
        quad[k].position[1] = y;
        quad[k].position[2] = z;
    }
}

void Particles::setQuadSize(int i, float w, float h)
{
    static constexpr float Signs[4][2] = {{-1, -1}, {1, -1}, {1, 1}, {-1, 1}};
    Vertex* quad = locked + 4 * i;
    for (int k = 0; k < 4; ++k) {
        quad[k].corner[0] = Signs[k][0] * w;
        quad[k].corner[1] = Signs[k][1] * h;
    }
}

void Particles::setQuadTexRect(int i, float u, float v, float du, float dv)
{
    Vertex* quad = locked + 4 * i;
    const float coords[4][2] = {{u, v}, {u + du, v}, {u + du, v + dv}, {u, v + dv}};
    for (int k = 0; k < 4; ++k) {
        quad[k].texCoord[0] = coords[k][0];
        quad[k].texCoord[1] = coords[k][1];
    }
}

void Particles::setQuadColor(int i, float r, float g, float b, float a)
{
    Vertex* quad = locked + 4 * i;
    for (int k = 0; k < 4; ++k) {
        quad[k].color[0] = r;
        quad[k].color[1] = g;
        quad[k].color[2] = b;
        quad[k].color[3] = a;
    }
}

void sortFarToNear(std::vector<Particles::SortEntry>& entries, std::vector<Particles::SortEntry>& scratch)
{
    constexpr int Bits = 11, Buckets = 1 << Bits, Passes = 3;
    std::array<std::array<std::uint32_t, Buckets>, Passes> histograms{};
    for (const Particles::SortEntry& entry : entries) {
        std::uint32_t bits = descendingKeyBits(entry.key);
        for (int pass = 0; pass < Passes; ++pass)
            ++histograms[size_t(pass)][(bits >> (pass * Bits)) & (Buckets - 1)];
    }
    std::vector<Particles::SortEntry>* from = &entries;
    std::vector<Particles::SortEntry>* to = &scratch;
    for (int pass = 0; pass < Passes; ++pass) {
        std::array<std::uint32_t, Buckets>& offsets = histograms[size_t(pass)];
        std::exclusive_scan(offsets.begin(), offsets.end(), offsets.begin(), 0u);
        for (const Particles::SortEntry& entry : *from)
            (*to)[offsets[(descendingKeyBits(entry.key) >> (pass * Bits)) & (Buckets - 1)]++] = entry;
        std::swap(from, to);
    }
    // Three passes leave the result in scratch.
    entries.swap(scratch);
}

void Particles::sortByDistance(float scale)
{
    const auto& eye = demo->syncValues[0];
    float ex = eye.x * scale, ey = eye.y * scale, ez = eye.z * scale;
    const Vertex* quads = lock();
    order.clear();
    for (int i = 0; i < count; ++i) {
        if (drawsNothing(quads[4 * i]))
            continue;
        const float* p = quads[4 * i].position;
        float dx = p[0] - ex, dy = p[1] - ey, dz = p[2] - ez;
        order.push_back({i, dx * dx + dy * dy + dz * dz});
    }
    unlock();
    sortScratch_.resize(order.size());
    sortFarToNear(order, sortScratch_);
    drawn_ = int(order.size());
    for (int k = 0; k < drawn_; ++k) {
        std::uint32_t first = std::uint32_t(order[size_t(k)].index) * 4;
        for (std::uint32_t c = 0; c < 4; ++c)
            indexData_[size_t(k) * 4 + c] = first + c;
    }
}

bool Particles::drawsNothing(const Vertex& corner) const
{
    return cullTransparent && (corner.color[3] <= 0.0f || (corner.corner[0] == 0.0f && corner.corner[1] == 0.0f));
}

void Particles::drawQuads()
{
    using Orvane::AttributeSemantic;
    Orvane::VertexBinding binding(vertices,
                                  {AttributeSemantic::Position, AttributeSemantic::TexCoord1,
                                   AttributeSemantic::TexCoord0, AttributeSemantic::Color});
    indices.draw(Orvane::PrimitiveTypeEnum::Quads, 0, 4 * drawn_);
}

void Particles::drawSorted()
{
    sortByDistance(1);
    shader->bind();
    shader->updateState();
    if (texture)
        shader->getParameter("texture").setTexture(*texture);
    enable(Orvane::Capability::Blend);
    setBlendFunc(Orvane::BlendOperandEnum::SrcAlpha, Orvane::BlendOperandEnum::OneMinusSrcAlpha);
    drawQuads();
}

}
