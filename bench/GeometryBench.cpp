#include "orvane/utils/MemoryStream.h"
#include "orvane/utils/geometry/FgmReader.h"
#include "orvane/utils/geometry/FgmWriter.h"

#include <benchmark/benchmark.h>

#include <cmath>

using Orvane::AttributeSemantic;
using Orvane::Utils::FgmMesh;

namespace {

// A wavy grid of side × side quads: 2 × 158² = 49 928 triangles for side 158.
FgmMesh grid(int side)
{
    FgmMesh mesh;
    const int row = side + 1;
    std::vector<float> positions, normals, texcoords;
    for (int z = 0; z < row; ++z) {
        for (int x = 0; x < row; ++x) {
            float height = std::sin(float(x) * 0.3f) * std::cos(float(z) * 0.2f);
            positions.insert(positions.end(), {float(x), height, float(z)});
            normals.insert(normals.end(), {0, 1, 0});
            texcoords.insert(texcoords.end(), {float(x) / float(side), float(z) / float(side)});
        }
    }
    for (int z = 0; z < side; ++z) {
        for (int x = 0; x < side; ++x) {
            auto a = std::uint32_t(z * row + x), b = a + 1, c = a + std::uint32_t(row), d = c + 1;
            mesh.indices.insert(mesh.indices.end(), {a, c, b, b, c, d});
        }
    }
    mesh.vertexCount = row * row;
    mesh.addAttribute(AttributeSemantic::Position, 3, positions);
    mesh.addAttribute(AttributeSemantic::Normal, 3, normals);
    mesh.addAttribute(AttributeSemantic::TexCoord0, 2, texcoords);
    return mesh;
}

constexpr int Side = 158;

}

// Effects recompute normals of deformed meshes; this is the per-call cost at demo mesh sizes.
static void calcVectorsFast(benchmark::State& state)
{
    auto geometry = grid(Side).toGeometry(Orvane::system_mem);
    for (auto _ : state) {
        geometry->calcVectorsFast(AttributeSemantic::Normal, true);
        benchmark::ClobberMemory();
    }
    state.counters["triangles"] = double(geometry->getIndexBuffer()->getIndexCount() / 3);
    state.SetItemsProcessed(state.iterations() * geometry->getIndexBuffer()->getIndexCount() / 3);
}
BENCHMARK(calcVectorsFast)->Unit(benchmark::kMicrosecond);

// Parsing and building a client-memory geometry (uploading to GL buffers needs a context and is
// left out).
static void fgmLoad(benchmark::State& state)
{
    Orvane::Utils::MemoryStream file;
    Orvane::Utils::writeFgm(file, grid(Side));
    const std::vector<unsigned char>& bytes = file.bytes();
    for (auto _ : state) {
        Orvane::Utils::MemoryStream stream(bytes);
        auto geometry = Orvane::Utils::loadFgm(stream, Orvane::system_mem);
        benchmark::DoNotOptimize(geometry.get());
    }
    state.SetBytesProcessed(state.iterations() * int64_t(bytes.size()));
}
BENCHMARK(fgmLoad)->Unit(benchmark::kMicrosecond);
