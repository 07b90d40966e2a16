// Renders the production's soundtrack to the Ogg Vorbis file named on the command line.
#include "OggWriter.h"
#include "Renderer.h"
#include "Score.h"
#include "Tempo.h"

#include <algorithm>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <future>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    using namespace Nightglass::Synth;
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT.ogg\n", argv[0]);
        return 2;
    }
    // Written under a temporary name, so a failed render never leaves a file the build trusts.
    std::string partial = std::string(argv[1]) + ".part";
    try {
        constexpr int64_t Chunk = 1 << 16;
        Renderer renderer(nightglassScore());
        OggWriter writer(partial, SampleRate, 0.5);
        // Rendering the next chunk overlaps encoding the last one; the order of writes is fixed.
        std::vector<float> rendering(2 * Chunk), encoding(2 * Chunk);
        std::future<void> encoded;
        for (int64_t done = 0, total = pieceFrames(); done < total; done += Chunk) {
            int64_t frames = std::min(Chunk, total - done);
            renderer.render(rendering.data(), frames);
            if (encoded.valid())
                encoded.get();
            std::swap(rendering, encoding);
            const float* samples = encoding.data();
            encoded = std::async(std::launch::async, [&writer, samples, frames] { writer.write(samples, frames); });
        }
        if (encoded.valid())
            encoded.get();
        writer.close();
        std::filesystem::rename(partial, argv[1]);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "nightglass_music: %s\n", error.what());
        std::error_code ignored;
        std::filesystem::remove(partial, ignored);
        return 1;
    }
    return 0;
}
