#pragma once

#include <cstdint>

namespace AssetKit {

// Deterministic noise for textures. Coordinates are in lattice cells; a period > 0 makes the
// noise repeat every period cells, so textures tile.
class Noise {
public:
    explicit Noise(std::uint32_t seed)
        : seed_(seed)
    {}

    float value(float x, float y, int period = 0) const;  // 0..1
    float gradient(float x, float y, int period = 0) const;  // about -1..1
    // Sum of octaves of gradient noise, each twice the frequency and `gain` times the amplitude
    // of the one before; normalised to about -1..1.
    float fbm(float x, float y, int octaves, float gain = 0.5f, int period = 0) const;
    // |gradient| folded for ridges and veins.
    float ridged(float x, float y, int octaves, int period = 0) const;

    float hash(int x, int y) const;  // 0..1 per lattice point

private:
    std::uint32_t mix(int x, int y) const;
    std::uint32_t seed_;
};

float smoothstep(float edge0, float edge1, float x);

}
