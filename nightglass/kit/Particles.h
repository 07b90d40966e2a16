#pragma once

#include "orvane/Forward.h"
#include "orvane/IndexBuffer.h"
#include "orvane/VertexBuffer.h"
#include "tavrin/Visual.h"

#include <cstdint>
#include <vector>

namespace Nightglass {

// Camera-facing quads kept in a vertex buffer: each quad's four corners share one centre, the
// quads are depth-sorted far to near from the camera and drawn with alpha blending. Users fill
// the quads between lock and unlock every frame, then sort and draw.
class Particles : public Tavrin::Visual {
public:
    struct Vertex {
        float position[3];
        float corner[2];
        float texCoord[2];
        float color[4];
    };
    struct SortEntry {
        std::int32_t index;
        float key;
    };

    Particles(Tavrin::Demo* demo, int count);

    // Maps the vertices for reading and writing and keeps the pointer in locked.
    Vertex* lock();
    void unlock();

    void setQuadPosition(int i, float x, float y, float z);
    void setQuadSize(int i, float w, float h);
    void setQuadTexRect(int i, float u, float v, float du, float dv);
    void setQuadColor(int i, float r, float g, float b, float a);

    // Orders the quads far to near from scale times the sync camera's eye; with cullTransparent,
    // quads of alpha 0 or below or of size 0 are left out of the drawing.
    void sortByDistance(float scale);
    void drawQuads();
    void drawSorted();

    const std::vector<std::uint32_t>& getIndices() const { return indexData_; }

    const int count;
    Orvane::VertexBuffer vertices;
    Orvane::IndexBuffer indices;
    Orvane::Shader* shader;
    Orvane::Texture* texture = nullptr;
    Vertex* locked = nullptr;
    std::vector<SortEntry> order;
    // For shaders whose output alpha is the quad's alpha times the sprite's, blended by source
    // alpha: such a quad changes no pixel, and drawing it only costs fill.
    bool cullTransparent = false;

private:
    bool drawsNothing(const Vertex& corner) const;

    int drawn_;
    std::vector<std::uint32_t> indexData_;
    std::vector<SortEntry> sortScratch_;
};

// Sorts entries by key, largest first, with an LSD radix sort on the keys' bits: keys are squared
// distances, never negative, so their bit patterns order like the numbers. scratch must be as
// large as entries.
void sortFarToNear(std::vector<Particles::SortEntry>& entries, std::vector<Particles::SortEntry>& scratch);

}
